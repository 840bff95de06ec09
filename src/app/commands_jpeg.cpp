#include "app/commands_jpeg.h"

#include <string>

#include "app/dialogs.h"
#include "formats/jpeg.h"

namespace vyd {

Ending commandSetJpegQuality(AppState& app, int /*id*/) {
    double answer = askNumber(app, "quality for writing .jpg (from 0 to 100)?", std::to_string(app.files.jpegQuality));
    app.files.jpegQuality = clampJpegQuality(answer);
    return Ending::Update;
}

}  // namespace vyd
