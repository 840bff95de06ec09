// Choosing the codec: readers by a file's first bytes, writers by the name's extension; the boxes they show,
// the title meanwhile, the file type remembered, and the file chooser's request.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_chooser.h"
#include "app/image_files.h"
#include "box_recorder.h"
#include "support/codec_bytes.h"

namespace vyd {
namespace {

class ImageFiles : public testing::Test {
protected:
    test::ScratchDir dir;
    test::BoxRecorder ui;
    FileSettings files;
    ModeSettings modes;
    Image image;

    void SetUp() override { ui.setTitle("VYD picture"); }

    std::string fileWith(const std::string& name, const std::vector<uint8_t>& bytes) {
        test::writeBytes(dir.file(name), bytes);
        return dir.file(name);
    }

    // One box, without owner, with the file name as text, and the title still the status line.
    void expectReadFailure(const std::string& name, const std::string& caption) {
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].owner, Owner::None);
        EXPECT_EQ(ui.boxes[0].text, name);
        EXPECT_EQ(ui.boxes[0].caption, caption);
        EXPECT_EQ(ui.boxes[0].flags, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(ui.boxes[0].titleMeanwhile, "reading from file");
        EXPECT_EQ(ui.title(), "VYD picture");
        EXPECT_EQ(image.mode, kMode2);
        EXPECT_EQ(image.bitCount(), 1);
        EXPECT_FALSE(image.hasPixels());
    }
};

TEST_F(ImageFiles, UnreadableAndUnknownFilesAreReportedWithTheNameAsText) {
    createImage(image, 24, 24, 2, 2);
    const std::string missing = dir.file("missing.bmp");
    EXPECT_FALSE(readImageFile(ui, files, modes, missing, image));
    expectReadFailure(missing, "I can't open this file");

    ui.boxes.clear();
    EXPECT_FALSE(readImageFile(ui, files, modes, missing, image, "no more frames"));
    expectReadFailure(missing, "no more frames");

    ui.boxes.clear();
    EXPECT_FALSE(readImageFile(ui, files, modes, dir.path().string(), image));
    expectReadFailure(dir.path().string(), "I can't open this file");

    // A PCX needs four bytes; shorter files of any kind are no format at all.
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{0x0A, 5, 1}, {'B'}, {}, {'P', '6', ' ', '1'}}) {
        ui.boxes.clear();
        const std::string name = fileWith("odd.dat", bytes);
        EXPECT_FALSE(readImageFile(ui, files, modes, name, image));
        expectReadFailure(name, "this file is no graphics mode that I know of");
    }
    EXPECT_EQ(files.lastFileType, kFileTypeNone);
}

