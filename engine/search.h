#pragma once
// Plain byte-wise search and replace-all.
#include <cstdint>
#include <memory>
#include <string>

struct Document;

bool Find(Document* doc, const std::string& text, bool match_case,
          bool whole_word, bool new_search, bool backward);
bool FindNext(Document* doc);
bool FindPrevious(Document* doc);
// What ReplaceAll returns, with the text unchanged, when the result would
// pass the largest text the engine holds.
constexpr int32_t kReplaceTooLarge = -1;
// Replaces every occurrence present when called, left to right, once each.
// Returns the number of replacements, or kReplaceTooLarge.
int32_t ReplaceAll(Document* doc, const std::string& find,
                   const std::string& replacement, bool match_case,
                   bool whole_word);

// One search's needle, prepared once for every scan of it: its bytes (ASCII
// letters lowered when case is ignored), the two of them the candidate
// filter tests, chosen among the rarest in a sample of the text, and the
// table of the linear matcher, made when a scan first needs it.
struct SearchPlan {
  std::string needle;
  bool match_case = true;
  bool whole_word = false;
  int32_t probe_a = 0;  // offsets in the needle
  int32_t probe_b = 0;
  // A text byte ORed with fold_a must give byte_a to agree with probe a (a
  // letter's two cases differ only in bit 0x20); the same for b.
  uint8_t byte_a = 0, fold_a = 0, byte_b = 0, fold_b = 0;
  std::unique_ptr<int32_t[]> borders;
  bool no_borders = false;  // their memory was refused
};
SearchPlan PlanSearch(const char* base, int32_t length, const char* needle, int32_t n,
                      bool match_case, bool whole_word);

// The matches of a plan that start from `first` up to `last`, left to
// right. Offsets where the two probe bytes (and, for whole words, a word
// edge on either side) are found, 16 at a time, are compared with the
// needle; when those compares cost more than a few bytes per offset passed,
// the rest of the scan runs the linear matcher (Knuth-Morris-Pratt), so a
// scan never reads a byte more than a bounded number of times, whatever the
// needle and the text.
struct MatchScan {
  SearchPlan* plan = nullptr;
  const char* base = nullptr;
  int32_t length = 0;
  int32_t first = 0;
  int32_t last = -1;  // the highest start wanted
  // The filter's 16 offsets from `block`, one bit each.
  int32_t block = 0;
  int32_t block_end = 0;
  uint32_t bits = 0;
  int64_t compared = 0;  // bytes read by the compares
  // The linear matcher: the next byte it reads and the needle bytes matched
  // just before it.
  bool linear = false;
  int32_t pos = 0;
  int32_t matched = 0;
  int64_t work = 0;  // offsets filtered, bytes compared or matched: tests hold it linear
};
MatchScan StartMatchScan(SearchPlan* plan, const char* base, int32_t length, int32_t first,
                         int32_t last);
// The first match at or after `from`, or -1. Calls must not go back.
int32_t NextMatch(MatchScan* scan, int32_t from);
