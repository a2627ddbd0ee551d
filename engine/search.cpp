// Byte-wise search, F3 / Shift+F3 and replace-all.
#include "engine/search.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/document.h"

namespace {

unsigned char Fold(unsigned char c) {
  return static_cast<unsigned>(c - 'A') < 26u ? static_cast<unsigned char>(c | 0x20) : c;
}

bool IsWordEdge(char c) { return c == ' ' || c == '\n'; }

int32_t NeedleLength(const SearchPlan& plan) { return static_cast<int32_t>(plan.needle.size()); }

// The whole-word test of a match at p.
bool WordEdges(const char* base, int32_t length, int32_t p, int32_t n) {
  return (p == 0 || IsWordEdge(base[p - 1])) && (p + n == length || IsWordEdge(base[p + n]));
}

constexpr int32_t kBlock = 16;

#if defined(__SSE2__)
__m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
__m128i Splat(uint8_t c) { return _mm_set1_epi8(static_cast<char>(c)); }
__m128i Same(__m128i v, uint8_t c) { return _mm_cmpeq_epi8(v, Splat(c)); }

// Upper-case ASCII letters lowered; bytes from 0x80 compare as negative and
// stay.
__m128i FoldBlock(__m128i v) {
  __m128i upper =
      _mm_and_si128(_mm_cmpgt_epi8(v, Splat('A' - 1)), _mm_cmplt_epi8(v, Splat('Z' + 1)));
  return _mm_or_si128(v, _mm_and_si128(upper, Splat(0x20)));
}
#endif

// How many of the needle's bytes, from its start, agree with the text at p.
int32_t AgreeLength(const char* at, const SearchPlan& plan) {
  const char* needle = plan.needle.data();
  int32_t n = NeedleLength(plan);
  bool fold = !plan.match_case;
  int32_t i = 0;
#if defined(__SSE2__)
  for (; i + kBlock <= n; i += kBlock) {
    __m128i text = Load(at + i);
    if (fold) text = FoldBlock(text);
    uint32_t same =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(text, Load(needle + i))));
    if (same != 0xFFFF) return i + __builtin_ctz(~same);
  }
#endif
  for (; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(at[i]);
    if ((fold ? Fold(c) : c) != static_cast<unsigned char>(needle[i])) return i;
  }
  return n;
}

// The filter's constants, which the block loop keeps in registers.
struct Filter {
  const char* base;
  int32_t length;
  int32_t n;
  int32_t probe_a, probe_b;
  uint8_t byte_a, fold_a, byte_b, fold_b;
};

Filter MakeFilter(const MatchScan& scan) {
  const SearchPlan& plan = *scan.plan;
  return {scan.base,    scan.length,  NeedleLength(plan), plan.probe_a, plan.probe_b,
          plan.byte_a, plan.fold_a, plan.byte_b,       plan.fold_b};
}

#if defined(__SSE2__)
// The candidates among the 16 offsets from `at`, one bit each: both probe
// bytes agree, and for whole words a word edge (or the text's NUL) stands
// on either side (at - 1 must be inside the text).
template <bool kWholeWord>
inline uint32_t SimdBits(const Filter& f, const char* at) {
  __m128i a = Same(_mm_or_si128(Load(at + f.probe_a), Splat(f.fold_a)), f.byte_a);
  __m128i b = Same(_mm_or_si128(Load(at + f.probe_b), Splat(f.fold_b)), f.byte_b);
  __m128i hits = _mm_and_si128(a, b);
  if (kWholeWord) {
    __m128i before = Load(at - 1);
    __m128i after = Load(at + f.n);
    hits = _mm_and_si128(hits, _mm_or_si128(Same(before, ' '), Same(before, '\n')));
    hits = _mm_and_si128(
        hits, _mm_or_si128(_mm_or_si128(Same(after, ' '), Same(after, '\n')), Same(after, 0)));
  }
  return static_cast<uint32_t>(_mm_movemask_epi8(hits));
}
#endif

