#include "app/channel_question.h"

namespace vyd {

Channel askChannel(AppState& app, const std::string& caption) {
    const int answer = app.ui().messageBox(Owner::None, "yes=blue, no=green, cancel=red", caption, MB_YESNOCANCEL);
    return answer == IDYES ? Channel::Blue : answer == IDNO ? Channel::Green : Channel::Red;
}

}  // namespace vyd
