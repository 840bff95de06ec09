#include "app/commands_shell.h"

#include "app/commands_levels.h"

namespace vyd {

namespace {
struct InfoCommand {
    int id;
    InfoScreen code;
};
constexpr InfoCommand kInfoCommands[] = {
    {1308, kInfoLevelList}, {1282, kInfoPcxHeader}, {1305, kInfoPalette},
    {1310, kInfoByteFrequency}, {1311, kInfoClipboard},
};
}  // namespace

Ending commandExit(AppState& app, int) {
    app.ui().sendMessage(WM_CLOSE, 0, 0);
    return Ending::Plain;
}

Ending commandHelp(AppState& app, int) {
    app.ui().openHelp("VYD.HLP");
    return Ending::Plain;
}

Ending commandPaintbrush(AppState& app, int) {
    if (confirmAltered(app)) return Ending::Update;
    app.ui().shellOpen(app.shell.paintbrushPath, app.currentLevel().name);
    return Ending::Update;
}

Ending commandSpecial(AppState&, int) { return Ending::Update; }

Ending commandShowInfoScreen(AppState& app, int id) {
    for (const InfoCommand& command : kInfoCommands) {
        if (command.id == id) app.shell.infoScreen = command.code;
    }
    return Ending::Redraw;
}

}  // namespace vyd
