// Growable buffers: the capacity rule as properties, and resizing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/grow_buffer.h"

TEST(GrowBuffer, CapacityRule) {
  EXPECT_EQ(GrowCapacity(0, 128), 0);
  for (int32_t s : {1, 10, 255, 256, 257, 1000, 4000, 5000, 100000, 9000000, 64 << 20}) {
    // Strings: half the size again, at least the granularity.
    EXPECT_EQ(GrowCapacity(s, 128), s + std::max(s / 2, 128)) << s;
    // Arrays: 96 bytes short of a page, grown by about half the size, at
    // least about a page and at most 4 MiB.
    int32_t c = GrowCapacity(s, 4096);
    int32_t step = std::min(std::max(s / 2, 4096), 4194304);
    EXPECT_EQ((c + 96) % 4096, 0) << s;
    EXPECT_GT(c - s, step - 4096) << s;
    EXPECT_LE(c - s, step) << s;
  }
  EXPECT_EQ(GrowCapacity(INT32_MAX - 5, 128), INT32_MAX);
}

TEST(GrowBuffer, ResizeKeepsDataAndShrinksOnlyOnRequest) {
  GrowBuffer b(kStringGranularity);
  ASSERT_TRUE(ResizeBuffer(&b, 5));
  std::memcpy(b.data, "hello", 5);
  int32_t cap = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, 3));
  EXPECT_EQ(b.capacity, cap);
  ASSERT_TRUE(ResizeBuffer(&b, 2000));
  EXPECT_EQ(std::string(b.data, 3), "hel");
  int32_t grown = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, 1500, true));  // above half: kept
  EXPECT_EQ(b.capacity, grown);
  ASSERT_TRUE(ResizeBuffer(&b, 10, true));
  EXPECT_LT(b.capacity, grown);
  EXPECT_EQ(std::string(b.data, 3), "hel");
  // A small buffer shrinks only below four grains under its capacity.
  ASSERT_TRUE(ResizeBuffer(&b, 600));
  int32_t small = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, small - 4 * kStringGranularity, true));
  EXPECT_EQ(b.capacity, small);
  ASSERT_TRUE(ResizeBuffer(&b, small - 4 * kStringGranularity - 1, true));
  EXPECT_LT(b.capacity, small);
  ASSERT_TRUE(ResizeBuffer(&b, 0, true));  // shrunk to nothing: freed
  EXPECT_EQ(b.capacity, 0);
  EXPECT_EQ(b.data, nullptr);
  ASSERT_TRUE(ResizeBuffer(&b, -4));
  EXPECT_EQ(b.size, 0);
}