// The same test, one offset at a time, for the `count` (at most 16) offsets
// from `from`.
template <bool kWholeWord>
uint32_t ScalarBits(const Filter& f, int32_t from, int32_t count) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(f.base + from);
  uint32_t bits = 0;
  for (int32_t i = 0; i < count; ++i) {
    if ((p[i + f.probe_a] | f.fold_a) == f.byte_a && (p[i + f.probe_b] | f.fold_b) == f.byte_b &&
        (!kWholeWord || WordEdges(f.base, f.length, from + i, f.n))) {
      bits |= 1u << i;
    }
  }
  return bits;
}

// Blocks from *from on up to `last` until one holds a candidate: its bits,
// with *from just past it and *count its size. Whole blocks that may read
// the byte before them go two at a time with one test of both, which keeps
// the loop short; the others one offset at a time.
template <bool kWholeWord>
uint32_t ScanBlocks(const Filter& f, int32_t* from, int32_t last, int32_t* count) {
  int32_t p = *from;
  uint32_t bits = 0;
  while (bits == 0 && p <= last) {
    *count = std::min(kBlock, last - p + 1);
#if defined(__SSE2__)
    if (*count == kBlock && (p > 0 || !kWholeWord)) {
      for (; p + 2 * kBlock - 1 <= last; p += 2 * kBlock) {
        uint32_t low = SimdBits<kWholeWord>(f, f.base + p);
        uint32_t high = SimdBits<kWholeWord>(f, f.base + p + kBlock);
        if ((low | high) == 0) continue;
        *from = p + (low != 0 ? kBlock : 2 * kBlock);
        return low != 0 ? low : high;
      }
      if (p + kBlock - 1 <= last) {
        bits = SimdBits<kWholeWord>(f, f.base + p);
        p += kBlock;
      }
      continue;
    }
#endif
    bits = ScalarBits<kWholeWord>(f, p, *count);
    p += *count;
  }
  *from = p;
  return bits;
}

// The first candidate at or after `from`, or -1.
int32_t NextCandidate(MatchScan* scan, int32_t from) {
  if (from >= scan->block && from < scan->block_end) {
    uint32_t bits = scan->bits >> (from - scan->block);
    if (bits != 0) return from + __builtin_ctz(bits);
    from = scan->block_end;
  }
  const Filter f = MakeFilter(*scan);
  int32_t start = from;
  int32_t count = 0;
  uint32_t bits = scan->plan->whole_word ? ScanBlocks<true>(f, &from, scan->last, &count)
                                         : ScanBlocks<false>(f, &from, scan->last, &count);
  scan->work += std::max(from - start, 0);
  scan->block = from - count;
  scan->block_end = from;
  scan->bits = bits;
  return bits != 0 ? scan->block + __builtin_ctz(bits) : -1;
}

// borders[q], q = 1 .. n: the longest proper border of the needle's first q
// bytes (a prefix that is also a suffix of them).
bool MakeBorders(SearchPlan* plan) {
  if (plan->borders != nullptr) return true;
  if (plan->no_borders) return false;
  int32_t n = NeedleLength(*plan);
  plan->borders.reset(new (std::nothrow) int32_t[static_cast<size_t>(n) + 1]);
  if (plan->borders == nullptr) {
    plan->no_borders = true;
    return false;
  }
  const std::string& s = plan->needle;
  int32_t* b = plan->borders.get();
  b[0] = 0;
  b[1] = 0;
  for (int32_t q = 1, k = 0; q < n; ++q) {
    while (k > 0 && s[q] != s[k]) k = b[k];
    if (s[q] == s[k]) ++k;
    b[q + 1] = k;
  }
  return true;
}

// Knuth-Morris-Pratt from where the scan stands: each text byte is read
// once, and the needle bytes matched only fall back as far as they rose.
int32_t NextLinearMatch(MatchScan* scan, int32_t from) {
  const SearchPlan& plan = *scan->plan;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(plan.needle.data());
  const int32_t* b = plan.borders.get();
  int32_t n = NeedleLength(plan);
  bool fold = !plan.match_case;
  int32_t pos = scan->pos;
  int32_t q = scan->matched;
  if (from >= pos) {
    pos = from;
    q = 0;
  }
  while (q > pos - from) q = b[q];  // only matches from `from` on count
  int32_t stop = static_cast<int32_t>(std::min<int64_t>(scan->length, int64_t{scan->last} + n));
  int64_t steps = 0;
  int32_t found = -1;
  while (pos < stop) {
    unsigned char c = static_cast<unsigned char>(scan->base[pos++]);
    if (fold) c = Fold(c);
    for (; q > 0 && s[q] != c; ++steps) q = b[q];
    if (s[q] == c) ++q;
    ++steps;
    if (q == n) {
      q = b[n];
      if (!plan.whole_word || WordEdges(scan->base, scan->length, pos - n, n)) {
        found = pos - n;
        break;
      }
    }
  }
  scan->pos = pos;
  scan->matched = q;
  scan->work += steps;
  return found;
}

