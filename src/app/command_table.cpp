#include "app/command_table.h"

#include "app/commands_blur_edges.h"
#include "app/commands_clipboard.h"
#include "app/commands_derivations.h"
#include "app/commands_editing.h"
#include "app/commands_files.h"
#include "app/commands_jpeg.h"
#include "app/commands_levels.h"
#include "app/commands_modes.h"
#include "app/commands_movie.h"
#include "app/commands_shell.h"
#include "app/commands_view.h"
#include "app/composition_commands.h"
#include "app/endings.h"
#include "app/level_list.h"
#include "app/slide_show.h"

namespace vyd {

const char* const kNullMenuText = "(The menu is inactive; press ESC to get the image display back)";

namespace {

// Every item in menu order; a row without text is a separator (and has no handler).
const std::vector<CommandEntry> kCommands = {
    {1321, "&Files", "&new", commandNewImage},
    {1297, "&Files", "&read from file", commandReadFromFile},
    {1320, "&Files", "&save", commandSave},
    {1298, "&Files", "save &as", commandSaveAs},
    {1301, "&Files", "rena&me file", commandRenameFile},
    {1299, "&Files", "&delete file", commandDeleteFile},
    {1300, "&Files", "show &Paths?", commandShowPaths},
    {1311, "&Files", "get contents list for &Clipboard", commandShowInfoScreen},
    {1281, "&Files", "examine image on Clipb&oard", commandExamineClipboard},
    {1302, "&Files", "read image from Clipboard: &q", commandReadClipboard},
    {1303, "&Files", "write image to Clip&board", commandWriteClipboard},
    {1317, "&Files", "read composin&g info", commandReadComposition},
    {1318, "&Files", "write compos&ing info", commandWriteComposition},
    {1325, "&Files", "write as n&umbers", commandWriteNumbers},
    {1365, "&Files", "show images as movie", showMovie},
    {1366, "&Files", "copy movie images", copyMovie},
    {1296, "&Files", "e&xit", commandExit},
    {1601, "&Modes", "any mode to &2-color", commandConvertMode},
    {1604, "&Modes", "any mode to &16color", commandConvertMode},
    {1636, "&Modes", "ditto with pixel &chequering (slow)", commandConvertMode},
    {1544, "&Modes", "any mode to 25&6-color", commandConvertMode},
    {1561, "&Modes", "truecolor to 256-color with &dithering (slow)", commandConvertMode},
    {1545, "&Modes", "any mode to 256-color &greyshades", commandConvertMode},
    {1560, "&Modes", "any mode to &truecolor", commandConvertMode},
    {1324, "&Modes", "truecolor to 2-color by the &bwlimit value", commandThresholdByBwlimit},
    {1562, "&Modes", "truecolor by the from&0 and from255 values", commandMapFrom0From255},
    {1540, "&Modes", "truecolor is 16 or 2&4 bit?", commandToggleTruecolorMark},
    {0, "&Modes", nullptr, nullptr},
    {1282, "&Modes", "show PCX file head&er", commandShowInfoScreen},
    {1305, "&Modes", "&show palette", commandShowInfoScreen},
    {1310, "&Modes", "show byte usage &frequency", commandShowInfoScreen},
    {1357, "&Modes", "set &JPG quality", commandSetJpegQuality},
    {1319, "&Editing", "&undo", commandUndo},
    {1616, "&Editing", "swop &greys", commandSwopGreys},
    {1617, "&Editing", "swop &red && blue", commandSwopRedBlue},
    {1618, "&Editing", "standardize &palette", commandStandardizePalette},
    {1620, "&Editing", "re&verse colors", commandReverseColors},
    {1621, "&Editing", "make &line drawing", commandLineDrawing},
    {1622, "&Editing", "&halve size (black wins)", commandHalveSize},
    {1623, "&Editing", "make lines 1 pi&xel wide", commandThinLines},
    {1316, "&Editing", "make all &non-background black or white", commandMakeNonBackground},
    {1288, "&Editing", "tri&m off edges which are all transparent", commandTrimEdges},
    {1347, "&Editing", "make white all pixels brighter than the &bwlimit value", commandWhitenAboveLimit},
    {1351, "&Editing", "resize with &tiling", commandResizeWithTiling},
    {1352, "&Editing", "shrin&k background 1 pixel at its edges", commandShrinkBackground},
    {1353, "&Editing", "multiply screen colors by left mouse button's color as in &Poser rendering", commandMultiplyByLeftColor},
    {1354, "&Editing", "invert a color", commandInvertColor},
    {1361, "&Editing", "set all colors to brightest color at each pixel", commandBrightestChannel},
    {1362, "&Editing", "set all colors to darkest color at each pixel", commandDarkestChannel},
    {0, "&Editing", nullptr, nullptr},
    {1285, "&Editing", "flip t&op/bottom", commandFlipTopBottom},
    {1286, "&Editing", "fl&ip left/right", commandFlipLeftRight},
    {1287, "&Editing", "rotate &90deg to right", commandRotateRight},
    {1348, "&Editing", "copy to level 15 removing b&arrel distortion", commandRemoveBarrelDistortion},
    {1349, "&Editing", "copy to level 15 changing into Poser .B&UM file mode", commandIntoBumpMap},
    {1350, "&Editing", "copy to level 15 changing from Poser .BUM &file mode", commandFromBumpMap},
    {1355, "&Editing", "copy one color to level 15", commandCopyOneColor},
    {1364, "&Editing", "write left button's selecte&d color on all pixels whose color is right button's selected color", commandWriteOverRightColor},
    {1367, "&Editing", "blurring", commandBlur},
    {1363, "&Editing", "special", commandSpecial},
    {1306, "&Levels", "&save assembled picture to file", commandAssemble},
    {1323, "&Levels", "assemble current le&vel && level 15", commandAssemble},
    {1307, "&Levels", "&hide/show current level\tctrl-H", commandHideShow},
    {1312, "&Levels", "drop c&urrent level's image", commandDropCurrent},
    {1322, "&Levels", "drop &all images", commandDropAll},
    {1308, "&Levels", "&list && handle levels\tctrl-L", commandShowInfoScreen},
    {1309, "&Levels", "sh&ow scale && origin && angle", commandShowLevelInfo},
    {1313, "&Levels", "display && &alter level details", commandLevelDetails},
    {1314, "&Levels", "sort levels by &priority", commandSortByPriority},
    {1315, "&Levels", "mark &edges where same overlaps same", commandMarkEdges},
    {0, "&Levels", nullptr, nullptr},
    {1328, "&Levels", "work on &background", commandSelectLevel},
    {1329, "&Levels", "work on object &1", commandSelectLevel},
    {1358, "&Slides", "file to &read slide file names from", commandReadSlideList},
    {1359, "&Slides", "file to &list slide files names on", commandStartSlideListing},
    {1360, "&Slides", "&stop listing slide file names", commandStopSlideListing},
    {1537, nullptr, "P&aintbrush", commandPaintbrush},
    {1284, nullptr, "&Help", commandHelp},
};

}  // namespace

const std::vector<CommandEntry>& commandTable() { return kCommands; }

const CommandEntry* findCommand(int id) {
    if (id == 0) return nullptr;
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

std::vector<MenuItem> mainMenuDescription() {
    std::vector<MenuItem> bar;
    const char* lastPopup = "";
    for (const CommandEntry& entry : kCommands) {
        MenuItem item;
        item.id = entry.id;
        item.separator = entry.text == nullptr;
        item.text = entry.text ? entry.text : "";
        item.checked = entry.id == kFirstLevelCommand;  // "work on &background" is checked in the resource
        if (!entry.popup) {
            bar.push_back(item);
            lastPopup = "";
            continue;
        }
        if (bar.empty() || std::string(lastPopup) != entry.popup) {
            MenuItem popup;
            popup.text = entry.popup;
            bar.push_back(popup);
            lastPopup = entry.popup;
        }
        bar.back().items.push_back(item);
    }
    return bar;
}

std::vector<MenuItem> nullMenuDescription() {
    MenuItem item;
    item.id = kNullMenuItem;
    item.text = kNullMenuText;
    return {item};
}

Ending dispatchCommand(AppState& app, int id) {
    if (id >= kFirstLevelCommand && id < kFirstLevelCommand + kLevelCount) return commandSelectLevel(app, id);
    const CommandEntry* entry = findCommand(id);
    if (!entry || !entry->handler) return Ending::DefaultProcessing;
    return entry->handler(app, id);
}

}  // namespace vyd