// Each codec's failures and warnings are shown in the order they were raised, with the name in its place:
// as caption or as text, or (GIF) the message twice, under the reader's caption and then under the name.
TEST_F(ImageFiles, CodecMessagesAreShownWithTheNameInItsPlace) {
    test::BmpLayout compressed;
    compressed.compression = 1;
    test::Bytes pcxMismatch = test::pcxHeader(1, 1, 10, 1, 1);
    test::append(pcxMismatch, {0xC1, 0xFF});
    test::Bytes pcxTwoBits = test::pcxHeader(2, 1, 8, 1, 1);
    test::BmpLayout wide;
    wide.width = 40000;
    const test::Bytes gifHead{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 9, 9, 9};
    const test::Bytes gifImage{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0};
    test::Bytes twoImages = gifHead, badSeparator = gifHead;
    for (int i = 0; i < 2; ++i) twoImages.insert(twoImages.end(), gifImage.begin(), gifImage.end());
    twoImages.push_back(0x3B);
    badSeparator.push_back(0x2A);
    struct Case {
        test::Bytes bytes;
        FileType type;
        bool read;
        test::Boxes boxes;  // with "@" standing for the file's name
    };
    const Case cases[] = {
        {{'B', 'M', 0}, kFileTypeBmp, false, {{"bad file BMP", "@"}}},
        {test::makeBmp(compressed), kFileTypeBmp, false, {{"@", "this BMP file is compressed: I can't read it"}}},
        {test::makeBmp(wide), kFileTypeBmp, false, {{"this picture is 40000 x 1 pixels: too big for me", "@"}}},
        {badSeparator, kFileTypeGif, false,
         {{"bad separator: 0x2a", "error in reading a .GIF file"}, {"bad separator: 0x2a", "@"}}},
        {twoImages, kFileTypeGif, true, {{"this file may be a movie and has 2 images: I will show the first", "@"}}},
        {{0xFF, 0xD8, 0xFF}, kFileTypeJpg, false, {{"@", "I can't read this JPEG file"}}},
        {pcxMismatch, kFileTypePcx, true, {{"image may display corrupted", "mismatch in PCX file header"}}},
        {pcxTwoBits, kFileTypePcx, false, {{"I can't handle 2 bits per pixel mode yet", "@"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes[0].first);
        ui.boxes.clear();
        files.lastFileType = kFileTypeNone;
        const std::string name = fileWith("picture.dat", c.bytes);  // read by content, whatever the name says
        EXPECT_EQ(readImageFile(ui, files, modes, name, image), c.read);
        EXPECT_EQ(files.lastFileType, c.type);
        ASSERT_EQ(ui.boxes.size(), c.boxes.size());
        for (size_t i = 0; i < c.boxes.size(); ++i) {
            auto named = [&name](const std::string& s) { return s == "@" ? name : s; };
            EXPECT_EQ(ui.boxes[i].owner, Owner::None);
            EXPECT_EQ(ui.boxes[i].text, named(c.boxes[i].first));
            EXPECT_EQ(ui.boxes[i].caption, named(c.boxes[i].second));
            EXPECT_EQ(ui.boxes[i].flags, MB_OK | MB_ICONEXCLAMATION);
            EXPECT_EQ(ui.boxes[i].titleMeanwhile, "reading from file");
        }
        EXPECT_EQ(ui.title(), "VYD picture");
    }
    // The header of the last PCX file read, even one refused, is kept for the header page.
    EXPECT_TRUE(files.havePcxHeader);
    EXPECT_TRUE(std::equal(pcxTwoBits.begin(), pcxTwoBits.end(), files.lastPcxHeader.begin()));
}

TEST_F(ImageFiles, ReadingKeepsTheRecordsPaletteBeyondWhatTheFileSets) {
    // A 1 x 1 GIF with a table of two colours: entries 0 and 1 are the file's, 2-15 the default ones, and
    // the rest what the record held.
    const std::string name = fileWith("two.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                                  10, 20, 30, 40, 50, 60, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0,
                                                  2, 2, 0x4C, 0x01, 0, 0x3B});
    createImage(image, kMode256, 8, 4, 4);
    image.palette[1] = image.palette[2] = image.palette[100] = RgbQuad::fromValue(0x123456);
    ASSERT_TRUE(readImageFile(ui, files, modes, name, image));
    EXPECT_EQ(image.palette[1].value(), 0x28323Cu);
    EXPECT_EQ(image.palette[2], (RgbQuad{defaultPalette16[2][0], defaultPalette16[2][1], defaultPalette16[2][2], 0}));
    EXPECT_EQ(image.palette[100].value(), 0x123456u);
    EXPECT_EQ(test::rgbAt(image, 0, 0), 0x28323Cu);
}

TEST_F(ImageFiles, WritersAreChosenByTheLastFourCharacters) {
    Image picture;
    ASSERT_TRUE(createImage(picture, -1, 24, 2, 2));
    EXPECT_TRUE(writeImageFile(ui, files, modes, dir.file("b.BuM"), picture));
    EXPECT_EQ(files.lastFileType, kFileTypeBum);
    EXPECT_EQ(test::readBytes(dir.file("b.BuM"))[0], 'B');
    EXPECT_EQ(ui.title(), "VYD picture");

    // A JPEG that cannot be written shows nothing itself: its callers say "write failed".
    Image empty;
    EXPECT_FALSE(writeImageFile(ui, files, modes, dir.file("e.jpg"), empty));
    EXPECT_FALSE(writeImageFile(ui, files, modes, dir.file("none/p.jpg"), picture));
    EXPECT_TRUE(ui.boxes.empty());

    // Names shorter than five characters and unknown extensions: one box owned by the main window, no file.
    const size_t filesBefore = dir.entryCount();
    for (const std::string& name : {std::string("a.b"), std::string(".bmp"), dir.file("x.JPEG"), dir.file("x.png")}) {
        SCOPED_TRACE(name);
        ui.boxes.clear();
        files.lastFileType = kFileTypePcx;
        EXPECT_FALSE(writeImageFile(ui, files, modes, name, picture));
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].owner, Owner::Main);
        EXPECT_EQ(ui.boxes[0].text, "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG'");
        EXPECT_EQ(ui.boxes[0].caption, name);
        EXPECT_EQ(ui.boxes[0].titleMeanwhile, "writing to file");
        EXPECT_EQ(files.lastFileType, kFileTypePcx);
    }
    EXPECT_EQ(dir.entryCount(), filesBefore);
}

