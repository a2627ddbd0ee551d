// Growable buffers: capacity rule, resizing and string helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/grow_buffer.h"

TEST(GrowBuffer, CapacityFollowsTheGrowthRule) {
  EXPECT_EQ(GrowCapacity(0, 128), 0);
  EXPECT_EQ(GrowCapacity(10, 128), 138);      // s + granularity
  EXPECT_EQ(GrowCapacity(1000, 128), 1500);   // s + s / 2
  // Arrays: step = 4096 for small sizes, capacity ends 96 bytes before a page.
  EXPECT_EQ(GrowCapacity(100, 4096), 4000);
  EXPECT_EQ(GrowCapacity(4000, 4096), 8096);
  // Large arrays grow by at most 4 MiB.
  int32_t big = 64 * 1024 * 1024;
  EXPECT_EQ(GrowCapacity(big, 4096), big + 4194304 - 96 + 0 * 1);
}

TEST(GrowBuffer, ResizeKeepsDataAndShrinksOnlyOnRequest) {
  GrowBuffer b(kStringGranularity);
  ASSERT_TRUE(ResizeBuffer(&b, 5));
  std::memcpy(b.data, "hello", 5);
  int32_t cap = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, 3));
  EXPECT_EQ(b.capacity, cap);
  EXPECT_EQ(std::string(b.data, 3), "hel");
  ASSERT_TRUE(ResizeBuffer(&b, 2000));
  EXPECT_EQ(std::string(b.data, 3), "hel");
  int32_t grown = b.capacity;
  ASSERT_TRUE(ResizeBuffer(&b, 10, true));
  EXPECT_LT(b.capacity, grown);
  EXPECT_EQ(std::string(b.data, 3), "hel");
  ASSERT_TRUE(ResizeBuffer(&b, -4));
  EXPECT_EQ(b.size, 0);
}

TEST(GrowBuffer, StringHelpers) {
  GrowString s;
  EXPECT_STREQ(StringData(s), "");
  EXPECT_EQ(StringLength(s), 0);
  ASSERT_TRUE(SetString(&s, "abcdef"));
  EXPECT_EQ(StringLength(s), 6);
  EXPECT_EQ(s.size, 7);
  GrowString moved = std::move(s);
  EXPECT_STREQ(StringData(moved), "abcdef");
  EXPECT_EQ(s.data, nullptr);
}
