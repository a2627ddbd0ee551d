// Find, F3, Shift+F3 and replace-all.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cctype>
#include <random>

#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "tests/support/memory_clipboard.h"
#include "tests/support/engine_random_ops.h"
#include "tests/support/engine_test_document.h"

namespace {

bool FindNew(Document* doc, const std::string& what, bool match_case = true, bool whole_word = true) {
  return Find(doc, what, match_case, whole_word, true, false);
}

int64_t PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

// Shift+F3 reads long texts in 64 KiB windows: a lone match on either side
// of a window's edge, found by the second press. (Wrapping in two presses
// over short texts is checked by the reference model's seeded sequences.)
TEST(Search, FindNextAndPreviousWrapInTwoPresses) {
  for (int32_t back : {65532, 65533, 65534, 131068, 131069, 131070}) {
    std::string text(200000, 'x');
    text.replace(text.size() - 2 - back, 2, "ab");
    auto doc = MakeTestDocument(text);
    EXPECT_TRUE(FindNew(doc.get(), "ab", true, false));
    EXPECT_TRUE(!FindPrevious(doc.get()) && FindPrevious(doc.get())) << back;
    EXPECT_EQ(doc->caret, text.size() - 2 - back);
  }
}

// Over small periodic texts of a tiny alphabet, with needles cut from them
// and often one byte changed (so that many offsets agree for long, then
// fail), a scan finds what a plain test at each offset finds, stepping as
// Shift+F3 (one past a match) and replace-all (past it) do, and its work
// stays linear: where the filter and compares cost too much, the linear
// matcher takes over.
TEST(Search, ScansFindWhatAPlainTestFindsInLinearWork) {
  std::mt19937 rng(25);
  auto pick = [&rng](size_t bound) {
    return std::uniform_int_distribution<size_t>(0, bound - 1)(rng);
  };
  int linear = 0;
  ModelDoc m;
  for (int round = 0; round < 4000; ++round) {
    std::string unit;
    for (size_t i = 1 + pick(4); i > 0; --i) unit += "aAb \n"[pick(5)];
    for (m.text.clear(); m.text.size() < 40u + round % 300;)
      m.text += pick(30) ? unit : std::string(1, "ab Zz@[`{"[pick(9)]);  // and the letters' edges
    m.find_text = m.text.substr(pick(m.text.size() / 2), 1 + pick(60));
    if (pick(2)) m.find_text[pick(m.find_text.size())] ^= pick(2) ? 0x20 : 0x03;
    m.match_case = pick(2), m.whole_word = pick(3) == 0;
    const int32_t n = static_cast<int32_t>(m.find_text.size());
    for (int32_t step : {1, n}) {
      std::vector<int32_t> want, got;
      for (int32_t p = 0; p <= m.Length(); ++p)
        if (m.MatchAt(p) && (want.empty() || p >= want.back() + step)) want.push_back(p);
      SearchPlan plan = PlanSearch(m.text.data(), m.Length(), m.find_text.data(), n,
                                   m.match_case, m.whole_word);
      MatchScan scan = StartMatchScan(&plan, m.text.data(), m.Length(), 0, m.Length());
      for (int32_t p = NextMatch(&scan, 0); p >= 0; p = NextMatch(&scan, p + step)) got.push_back(p);
      ASSERT_EQ(got, want) << m.text << " | " << m.find_text << " step " << step;
      EXPECT_LE(scan.work, 8 * (m.Length() + n) + 32) << m.text << " | " << m.find_text;
      linear += scan.linear;
    }
  }
  EXPECT_GT(linear, 200) << "the linear matcher ran too seldom to be tested";
}

TEST(Search, ReplaceAllAndPasteRefuseATooLargeResultAndSaySo) {
  // 1 MiB of matches, each becoming 1,025 bytes: just over 1 GiB.
  auto doc = MakeTestDocument(std::string(1 << 20, 'a'));
  std::string replacement(1025, 'b');
  int64_t peak_before = PeakResidentKiB();
  EXPECT_EQ(ReplaceAll(doc.get(), "A", replacement, false, false), kReplaceTooLarge);
  // In KiB: nothing near the result's size was touched.
  EXPECT_LT(PeakResidentKiB() - peak_before, 64 * 1024);
  EXPECT_EQ(Content(*doc), std::string(1 << 20, 'a'));
  EXPECT_TRUE(CheckInvariants(*doc, nullptr));
  // A paste that would pass the limit leaves even the selection it would replace.
  SetCaret(doc.get(), 10);
  for (int i = 0; i < 10; ++i) MoveRight(doc.get(), true);
  MemoryClipboard clipboard;
  clipboard.SetText(std::string(kMaxTextLength - (1 << 20) + 1000, 'p'));
  EXPECT_EQ(PasteClipboard(doc.get(), clipboard), PasteResult::kTooLarge);
  EXPECT_EQ(Content(*doc), std::string(1 << 20, 'a'));
  EXPECT_TRUE(doc->has_selection);
}
