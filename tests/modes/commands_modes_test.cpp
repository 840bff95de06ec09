// The Modes-menu and palette-repair commands on the current level: results, boxes, altered flags, endings.
#include <gtest/gtest.h>

#include "app/commands_modes.h"
#include "modes/palette_diagnosis.h"
#include "modes_test_util.h"
#include "support/box_platform.h"

namespace vyd {
namespace {

// Every box the commands showed as one line: owner, text, caption and whether it was a warning (OK, exclamation).
std::vector<std::string> shown(const vydtest::BoxPlatform& ui) {
    std::vector<std::string> lines;
    for (const auto& box : ui.boxes) {
        lines.push_back((box.owner == Owner::Main ? "main " : "none ") + box.text + " / " + box.caption + " / " +
                        (box.flags == (MB_OK | MB_ICONEXCLAMATION) ? "warning" : std::to_string(box.flags)));
    }
    return lines;
}

class ModeCommands : public ::testing::Test {
protected:
    ModeCommands() { app.platform = &ui; }
    Level& level() { return app.currentLevel(); }
    vydtest::BoxPlatform ui;
    AppState app;
};

TEST_F(ModeCommands, FailedConversionReportsTheCodeInHexAndMarksTheLevel) {
    EXPECT_EQ(commandConvertMode(app, 1601), Ending::Refresh);
    EXPECT_EQ(commandConvertMode(app, 1545), Ending::Refresh);
    EXPECT_EQ(shown(ui), (std::vector<std::string>{"main out of memory in case 0x641, or no image /  / warning",
                                                   "main out of memory in case 0x9, or no image /  / warning"}));
    EXPECT_EQ(level().altered, 1);
    EXPECT_FALSE(level().image.hasPixels());
}

TEST_F(ModeCommands, TruecolorAdjustmentsOnlyOnTruecolorAndLeaveTheAlteredFlag) {
    level().image = test::rowImage(24, 24, {0, 56, 57, 198, 199, 255});
    app.modes.from0 = -100;  // v -> -100 + v * 455 / 255, truncated toward zero, clipped
    app.modes.from255 = 355;
    EXPECT_EQ(commandMapFrom0From255(app, 1562), Ending::Refresh);
    EXPECT_EQ(test::rowBytes(level().image, 0, 6), (std::vector<uint8_t>{0, 0, 1, 253, 255, 255}));
    app.modes.from0 = 255;
    app.modes.from255 = 0;
    EXPECT_EQ(commandMapFrom0From255(app, 1562), Ending::Refresh);
    EXPECT_EQ(test::rowBytes(level().image, 0, 6), (std::vector<uint8_t>{255, 255, 254, 2, 0, 0}));
    app.modes.bwlimit = 171;  // greys 254 and 0
    EXPECT_EQ(commandThresholdByBwlimit(app, 1324), Ending::Refresh);
    EXPECT_EQ(test::rowBytes(level().image, 0, 6), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(commandToggleTruecolorMark(app, 1540), Ending::Refresh);
    EXPECT_EQ(level().image.mode, 16);
    EXPECT_EQ(commandToggleTruecolorMark(app, 1540), Ending::Refresh);
    EXPECT_EQ(level().image.mode, 24);
    EXPECT_EQ(level().altered, 0);

    level().image = test::rowImage(8, 8, {200});
    app.modes.bwlimit = 0;
    commandThresholdByBwlimit(app, 1324);
    commandMapFrom0From255(app, 1562);
    commandToggleTruecolorMark(app, 1540);
    EXPECT_EQ(level().image.row(0)[0], 200);
    EXPECT_EQ(level().image.mode, 8);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ModeCommands, RepairsRefuseOtherModesWithTheBackgroundNameAsCaption) {
    app.levels[0].name = "back.pcx";
    app.levels.currentIndex = 3;
    level().image = test::makeImage(8, 8, 2, 2);
    EXPECT_EQ(commandStandardizePalette(app, 1618), Ending::Update);
    level().image = Image{};
    EXPECT_EQ(commandSwopGreys(app, 1616), Ending::Update);
    const std::string refusal = "main this image is not 2-color or 16-color / back.pcx / warning";
    EXPECT_EQ(shown(ui), (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(level().altered, 0);
}

TEST_F(ModeCommands, SwopsMarkTheLevelAndStandardizeDoesNot) {
    level().image = test::rowImage(4, 8, {1, 7});
    level().image.palette[3] = test::quad(9, 9, 9);
    EXPECT_EQ(commandStandardizePalette(app, 1618), Ending::Refresh);
    EXPECT_EQ(level().image.palette[3], test::defaultQuad(3));
    EXPECT_EQ(level().altered, 0);
    EXPECT_EQ(commandSwopRedBlue(app, 1617), Ending::Refresh);
    EXPECT_EQ(commandSwopGreys(app, 1616), Ending::Refresh);
    EXPECT_EQ(test::rowBytes(level().image, 0, 2), (std::vector<uint8_t>{4, 8}));
    EXPECT_EQ(level().altered, 1);
}

}  // namespace
}  // namespace vyd
