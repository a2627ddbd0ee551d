// Byte-wise search, F3 / Shift+F3 and replace-all.
#include "engine/search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/document.h"

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool IsWordEdge(char c) { return c == ' ' || c == '\n'; }

struct Needle {
  const char* bytes;
  int32_t n;
  bool match_case;
  bool whole_word;
};

// For a candidate offset of a scan: 0 <= p <= length - needle.n, n >= 1.
bool MatchAt(const char* base, int32_t length, int32_t p, const Needle& needle) {
  const char* at = base + p;
  if (needle.match_case) {
    if (std::memcmp(at, needle.bytes, static_cast<size_t>(needle.n)) != 0) return false;
  } else {
    for (int32_t i = 0; i < needle.n; ++i) {
      if (FoldAscii(at[i]) != FoldAscii(needle.bytes[i])) return false;
    }
  }
  if (!needle.whole_word) return true;
  bool starts = p == 0 || IsWordEdge(base[p - 1]);
  bool ends = p + needle.n == length || IsWordEdge(base[p + needle.n]);
  return starts && ends;
}

constexpr int32_t kBlock = 16;

uint8_t FoldBit(char c, bool match_case) {
  char folded = FoldAscii(c);
  return (!match_case && folded >= 'a' && folded <= 'z') ? 0x20 : 0;
}

// The candidates among the `count` (at most 16) offsets from `from`, one bit
// each. A letter's two cases differ only in bit 0x20, so ORing it in folds
// exactly those two bytes together.
uint32_t BlockBits(const CandidateScan& scan, int32_t from, int32_t count) {
#if defined(__SSE2__)
  if (count == kBlock) {
    const char* at = scan.base + from;
    __m128i head = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)),
                                _mm_set1_epi8(static_cast<char>(scan.head_fold)));
    __m128i tail = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + scan.span)),
                                _mm_set1_epi8(static_cast<char>(scan.tail_fold)));
    __m128i both =
        _mm_and_si128(_mm_cmpeq_epi8(head, _mm_set1_epi8(static_cast<char>(scan.head))),
                      _mm_cmpeq_epi8(tail, _mm_set1_epi8(static_cast<char>(scan.tail))));
    return static_cast<uint32_t>(_mm_movemask_epi8(both));
  }
#endif
  const unsigned char* p = reinterpret_cast<const unsigned char*>(scan.base + from);
  uint32_t bits = 0;
  for (int32_t i = 0; i < count; ++i) {
    if ((p[i] | scan.head_fold) == scan.head && (p[i + scan.span] | scan.tail_fold) == scan.tail) {
      bits |= 1u << i;
    }
  }
  return bits;
}

// Matches of one needle, left to right, over one text.
struct MatchScan {
  const char* base;
  int32_t length;
  Needle needle;
  CandidateScan candidates;
};

// Matches that start at or before `last`.
MatchScan StartMatchScan(const char* base, int32_t length, const Needle& needle, int32_t last) {
  return {base, length, needle,
          StartCandidateScan(base, std::min(last, length - needle.n), needle.bytes, needle.n,
                             needle.match_case)};
}

// The first match at or after `from`, or -1. Calls must not go back.
int32_t NextMatch(MatchScan* scan, int32_t from) {
  for (int32_t p = NextCandidate(&scan->candidates, from); p >= 0;
       p = NextCandidate(&scan->candidates, p + 1)) {
    if (MatchAt(scan->base, scan->length, p, scan->needle)) return p;
  }
  return -1;
}

// Backward: forward scans of windows stepping back from `from`; the last
// match of the first window that holds one. Each byte is read about once.
constexpr int32_t kBackWindow = 1 << 16;

int32_t ScanBackward(const char* base, int32_t length, int32_t from, const Needle& needle) {
  for (int32_t high = from; high >= 0; high -= kBackWindow) {
    MatchScan scan = StartMatchScan(base, length, needle, high);
    int32_t found = -1;
    for (int32_t m = NextMatch(&scan, std::max(high - kBackWindow + 1, 0)); m >= 0;
         m = NextMatch(&scan, m + 1)) {
      found = m;
    }
    if (found >= 0) return found;
  }
  return -1;
}

Needle StoredNeedle(const Document& doc) {
  return {StringData(doc.find_text), StringLength(doc.find_text), doc.match_case != 0,
          doc.whole_word != 0};
}

int32_t SearchBackward(const Document& doc) {
  int32_t length = TextLength(doc);
  Needle needle = StoredNeedle(doc);
  int32_t from = std::min(doc.find_pos, length);
  if (needle.n < 1) return -1;
  return ScanBackward(StringData(doc.text), length, from, needle);
}

