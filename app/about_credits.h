#pragma once
// The About window's credits: a fixed list of headings and names, with empty
// entries as gaps between the groups. Two entries have an alternative form in
// Greek that the window shows while Ctrl is held.
#include <cstdint>
#include <vector>

constexpr int32_t kCreditCount = 77;
extern const char* const kCredits[kCreditCount];

struct CreditAlternative {
  int32_t index;     // entry it replaces
  const char* text;  // UTF-8
};
extern const CreditAlternative kCreditAlternatives[2];

// The entry's text, or its alternative form when `alternative` is set and it
// has one.
const char* CreditText(int32_t index, bool alternative);
// Indices of the empty entries, ascending.
std::vector<int32_t> CollectGapIndices();
