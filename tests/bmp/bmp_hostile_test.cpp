// BMP headers claiming pictures far larger than the rows their files hold.
#include <gtest/gtest.h>

#include "formats/bmp.h"
#include "support/codec_checks.h"
#include "support/files.h"

using namespace vyd;
using namespace vydtest;

namespace {

TEST(BmpFloor, TinyFileClaimingHugePictureIsRefused) {
    // 3000 x 3000 at 8 bits: 3000-byte rows; refused below half the rows, a started row counting as held.
    struct Case { BmpLayout layout; bool reads; };
    const Case cases[] = {
        {{.width = 32764, .height = 32767, .bits = 8, .palette = std::vector<uint32_t>(256)}, false},  // 1,078 bytes
        {{.width = 8191, .height = 32767, .bits = 32}, false},                                          // 54 bytes
        {{.width = 3000, .height = 3000, .bits = 8, .rows = Bytes(1200 * 3000, 1)}, false},
        {{.width = 3000, .height = 3000, .bits = 8, .rows = Bytes(1499 * 3000, 1)}, false},
        {{.width = 3000, .height = 3000, .bits = 8, .rows = Bytes(1499 * 3000 + 1, 1)}, true},
        {{.width = 3000, .height = -3000, .bits = 8, .rows = Bytes(1800 * 3000, 1)}, true},
        {{.width = 2000, .height = 2000}, true},  // 4 million pixels: read whatever the file holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layout.width << " x " << c.layout.height << ", " << c.layout.rows.size());
        const Decoded r = decodeBmp(makeBmp(c.layout), ModeSettings{});
        const int height = std::abs(c.layout.height);
        if (!c.reads) {
            expectRefusal(r, CodecError::BeyondData, c.layout.width, height);
            continue;
        }
        ASSERT_TRUE(r.ok());
        // What the rows hold comes first in the file; what they do not reach is cleared.
        const size_t held = c.layout.rows.size() ? 1 : 0;
        EXPECT_EQ(rowOf(r.picture, c.layout.height < 0 ? 0 : height - 1, 1)[0], held);
        EXPECT_EQ(rowOf(r.picture, c.layout.height < 0 ? height - 1 : 0, 1)[0], 0);
    }
}

}  // namespace
