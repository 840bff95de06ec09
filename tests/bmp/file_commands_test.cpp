// The File-menu commands, run through the command table with scripted chooser and box answers.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_table.h"
#include "bmp_test_support.h"
#include "box_recorder.h"
#include "formats/format_table.h"

namespace vyd {
namespace {

class FileCommands : public testing::Test {
protected:
    test::ScratchDir dir;
    test::BoxRecorder ui;
    AppState app;

    void SetUp() override { app.platform = &ui; }

    std::string pictureFile(const std::string& name) {
        Image picture;
        createImage(picture, -1, 24, 3, 2);
        for (int y = 0; y < 2; ++y) std::fill_n(picture.row(y), picture.stride, static_cast<uint8_t>(0x30 + y));
        EXPECT_TRUE(encodeImageFile(kBmpFormat, picture, {}, dir.file(name)).ok());
        return dir.file(name);
    }
};

TEST_F(FileCommands, ReadFromFileFillsTheCurrentLevel) {
    const std::string name = pictureFile("pic.bmp");
    app.levels.currentIndex = 3;
    ui.queueChooserAnswer(name);
    EXPECT_EQ(dispatchCommand(app, 1297), Ending::Redraw);
    const Level& level = app.levels[3];
    EXPECT_EQ(level.name, name);
    EXPECT_EQ(level.image.width(), 3);
    EXPECT_EQ(level.image.mode, kModeTrue24);
    EXPECT_EQ(level.altered, 0);
    EXPECT_EQ(app.files.lastFileTitle, "pic.bmp");
    EXPECT_EQ(app.files.lastFileType, kFileTypeBmp);
    ASSERT_FALSE(ui.choosers.empty());
    EXPECT_EQ(ui.choosers.back().title, "name of file to read in?");

    // Cancelled: the name goes, the picture stays.
    ui.queueChooserAnswer(std::nullopt);
    EXPECT_EQ(dispatchCommand(app, 1297), Ending::Update);
    EXPECT_EQ(level.name, "");
    EXPECT_EQ(level.image.width(), 3);
}

TEST_F(FileCommands, SaveClearsTheAlteredFlagOnlyWhenTheWriteSucceeded) {
    Level& level = app.currentLevel();
    createImage(level.image, -1, 24, 2, 2);
    level.altered = 1;

    ui.queueChooserAnswer(dir.file("out.txt"));
    EXPECT_EQ(dispatchCommand(app, 1298), Ending::Update);
    EXPECT_EQ(level.altered, 1);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].owner, Owner::Main);
    EXPECT_EQ(ui.boxes[1].text, dir.file("out.txt"));
    EXPECT_EQ(ui.boxes[1].caption, "write failed");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.txt")));

    ui.queueChooserAnswer(dir.file("out.bmp"));
    EXPECT_EQ(dispatchCommand(app, 1298), Ending::Update);
    EXPECT_EQ(level.altered, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.bmp")));
    EXPECT_EQ(level.name, "");  // saving does not rename the level
    EXPECT_EQ(ui.choosers.back().title, "name of file to write to?");

    ui.queueChooserAnswer(std::nullopt);
    level.altered = 1;
    EXPECT_EQ(dispatchCommand(app, 1298), Ending::Update);
    EXPECT_EQ(level.altered, 1);
}

TEST_F(FileCommands, SaveOffersTheLevelsNameUnlessItCameFromNoFile) {
    Level& level = app.currentLevel();
    createImage(level.image, -1, 24, 2, 2);
    setLevelName(level, "/somewhere/old.bmp");
    ui.queueChooserAnswer(std::nullopt);
    dispatchCommand(app, 1320);
    EXPECT_EQ(ui.choosers.back().initialName, "/somewhere/old.bmp");

    setLevelName(level, "<clipboard>");
    ui.queueChooserAnswer(std::nullopt);
    dispatchCommand(app, 1320);
    EXPECT_EQ(ui.choosers.back().initialName, "");
}

TEST_F(FileCommands, DeleteAsksAndRenameReportsFailure) {
    const std::string victim = pictureFile("victim.bmp");
    ui.queueChooserAnswer(victim);
    ui.queueMessageBoxAnswer(IDNO);
    dispatchCommand(app, 1299);
    EXPECT_TRUE(std::filesystem::exists(victim));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "do you want to delete this file?");
    EXPECT_EQ(ui.boxes[0].caption, victim);
    EXPECT_EQ(ui.boxes[0].flags & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(app.levels[0].name, victim);

    ui.queueChooserAnswer(victim);
    ui.queueMessageBoxAnswer(IDYES);
    dispatchCommand(app, 1299);
    EXPECT_FALSE(std::filesystem::exists(victim));

    // Renaming works on level 0's file.
    const std::string original = pictureFile("first.bmp");
    setLevelName(app.levels[0], original);
    ui.queueChooserAnswer(dir.file("second.bmp"));
    dispatchCommand(app, 1301);
    EXPECT_EQ(ui.choosers.back().title, "new name for file " + original + "?");
    EXPECT_TRUE(ui.choosers.back().forSaving);
    EXPECT_TRUE(std::filesystem::exists(dir.file("second.bmp")));
    EXPECT_EQ(app.levels[0].name, original);

    ui.boxes.clear();
    ui.queueChooserAnswer(dir.file("third.bmp"));
    dispatchCommand(app, 1301);  // first.bmp is gone now
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "error");
    EXPECT_EQ(ui.boxes[0].caption, "rename");
}

}  // namespace
}  // namespace vyd