int32_t SearchForward(Document* doc, const std::string& text, bool new_search) {
  int32_t length = TextLength(*doc);
  if (new_search || doc->find_pos == kNoPosition || doc->find_pos >= length) {
    if (new_search) {
      SetString(&doc->find_text, text.data(), static_cast<int32_t>(text.size()));
      SetString(&doc->replace_text, "", 0);
    }
    doc->find_pos = static_cast<int32_t>(doc->caret);
  }
  Needle needle = StoredNeedle(*doc);
  if (needle.n < 1) return -1;
  MatchScan scan = StartMatchScan(StringData(doc->text), length, needle, length);
  return NextMatch(&scan, doc->find_pos);
}

std::string StoredFindText(const Document& doc) {
  return std::string(StringData(doc.find_text), static_cast<size_t>(StringLength(doc.find_text)));
}

// One bit per byte of the text, set where a replacement starts: an eighth of
// the text, so a refused replace-all costs less memory than the text.
using MatchMarks = std::vector<uint64_t>;

// Replace-all judges every match on the text as it is and goes on after it.
int64_t MarkMatches(const char* base, int32_t length, const Needle& needle, MatchMarks* marks) {
  marks->assign(static_cast<size_t>(length) / 64 + 1, 0);
  MatchScan scan = StartMatchScan(base, length, needle, length);
  int64_t count = 0;
  for (int32_t m = NextMatch(&scan, 0); m >= 0; m = NextMatch(&scan, m + needle.n)) {
    (*marks)[static_cast<size_t>(m) / 64] |= uint64_t{1} << (m % 64);
    ++count;
  }
  return count;
}

int32_t MarkAt(size_t word, int bit) {
  return static_cast<int32_t>(word * 64 + static_cast<size_t>(bit));
}

// The replace-all rewrites the text in place, leaving out its last
// replacement; both return where that one goes. When no replacement is longer
// than its match every byte moves down or stays, so a pass from the start
// never overwrites what it has still to read.
int32_t ReplaceDownward(char* text, int32_t length, int32_t n, const MatchMarks& marks,
                        int64_t count, const std::string& replacement) {
  char* d = text;
  int32_t p = 0;
  int32_t at = -1;
  int64_t seen = 0;
  for (size_t w = 0; w < marks.size(); ++w) {
    for (uint64_t bits = marks[w]; bits != 0; bits &= bits - 1) {
      int32_t m = MarkAt(w, __builtin_ctzll(bits));
      std::memmove(d, text + p, static_cast<size_t>(m - p));
      d += m - p;
      at = static_cast<int32_t>(d - text);
      if (++seen < count) d = std::copy(replacement.begin(), replacement.end(), d);
      p = m + n;
    }
  }
  std::memmove(d, text + p, static_cast<size_t>(length - p) + 1);  // with the NUL
  return at;
}

// Longer replacements move every byte up, except after the left-out last
// one: a pass from the end, into a text already grown to `new_length`.
int32_t ReplaceUpward(char* text, int32_t length, int32_t n, const MatchMarks& marks,
                      int32_t new_length, const std::string& replacement) {
  char* d = text + new_length;
  int32_t p = length;
  int32_t at = -1;
  for (size_t w = marks.size(); w-- > 0;) {
    for (uint64_t bits = marks[w]; bits != 0;) {
      int bit = 63 - __builtin_clzll(bits);
      bits &= ~(uint64_t{1} << bit);
      int32_t m = MarkAt(w, bit);
      d -= p - (m + n);
      std::memmove(d, text + m + n, static_cast<size_t>(p - (m + n)));
      if (at < 0) {
        at = static_cast<int32_t>(d - text);
      } else {
        d -= replacement.size();
        std::memcpy(d, replacement.data(), replacement.size());
      }
      p = m;
    }
  }
  text[new_length] = 0;
  return at;
}

}  // namespace

CandidateScan StartCandidateScan(const char* base, int32_t last, const char* needle, int32_t n,
                                 bool match_case) {
  CandidateScan scan;
  scan.base = base;
  scan.last = last;
  scan.span = n - 1;
  scan.head_fold = FoldBit(needle[0], match_case);
  scan.head = static_cast<uint8_t>(needle[0]) | scan.head_fold;
  scan.tail_fold = FoldBit(needle[n - 1], match_case);
  scan.tail = static_cast<uint8_t>(needle[n - 1]) | scan.tail_fold;
  return scan;
}

