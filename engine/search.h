#pragma once
// Plain byte-wise search and replace-all.
#include <cstdint>
#include <string>

struct Document;

bool Find(Document* doc, const std::string& text, bool match_case,
          bool whole_word, bool new_search, bool backward);
bool FindNext(Document* doc);
bool FindPrevious(Document* doc);
// Replaces every occurrence present when called, left to right, once each.
// Returns the number of replacements; 0, with the text unchanged, when the
// result would pass the largest text the engine holds.
int32_t ReplaceAll(Document* doc, const std::string& find,
                   const std::string& replacement, bool match_case,
                   bool whole_word);

// The offsets, left to right, at which a needle's first and last bytes both
// match (either case of an ASCII letter when case is ignored), tested 16
// offsets at a time: a whole scan reads each byte of the text once however
// common or rare its letters are, and leaves few offsets for the full compare.
struct CandidateScan {
  const char* base = nullptr;
  int32_t last = -1;  // the highest offset wanted
  int32_t span = 0;   // from the needle's first byte to its last
  uint8_t head = 0;  // the first byte, ORed with its fold, must give head
  uint8_t head_fold = 0;
  uint8_t tail = 0;  // and the last byte tail
  uint8_t tail_fold = 0;
  int32_t block = 0;      // `bits` holds the offsets block .. block_end - 1
  int32_t block_end = 0;
  uint32_t bits = 0;
  int64_t offsets_tested = 0;  // the work done, so tests can hold it linear
};
CandidateScan StartCandidateScan(const char* base, int32_t last, const char* needle, int32_t n,
                                 bool match_case);
// The first candidate at or after `from`, or -1. Calls must not go back.
int32_t NextCandidate(CandidateScan* scan, int32_t from);
