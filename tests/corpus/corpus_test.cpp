// Every file of the public corpus goes through the program's file reader as its manifest row expects:
// decoded equal to its reference, refused with a message, or at least ended cleanly in bounded time. A reader
// shows its messages as boxes; a refusal leaves an empty 2-color picture.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "support/corpus.h"
#include "support/files.h"
#include "support/image_files.h"

using namespace vyd;
using namespace vydtest;

namespace {

struct Row {
    std::string path, format, facts, expected, reference;
};

// The manifest's rows of one format, by what their first bytes say (a name ending ".gif" counts as GIF), read once.
// A manifest that cannot be read, or lists fewer files of the format than the corpus holds, fails the suite: with
// the corpus present, every row must be read.
const std::vector<Row>& rowsOf(const std::string& format, size_t atLeast) {
    static const std::map<std::string, std::vector<Row>> rows = [] {
        std::map<std::string, std::vector<Row>> byFormat;
        std::ifstream in(corpusDir() + "/MANIFEST.tsv");
        std::string line;
        std::getline(in, line);  // column names
        while (std::getline(in, line)) {
            std::vector<std::string> f;
            std::stringstream split(line);
            for (std::string cell; std::getline(split, cell, '\t');) f.push_back(cell);
            if (f.size() < 7) continue;
            const std::string format = f[0].ends_with(".gif") && f[2] != "jpeg" ? "gif" : f[2];
            byFormat[format].push_back({f[0], f[2], f[4], f[5], f[6]});
        }
        return byFormat;
    }();
    static const std::vector<Row> none;
    const std::vector<Row>& found = rows.contains(format) ? rows.at(format) : none;
    if (found.size() < atLeast) {
        ADD_FAILURE() << corpusDir() << "/MANIFEST.tsv lists " << found.size() << " " << format << " files, "
                      << "the corpus holds " << atLeast << ": it is missing or cut short";
    }
    return found;
}

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

// A reference's colours (0x00RRGGBB, rows from the top): PPM (P6), PAM (P7, alpha dropped), a raw RGB dump of the
// picture's size, or a picture file of the corpus decoded by the same reader. Empty when unreadable.
std::vector<uint32_t> loadReference(const std::string& name, int width, int height) {
    if (name.ends_with(".bmp") || name.ends_with(".gif")) {
        const Reading r = readPicture(corpusDir() + "/" + name);
        if (!r.ok || r.image.width() != width || r.image.height() != height) return {};
        return colorsOf(r.image);
    }
    std::ifstream in(corpusDir() + "/" + name, std::ios::binary);
    std::map<std::string, std::string> header = {{"WIDTH", std::to_string(width)}, {"HEIGHT", std::to_string(height)},
                                                 {"DEPTH", "3"}, {"MAXVAL", "255"}};
    if (!name.ends_with(".rgb")) {
        std::string magic;
        in >> magic;
        if (magic == "P6") in >> header["WIDTH"] >> header["HEIGHT"] >> header["MAXVAL"];
        for (std::string key; magic == "P7" && in >> key && key != "ENDHDR";) in >> header[key];
        if (magic != "P6" && magic != "P7") return {};
        in.get();  // the one white-space byte before the samples
    }
    const int depth = std::stoi(header["DEPTH"]);
    if (header["MAXVAL"] != "255" || depth < 3 || header["WIDTH"] != std::to_string(width) ||
        header["HEIGHT"] != std::to_string(height)) {
        return {};
    }
    std::vector<unsigned char> samples(size_t(width) * height * depth);
    if (!in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size()))) return {};
    if (in.peek() != EOF && name.ends_with(".rgb")) return {};  // a raw dump holds exactly the picture
    std::vector<uint32_t> colors;
    for (size_t i = 0; i < samples.size(); i += depth) colors.push_back((samples[i] << 16) | (samples[i + 1] << 8) | samples[i + 2]);
    return colors;
}

void expectSamePicture(const Image& image, const std::string& reference) {
    const std::vector<uint32_t> want = loadReference(reference, image.width(), image.height());
    ASSERT_FALSE(want.empty()) << "reference " << reference << " unreadable or of another size";
    EXPECT_EQ(firstDifference(colorsOf(image), want, image.width()), "") << "against " << reference;
}

