// Random held keys, clicks and drags over small pictures of every kind, at and beyond their edges: the
// program must answer every one without a crash, a hang or an access outside a picture (the sanitizer build
// runs this too).
#include <gtest/gtest.h>

#include <cstdint>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    int below(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(n));
    }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

private:
    uint32_t state_;
};

const char* const kKeys[] = {"F",     "U",  "B",  "V",  "1",  "2",   "0",      "ESCAPE", "F2",   "F3",  "E",
                             "LEFT",  "UP", "RIGHT", "DOWN", "R", "S", "A", "Z", "D", "SHIFT", "CONTROL",
                             "MENU",  "P",  "F5", "F8", "F9", "F10", "F11", "L", "PRIOR", "NEXT", "HOME",
                             "END", "INSERT", "DELETE", "TAB", "SPACE", "K", "H", "C", "T", "F12"};
const char* const kButtons[] = {"left", "middle", "right"};

std::string randomGestures(Random& r, const std::string& dir) {
    static const char* const kPictures[] = {"true.bmp", "indexed.bmp", "dot.bmp"};
    std::string s;
    for (int level : {0, r.between(1, 15)}) {
        s += "menu " + std::to_string(1328 + level) + "\ndrop \"" + dir + "/" + kPictures[r.below(3)] + "\"\n";
    }
    // Whatever box, chooser or dialog a gesture opens finds an answer waiting.
    const std::string answers = "colour 102030\nchoose \"" + dir + "/c.pal\"\ndialog accept 4=" +
                                std::to_string(r.below(7)) + " 11=50\nanswer ok\n";
    for (int step = 0; step < 120; ++step) {
        const int kind = r.below(10);
        s += answers;
        if (kind < 3) {
            const std::string key = kKeys[r.below(int(std::size(kKeys)))];
            s += "keydown " + key + (r.below(4) == 0 ? " repeat" : "") + "\nkeyup " + key + "\n";
        } else if (kind < 9) {
            // Up to two keys held for the click or drag, let go after it.
            std::string up;
            for (int held = r.below(3); held > 0; --held) {
                const std::string key = kKeys[r.below(int(std::size(kKeys)))];
                s += "keydown " + key + "\n";
                up += "keyup " + key + "\n";
            }
            const std::string button = kButtons[r.below(3)];
            s += "press " + button + " " + std::to_string(r.between(-3, 14)) + " " + std::to_string(r.between(-3, 9)) + "\n";
            for (int moves = r.below(4); moves > 0; --moves)
                s += "move " + std::to_string(r.between(-3, 14)) + " " + std::to_string(r.between(-3, 9)) + "\n";
            s += "release " + button + " 0 0\n" + up;
        } else {
            s += "menu " + std::to_string(1328 + r.below(16)) + "\n";
        }
    }
    return s;
}

TEST(GestureFuzz, RandomGesturesOnSmallPicturesEndCleanly) {
    ScratchDir dir;
    const std::string d = dir / "";
    const std::string folder = d.substr(0, d.size() - 1);
    writeBytes(dir / "true.bmp", bmpFile(24, 9, 5, std::vector<uint32_t>(45, 0x336699)));
    writeBytes(dir / "indexed.bmp", bmpFile(8, 6, 4, std::vector<uint32_t>(24, 3)));
    writeBytes(dir / "dot.bmp", flat24(1, 1, 0xFFFFFF));
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Random r(seed);
        const Outcome o = script(randomGestures(r, folder));
        ASSERT_EQ(o.status, 0) << "seed " << seed << ": " << o.err;
    }
}

}  // namespace
