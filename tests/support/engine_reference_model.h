#pragma once
// A plain model of the text engine: one std::string, every position found by
// rescanning from the text start, no typing gap. Engine tests and the fuzzer
// run it beside the real engine and compare.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/document.h"
#include "engine/utf8.h"

struct ModelDoc {
  std::string text;
  int32_t caret = 0, caret_line = 0, caret_column = 0;
  bool overwrite = false;
  int32_t tab_size = 2;
  bool tabs_as_spaces = true;
  std::string find_text, replace_text;
  int32_t find_pos = -1;
  bool find_wrapped = false;  // a failed search left find_pos at the other end
  bool match_case = true, whole_word = true;
  bool has_selection = false;
  int32_t sel_anchor = 0, sel_start = 0, sel_end = 0;
  int32_t anchor_column = 0, anchor_line = 0, sel_caret_column = 0, sel_caret_line = 0;
  std::string clipboard;  // what copy, cut or a paste's source left there

  int32_t Length() const { return static_cast<int32_t>(text.size()); }
  char At(int32_t p) const { return p >= 0 && p < Length() ? text[p] : '\0'; }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines(1);
    for (char c : text) {
      if (c == '\n') lines.emplace_back(); else lines.back().push_back(c);
    }
    return lines;
  }
  int32_t LineCount() const { return static_cast<int32_t>(std::count(text.begin(), text.end(), '\n')) + 1; }
  // Where the line holding `p` ends: its line feed, or the text's end.
  int32_t LineEnd(int32_t p) const { return static_cast<int32_t>(std::min(text.find('\n', size_t(p)), text.size())); }

  void SetCaret(int64_t offset) {
    caret = static_cast<int32_t>(std::clamp<int64_t>(offset, 0, Length()));
    caret_line = static_cast<int32_t>(std::count(text.begin(), text.begin() + caret, '\n'));
    int32_t start = caret;
    while (start > 0 && text[start - 1] != '\n') --start;
    caret_column = Utf8BytesToChars(text.c_str() + start, caret - start);
  }
  void ClearSelection() {
    has_selection = false;
    sel_anchor = sel_start = sel_end = anchor_column = anchor_line = sel_caret_column = sel_caret_line = 0;
  }
  void BeginSelection(bool extend) {
    if (extend && !has_selection) {
      has_selection = true;
      sel_anchor = sel_start = sel_end = caret;
      anchor_column = sel_caret_column = caret_column;
      anchor_line = sel_caret_line = caret_line;
    }
  }
  void UpdateSelection() {
    if (caret > sel_anchor) sel_end = caret;
    else if (caret < sel_anchor) sel_start = caret;
    sel_caret_column = caret_column;
    sel_caret_line = caret_line;
    if (sel_caret_column == anchor_column && sel_caret_line == anchor_line) sel_start = sel_end = caret;
  }
  void Erase(int32_t at, int32_t n) { if (n > 0) text.erase(static_cast<size_t>(at), static_cast<size_t>(n)); }
  void DeleteSelection() {
    Erase(sel_start, sel_end - sel_start);
    SetCaret(sel_start);
    ClearSelection();
  }

  // Editing.
  void InsertText(const std::string& bytes) {
    if (has_selection) DeleteSelection();
    else if (overwrite) Overwrite(bytes);
    text.insert(static_cast<size_t>(caret), bytes);
    SetCaret(static_cast<int64_t>(caret) + static_cast<int64_t>(bytes.size()));
  }
  // One character of the caret's line for each inserted one but a line feed.
  void Overwrite(const std::string& bytes) {
    int32_t count = Utf8Columns(bytes) - int32_t(std::count(bytes.begin(), bytes.end(), '\n'));
    int32_t end = Utf8CharsToBytes(text.c_str(), Utf8BytesToChars(text.c_str(), caret) + count);
    if (count > 0) Erase(caret, std::min(end, LineEnd(caret)) - caret);
  }
  void DeleteChars(int32_t count, bool forward) {
    if (has_selection) { DeleteSelection(); return; }
    const char* p = text.c_str();
    int32_t k = Utf8BytesToChars(p, caret);
    if (forward) {
      int32_t e = Utf8CharsToBytes(p, k + count);
      Erase(caret, e - caret);
      SetCaret(caret);
    } else {
      int32_t s = k - count < 1 ? 0 : Utf8CharsToBytes(p, k - count);
      Erase(s, caret - s);
      SetCaret(s);
    }
  }
  // A line feed alone, else the run of blanks or of other characters beside
  // the caret, up to the line's end.
  void DeleteWord(bool forward) {
    if (has_selection) { DeleteSelection(); return; }
    char c = forward ? At(caret) : At(caret - 1);
    auto same = [&](int32_t p) { return At(p) != '\n' && (At(p) == ' ') == (c == ' '); };
    int32_t s = caret, e = caret;
    if (forward && c == '\n') ++e;
    else if (forward) while (e < Length() && same(e)) ++e;
    else if (c == '\n' && caret > 0) --s;
    else while (s > 0 && same(s - 1)) --s;
    Erase(s, e - s);
    SetCaret(s);
  }
  std::pair<int32_t, int32_t> SelectedLines() const {
    int32_t last = LineCount() - 1;
    return {std::clamp(std::min(anchor_line, sel_caret_line), 0, last),
            std::clamp(std::max(anchor_line, sel_caret_line), 0, last)};
  }
  void InsertAtLineStarts(const std::string& prefix) {
    auto [first, last] = SelectedLines();
    for (int32_t line = first; line <= last; ++line) {
      GoToLineColumn(line, 0);
      for (char c : prefix) {
        text.insert(static_cast<size_t>(caret), 1, c);
        SetCaret(caret + 1);
      }
    }
    SetCaret(caret - static_cast<int32_t>(prefix.size()));
    UpdateSelection();
  }
  void RemoveAtLineStarts(char byte, int32_t times) {
    auto [first, last] = SelectedLines();
    for (int32_t line = first; line <= last; ++line) {
      GoToLineColumn(line, 0);
      for (int32_t i = 0; i < times; ++i) {
        if (At(caret) == byte) Erase(caret, 1);
      }
    }
    SetCaret(caret);
    UpdateSelection();
  }
  void IndentLines() {
    if (has_selection) {
      InsertAtLineStarts(tabs_as_spaces ? std::string(static_cast<size_t>(tab_size), ' ') : "\t");
    } else if (tabs_as_spaces) {
      for (int32_t i = 0; i < tab_size; ++i) InsertText(" ");
    } else {
      InsertText("\t");
    }
  }
  void UnindentLines() {
    if (has_selection) {
      if (tabs_as_spaces) RemoveAtLineStarts(' ', tab_size); else RemoveAtLineStarts('\t', 1);
      return;
    }
    if (!tabs_as_spaces) {
      if (At(caret - 1) == '\t') { Erase(caret - 1, 1); SetCaret(caret - 1); }
      return;
    }
    int32_t n = 0;
    while (n < tab_size && caret - n > 0 && At(caret - n - 1) == ' ') ++n;
    Erase(caret - n, n);
    SetCaret(caret - n);
  }
  void CommentLines() {
    if (has_selection) { InsertAtLineStarts("//"); return; }
    InsertText("/");
    InsertText("/");
  }
  void UncommentLines() {
    if (has_selection) { RemoveAtLineStarts('/', 2); return; }
    int32_t n = 0;
    if (At(caret - 1) == '/') { n = 1; if (At(caret - 2) == '/') n = 2; }
    Erase(caret - n, n);
    SetCaret(caret - n);
  }
  void ToggleOverwrite() { overwrite = !overwrite; }
  void Paste(const std::string& clip) {
    std::string buffer = clip.substr(0, clip.find('\0'));
    std::string out;
    bool pair = false;
    for (size_t i = 0; i < buffer.size(); ++i) {
      if (buffer[i] == '\r' && i + 1 < buffer.size() && buffer[i + 1] == '\n') { pair = true; continue; }
      out.push_back(buffer[i]);
    }
    if (!pair) std::replace(out.begin(), out.end(), '\r', '\n');
    InsertText(out);
  }

  // Movement.
  void GoToLineColumn(int32_t line, int32_t column) {
    if (column < 0) column = caret_column;
    line = std::clamp(line, 0, LineCount() - 1);
    int32_t s = 0;
    for (int32_t l = 0; l < line; ++l) s = static_cast<int32_t>(text.find('\n', static_cast<size_t>(s))) + 1;
    SetCaret(std::min(s + Utf8CharsToBytes(text.c_str() + s, column), LineEnd(s)));
  }
  void SelectAll() {
    Move(6, false, 0);
    Move(7, true, 0);
  }
  void Finish(bool extend, bool forward) {
    if (extend) UpdateSelection();
    else if (has_selection) { SetCaret(forward ? sel_end : sel_start); ClearSelection(); }
  }
  void Move(int which, bool extend, int32_t page) {
    BeginSelection(extend);
    bool forward = which % 2 == 1;
    int32_t line_start = caret;
    while (line_start > 0 && text[line_start - 1] != '\n') --line_start;
    switch (which) {
      case 0: {  // Left
        int32_t t = caret;
        if (caret > 0) {
          t = caret - 1;
          if (static_cast<unsigned char>(text[t]) >= 0x80) {
            while (t > 0 && caret - t < 4 && IsUtf8Continuation(static_cast<unsigned char>(text[t]))) --t;
          }
        }
        SetCaret(t);
        break;
      }
      case 1: SetCaret(caret + Utf8CharSize(text.c_str() + caret)); break;
      case 2: {  // Ctrl+Left
        int32_t p = caret - 1;
        while (p >= 0 && !(At(p) != ' ' && At(p) != '\n' && (p == 0 || At(p - 1) == ' ' || At(p - 1) == '\n'))) --p;
        if (p < 0) return;
        SetCaret(p);
        break;
      }
      case 3: {  // Ctrl+Right
        int32_t p = caret + 1;
        while (p < Length() && !((At(p - 1) == ' ' || At(p - 1) == '\n') && At(p) != ' ' && At(p) != '\n')) ++p;
        if (p >= Length()) return;
        SetCaret(p);
        break;
      }
      case 4: {  // Home
        int32_t f = line_start;
        while (At(f) == ' ' || At(f) == '\t') ++f;
        SetCaret(f == caret ? line_start : f);
        break;
      }
      case 5: SetCaret(LineEnd(caret)); break;  // End
      case 6: SetCaret(0); break;
      case 7: SetCaret(Length()); break;
      case 8: GoToLineColumn(std::max(caret_line - 1, 0), -1); break;
      case 9: GoToLineColumn(std::min(caret_line + 1, LineCount() - 1), -1); break;
      case 10: GoToLineColumn(std::max(caret_line - page, 0), -1); break;
      case 11: GoToLineColumn(std::min(caret_line + page, LineCount() - 1), -1); break;
    }
    Finish(extend, forward);
  }

  // Search.
  bool MatchAt(int32_t p) const {
    int32_t n = static_cast<int32_t>(find_text.size());
    if (n < 1 || p < 0 || p + n > Length()) return false;
    for (int32_t i = 0; i < n; ++i) {
      char a = text[p + i], b = find_text[i];
      if (!match_case) {
        if (a >= 'A' && a <= 'Z') a += 32;
        if (b >= 'A' && b <= 'Z') b += 32;
      }
      if (a != b) return false;
    }
    if (!whole_word) return true;
    return (p == 0 || At(p - 1) == ' ' || At(p - 1) == '\n') &&
           (p + n == Length() || At(p + n) == ' ' || At(p + n) == '\n');
  }
  bool Found(int32_t p) {
    find_pos = p;
    find_wrapped = false;
    SetCaret(p);
    return true;
  }
  bool Wrapped(int32_t pos) {
    find_pos = pos;
    find_wrapped = true;
    return false;
  }
  bool Find(const std::string& what, bool mc, bool ww, bool new_search, bool backward) {
    ClearSelection();
    match_case = mc;
    whole_word = ww;
    if (backward && !new_search) {
      for (int32_t p = std::min(find_pos, Length()); p >= 0; --p)
        if (MatchAt(p)) return Found(p);
      return Wrapped(Length());
    }
    if (new_search || find_pos < 0 || find_pos >= Length()) {
      if (new_search) { find_text = what; replace_text.clear(); }
      find_pos = caret;
    }
    for (int32_t p = find_pos; p <= Length() - static_cast<int32_t>(find_text.size()); ++p)
      if (MatchAt(p)) return Found(p);
    return Wrapped(0);
  }
  bool FindNext() {
    ClearSelection();
    if (find_text.empty()) return false;
    int32_t n = static_cast<int32_t>(find_text.size());
    if (!find_wrapped && find_pos >= 0 && find_pos < Length() && find_pos + 1 > Length() - n)
      return Wrapped(0);
    if (!find_wrapped && find_pos >= 0) ++find_pos;
    return Find(find_text, match_case, whole_word, false, false);
  }
  bool FindPrevious() {
    ClearSelection();
    if (find_text.empty()) return false;
    if (!find_wrapped && find_pos == 0 && caret == 0) return Wrapped(Length());
    if (!find_wrapped && find_pos > 0) --find_pos;
    return Find(find_text, match_case, whole_word, false, true);
  }
  int32_t ReplaceAll(const std::string& find, const std::string& replacement, bool mc, bool ww) {
    ClearSelection();
    find_text = find;
    replace_text = replacement;
    match_case = mc;
    whole_word = ww;
    find_pos = 0;
    find_wrapped = false;
    std::string out;
    int32_t count = 0, last = -1, p = 0;
    while (p <= Length()) {
      if (MatchAt(p)) {
        last = static_cast<int32_t>(out.size());
        out += replacement;
        p += static_cast<int32_t>(find.size());
        ++count;
      } else {
        if (p < Length()) out.push_back(text[p]);
        ++p;
      }
    }
    if (count == 0) return 0;
    text = out;
    SetCaret(last);
    return count;
  }
};