int32_t NextCandidate(CandidateScan* scan, int32_t from) {
  if (from < 0) from = 0;
  if (from >= scan->block && from < scan->block_end) {
    uint32_t bits = scan->bits >> (from - scan->block);
    if (bits != 0) return from + __builtin_ctz(bits);
    from = scan->block_end;
  }
  const CandidateScan local = *scan;  // lets the block loop keep it in registers
  int32_t start = from;
  int32_t count = 0;
  uint32_t bits = 0;
  while (bits == 0 && from <= local.last) {
    count = std::min(kBlock, local.last - from + 1);
    bits = BlockBits(local, from, count);
    from += count;
  }
  scan->offsets_tested += from - start;
  scan->block = from - count;
  scan->block_end = from;
  scan->bits = bits;
  return bits != 0 ? scan->block + __builtin_ctz(bits) : -1;
}

bool Find(Document* doc, const std::string& text, bool match_case, bool whole_word,
          bool new_search, bool backward) {
  CloseGapAtCaret(doc);
  ClearSelection(doc);
  doc->match_case = match_case ? 1 : 0;
  doc->whole_word = whole_word ? 1 : 0;
  bool back = backward && !new_search;
  int32_t found = back ? SearchBackward(*doc) : SearchForward(doc, text, new_search);
  if (found < 0) {
    // The next press starts from the other end and tests that end itself.
    doc->find_pos = back ? TextLength(*doc) : 0;
    doc->find_wrapped = 1;
    return false;
  }
  doc->find_pos = found;
  doc->find_wrapped = 0;
  SetCaret(doc, found, true);
  return true;
}

bool FindNext(Document* doc) {
  ClearSelection(doc);
  if (StringLength(doc->find_text) == 0) return false;
  CloseGapAtCaret(doc);
  int32_t length = TextLength(*doc);
  if (!doc->find_wrapped && doc->find_pos != kNoPosition) {
    if (doc->find_pos < length && doc->find_pos + 1 > length - StringLength(doc->find_text)) {
      // The match just found was the last possible one: report the end, so
      // the next press wraps to the top instead of finding it again.
      doc->find_pos = 0;
      doc->find_wrapped = 1;
      return false;
    }
    doc->find_pos += 1;  // not the match just found
  }
  return Find(doc, StoredFindText(*doc), doc->match_case != 0, doc->whole_word != 0, false,
              false);
}

bool FindPrevious(Document* doc) {
  ClearSelection(doc);
  if (StringLength(doc->find_text) == 0) return false;
  CloseGapAtCaret(doc);
  if (!doc->find_wrapped) {
    if (doc->find_pos == 0 && doc->caret == 0) {
      // Nothing lies before a match at the text start: report the start, so
      // the next press wraps to the end instead of finding it again.
      doc->find_pos = TextLength(*doc);
      doc->find_wrapped = 1;
      return false;
    }
    if (doc->find_pos > 0) doc->find_pos -= 1;
  }
  return Find(doc, StoredFindText(*doc), doc->match_case != 0, doc->whole_word != 0, false,
              true);
}

int32_t ReplaceAll(Document* doc, const std::string& find, const std::string& replacement,
                   bool match_case, bool whole_word) {
  CloseGapAtCaret(doc);
  ClearSelection(doc);
  SetString(&doc->find_text, find.data(), static_cast<int32_t>(find.size()));
  SetString(&doc->replace_text, replacement.data(), static_cast<int32_t>(replacement.size()));
  doc->match_case = match_case ? 1 : 0;
  doc->whole_word = whole_word ? 1 : 0;
  doc->find_pos = 0;
  doc->find_wrapped = 0;
  Needle needle = StoredNeedle(*doc);
  if (needle.n < 1) return 0;
  const char* base = StringData(doc->text);
  int32_t length = TextLength(*doc);
  // The result's size is known before it is allocated, so a result too
  // large is refused at the cost of the marks alone.
  MatchMarks marks;
  int64_t count = MarkMatches(base, length, needle, &marks);
  int64_t r = static_cast<int64_t>(replacement.size());
  int64_t size = length + count * (r - needle.n);
  // The last replacement goes in with a gap's filler after it.
  if (count == 0 || size + kGapSize > kMaxTextLength) return 0;
  // The last replacement is left out here and typed through the gap below,
  // which leaves the gap where a typed replacement puts it.
  int32_t new_length = static_cast<int32_t>(size - r);
  if (!ResizeBuffer(&doc->text, std::max(length, new_length) + 1)) return 0;
  char* text = doc->text.data;
  int32_t at = r <= needle.n
                   ? ReplaceDownward(text, length, needle.n, marks, count, replacement)
                   : ReplaceUpward(text, length, needle.n, marks, new_length, replacement);
  doc->text.size = new_length + 1;
  RebuildLines(doc);
  SetCaret(doc, at, false);
  GapInsert(doc, replacement.data(), static_cast<int32_t>(r), at);
  SetCaret(doc, static_cast<int64_t>(at) + r, true);
  SetCaret(doc, at, true);
  RefreshLines(doc);
  return static_cast<int32_t>(count);
}