// Peak signal-to-noise ratio over the red, green and blue samples, in dB.
double psnr(const Image& image, const std::string& reference) {
    const std::vector<uint32_t> got = colorsOf(image), want = loadReference(reference, image.width(), image.height());
    if (want.empty()) return -1;
    double squares = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            squares += std::pow(double((got[i] >> shift) & 0xFF) - ((want[i] >> shift) & 0xFF), 2);
        }
    }
    return squares == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 * 3 * got.size() / squares);
}

// A manifest row read within bounded time. Whatever the file: success gives a whole picture; failure says why and
// leaves an empty 2-color picture.
Reading readRow(const Row& row) {
    struct stat st {};
    EXPECT_EQ(stat((corpusDir() + "/" + row.path).c_str(), &st), 0) << "listed in the manifest but missing";
    const auto started = std::chrono::steady_clock::now();
    Reading r = readPicture(corpusDir() + "/" + row.path);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 10.0);
    if (r.ok) {
        EXPECT_TRUE(r.image.hasPixels() && r.image.width() > 0 && r.image.height() > 0);
    } else {
        EXPECT_TRUE(!r.boxes.empty() && !r.image.hasPixels() && r.image.width() == 0 && r.image.mode == kMode2);
    }
    return r;
}

class Corpus : public testing::Test {
protected:
    void SetUp() override { VYD_SKIP_WITHOUT_CORPUS(); }
};

}  // namespace

TEST_F(Corpus, BmpFiles) {
    for (const Row& row : rowsOf("bmp", 682)) {
        SCOPED_TRACE(row.path + ": " + row.expected);
        const Reading r = readRow(row);
        EXPECT_TRUE(!r.ok || r.image.bitCount() == 8 || r.image.bitCount() == 24);
        // Run-length, BITFIELDS, JPEG, PNG ... files are refused as compressed whatever else the row allows,
        // unless the header was already beyond reading (or not that of a plain BMP file).
        const std::string& e = row.expected;
        const bool compressed = contains(row.facts, "comp=") && !contains(row.facts, "comp=RGB");
        const bool match = contains(e, "decode==") || contains(e, "== decode");
        const bool mayRefuse = contains(e, "questionable") || contains(e, "or refuse") || e.starts_with("refuse-with-message or decode");
        if (compressed && (match || e.starts_with("decode OK") || e.starts_with("refuse") || e.starts_with("must refuse"))) {
            EXPECT_FALSE(r.ok);
            if (!r.ok && r.boxes.back().text != "bad file BMP" && r.boxes.back().caption != "this file is no graphics mode that I know of") {
                EXPECT_EQ(r.boxes.back().caption, "this BMP file is compressed: I can't read it");
            }
        } else if (e.starts_with("refuse-with-message or decode") || (match && mayRefuse)) {
            if (r.ok && row.reference != "-") expectSamePicture(r.image, row.reference);
        } else if (e.starts_with("refuse-with-message") || e.starts_with("must refuse")) {
            EXPECT_FALSE(r.ok);
        } else if (e.starts_with("decode OK")) {
            EXPECT_TRUE(r.ok);
        } else if (match) {
            ASSERT_TRUE(r.ok) << r.boxes.back().text << " / " << r.boxes.back().caption;
            expectSamePicture(r.image, row.reference);
        }
    }
}

TEST_F(Corpus, PcxFiles) {
    for (const Row& row : rowsOf("pcx", 19)) {
        SCOPED_TRACE(row.path + ": " + row.expected);
        const Reading r = readRow(row);
        const std::string& want = row.expected;
        if (!r.ok) {
            EXPECT_FALSE(r.boxes.back().text.empty());
            EXPECT_TRUE(contains(want, "refus") || contains(want, "no-crash")) << "refused: " << r.boxes.back().text;
            continue;
        }
        EXPECT_FALSE(contains(want, "must refuse")) << "decoded a file that must be refused";
        if (row.reference != "-") expectSamePicture(r.image, row.reference);
        const std::string indexNote = "pixel(0,0) = header palette index ";
        if (const size_t at = want.find(indexNote); at != std::string::npos) {
            const size_t n = std::stoul(want.substr(at + indexNote.size()));
            const Bytes file = readBytes(corpusDir() + "/" + row.path);
            EXPECT_EQ(pixelColor(r.image, 0, 0, true), makeColor(file[16 + 3 * n], file[17 + 3 * n], file[18 + 3 * n]));
        }
    }
}

