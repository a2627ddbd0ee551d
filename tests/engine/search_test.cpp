// Find, F3, Shift+F3 and replace-all.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cctype>
#include <random>

#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "tests/support/engine_random_ops.h"
#include "tests/support/engine_test_document.h"

namespace {

bool FindNew(Document* doc, const std::string& what, bool match_case = true, bool whole_word = true) {
  return Find(doc, what, match_case, whole_word, true, false);
}

// Two letters in both cases, their neighbours outside the letter ranges, and
// the word edges; over the seeds the letters run through a..z.
std::string SearchAlphabet(uint32_t seed) {
  char a = static_cast<char>('a' + seed % 26);
  char b = static_cast<char>('a' + (seed * 7 + 3) % 26);
  return {a, a, static_cast<char>(a - 32), b, static_cast<char>(b - 32), '@', '[', '`', '{',
          ' ', ' ', '\n'};
}

// A piece of the text with the case of some letters turned, or any bytes.
std::string SearchNeedle(const std::string& text, const std::string& alphabet,
                         std::mt19937& rng) {
  auto pick = [&rng](size_t bound) {
    return std::uniform_int_distribution<size_t>(0, bound - 1)(rng);
  };
  std::string needle;
  size_t n = 1 + pick(3);
  if (text.size() >= n && pick(4) != 0) {
    needle = text.substr(pick(text.size() - n + 1), n);
  } else {
    for (size_t i = 0; i < n; ++i) needle += alphabet[pick(alphabet.size())];
  }
  for (char& c : needle) {
    if (std::isalpha(static_cast<unsigned char>(c)) && pick(2) != 0) c ^= 0x20;
  }
  return needle;
}

int64_t PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

TEST(Search, FindNextAndPreviousWrapInTwoPresses) {
  // A search that fails below the last occurrence: F3 then finds the one at
  // the top, also when it is the only one. (Presses through touching
  // matches are the seeded sequences' below.)
  auto once = MakeTestDocument("ab cd");
  EXPECT_FALSE(FindNext(once.get()) || FindPrevious(once.get()));  // nothing searched yet
  MoveTextEnd(once.get(), false);
  EXPECT_FALSE(FindNew(once.get(), "ab"));
  EXPECT_TRUE(FindNext(once.get()));
  EXPECT_EQ(once->caret, 0u);
  EXPECT_FALSE(FindNext(once.get()));
  EXPECT_TRUE(FindNext(once.get()));
  EXPECT_EQ(once->caret, 0u);
  auto end = MakeTestDocument("cd ab");
  EXPECT_TRUE(FindNew(end.get(), "ab"));
  EXPECT_FALSE(FindPrevious(end.get()));
  EXPECT_TRUE(FindPrevious(end.get()));
  EXPECT_EQ(end->caret, 3u);
}

TEST(Search, AgreesWithAPlainScanOverEveryLetterAndWordEdge) {
  // Shift+F3 reads long texts in 64 KiB windows: a lone match on either
  // side of a window's edge.
  for (int32_t back : {65532, 65533, 65534, 131068, 131069, 131070}) {
    std::string text(200000, 'x');
    text.replace(text.size() - 2 - back, 2, "ab");
    std::unique_ptr<Document> doc;
    ModelDoc model;
    StartBoth(text, 2, true, &doc, &model);
    EXPECT_EQ(FindNew(doc.get(), "ab", true, false), model.Find("ab", true, false, true, false));
    for (int press = 0; press < 3; ++press) {
      EXPECT_EQ(FindPrevious(doc.get()), model.FindPrevious());
      ASSERT_EQ(CompareWithModel(*doc, model), "") << back << " press " << press;
    }
  }
  for (uint32_t seed = 0; seed < 260; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](size_t bound) {
      return std::uniform_int_distribution<size_t>(0, bound - 1)(rng);
    };
    std::string alphabet = SearchAlphabet(seed);
    std::string text;
    for (size_t i = pick(70); i > 0; --i) text += alphabet[pick(alphabet.size())];
    std::unique_ptr<Document> doc;
    ModelDoc model;
    StartBoth(text, 2, true, &doc, &model);
    std::string history;
    for (int step = 0; step < 12; ++step) {
      std::string needle = SearchNeedle(model.text, alphabet, rng);
      bool mc = pick(2) != 0, ww = pick(2) != 0;
      size_t kind = step == 0 ? 0 : pick(5);
      if (kind == 0) {
        EXPECT_EQ(Find(doc.get(), needle, mc, ww, true, false),
                  model.Find(needle, mc, ww, true, false));
      } else if (kind == 1) {
        EXPECT_EQ(FindNext(doc.get()), model.FindNext());
      } else if (kind == 2) {
        EXPECT_EQ(FindPrevious(doc.get()), model.FindPrevious());
      } else if (kind == 3) {
        std::string with = pick(2) ? "" : SearchNeedle(model.text, alphabet, rng);
        EXPECT_EQ(ReplaceAll(doc.get(), needle, with, mc, ww),
                  model.ReplaceAll(needle, with, mc, ww));
      } else {
        MoveRight(doc.get(), false);
        model.Move(1, false, 0);
      }
      history += std::to_string(kind) + ":" + needle + (mc ? " mc" : "") + (ww ? " ww" : "") + "; ";
      ASSERT_EQ(CompareWithModel(*doc, model), "")
          << "seed " << seed << " text " << text << "\n" << history;
    }
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
      m.text += pick(30) ? unit : std::string(1, "ab "[pick(3)]);
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

TEST(Search, ReplaceAllRefusesATooLargeResultBeforeBuildingIt) {
  // 1 MiB of matches, each becoming 1,025 bytes: just over 1 GiB.
  auto doc = MakeTestDocument(std::string(1 << 20, 'a'));
  std::string replacement(1025, 'b');
  int64_t peak_before = PeakResidentKiB();
  EXPECT_EQ(ReplaceAll(doc.get(), "A", replacement, false, false), 0);
  // In KiB: nothing near the result's size was touched.
  EXPECT_LT(PeakResidentKiB() - peak_before, 64 * 1024);
  EXPECT_EQ(Content(*doc), std::string(1 << 20, 'a'));
  EXPECT_TRUE(CheckInvariants(*doc, nullptr));
}
