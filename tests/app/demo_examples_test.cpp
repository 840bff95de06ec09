// The demo in examples/: its slide list steps through the pictures to its composition file, which places all
// five pictures with their transparent colours.
#include <gtest/gtest.h>

#include "support/run.h"

using namespace vydtest;

TEST(DemoExamples, SlideListEndsWithTheWholeComposition) {
    const Outcome o = script("drop \"" VYD_SOURCE_DIR "/examples/demo.sli\"\nkey RIGHT\nkey RIGHT\nkey RIGHT\nkey RIGHT\n"
                             "print state\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_FALSE(has(o.out, "messagebox")) << o.out;
    for (const char* level : {"level 0 altered=0 name=\"background.bmp\" mode=24 bpp=24 size=240x160 origin=0,0",
                              "level 1 altered=0 name=\"sun.bmp\" mode=4", "level 2 altered=0 name=\"house.bmp\" mode=4",
                              "level 3 altered=0 name=\"tree.bmp\" mode=1", "level 4 altered=0 name=\"cloud.bmp\" mode=8",
                              "left=00ff00ff", "left=00ffffff", "left=00000000"}) {
        EXPECT_TRUE(has(o.out, level)) << level << " in\n" << o.out;
    }
}
