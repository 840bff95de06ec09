#include <gtest/gtest.h>

#include "app/command_table.h"
#include "app/commands_view.h"
#include "platform/headless_platform.h"

using namespace vyd;

namespace {

struct Session {
    HeadlessPlatform ui;
    AppState app;
    Session() {
        app.platform = &ui;
        ui.setClientSize(300, 200);
    }
};

void paint(Image& image, int width, int height, Color colour) {
    createImage(image, kModeTrue24, 24, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = image.row(y) + 3 * x;
            p[0] = blueOf(colour);
            p[1] = greenOf(colour);
            p[2] = redOf(colour);
        }
    }
}

Color pixel(const Image& image, int x, int y) { return pixelColor(image, x, y, true); }

}  // namespace

TEST(AssembleCommands, CurrentLevelTakesItselfWithLevelFifteenPlacedAsAssembled) {
    Session s;
    paint(s.app.levels[0].image, 8, 6, 0x101010);
    paint(s.app.levels[2].image, 3, 2, 0x0000FF);
    s.app.levels[2].originX = 1;
    s.app.levels[2].originY = 1;
    paint(s.app.levels[4].image, 8, 6, 0x00FF00);  // shown, but not part of this assembly
    paint(s.app.levels[15].image, 2, 2, 0xFF0000);
    s.app.levels[15].originX = 3;
    s.app.levels[15].originY = 2;
    s.app.levels[15].shown = 0;
    s.app.levels.currentIndex = 2;

    s.ui.queueMessageBoxAnswer(IDYES);
    EXPECT_EQ(dispatchCommand(s.app, 1323), Ending::Redraw);
    const Level& current = s.app.levels[2];
    ASSERT_EQ(current.image.width(), 8);  // the background's size
    EXPECT_EQ(current.originX, 0);
    EXPECT_EQ(current.originY, 0);
    EXPECT_EQ(current.altered, 1);
    EXPECT_EQ(pixel(current.image, 0, 0), 0u);        // neither level there: black
    EXPECT_EQ(pixel(current.image, 1, 1), 0x0000FFu);  // the level itself
    EXPECT_EQ(pixel(current.image, 3, 2), 0xFF0000u);  // level 15 over it
    EXPECT_EQ(s.app.levels[15].shown, 0);              // shown flags as they were
    EXPECT_EQ(s.app.levels[4].shown, 1);

    // Answered No, the chooser comes up; cancelling it changes nothing.
    s.ui.queueMessageBoxAnswer(IDNO);
    s.ui.queueChooserAnswer(std::nullopt);
    dispatchCommand(s.app, 1323);
    EXPECT_EQ(pixel(s.app.levels[2].image, 3, 2), 0xFF0000u);

    // With level 15 current neither command asks anything (an unanswered box would throw here).
    s.app.levels.currentIndex = 15;
    EXPECT_EQ(dispatchCommand(s.app, 1323), Ending::Plain);
    EXPECT_EQ(dispatchCommand(s.app, 1306), Ending::Plain);
}

TEST(AssembleCommands, AFailedWriteLeavesTheLevelAltered) {
    Session s;
    paint(s.app.levels[0].image, 4, 4, 0x202020);
    s.app.levels[0].altered = 1;
    s.ui.queueChooserAnswer(std::string("assembled.xyz"));  // no writer for this extension
    EXPECT_EQ(dispatchCommand(s.app, 1306), Ending::Update);
    EXPECT_EQ(s.app.levels[0].altered, 1);
}

TEST(SizeCommands, NewImageAndDetailsEndPlainAndLeaveNameAndAlteredAlone) {
    Session s;
    s.app.levels[0].name = "kept.bmp";
    s.app.levels[0].altered = 1;
    s.ui.queueDialogAnswer({true, {{3, "20"}, {4, "10"}}});
    EXPECT_EQ(dispatchCommand(s.app, 1321), Ending::Plain);
    EXPECT_EQ(s.app.levels[0].image.width(), 20);
    EXPECT_EQ(s.app.levels[0].name, "kept.bmp");
    EXPECT_EQ(s.app.levels[0].altered, 1);
    EXPECT_TRUE(s.ui.invalid());

    // While rotations are suppressed the details leave the level unrotated whatever theta was typed.
    s.app.levels.currentIndex = 1;
    s.app.view.rotationsSuppressed = true;
    s.ui.queueDialogAnswer({true, {{7, "30"}}});
    EXPECT_EQ(dispatchCommand(s.app, 1313), Ending::Plain);
    EXPECT_EQ(s.app.levels[1].rotationCos, 1);
    EXPECT_EQ(s.app.levels[1].rotationSin, 0);
}
