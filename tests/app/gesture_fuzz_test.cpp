// Random keys, clicks, drags, Editing, page and clipboard commands over small pictures, at and beyond their
// edges: each is answered without a crash, a hang or an access outside a picture (the sanitizer build runs it).
#include <gtest/gtest.h>

#include <random>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

const char* const kKeys[] = {"F",     "U",      "B",     "V",    "1",      "2",    "0",   "ESCAPE", "F2",  "F3",  "E",
                             "LEFT",  "UP",     "RIGHT", "DOWN", "R",      "S",    "A",   "Z",      "D",   "SHIFT",
                             "CONTROL", "MENU", "P",     "F5",   "F8",     "F9",   "F10", "F11",    "L",   "PRIOR",
                             "NEXT",  "HOME",   "END",   "INSERT", "DELETE", "TAB", "SPACE", "K",    "H",   "C", "T", "F12"};

// Every Editing command that changes pixels, edge marking, the pages (whose keys and drags then reach the
// level list until Escape) and the clipboard commands.
const int kCommands[] = {1620, 1621, 1622, 1623, 1316, 1288, 1347, 1352, 1353, 1354, 1361, 1362, 1285, 1286, 1287,
                         1348, 1349, 1350, 1355, 1364, 1367, 1315, 1308, 1282, 1305, 1310, 1311, 1309, 1302, 1303,
                         1281};

std::string randomGestures(std::minstd_rand& random, const std::string& dir) {
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto point = [&] { return std::to_string(below(18) - 3) + " " + std::to_string(below(13) - 3); };
    const auto key = [&] { return std::string(kKeys[below(int(std::size(kKeys)))]); };
    static const char* const kPictures[] = {"true.bmp", "indexed.bmp", "dot.bmp", "column.bmp", "row.bmp", "two.bmp"};
    std::string s;
    for (int level : {0, 1 + below(15)})
        s += "menu " + std::to_string(1328 + level) + "\ndrop \"" + dir + "/" + kPictures[below(int(std::size(kPictures)))] + "\"\n";
    for (int step = 0; step < 120; ++step) {
        // Whatever box, chooser or dialog a gesture opens finds an answer waiting.
        s += "colour 102030\nchoose \"" + dir + "/c.pal\"\ndialog accept 4=" + std::to_string(below(7)) +
             " 11=50\nanswer " + (below(2) ? "yes" : "no") + "\n";
        const int kind = below(12);
        if (kind < 3) {
            const std::string k = key();
            s += "keydown " + k + (below(4) == 0 ? " repeat" : "") + "\nkeyup " + k + "\n";
        } else if (kind < 9) {  // up to two keys held for a click or drag, let go after it
            std::string up;
            for (int held = below(3); held > 0; --held) {
                const std::string k = key();
                s += "keydown " + k + "\n";
                up += "keyup " + k + "\n";
            }
            const std::string button = std::vector<std::string>{"left", "middle", "right"}[below(3)];
            s += "press " + button + " " + point() + "\n";
            for (int moves = below(4); moves > 0; --moves) s += "move " + point() + "\n";
            s += "release " + button + " 0 0\n" + up;
        } else if (kind < 10) {
            s += "menu " + std::to_string(1328 + below(16)) + "\n";
        } else {
            s += "menu " + std::to_string(kCommands[below(int(std::size(kCommands)))]) + "\n";
        }
    }
    return s;
}

TEST(GestureFuzz, RandomGesturesOnSmallPicturesEndCleanly) {
    ScratchDir dir;
    const std::string folder = (dir / "").substr(0, (dir / "").size() - 1);
    writeBytes(dir / "true.bmp", bmpFile(24, 9, 5, std::vector<uint32_t>(45, 0x336699)));
    writeBytes(dir / "indexed.bmp", bmpFile(8, 6, 4, std::vector<uint32_t>(24, 3)));
    writeBytes(dir / "dot.bmp", flat24(1, 1, 0xFFFFFF));
    writeBytes(dir / "column.bmp", flat24(1, 7, 0x808080));
    writeBytes(dir / "row.bmp", bmpFile(8, 7, 1, std::vector<uint32_t>(7, 15)));
    writeBytes(dir / "two.bmp", bmpFile(1, 5, 3, {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::minstd_rand random(seed);
        const Outcome o = script(randomGestures(random, folder));
        ASSERT_EQ(o.status, 0) << "seed " << seed << ": " << o.err;
    }
}

}  // namespace
