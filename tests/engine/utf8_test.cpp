#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf8, CutKeepsWholeCharacters) {
  EXPECT_EQ(CutUtf8("abc", 5), "abc");
  EXPECT_EQ(CutUtf8("abcdef", 4), "abcd");
  EXPECT_EQ(CutUtf8("ab\xE2\x82\xAC", 4), "ab");  // the euro sign would be split
  EXPECT_EQ(CutUtf8("ab\xE2\x82\xAC", 5), "ab\xE2\x82\xAC");
  EXPECT_EQ(CutUtf8("a\xC3\xA9", 2), "a");
}

}  // namespace