TEST_F(ImageFiles, EveryFormatIsWrittenByItsNameAndReadBackByItsContent) {
    Image picture;
    ASSERT_TRUE(createImage(picture, kMode256, 8, 8, 8));
    for (int y = 0; y < 8; ++y) std::fill_n(picture.row(y), picture.stride, static_cast<uint8_t>(y < 4 ? 0 : 15));

    struct Case { const char* name; FileType type; };
    for (Case c : {Case{"p.pcx", kFileTypePcx}, {"p.gif", kFileTypeGif}, {"p.jpg", kFileTypeJpg}, {"p.bmp", kFileTypeBmp}}) {
        SCOPED_TRACE(c.name);
        // Each file gets a name of another format: the reader goes by the content.
        ASSERT_TRUE(writeImageFile(ui, files, modes, dir.file(c.name), picture));
        EXPECT_EQ(files.lastFileType, c.type);
        std::filesystem::rename(dir.file(c.name), dir.file("renamed.dat"));
        files.lastFileType = kFileTypeNone;
        Image back;
        ASSERT_TRUE(readImageFile(ui, files, modes, dir.file("renamed.dat"), back));
        EXPECT_EQ(files.lastFileType, c.type);
        EXPECT_EQ(back.width(), 8);
        EXPECT_EQ(redOf(pixelColor(back, 0, 7, true)) > 200, true);
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ImageFiles, ChooserOffersTheLastTitleAndRemembersTheChosenOne) {
    files.lastFileTitle = "old.bmp";
    files.lastFileType = kFileTypeBum;
    ui.queueChooserAnswer(std::string("/pictures/holiday/beach.gif"));
    std::string destination = "ignored";
    EXPECT_TRUE(chooseFile(ui, files, "name of file to read in?", FilterList::Reading, destination, false));
    EXPECT_EQ(destination, "/pictures/holiday/beach.gif");
    EXPECT_EQ(files.lastFileTitle, "beach.gif");

    ui.queueChooserAnswer(std::nullopt);
    EXPECT_FALSE(chooseFile(ui, files, "name of file to write to?", FilterList::Writing, destination, true));
    EXPECT_EQ(destination, "beach.gif");  // the initial name stays in the destination
    EXPECT_EQ(files.lastFileTitle, "beach.gif");

    ASSERT_EQ(ui.choosers.size(), 2u);
    EXPECT_FALSE(ui.choosers[0].forSaving);
    EXPECT_EQ(ui.choosers[0].title, "name of file to read in?");
    EXPECT_EQ(ui.choosers[0].initialName, "old.bmp");
    EXPECT_EQ(ui.choosers[0].filterIndex, kFileTypeBum);
    EXPECT_EQ(ui.choosers[0].flags, OFN_FILEMUSTEXIST);
    EXPECT_TRUE(ui.choosers[1].forSaving);
    EXPECT_EQ(ui.choosers[1].initialName, "beach.gif");
    EXPECT_EQ(ui.choosers[1].flags, OFN_OVERWRITEPROMPT);
    EXPECT_EQ(ui.choosers[1].filters.size(), 6u);

    const std::vector<FileFilter>& reading = fileFilters(FilterList::Reading);
    const std::vector<FileFilter>& writing = fileFilters(FilterList::Writing);
    ASSERT_EQ(reading.size(), 7u);
    ASSERT_EQ(writing.size(), 6u);
    EXPECT_EQ(reading[4].description, "Poser BUM files");
    EXPECT_EQ(reading[5].pattern, "*.sli");
    EXPECT_EQ(writing[5].description, "all files");
    EXPECT_EQ(writing[5].pattern, "*.*");
}

}  // namespace
}  // namespace vyd
