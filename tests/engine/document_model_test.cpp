// The text primitives under the editing commands: splices with clamped
// positions, and closing the typing gap.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/editing.h"
#include "engine/text_splice.h"
#include "tests/support/engine_test_document.h"

TEST(TextSplice, ReplacesBytesWithPositionsClampedToTheText) {
  auto doc = MakeTestDocument("abcdef");
  CloseGapAtCaret(doc.get());
  struct Step {
    int32_t at, remove;
    const char* bytes;
    const char* after;
  } steps[] = {
      {3, 0, "XY", "abcXYdef"}, {99, 0, "!", "abcXYdef!"},   // clamped to the end
      {1, 3, "", "aYdef!"},     {4, 100, "", "aYde"},        // cut at the end
      {4, 1, "", "aYde"},       {-1, 1, "\n", "\nYde"},      // start clamped to 0
      {0, -3, "Z", "Z\nYde"},   {2, 2, "ab", "Z\nabe"},      // same size, in place
  };
  for (const Step& s : steps) {
    ASSERT_TRUE(SpliceText(doc.get(), s.at, s.remove, s.bytes,
                           static_cast<int32_t>(std::strlen(s.bytes))));
    EXPECT_EQ(Content(*doc), s.after);
    EXPECT_TRUE(LinesMatchText(*doc)) << "the line entries kept in step";
    RefreshLines(doc.get());
    std::string why;
    EXPECT_TRUE(CheckInvariants(*doc, &why)) << s.after << ": " << why;
  }
  EXPECT_EQ(doc->lines.Count(), 2);
}

TEST(TypingGap, CloseGapMovesOnlyOffsetsPastTheGap) {
  auto doc = MakeTestDocument("0123456789");
  // Gap at 0 with 24 free bytes; an offset past the gap end moves back.
  EXPECT_EQ(CloseGap(doc.get(), 30), 6);
  EXPECT_TRUE(doc->gap.gap_closed);
  EXPECT_EQ(CloseGap(doc.get(), 30), 30);  // already closed: unchanged
  OpenGap(doc.get(), 4);
  EXPECT_EQ(CloseGap(doc.get(), 28), 28);  // at the gap end: kept
  EXPECT_EQ(std::string(StringData(doc->text)), "0123456789");
}
