// What every refused read must leave: the error and its detail, no warnings, and the empty 2-color picture.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "formats/codec.h"

namespace vydtest {

inline void expectRefusal(const vyd::Decoded& result, vyd::CodecError error, int64_t first = 0, int64_t second = 0) {
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, error);
    EXPECT_EQ(result.failure->detail.first, first);
    EXPECT_EQ(result.failure->detail.second, second);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_FALSE(result.picture.hasPixels());
    EXPECT_EQ(std::pair(result.picture.width(), result.picture.height()), std::pair(0, 0));
    EXPECT_EQ(result.picture.mode, vyd::kMode2);
    EXPECT_EQ(result.picture.bitCount(), 1);
}

}  // namespace vydtest
