// Slide lists, composition files and movies made at random of hostile pieces (binary bytes, long lines, empty
// loops, self-naming lists, wild numbers, odd names, missing pictures) end cleanly under every key and command.
#include <gtest/gtest.h>

#include <random>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

const char* const kListLines[] = {"", "*LOOP", "a.bmp#", "a caption", "\t  ", ".", "..", "sub", "sub/b0001.bmp",
                                  "missing.bmp", "bad.bmp", "c.vyd", "s.sli", "/", "*LOOP#", "#"};
const char* const kCompositionLines[] = {
    "  3 1 2 3 4 5 00ff00ff /a.bmp", "16 /a.bmp", "-1 /a.bmp", "x /a.bmp", "1 /", "5 0 0 0 0 0 0 /<clipboard>",
    "2 nan inf 1e308 -1e308 1e400 ffffffffffff /a.bmp", "0 -0 0 0 0 0 -1 /sub/../a.bmp", "7", "65539 /a.bmp",
    "4 1/2 /bad.bmp", "6 0 0 1 1 0 0 /missing.bmp", "9 9 9 /c.vyd", "1 0 0 1 1 90 0 /sub/b0001.bmp"};

std::string randomText(std::minstd_rand& random, const char* const* pieces, size_t count) {
    const auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
    std::string text;
    for (int line = static_cast<int>(below(12)); line > 0; --line) {
        switch (below(10)) {
            case 0: text += std::string(3000 + below(3000), "a/#"[below(3)]); break;
            case 1: for (int i = 0; i < 40; ++i) text += static_cast<char>(random()); break;
            default: text += pieces[below(count)]; break;
        }
        text += below(6) == 0 ? "\r\n" : "\n";
    }
    if (!text.empty() && below(2)) text.pop_back();  // sometimes no line end after the last line
    return text;
}

TEST(SequenceFuzz, HostileListsCompositionsAndMoviesEndCleanly) {
    const char* const kSteps[] = {"key RIGHT", "key RIGHT", "key LEFT", "key OEM_3", "key OEM_PERIOD", "key OEM_2",
                                  "choose \"$D/c.vyd\"\nmenu 1317", "choose \"$D/s.sli\"\nmenu 1358",
                                  "choose \"$D/out.vyd\"\nmenu 1318", "choose \"$D/log.sli\"\nmenu 1359", "menu 1360",
                                  "choose \"$D/sub/b0001.bmp\"\nmenu 1365", "choose \"$D/c.vyd\"\nmenu 1365",
                                  "choose \"$D/sub/b0001.bmp\"\nchoose \"$D/copy0001.bmp\"\nmenu 1366",
                                  "drop \"$D/c.vyd\"", "drop \"$D/s.sli\"", "menu 1329"};
    for (unsigned seed = 1; seed <= 30; ++seed) {
        ScratchDir dir;
        const std::string folder = (dir / "").substr(0, (dir / "").size() - 1);
        std::minstd_rand random(seed);
        std::filesystem::create_directories(dir / "sub");
        writeBytes(dir / "a.bmp", flat24(3, 2, 0x336699));
        writeBytes(dir / "bad.bmp", Bytes{'B', 'M', 1, 2, 3});
        for (int frame = 1; frame <= 3; ++frame) writeBytes(dir / ("sub/b000" + std::to_string(frame) + ".bmp"), flat24(frame, 1, 0xFF));
        const std::string list = randomText(random, kListLines, std::size(kListLines));
        const std::string composition = randomText(random, kCompositionLines, std::size(kCompositionLines));
        writeBytes(dir / "s.sli", Bytes(list.begin(), list.end()));
        writeBytes(dir / "c.vyd", Bytes(composition.begin(), composition.end()));
        std::string s = "drop \"$D/s.sli\"\n";
        for (int step = 0; step < 40; ++step) {
            s += "dialog accept 11=cap\n" + std::string(kSteps[random() % std::size(kSteps)]) + "\n";
        }
        const Outcome o = script(withDir(s, folder));
        ASSERT_EQ(o.status, 0) << "seed " << seed << ": " << o.err;
    }
}

}  // namespace
