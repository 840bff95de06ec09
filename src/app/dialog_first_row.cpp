#include "app/dialog_first_row.h"

#include "app/level_titles.h"
#include "util/text_format.h"

namespace vyd {

void fillFirstRow(AppState& app, DialogFields& fields, const char* loadedFormat, bool clearWithoutName) {
    app.ui().validate();  // the main window is not repainted under the box
    const int current = app.levels.currentIndex;
    fields.setText(6, formatText("level %1d", current));
    if (!app.levels[current].name.empty()) {
        fields.setText(5, formatText(loadedFormat, levelDescription(app, current).c_str()));
    } else if (clearWithoutName) {
        fields.setText(5, "");
    }
}

}  // namespace vyd