// Backward: forward scans of windows stepping back from `from`; the last
// match of the first window that holds one. A window is at least as long as
// the needle, so each byte is read a bounded number of times.
constexpr int32_t kBackWindow = 1 << 16;

int32_t ScanBackward(SearchPlan* plan, const char* base, int32_t length, int32_t from) {
  int32_t window = std::max(kBackWindow, NeedleLength(*plan));
  for (int32_t high = from; high >= 0; high -= window) {
    MatchScan scan = StartMatchScan(plan, base, length, std::max(high - window + 1, 0), high);
    int32_t found = -1;
    for (int32_t m = NextMatch(&scan, scan.first); m >= 0; m = NextMatch(&scan, m + 1)) found = m;
    if (found >= 0) return found;
  }
  return -1;
}

SearchPlan StoredPlan(const Document& doc) {
  return PlanSearch(StringData(doc.text), TextLength(doc), StringData(doc.find_text),
                    StringLength(doc.find_text), doc.match_case != 0, doc.whole_word != 0);
}

int32_t SearchBackward(const Document& doc) {
  int32_t length = TextLength(doc);
  if (StringLength(doc.find_text) < 1) return -1;
  SearchPlan plan = StoredPlan(doc);
  return ScanBackward(&plan, StringData(doc.text), length, std::min(doc.find_pos, length));
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
  if (StringLength(doc->find_text) < 1) return -1;
  SearchPlan plan = StoredPlan(*doc);
  MatchScan scan = StartMatchScan(&plan, StringData(doc->text), length, doc->find_pos, length);
  return NextMatch(&scan, doc->find_pos);
}

std::string StoredFindText(const Document& doc) {
  return std::string(StringData(doc.find_text), static_cast<size_t>(StringLength(doc.find_text)));
}

// One bit per byte of the text, set where a replacement starts: an eighth of
// the text, so a refused replace-all costs less memory than the text.
using MatchMarks = std::vector<uint64_t>;

