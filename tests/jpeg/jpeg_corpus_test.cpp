// Every JPEG of the public corpus, by what its manifest row expects: decodes that match their reference,
// decodes that must succeed, refusals with the message, and a clean outcome (a picture or a refusal) for
// thousands of fuzzed files and crash reproducers.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "formats/jpeg.h"
#include "jpeg/jpeg_test_util.h"
#include "support/corpus.h"

using namespace vyd;
using namespace vyd::testing;

namespace {

const std::string kCorpus = vydtest::corpusDir();

struct Row {
    std::string path, expected, reference;
};

std::vector<Row> jpegRows() {
    std::ifstream manifest(kCorpus + "/MANIFEST.tsv");
    std::vector<Row> rows;
    std::string line;
    std::getline(manifest, line);  // column names
    while (std::getline(manifest, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        if (fields.size() >= 7 && fields[2] == "jpeg") rows.push_back({fields[0], fields[5], fields[6]});
    }
    return rows;
}

bool starts(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

void expectCleanRefusal(const Decoded& result, const Image& image) {
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, CodecError::JpegUnreadable);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(image.mode, kMode2);
    EXPECT_FALSE(image.hasPixels());
}

void expectWholePicture(const Decoded& result, const Image& image) {
    EXPECT_LE(result.warnings.size(), 1u);  // at most the warning about damage
    EXPECT_EQ(image.mode, 24);
    EXPECT_TRUE(image.hasPixels());
    EXPECT_GT(image.width(), 0);
    EXPECT_GT(image.height(), 0);
    EXPECT_GE(image.pixels.size(), image.pixelBytes() + 1024);
}

}  // namespace

TEST(JpegCorpus, EveryFileDecodesAsItsManifestExpects) {
    VYD_SKIP_WITHOUT_CORPUS();
    std::vector<Row> rows = jpegRows();
    ASSERT_GT(rows.size(), 3000u) << "the manifest should list the JPEG corpus";
    int decoded = 0, refused = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path + ": " + row.expected);
        std::vector<uint8_t> bytes = readBytes(kCorpus + "/" + row.path);
        Decoded result = decodeJpeg(bytes);
        const Image& image = result.picture;
        (result.ok() ? decoded : refused)++;

        if (starts(row.expected, "decode ~= ref")) {
            ASSERT_TRUE(result.ok());
            auto reference = readNetpbm(kCorpus + "/" + row.reference);
            ASSERT_TRUE(reference);
            EXPECT_GT(psnr(image, *reference), 40);
        } else if (starts(row.expected, "decode OK")) {
            ASSERT_TRUE(result.ok());
        } else if (starts(row.expected, "12-bit") || row.expected.find("must refuse") != std::string::npos) {
            ASSERT_FALSE(result.ok());
        }
        if (result.ok()) {
            expectWholePicture(result, image);
        } else {
            expectCleanRefusal(result, image);
        }
    }
    RecordProperty("decoded", decoded);
    RecordProperty("refused", refused);
}

TEST(JpegCorpus, TwelveBitLosslessAndArithmeticFilesComeBackAsMessages) {
    VYD_SKIP_WITHOUT_CORPUS();
    // The libjpeg-turbo crash reproducers of the processes an 8-bit decoder does not handle: each must come
    // back as a refusal (or, for arithmetic coding, which it handles, a picture), never end the process.
    const char* files[] = {
        "libjpeg-turbo/testimages/monkey12.jpg",
        "ljt-seed-corpora/bugs/decompress/github_669/poc2.jpg",
        "ljt-seed-corpora/bugs/decompress/github_670/poc3min.jpg",
        "ljt-seed-corpora/bugs/decompress/lossless/random10_100x91_lossless_psv1_pt0.jpg",
        "ljt-seed-corpora/bugs/decompress/LJPGT-PT-23-01/test1.jpg",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        Decoded result = decodeJpeg(readBytes(kCorpus + "/" + file));
        EXPECT_FALSE(result.ok());
        expectCleanRefusal(result, result.picture);
    }
    Decoded arithmetic = decodeJpeg(readBytes(kCorpus + "/libjpeg-turbo/testimages/testimgari.jpg"));
    ASSERT_TRUE(arithmetic.ok());
    EXPECT_TRUE(arithmetic.warnings.empty());
}
