// The Modes-menu and palette-repair commands on the current level, and the boxes they show.
#include <gtest/gtest.h>

#include "app/commands_modes.h"
#include "modes/palette_diagnosis.h"
#include "modes_test_util.h"
#include "platform/headless_platform.h"

namespace vyd {
namespace {

struct Box {
    Owner owner;
    std::string text, caption;
    UINT flags;
};

class BoxRecorder : public HeadlessPlatform {
public:
    int messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) override {
        boxes.push_back({owner, text, caption, flags});
        return IDOK;
    }
    std::vector<Box> boxes;
};

class ModeCommands : public ::testing::Test {
protected:
    ModeCommands() { app.platform = &ui; }
    Level& level() { return app.currentLevel(); }
    void expectOneBox(Owner owner, const std::string& text, const std::string& caption) {
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].owner, owner);
        EXPECT_EQ(ui.boxes[0].text, text);
        EXPECT_EQ(ui.boxes[0].caption, caption);
        EXPECT_EQ(ui.boxes[0].flags, MB_OK | MB_ICONEXCLAMATION);
    }
    BoxRecorder ui;
    AppState app;
};

TEST_F(ModeCommands, FailedConversionReportsTheCodeInHexAndMarksTheLevel) {
    EXPECT_EQ(commandConvertMode(app, 1601), Ending::Refresh);
    expectOneBox(Owner::Main, "out of memory in case 0x641, or no image", "");
    EXPECT_EQ(level().altered, 1);
    EXPECT_FALSE(level().image.hasPixels());

    ui.boxes.clear();
    EXPECT_EQ(commandConvertMode(app, 1545), Ending::Refresh);
    expectOneBox(Owner::Main, "out of memory in case 0x9, or no image", "");
}

TEST_F(ModeCommands, ConversionReplacesTheImageAndLosesTheRightColour) {
    level().image = test::makeImage(24, 24, 3, 2);
    level().image.leftColor = 0x102030;
    level().image.rightColor = 0x405060;
    EXPECT_EQ(commandConvertMode(app, 1545), Ending::Refresh);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(level().image.mode, 9);
    EXPECT_EQ(level().image.bitCount(), 8);
    EXPECT_EQ(level().image.row(1)[2], 0xCD);
    EXPECT_EQ(level().image.leftColor, 0x102030u);
    EXPECT_EQ(level().image.rightColor, kNoColor);
    EXPECT_EQ(level().altered, 1);

    // Greys of an 8-bit picture are an ordinary 256-color picture; truecolor from there is mode 24.
    EXPECT_EQ(commandConvertMode(app, 1545), Ending::Refresh);
    EXPECT_EQ(level().image.mode, 8);
    EXPECT_EQ(commandConvertMode(app, 1560), Ending::Refresh);
    EXPECT_EQ(level().image.mode, 24);
    EXPECT_EQ(level().image.row(0)[0], 0xCD);
}

TEST_F(ModeCommands, TruecolorAdjustmentsLeaveTheAlteredFlag) {
    level().image = test::makeImage(24, 24, 1, 1);
    test::setTruecolor(level().image, 0, 0, 10, 20, 30);
    app.modes.from0 = 255;
    app.modes.from255 = 0;
    EXPECT_EQ(commandMapFrom0From255(app, 1562), Ending::Refresh);
    EXPECT_EQ(test::rowBytes(level().image, 0, 3), (std::vector<uint8_t>{245, 235, 225}));
    app.modes.bwlimit = 236;
    EXPECT_EQ(commandThresholdByBwlimit(app, 1324), Ending::Refresh);
    EXPECT_EQ(test::rowBytes(level().image, 0, 3), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(commandToggleTruecolorMark(app, 1540), Ending::Refresh);
    EXPECT_EQ(level().image.mode, 16);
    EXPECT_EQ(level().altered, 0);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ModeCommands, RepairsRefuseOtherModesWithTheBackgroundNameAsCaption) {
    app.levels[0].name = "back.pcx";
    app.levels.currentIndex = 3;
    level().image = test::makeImage(8, 8, 2, 2);
    EXPECT_EQ(commandStandardizePalette(app, 1618), Ending::Update);
    expectOneBox(Owner::Main, "this image is not 2-color or 16-color", "back.pcx");
    EXPECT_EQ(level().altered, 0);

    ui.boxes.clear();
    level().image = Image{};
    EXPECT_EQ(commandSwopGreys(app, 1616), Ending::Update);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(ModeCommands, SwopsMarkTheLevelAndStandardizeDoesNot) {
    level().image = test::makeImage(4, 8, 2, 1);
    level().image.row(0)[0] = 1;
    level().image.palette[3] = test::quad(9, 9, 9);
    EXPECT_EQ(commandStandardizePalette(app, 1618), Ending::Refresh);
    EXPECT_EQ(level().image.palette[3], test::defaultQuad(3));
    EXPECT_EQ(level().altered, 0);
    EXPECT_EQ(commandSwopRedBlue(app, 1617), Ending::Refresh);
    EXPECT_EQ(level().image.row(0)[0], 4);
    EXPECT_EQ(level().altered, 1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ModeCommands, DiagnosisShowsItsBoxesWithoutOwner) {
    Image image = test::makeImage(4, 8, 1, 1);
    std::swap(image.palette[7], image.palette[8]);
    diagnosePalette(ui, image);
    expectOneBox(Owner::None, "the greys are swopped",
                 "This image's palette is nonstandard and may upset mode-conversions etc.");
}

}  // namespace
}  // namespace vyd