// Replace-all judges every match on the text as it is and goes on after it.
int64_t MarkMatches(const char* base, int32_t length, SearchPlan* plan, MatchMarks* marks) {
  marks->assign(static_cast<size_t>(length) / 64 + 1, 0);
  MatchScan scan = StartMatchScan(plan, base, length, 0, length);
  int32_t n = NeedleLength(*plan);
  int64_t count = 0;
  for (int32_t m = NextMatch(&scan, 0); m >= 0; m = NextMatch(&scan, m + n)) {
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

// Counts of the bytes in a sample of the text: 64 slices of 64 bytes spread
// over it, or all of a shorter text.
void SampleByteCounts(const char* base, int32_t length, bool fold, uint32_t counts[256]) {
  constexpr int32_t kSlices = 64;
  constexpr int32_t kSlice = 64;
  auto add = [&](const char* p, int32_t k) {
    for (int32_t i = 0; i < k; ++i) {
      unsigned char c = static_cast<unsigned char>(p[i]);
      ++counts[fold ? Fold(c) : c];
    }
  };
  if (length <= kSlices * kSlice) {
    add(base, length);
    return;
  }
  int32_t stride = length / kSlices;
  for (int32_t i = 0; i < kSlices; ++i) add(base + static_cast<int64_t>(i) * stride, kSlice);
}

}  // namespace

SearchPlan PlanSearch(const char* base, int32_t length, const char* needle, int32_t n,
                      bool match_case, bool whole_word) {
  SearchPlan plan;
  plan.match_case = match_case;
  plan.whole_word = whole_word;
  plan.needle.assign(needle, static_cast<size_t>(std::max(n, 0)));
  if (!match_case) {
    for (char& c : plan.needle) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
  }
  if (n < 1) return plan;
  // The rarest byte, and the rarest of the others: over a text made mostly
  // of the needle's commonest byte, few offsets pass both.
  uint32_t counts[256] = {};
  SampleByteCounts(base, length, !match_case, counts);
  auto byte = [&](int32_t i) { return static_cast<unsigned char>(plan.needle[size_t(i)]); };
  int32_t a = 0;
  for (int32_t i = 1; i < n; ++i) {
    if (counts[byte(i)] < counts[byte(a)]) a = i;
  }
  int32_t b = -1;
  for (int32_t i = 0; i < n; ++i) {
    if (byte(i) != byte(a) && (b < 0 || counts[byte(i)] < counts[byte(b)])) b = i;
  }
  if (b < 0) {  // one byte value throughout: its two ends
    a = 0;
    b = n - 1;
  }
  plan.probe_a = a;
  plan.probe_b = b;
  auto fold_bit = [&](unsigned char c) -> uint8_t {
    return (!match_case && c >= 'a' && c <= 'z') ? 0x20 : 0;
  };
  plan.byte_a = byte(a);
  plan.fold_a = fold_bit(byte(a));
  plan.byte_b = byte(b);
  plan.fold_b = fold_bit(byte(b));
  return plan;
}

MatchScan StartMatchScan(SearchPlan* plan, const char* base, int32_t length, int32_t first,
                         int32_t last) {
  MatchScan scan;
  scan.plan = plan;
  scan.base = base;
  scan.length = length;
  scan.first = std::max(first, 0);
  scan.last = std::min(last, length - NeedleLength(*plan));
  return scan;
}

int32_t NextMatch(MatchScan* scan, int32_t from) {
  from = std::max(from, scan->first);
  if (scan->linear) return NextLinearMatch(scan, from);
  int32_t n = NeedleLength(*scan->plan);
  if (n < 1) return -1;
  for (int32_t p = NextCandidate(scan, from); p >= 0; p = NextCandidate(scan, p + 1)) {
    int32_t agreed = AgreeLength(scan->base + p, *scan->plan);
    scan->compared += agreed + 1;
    scan->work += agreed + 1;
    bool found = agreed == n &&
                 (!scan->plan->whole_word || WordEdges(scan->base, scan->length, p, n));
    // Compares that cost more than a few bytes per offset passed, failed or
    // found (matches that overlap): the rest goes at a bounded cost a byte.
    if (scan->compared > 4 * (int64_t{p} - scan->first) + n + 16 && MakeBorders(scan->plan)) {
      scan->linear = true;
      scan->pos = p + 1;
      scan->matched = 0;
      if (!found) return NextLinearMatch(scan, p + 1);
    }
    if (found) return p;
  }
  return -1;
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
  int32_t n = StringLength(doc->find_text);
  if (n < 1) return 0;
  const char* base = StringData(doc->text);
  int32_t length = TextLength(*doc);
  // The result's size is known before it is allocated, so a result too
  // large is refused at the cost of the marks alone.
  MatchMarks marks;
  SearchPlan plan = StoredPlan(*doc);
  int64_t count = MarkMatches(base, length, &plan, &marks);
  int64_t r = static_cast<int64_t>(replacement.size());
  int64_t size = length + count * (r - n);
  // The last replacement goes in with a gap's filler after it.
  if (count == 0) return 0;
  if (size + kGapSize > kMaxTextLength) return kReplaceTooLarge;
  // The last replacement is left out here and typed through the gap below,
  // which leaves the gap where a typed replacement puts it.
  int32_t new_length = static_cast<int32_t>(size - r);
  if (!ResizeBuffer(&doc->text, std::max(length, new_length) + 1)) return 0;
  char* text = doc->text.data;
  int32_t at = r <= n ? ReplaceDownward(text, length, n, marks, count, replacement)
                      : ReplaceUpward(text, length, n, marks, new_length, replacement);
  doc->text.size = new_length + 1;
  RebuildLines(doc);
  SetCaret(doc, at, false);
  GapInsert(doc, replacement.data(), static_cast<int32_t>(r), at);
  SetCaret(doc, static_cast<int64_t>(at) + r, true);
  SetCaret(doc, at, true);
  RefreshLines(doc);
  return static_cast<int32_t>(count);
}
