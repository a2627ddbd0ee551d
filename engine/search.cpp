// Byte-wise search, F3 / Shift+F3 and replace-all.
#include "engine/search.h"

#include <cstring>

#include "engine/document.h"

namespace {

constexpr int32_t kMaxTextLength = 1 << 30;

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool IsWordEdge(char c) { return c == ' ' || c == '\n'; }

struct Needle {
  const char* bytes;
  int32_t n;
  bool match_case;
  bool whole_word;
};

bool MatchAt(const char* base, int32_t length, int32_t p, const Needle& needle) {
  if (p < 0 || needle.n < 1 || p > length - needle.n) return false;
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

// Next offset >= from whose byte may begin a match.
int32_t NextCandidate(const char* base, int32_t last, int32_t from, const Needle& needle) {
  if (from > last) return -1;
  char first = needle.bytes[0];
  char folded = FoldAscii(first);
  size_t span = static_cast<size_t>(last - from + 1);
  if (needle.match_case || folded < 'a' || folded > 'z') {
    const void* hit = std::memchr(base + from, first, span);
    return hit != nullptr ? static_cast<int32_t>(static_cast<const char*>(hit) - base) : -1;
  }
  const char* lower = static_cast<const char*>(std::memchr(base + from, folded, span));
  const char* upper = static_cast<const char*>(std::memchr(base + from, folded - 32, span));
  if (lower == nullptr && upper == nullptr) return -1;
  const char* hit = lower == nullptr ? upper : (upper == nullptr || lower < upper ? lower : upper);
  return static_cast<int32_t>(hit - base);
}

int32_t ScanForward(const char* base, int32_t length, int32_t from, const Needle& needle) {
  int32_t last = length - needle.n;
  if (from < 0) from = 0;
  for (int32_t p = NextCandidate(base, last, from, needle); p >= 0;
       p = NextCandidate(base, last, p + 1, needle)) {
    if (MatchAt(base, length, p, needle)) return p;
  }
  return -1;
}

int32_t ScanBackward(const char* base, int32_t length, int32_t from, const Needle& needle) {
  char first = FoldAscii(needle.bytes[0]);
  if (from > length - needle.n) from = length - needle.n;
  for (int32_t p = from; p >= 0; --p) {
    if (FoldAscii(base[p]) == first && MatchAt(base, length, p, needle)) return p;
  }
  return -1;
}

Needle StoredNeedle(const Document& doc) {
  return {StringData(doc.find_text), StringLength(doc.find_text), doc.match_case != 0,
          doc.whole_word != 0};
}

}  // namespace

bool Find(Document* doc, const std::string& text, bool match_case, bool whole_word,
          bool new_search, bool backward) {
  CloseGapAtCaret(doc);
  ClearSelection(doc);
  doc->match_case = match_case ? 1 : 0;
  doc->whole_word = whole_word ? 1 : 0;
  const char* base = StringData(doc->text);
  int32_t length = TextLength(*doc);
  int32_t found;
  if (backward && !new_search) {
    Needle needle = StoredNeedle(*doc);
    int32_t from = doc->find_pos > length ? length : doc->find_pos;
    found = (from < 0 || needle.n < 1) ? -1 : ScanBackward(base, length, from, needle);
    if (found < 0) {
      // The next press starts from the end and tests the end itself.
      doc->find_pos = length;
      doc->find_wrapped = 1;
      return false;
    }
  } else {
    if (new_search || doc->find_pos == kNoPosition || doc->find_pos >= length) {
      if (new_search) {
        SetString(&doc->find_text, text.data(), static_cast<int32_t>(text.size()));
        SetString(&doc->replace_text, "", 0);
      }
      doc->find_pos = static_cast<int32_t>(doc->caret);
    }
    Needle needle = StoredNeedle(*doc);
    found = needle.n < 1 ? -1 : ScanForward(base, length, doc->find_pos, needle);
    if (found < 0) {
      // The next press starts from the top and tests the top itself.
      doc->find_pos = 0;
      doc->find_wrapped = 1;
      return false;
    }
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
  std::string text(StringData(doc->find_text), static_cast<size_t>(StringLength(doc->find_text)));
  return Find(doc, text, doc->match_case != 0, doc->whole_word != 0, false, false);
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
  std::string text(StringData(doc->find_text), static_cast<size_t>(StringLength(doc->find_text)));
  return Find(doc, text, doc->match_case != 0, doc->whole_word != 0, false, true);
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
  // Every match is judged on the text as it was; replacements are not
  // scanned again. The last replacement is left out here and typed through
  // the gap below, which leaves the gap where a typed replacement puts it.
  std::string rebuilt;
  int32_t count = 0;
  int32_t last_at = -1;
  size_t last_out = 0;
  int32_t p = 0;
  for (int32_t m = ScanForward(base, length, 0, needle); m >= 0;
       m = ScanForward(base, length, p, needle)) {
    if (count == 0) rebuilt.reserve(static_cast<size_t>(length) + replacement.size());
    if (last_at >= 0) rebuilt.append(replacement);
    rebuilt.append(base + p, static_cast<size_t>(m - p));
    if (rebuilt.size() > static_cast<size_t>(kMaxTextLength)) return 0;
    last_at = m;
    last_out = rebuilt.size();
    p = m + needle.n;
    ++count;
  }
  if (count == 0) return 0;
  rebuilt.append(base + p, static_cast<size_t>(length - p));
  if (rebuilt.size() + replacement.size() > static_cast<size_t>(kMaxTextLength)) return 0;
  if (!SetString(&doc->text, rebuilt.data(), static_cast<int32_t>(rebuilt.size()))) return 0;
  RebuildLines(doc);
  int32_t at = static_cast<int32_t>(last_out);
  SetCaret(doc, at, false);
  GapInsert(doc, replacement.data(), static_cast<int32_t>(replacement.size()), at);
  SetCaret(doc, static_cast<int64_t>(at) + static_cast<int64_t>(replacement.size()), true);
  SetCaret(doc, at, true);
  RefreshLines(doc);
  return count;
}
