// Choosing the codec: readers by a file's first bytes, writers by the name's extension; the boxes they show,
// the file type remembered, files written whole or not at all, and the file chooser's request.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/file_chooser.h"
#include "formats/format_table.h"
#include "support/box_platform.h"
#include "support/gif_bytes.h"
#include "support/image_files.h"

using namespace vyd;
using namespace vydtest;

namespace {

// Remembers the window title each box was shown under.
struct TitledBoxes : BoxPlatform {
    std::vector<std::string> titles;
    int messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) override {
        titles.push_back(title());
        return BoxPlatform::messageBox(owner, text, caption, flags);
    }
};

class ImageFiles : public testing::Test {
protected:
    ScratchDir dir;
    TitledBoxes ui;
    FileSettings files;
    ModeSettings modes;
    Image image;

    void SetUp() override { ui.setTitle("VYD picture"); }

    std::string fileWith(const std::string& name, const Bytes& bytes) {
        writeBytes(dir / name, bytes);
        return dir / name;
    }
};

// Each codec's failures and warnings are shown in the order they were raised, with the name in its place:
// as caption or as text, or (GIF) the message twice, under the reader's caption and then under the name.
TEST_F(ImageFiles, CodecMessagesAreShownWithTheNameInItsPlace) {
    const Bytes pcxTwoBits = pcxHeader(2, 1, 8, 1, 1);
    struct Case {
        Bytes bytes;
        FileType type;
        bool read;
        std::vector<std::pair<std::string, std::string>> boxes;  // text, caption; "@" stands for the file's name
    };
    const Case cases[] = {
        {{'B', 'M', 0}, kFileTypeBmp, false, {{"bad file BMP", "@"}}},
        {makeBmp({.compression = 1}), kFileTypeBmp, false, {{"@", "this BMP file is compressed: I can't read it"}}},
        {makeBmp({.width = 40000}), kFileTypeBmp, false, {{"this picture is 40000 x 1 pixels: too big for me", "@"}}},
        {GifFile(0).bytes + Bytes{0x2A}, kFileTypeGif, false,
         {{"bad separator: 0x2a", "error in reading a .GIF file"}, {"bad separator: 0x2a", "@"}}},
        {GifFile(0).image(1, 1, {0}).image(1, 1, {0}).trailer().bytes, kFileTypeGif, true,
         {{"this file may be a movie and has 2 images: I will show the first", "@"}}},
        {{0xFF, 0xD8, 0xFF}, kFileTypeJpg, false, {{"@", "I can't read this JPEG file"}}},
        {pcxHeader(1, 1, 10, 1, 1) + Bytes{0xC1, 0xFF}, kFileTypePcx, true,
         {{"image may display corrupted", "mismatch in PCX file header"}}},
        {pcxTwoBits, kFileTypePcx, false, {{"I can't handle 2 bits per pixel mode yet", "@"}}},
        {{0x0A, 5, 1}, kFileTypeNone, false, {{"@", "this file is no graphics mode that I know of"}}},
        {{}, kFileTypeNone, false, {{"@", "this file is no graphics mode that I know of"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes[0].first);
        ui.boxes.clear();
        ui.titles.clear();
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
            EXPECT_EQ(ui.titles[i], "reading from file");
        }
        EXPECT_EQ(ui.title(), "VYD picture");
        EXPECT_EQ(image.hasPixels(), c.read);
    }
    // The header of the last PCX file read, even one refused, is kept for the header page.
    EXPECT_TRUE(files.havePcxHeader);
    EXPECT_TRUE(std::equal(pcxTwoBits.begin(), pcxTwoBits.end(), files.lastPcxHeader.begin()));

    // A file that cannot be opened (a folder here) is shown under the caller's words when it has some.
    ui.boxes.clear();
    EXPECT_FALSE(readImageFile(ui, files, modes, dir / "", image, "no more frames"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "no more frames");
}

TEST_F(ImageFiles, ReadingKeepsTheRecordsPaletteBeyondWhatTheFileSets) {
    // A 1 x 1 GIF with a table of two colours: entries 0 and 1 are the file's, 2-15 the default ones, and
    // the rest what the record held.
    const std::string name = fileWith("two.gif", GifFile(0).image(1, 1, {1}).trailer().bytes);
    createImage(image, kMode256, 8, 4, 4);
    image.palette[1] = image.palette[2] = image.palette[100] = RgbQuad::fromValue(0x123456);
    ASSERT_TRUE(readImageFile(ui, files, modes, name, image));
    EXPECT_EQ(image.palette[1].value(), 0x01FE01u);
    EXPECT_EQ(image.palette[2], (RgbQuad{defaultPalette16[2][0], defaultPalette16[2][1], defaultPalette16[2][2], 0}));
    EXPECT_EQ(image.palette[100].value(), 0x123456u);
    EXPECT_EQ(rgbAt(image, 0, 0), 0x01FE01u);
}

TEST_F(ImageFiles, WritersAreChosenByTheLastFourCharactersAndReadersByTheContent) {
    Image picture;
    ASSERT_TRUE(createImage(picture, kMode256, 8, 8, 8));
    for (int y = 0; y < 8; ++y) std::fill_n(picture.row(y), picture.stride, static_cast<uint8_t>(y < 4 ? 0 : 15));
    struct Case { const char* name; FileType type; };
    for (Case c : {Case{"p.pcx", kFileTypePcx}, {"p.gif", kFileTypeGif}, {"p.jpg", kFileTypeJpg}, {"p.bmp", kFileTypeBmp},
                   {"p.BuM", kFileTypeBum}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeImageFile(ui, files, modes, dir / c.name, picture));
        EXPECT_EQ(files.lastFileType, c.type);
        std::filesystem::rename(dir / c.name, dir / "renamed.dat");
        Image back;
        ASSERT_TRUE(readImageFile(ui, files, modes, dir / "renamed.dat", back));
        EXPECT_EQ(files.lastFileType, c.type == kFileTypeBum ? kFileTypeBmp : c.type);
        EXPECT_EQ(back.width(), 8);
        EXPECT_GT(rgbAt(back, 0, 7) >> 16, 200u);  // the bottom half white, through the palette
        EXPECT_LT(rgbAt(back, 0, 0) >> 16, 50u);
    }
    // A JPEG that cannot be written shows nothing itself: its callers say "write failed".
    EXPECT_FALSE(writeImageFile(ui, files, modes, dir / "none/p.jpg", picture));
    EXPECT_TRUE(ui.boxes.empty());

    // Names shorter than five characters and unknown extensions: one box owned by the main window, no file.
    const size_t filesBefore = entriesIn(dir / "");
    for (const std::string& name : {std::string("a.b"), std::string(".bmp"), dir / "x.JPEG"}) {
        SCOPED_TRACE(name);
        ui.boxes.clear();
        files.lastFileType = kFileTypePcx;
        EXPECT_FALSE(writeImageFile(ui, files, modes, name, picture));
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].owner, Owner::Main);
        EXPECT_EQ(ui.boxes[0].caption, name);
        EXPECT_EQ(ui.titles.back(), "writing to file");
        EXPECT_EQ(ui.title(), "VYD picture");
        EXPECT_EQ(files.lastFileType, kFileTypePcx);
    }
    EXPECT_EQ(entriesIn(dir / ""), filesBefore);
}

