// Every BMP of the public corpus, as its manifest row says: decoded equal to the reference picture, refused
// with a message, or at least ended cleanly. Compressed files (run-length, BITFIELDS, JPEG, PNG, ...) are
// refused with the compressed-file message whatever the row would also accept.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "bmp_test_support.h"
#include "formats/bmp.h"
#include "formats/codec_messages.h"
#include "formats/format_table.h"
#include "reference_images.h"
#include "support/corpus.h"

namespace vyd {
namespace {

const std::string kCorpus = vydtest::corpusDir();

struct ManifestRow {
    std::string path, headerFacts, expected, reference;
};

std::vector<ManifestRow> bmpRows() {
    std::vector<ManifestRow> rows;
    std::ifstream in(kCorpus + "/MANIFEST.tsv");
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream split(line);
        for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
        if (cells.size() >= 7 && cells[2] == "bmp") rows.push_back({cells[0], cells[4], cells[5], cells[6]});
    }
    return rows;
}

enum class Expect { Match, MatchOrRefuse, Refuse, Decode, Terminate };

Expect classify(const ManifestRow& row) {
    const std::string& e = row.expected;
    const bool compressed = row.headerFacts.find("comp=") != std::string::npos &&
                            row.headerFacts.find("comp=RGB") == std::string::npos;
    auto startsWith = [&](const char* prefix) { return e.rfind(prefix, 0) == 0; };
    if (startsWith("refuse-with-message or decode")) return compressed ? Expect::Refuse : Expect::MatchOrRefuse;
    if (startsWith("refuse-with-message") || startsWith("must refuse")) return Expect::Refuse;
    if (startsWith("decode OK")) return compressed ? Expect::Refuse : Expect::Decode;
    if (e.find("decode==") != std::string::npos || e.find("== decode") != std::string::npos) {
        if (compressed) return Expect::Refuse;
        const bool mayRefuse = e.find("questionable") != std::string::npos || e.find("or refuse") != std::string::npos;
        return mayRefuse ? Expect::MatchOrRefuse : Expect::Match;
    }
    return Expect::Terminate;
}

// The reference as 0xRRGGBB values: a PPM or PAM picture, or another BMP decoded by the same reader.
std::optional<test::ReferencePicture> loadReference(const std::string& reference) {
    if (reference.ends_with(".bmp")) {
        std::ifstream in(kCorpus + "/" + reference, std::ios::binary);
        std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const Decoded decoded = decodeBmp(bytes, ModeSettings{});
        if (!decoded.ok()) return std::nullopt;
        const Image& image = decoded.picture;
        test::ReferencePicture picture{image.width(), image.height(), {}};
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) picture.rgb.push_back(test::rgbAt(image, x, y));
        }
        return picture;
    }
    return test::readReference(kCorpus + "/" + reference);
}

void expectSamePicture(const Image& image, const std::string& reference) {
    std::optional<test::ReferencePicture> expected = loadReference(reference);
    ASSERT_TRUE(expected) << "reference " << reference << " unreadable";
    ASSERT_EQ(image.width(), expected->width);
    ASSERT_EQ(image.height(), expected->height);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t want = expected->rgb[static_cast<size_t>(y) * expected->width + x];
            const uint32_t got = test::rgbAt(image, x, y);
            ASSERT_EQ(got, want) << "first differing pixel at (" << x << ", " << y << ") from the top";
        }
    }
}

class BmpCorpus : public testing::TestWithParam<ManifestRow> {};

TEST_P(BmpCorpus, ReadsAsTheManifestSays) {
    const ManifestRow& row = GetParam();
    SCOPED_TRACE(row.path + ": " + row.expected);
    const std::string path = kCorpus + "/" + row.path;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "corpus file missing";
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    const Decoded result = decodeBmp(bytes, ModeSettings{});
    const Image& image = result.picture;
    // Whatever the file: success gives a whole picture, failure says why and leaves an empty image.
    if (result.ok()) {
        EXPECT_TRUE(image.hasPixels());
        EXPECT_GT(image.width(), 0);
        EXPECT_GT(image.height(), 0);
        EXPECT_EQ(image.bitCount() == 8 || image.bitCount() == 24, true);
    } else {
        EXPECT_FALSE(image.hasPixels());
        EXPECT_EQ(image.width(), 0);
    }

    // Reading the file from disc gives the same outcome, message for message and pixel for pixel (a file that
    // does not start with "BM" is taken for no format there).
    const DecodedFile disc = decodeImageFile(path, ModeSettings{});
    const Decoded& discResult = disc.decoded;
    const Image& fromDisc = discResult.picture;
    if (!probeBmp(bytes)) {
        EXPECT_EQ(discResult.failure->error, CodecError::UnknownFormat);
    } else {
        EXPECT_EQ(discResult.ok(), result.ok());
        EXPECT_EQ(discResult.warnings.size(), result.warnings.size());
        if (!result.ok()) {
            EXPECT_EQ(discResult.failure->error, result.failure->error);
        }
        EXPECT_EQ(fromDisc.mode, image.mode);
        EXPECT_EQ(fromDisc.width(), image.width());
        EXPECT_EQ(fromDisc.height(), image.height());
        if (result.ok() && fromDisc.hasPixels() && fromDisc.pixelBytes() == image.pixelBytes()) {
            EXPECT_EQ(std::memcmp(fromDisc.pixels.data(), image.pixels.data(), image.pixelBytes()), 0);
        }
    }

    const bool compressed = row.headerFacts.find("comp=") != std::string::npos &&
                            row.headerFacts.find("comp=RGB") == std::string::npos;
    switch (classify(row)) {
        case Expect::Match:
            ASSERT_TRUE(result.ok()) << codecText(*result.failure);
            expectSamePicture(image, row.reference);
            break;
        case Expect::MatchOrRefuse:
            if (result.ok() && row.reference != "-") expectSamePicture(image, row.reference);
            break;
        case Expect::Refuse:
            EXPECT_FALSE(result.ok());
            // A compressed file is refused as such unless its header was already beyond reading.
            if (compressed && !result.ok() && result.failure->error != CodecError::BadBmp) {
                EXPECT_EQ(result.failure->error, CodecError::CompressedBmp);
            }
            break;
        case Expect::Decode:
            EXPECT_TRUE(result.ok());
            break;
        case Expect::Terminate:
            break;
    }
}

std::string rowName(const testing::TestParamInfo<ManifestRow>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (char c : info.param.path.substr(info.param.path.rfind('/') + 1)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// Without the corpus there are no rows, and nothing to instantiate.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BmpCorpus);
INSTANTIATE_TEST_SUITE_P(Manifest, BmpCorpus, testing::ValuesIn(bmpRows()), rowName);

}  // namespace
}  // namespace vyd