TEST_F(Corpus, GifFiles) {
    int matched = 0;
    for (const Row& row : rowsOf("gif", 808)) {
        SCOPED_TRACE(row.path + ": " + row.expected);
        const Reading r = readRow(row);
        if (r.ok) {
            EXPECT_EQ(r.image.mode, kMode256);
            EXPECT_LE(r.boxes.size(), 1u);  // at most the count of images
        } else if (row.format == "gif" && !r.boxes.back().text.starts_with("this file holds far too little")) {
            ASSERT_EQ(r.boxes.size(), 2u);  // a picture beyond its data is told once, under the file's name
            EXPECT_FALSE(r.boxes[0].text.empty());
            EXPECT_EQ(r.boxes[0].caption, "error in reading a .GIF file");
        }
        const std::string& e = row.expected;
        EXPECT_FALSE(contains(e, "must refuse") && !contains(e, "or be bounded") && r.ok);
        const bool mustDecode = contains(e, "decode==") || contains(e, "decode OK") ||
                                (contains(e, "decode first image OK") && contains(row.facts, " ok "));
        EXPECT_FALSE(mustDecode && !contains(e, "refuse") && !r.ok);
        if (!r.ok || row.reference == "-") continue;
        if ((contains(e, "decode==ref exact") && row.reference.ends_with(".rgb")) || row.reference.ends_with(".gif")) {
            expectSamePicture(r.image, row.reference);
            ++matched;
        } else if (contains(e, "composite")) {
            // The reference lays all frames over each other; the first image has the screen's size.
            EXPECT_EQ(readBytes(corpusDir() + "/" + row.reference).size(), size_t(r.image.width()) * r.image.height() * 3);
        }
    }
    EXPECT_GE(matched, 7);
}

TEST_F(Corpus, JpegFiles) {
    // Crash reproducers of processes an 8-bit decoder does not handle (12-bit, lossless) come back as
    // refusals; arithmetic coding, which it handles, as a picture without remarks.
    const std::map<std::string, bool> decodes = {
        {"libjpeg-turbo/testimages/monkey12.jpg", false},
        {"ljt-seed-corpora/bugs/decompress/github_669/poc2.jpg", false},
        {"ljt-seed-corpora/bugs/decompress/github_670/poc3min.jpg", false},
        {"ljt-seed-corpora/bugs/decompress/lossless/random10_100x91_lossless_psv1_pt0.jpg", false},
        {"ljt-seed-corpora/bugs/decompress/LJPGT-PT-23-01/test1.jpg", false},
        {"libjpeg-turbo/testimages/testimgari.jpg", true},
    };
    size_t named = 0;
    for (const Row& row : rowsOf("jpeg", 3336)) {
        SCOPED_TRACE(row.path + ": " + row.expected);
        const Reading r = readRow(row);
        const std::string& e = row.expected;
        if (const auto it = decodes.find(row.path); it != decodes.end()) {
            ++named;
            EXPECT_EQ(r.ok, it->second);
            EXPECT_TRUE(!r.ok || r.boxes.empty());
        }
        if (e.starts_with("decode ~= ref")) {
            ASSERT_TRUE(r.ok);
            EXPECT_GT(psnr(r.image, row.reference), 40);
        } else if (e.starts_with("decode OK")) {
            EXPECT_TRUE(r.ok);
        } else if (e.starts_with("12-bit") || contains(e, "must refuse")) {
            EXPECT_FALSE(r.ok);
        }
        if (r.ok) {
            EXPECT_LE(r.boxes.size(), 1u);  // at most the warning about damage
            EXPECT_EQ(r.image.mode, kModeTrue24);
            EXPECT_GE(r.image.pixels.size(), r.image.pixelBytes() + 1024);
        } else {
            ASSERT_EQ(r.boxes.size(), 1u);
            EXPECT_EQ(r.boxes[0].text, corpusDir() + "/" + row.path);
            EXPECT_EQ(r.boxes[0].caption, "I can't read this JPEG file");
        }
    }
    EXPECT_EQ(named, decodes.size());
}