// A write that fails leaves no file behind and an existing one as it was, with the format's own error.
TEST_F(ImageFiles, FailedWritesLeaveNoFileAndKeepAnExistingOne) {
    Image truecolor, greys, packed, rowless, empty;
    createImage(truecolor, -1, 24, 2, 2);
    createImage(greys, kModeGreys, 8, 4, 4);
    createImage(packed, kMode2, 1, 8, 8);
    createImage(rowless, -1, 24, 2, 2);
    rowless.pixels.reset();
    struct Case { const ImageFormat& format; const Image& refused; CodecError error, cantCreate; };
    const Case cases[] = {
        {kBmpFormat, rowless, CodecError::CantWriteFile, CodecError::CantCreateFile},
        {kPcxFormat, greys, CodecError::PcxModeNotWritable, CodecError::CantCreateFile},
        {kPcxFormat, packed, CodecError::PcxModeNotWritable, CodecError::CantCreateFile},
        {kGifFormat, truecolor, CodecError::GifTruecolor, CodecError::GifCantCreateFile},
        {kJpegFormat, empty, CodecError::JpegNotEncoded, CodecError::JpegNotWritten},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.error));
        Encoded r = encodeImageFile(c.format, c.refused, {}, dir / "new.out");
        ASSERT_TRUE(r.failure);
        EXPECT_EQ(r.failure->error, c.error);
        writeBytes(dir / "keep.out", {1, 2, 3});
        EXPECT_FALSE(encodeImageFile(c.format, c.refused, {}, dir / "keep.out").ok());
        EXPECT_EQ(readBytes(dir / "keep.out"), (Bytes{1, 2, 3}));
        EXPECT_EQ(entriesIn(dir / ""), 1u);
        const Image& writable = c.format.type == kFileTypeGif ? greys : truecolor;
        r = encodeImageFile(c.format, writable, {}, dir / "no/such/x.out");
        ASSERT_TRUE(r.failure);
        EXPECT_EQ(r.failure->error, c.cantCreate);
    }
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
}

}  // namespace
