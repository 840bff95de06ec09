// Every GIF of the public corpus: decodes equal to their references, refusals come with the message, and the
// rest end cleanly in bounded time.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "formats/codec_messages.h"
#include "formats/gif.h"
#include "gif/gif_test_util.h"
#include "support/corpus.h"

using namespace vyd;
using namespace giftest;

namespace {

struct Row {
    std::string path, format, facts, expected, reference;
};

std::vector<Row> gifRows() {
    std::vector<Row> rows;
    std::ifstream in(vydtest::corpusDir() + "/MANIFEST.tsv");
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, '\t')) f.push_back(field);
        if (f.size() < 7) continue;
        bool gifName = f[0].size() > 4 && f[0].compare(f[0].size() - 4, 4, ".gif") == 0;
        if (f[2] == "gif" || gifName) rows.push_back({f[0], f[2], f[4], f[5], f[6]});
    }
    return rows;
}

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

TEST(GifCorpus, EveryRowOfTheManifest) {
    VYD_SKIP_WITHOUT_CORPUS();
    auto rows = gifRows();
    ASSERT_GT(rows.size(), 100u) << "corpus manifest not found under " << vydtest::corpusDir();
    int matched = 0, decoded = 0, refused = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const std::string path = vydtest::corpusDir() + "/" + row.path;
        auto bytes = readFile(path);
        auto started = std::chrono::steady_clock::now();
        const Decoded r = decodeGif(bytes, {});
        const Image& image = r.picture;
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_LT(seconds, 10.0);

        if (r.ok()) {
            ++decoded;
            ASSERT_TRUE(image.hasPixels());
            EXPECT_EQ(image.mode, kMode256);
            EXPECT_LE(r.warnings.size(), 1u);  // at most the count of images
        } else {
            ++refused;
            const std::vector<CodecBox> boxes = codecBoxes(*r.failure, row.path);
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_FALSE(boxes[0].text.empty());
            EXPECT_EQ(boxes[0].caption, "error in reading a .GIF file");
            EXPECT_FALSE(image.hasPixels());
        }

        const bool mustDecode = contains(row.expected, "decode==") || contains(row.expected, "decode OK") ||
                                (contains(row.expected, "decode first image OK") && contains(row.facts, " ok "));
        if (contains(row.expected, "must refuse") && !contains(row.expected, "or be bounded")) {
            EXPECT_FALSE(r.ok()) << row.expected;
        }
        if (mustDecode && !contains(row.expected, "refuse")) {
            EXPECT_TRUE(r.ok()) << row.expected << ": " << (r.ok() ? "" : codecText(*r.failure));
        }
        if (!r.ok() || row.reference == "-") continue;

        if (contains(row.expected, "decode==ref exact") && contains(row.reference, ".rgb")) {
            auto reference = readFile(vydtest::corpusDir() + "/" + row.reference);
            ASSERT_EQ(reference.size(), static_cast<size_t>(image.width()) * image.height() * 3);
            auto rgb = rgbOf(image);
            size_t firstDifference = 0;
            while (firstDifference < rgb.size() && rgb[firstDifference] == reference[firstDifference]) ++firstDifference;
            EXPECT_EQ(firstDifference, rgb.size()) << "first difference at pixel (" << firstDifference / 3 % image.width()
                                                   << ", " << firstDifference / 3 / image.width() << ")";
            ++matched;
        } else if (contains(row.reference, ".gif")) {
            // Another GIF holding the same picture.
            const Decoded other = decodeGif(readFile(vydtest::corpusDir() + "/" + row.reference), {});
            ASSERT_TRUE(other.ok());
            EXPECT_EQ(rgbOf(image), rgbOf(other.picture));
            ++matched;
        } else if (contains(row.expected, "composite")) {
            // The reference shows all frames laid over each other; the first image has the screen's size.
            auto reference = readFile(vydtest::corpusDir() + "/" + row.reference);
            EXPECT_EQ(reference.size(), static_cast<size_t>(image.width()) * image.height() * 3);
        }
    }
    EXPECT_GE(matched, 7);
    std::printf("GIF corpus: %zu files, %d decoded (%d against references), %d refused\n", rows.size(), decoded,
                matched, refused);
}
