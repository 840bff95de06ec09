// Every PCX file of the public corpus: decoded pictures equal their references, files to refuse are refused
// with a message, and nothing else may crash or claim success with a broken picture.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "formats/codec_messages.h"
#include "formats/pcx.h"
#include "pcx_test_util.h"
#include "support/corpus.h"

namespace vyd {
namespace {

struct CorpusRow {
    std::string path, expectation, reference;
};

std::vector<CorpusRow> pcxRows() {
    std::vector<CorpusRow> rows;
    std::ifstream manifest(vydtest::corpusDir() + "/MANIFEST.tsv");
    std::string line;
    std::getline(manifest, line);  // column names
    while (std::getline(manifest, line)) {
        std::vector<std::string> cells;
        std::stringstream cellStream(line);
        for (std::string cell; std::getline(cellStream, cell, '\t');) cells.push_back(cell);
        if (cells.size() >= 7 && cells[2] == "pcx") rows.push_back({cells[0], cells[5], cells[6]});
    }
    return rows;
}

class PcxCorpus : public ::testing::TestWithParam<CorpusRow> {};

TEST_P(PcxCorpus, DecodesAsTheManifestExpects) {
    const CorpusRow& row = GetParam();
    const std::string corpus = vydtest::corpusDir();
    const pcxtest::Bytes bytes = pcxtest::readBytes(corpus + "/" + row.path);
    ASSERT_FALSE(bytes.empty()) << row.path;
    const Decoded result = decodePcx(bytes, ModeSettings{});
    const Image& image = result.picture;
    const std::string& want = row.expectation;
    SCOPED_TRACE(row.path + ": " + want);

    if (!result.ok()) {
        // Every refusal says why, and leaves nothing half read.
        EXPECT_FALSE(codecText(*result.failure).empty());
        EXPECT_FALSE(image.hasPixels());
        const bool refusalAllowed = want.find("refus") != std::string::npos || want.find("no-crash") != std::string::npos;
        EXPECT_TRUE(refusalAllowed) << "refused with \"" << codecText(*result.failure) << "\"";
        return;
    }
    EXPECT_EQ(want.find("must refuse"), std::string::npos) << "decoded a file that must be refused";
    ASSERT_TRUE(image.hasPixels());
    if (row.reference != "-") {
        auto reference = pcxtest::readPpm(corpus + "/" + row.reference);
        ASSERT_TRUE(reference) << row.reference;
        EXPECT_EQ(pcxtest::firstDifference(pcxtest::shownColors(image), *reference), "");
    }
    const std::string indexNote = "pixel(0,0) = header palette index ";
    if (const size_t at = want.find(indexNote); at != std::string::npos) {
        const int n = std::stoi(want.substr(at + indexNote.size()));
        const Color shown = pixelColor(image, 0, 0, true);
        EXPECT_EQ(shown, makeColor(bytes[16 + 3 * n], bytes[17 + 3 * n], bytes[18 + 3 * n]));
    }
}

// Without the corpus there are no rows, and nothing to instantiate.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PcxCorpus);
INSTANTIATE_TEST_SUITE_P(Manifest, PcxCorpus, ::testing::ValuesIn(pcxRows()),
                         [](const ::testing::TestParamInfo<CorpusRow>& info) {
                             std::string name = std::to_string(info.index) + "_" + info.param.path;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(PcxCorpusManifest, ListsThePcxFiles) {
    VYD_SKIP_WITHOUT_CORPUS();
    EXPECT_GE(pcxRows().size(), 15u);
}

}  // namespace
}  // namespace vyd
