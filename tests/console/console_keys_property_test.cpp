// Random keys, clicks and wheel turns for the console editor, fed through
// the host loop and checked after each against a plain model of the text
// (lines of code points) and cursor, and against what the screen must show:
// rows holding the text from the scroll positions on with the selection
// marked, the caret on the cursor, true status and help lines (naming the
// panes drawn, also in a window too low for the split asked for), every
// changed cell repainted. Undo walks back to the opened text, redo forward
// again, each putting the cursor where it was. File switches must reach the
// host.
#include <cctype>
#include <random>
#include <tuple>

#include "console/console_host.h"
#include "engine/utf8.h"
#include "tests/console/editor_fixture.h"

namespace {

using Line = std::u32string;
using Lines = std::vector<Line>;

// The engine's reading of UTF-8, which the console's own code does not use.
Line Codes(const std::string& s) {
  Line out;
  for (size_t at = 0; at < s.size();) out += NextCodePoint(s.data(), s.size(), &at);
  return out;
}
Lines Decode(const ConsoleLines& lines) {
  Lines t(lines.size());
  std::transform(lines.begin(), lines.end(), t.begin(), Codes);
  return t;
}
// Two panes asked for; 1.0 and 0.0 both mean one.
bool Divided(double divider) { return divider > 0.0 && divider < 1.0; }
int Len(const Lines& t, int l) { return l < static_cast<int>(t.size()) ? static_cast<int>(t[l].size()) : 0; }
int Indent(const Line& s) { return static_cast<int>(std::min(s.find_first_not_of(U' '), s.size())); }
bool WordChar(char32_t c) { return c < 128 && (isalnum(static_cast<int>(c)) || c == '_'); }
// Word movement stops where these classes change.
int Class(char32_t c) { return c >= 128 ? 3 : c == ' ' ? 0 : WordChar(c) ? 1 : c == ';' ? 2 : 3; }
// Whether the search for "a" in `mode` (substring, word or token; odd: case
// sensitive) matches at column c.
bool Hit(const Line& s, int c, int mode) {
  auto edge = [&](int i) {
    return i < 0 || i >= static_cast<int>(s.size()) || (mode < 4 ? !WordChar(s[i]) : s[i] == ' ');
  };
  return (s[c] == 'a' || (s[c] == 'A' && mode % 2 == 0)) && (mode < 2 || (edge(c - 1) && edge(c + 1)));
}

struct Pos {
  int l, c;
  bool operator<(const Pos& o) const { return std::tie(l, c) < std::tie(o.l, o.c); }
  bool operator==(const Pos& o) const { return std::tie(l, c) == std::tie(o.l, o.c); }
};
// The selection's ends in text order.
void Ordered(const int* selection, Pos* a, Pos* b) {
  *a = {selection[1], selection[0]}, *b = {selection[3], selection[2]};
  if (*b < *a) std::swap(*a, *b);
}

void Erase(Lines* t, Pos a, Pos b) {
  const int n = static_cast<int>(t->size());
  if (a.l >= n) return;
  if (b.l >= n) b = {n - 1, Len(*t, n - 1)};
  (*t)[a.l] = (*t)[a.l].substr(0, a.c) + (*t)[b.l].substr(b.c);
  t->erase(t->begin() + a.l + 1, t->begin() + b.l + 1);
}
Line Selected(const Lines& t, Pos a, Pos b, const Line& eol) {
  Line out;
  for (int l = a.l; l <= b.l && l < static_cast<int>(t.size()); ++l)
    out += t[l].substr(l == a.l ? a.c : 0, std::max((l == b.l ? b.c : Len(t, l)) - (l == a.l ? a.c : 0), 0)) +
           (l < b.l ? eol : U"");
  return out;
}
// Pasted text: split at CR LF, LF or CR, tabs as `indent` spaces.
void InsertAt(Lines* t, Pos* p, const Line& text, int indent) {
  Lines pieces{U""};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') pieces.emplace_back(), i += text.compare(i, 2, U"\r\n") == 0;
    else pieces.back() += text[i] == '\t' ? Line(indent, ' ') : Line(1, text[i]);
  }
  t->resize(std::max<size_t>(t->size(), p->l + 1));
  const Line tail = (*t)[p->l].substr(p->c);
  (*t)[p->l] = (*t)[p->l].substr(0, p->c) + pieces[0];
  t->insert(t->begin() + p->l + 1, pieces.begin() + 1, pieces.end());
  p->l += static_cast<int>(pieces.size()) - 1, p->c = Len(*t, p->l);
  (*t)[p->l] += tail;
}

// Where a movement key takes the cursor; the view's first line and rows
// matter for the page keys and Ctrl+Up/Down, `wanted` for vertical moves.
Pos Move(const Lines& t, Pos p, int key, bool ctrl, int wanted, int scroll, int rows) {
  const int n = static_cast<int>(t.size()), last = std::max(n - 1, 0), len = Len(t, p.l);
  Pos q = p;
  if ((key == kKeyUp || key == kKeyDown) && ctrl) {
    scroll = std::clamp(scroll + (key == kKeyUp ? -1 : 1), 0, last);
    q.l = std::clamp(p.l, scroll, scroll + rows - 1);
  } else if (key == kKeyUp || key == kKeyDown) {
    q.l += key == kKeyUp ? -1 : 1;
  } else if (key == kKeyPageUp) {
    q.l = p.l != scroll ? scroll : p.l - rows;
  } else if (key == kKeyPageDown) {
    const int bottom = std::min(scroll + rows - 1, last);
    q.l = p.l != bottom ? bottom : std::min(p.l + rows, last);
  } else if (ctrl && (key == kKeyRight || key == kKeyLeft) && p.l < n) {
    const int d = key == kKeyRight ? 1 : -1, edge = d > 0 ? len : 0, off = d > 0 ? 0 : -1;
    if (p.c == edge) q = d > 0 ? (p.l + 1 < n ? Pos{p.l + 1, 0} : p) : (p.l > 0 ? Pos{p.l - 1, Len(t, p.l - 1)} : p);
    for (int k = p.c == edge ? -1 : Class(t[p.l][p.c + off]); k >= 0 && q.c != edge && Class(t[p.l][q.c + off]) == k;)
      q.c += d;
  } else if (key == kKeyRight) {
    q = p.c < len ? Pos{p.l, p.c + 1} : p.l < last ? Pos{p.l + 1, 0} : p;
  } else if (key == kKeyLeft) {
    q = p.c > 0 ? Pos{p.l, p.c - 1} : p.l > 0 ? Pos{p.l - 1, Len(t, p.l - 1)} : p;
  } else if (key == kKeyHome) {
    const int first = p.l < n ? Indent(t[p.l]) : 0;
    q = ctrl ? Pos{0, 0} : Pos{p.l, p.c == first ? 0 : first};
  } else if (key == kKeyEnd) {
    q = {ctrl ? last : p.l, Len(t, ctrl ? last : p.l)};
  }
  q.l = std::clamp(q.l, 0, std::max(last, std::min(p.l, n)));  // onto the line after the text only from there
  q.c = std::clamp(key <= kKeyPageDown ? (wanted >= 0 ? wanted : p.c) : q.c, 0, Len(t, q.l));
  return q;
}

class ConsoleKeysProperty : public EditorTest {
 protected:
  Pos Cursor() const { return {editor->cursor_line, editor->cursor_col}; }
  // An ASCII text as a row shows it: cut at the right edge, trailing spaces dropped.
  std::string Cut(std::string text) const {
    text.resize(std::min<size_t>(text.size(), screen.grid.cols));
    return text.erase(std::min(text.find_last_not_of(' ') + 1, text.size()));
  }
  std::string ScreenMismatch(const Lines& t, bool may_leave) const;
  std::string Unpainted(const std::vector<ConsoleCell>& before, bool caret) const;
};

// Empty when the screen shows the editor's state, else what differs. With
// `may_leave` (after a wheel turn) the cursor may be out of view.
std::string ConsoleKeysProperty::ScreenMismatch(const Lines& t, bool may_leave) const {
  const ConsoleEditor& e = *editor;
  const ConsoleGrid& g = screen.grid;
  const ConsoleLayout& layout = screen.layout;
  const int n = static_cast<int>(t.size());
  const bool split = layout.panes[1].row_count > 0;
  const bool divided = Divided(e.pane_divider);
  if (layout.panes[0].row_count + (split ? layout.panes[1].row_count + 1 : 0) != g.rows - 3)
    return "panes do not fill the text rows";
  if (split != (divided && g.rows - 3 >= 3)) return "two panes need three text rows";
  Pos a, b;
  Ordered(e.selection, &a, &b);
  for (int p = 0; p < (split ? 2 : 1); ++p) {
    const ConsolePaneView& pane = layout.panes[p];
    if (pane.scroll != e.pane_scroll[p] || pane.total_lines != n) return "layout not published";
    const int width = std::max(g.cols - (n > pane.row_count ? 1 : 0), 1);
    for (int index = 0; index < pane.row_count; ++index) {
      const int line = e.pane_scroll[p] + index, length = Len(t, line);
      for (int x = 0, col = e.hscroll; x < g.cols; ++x, ++col) {
        const ConsoleCell& cell = *GridCell(g, x, pane.first_row + index);
        const char32_t want = x < width && col < length ? t[line][col] : ' ';
        // A selected line break shows as one more selected cell.
        const bool marked = e.selecting && line < n && x < width && line >= a.l && line <= b.l &&
                            col >= (line == a.l ? a.c : 0) && col < (line == b.l ? b.c : length + 1);
        if ((cell.ch ? cell.ch : ' ') != (want > 0xFFFF ? 0xFFFD : want) || cell.attr != (marked ? 4 : 0))
          return "pane " + std::to_string(p) + " row " + std::to_string(index) + " col " + std::to_string(x);
      }
    }
  }
  if (split && GridRowText(g, layout.panes[1].first_row - 1) != std::string(g.cols, ' ')) return "divider";
  std::string help = e.selecting ? "SELECTING  ESC:cancel Ctrl+(Copy X:cut V:paste)"
                                 : std::string("Ctrl+(") + (split ? "Otherpane noPanes " : "Pane ") + "Find/Replace )";
  if (screen.Row(g.rows - 2) != Cut(help)) return "help line " + screen.Row(g.rows - 2);
  std::string name = e.file_name;
  if (static_cast<int>(name.size()) > g.cols) name = "..." + name.substr(name.size() - std::max(g.cols - 3, 0));
  if (screen.Row(0) != Cut(name)) return "top line";
  const int p = e.current_pane, scroll = e.pane_scroll[p], rows = layout.panes[p].row_count;
  const int width = std::max(g.cols - (n > rows ? 1 : 0), 1);
  const bool seen = e.cursor_line >= scroll && e.cursor_line < scroll + rows;
  if (!seen && !may_leave && rows > 0) return "cursor line outside the view";
  if (e.cursor_col < e.hscroll || e.cursor_col >= e.hscroll + width) return "cursor column hidden";
  if (e.hscroll > std::max(Len(t, e.cursor_line) - width + 1, 0)) return "scrolled further than the line needs";
  if (g.cursor_x != (seen ? e.cursor_col - e.hscroll : -1) ||
      g.cursor_y != (seen ? layout.panes[p].first_row + e.cursor_line - scroll : -1))
    return "caret off the cursor";
  if (e.prompt_state == kPromptMessage) return "";
  char status[200];
  snprintf(status, sizeof status, "%sLine %d/%d [%d-%d] Col %d [%s]%s",
           split ? (p == 0 ? "Upper pane: " : "Lower pane: ") : "", e.cursor_line + 1, n, scroll + 1,
           std::min(scroll + rows, n), e.cursor_col + 1, console_overwrite ? "OVR" : "INS",
           e.undo_position != 0 ? "*" : "");
  return Status() == Cut(status) ? "" : "status line " + Status();
}

// Empty when every cell that differs from `before` was invalidated, and
// with `caret` the moved caret's cell too, all within the grid.
std::string ConsoleKeysProperty::Unpainted(const std::vector<ConsoleCell>& before, bool caret) const {
  const ConsoleGrid& g = screen.grid;
  auto covered = [&](int x, int y) {
    for (const ConsoleRect& r : screen.invalidated)
      if (x >= r.col1 && x <= r.col2 && y >= r.row1 && y <= r.row2) return true;
    return false;
  };
  for (const ConsoleRect& r : screen.invalidated)
    if (r.col1 < 0 || r.row1 < 0 || r.col2 >= g.cols || r.row2 >= g.rows) return "invalidated outside the grid";
  for (int i = 0; i < g.rows * g.cols; ++i) {
    const bool same = before.size() == g.cells.size() && before[i].ch == g.cells[i].ch && before[i].attr == g.cells[i].attr;
    if (!same && !covered(i % g.cols, i / g.cols)) return "cell " + std::to_string(i) + " changed unseen";
  }
  const bool moved = g.cursor_x != g.last_caret_x || g.cursor_y != g.last_caret_y;
  return !caret || !moved || g.cursor_x < 0 || covered(g.cursor_x, g.cursor_y) ? "" : "caret cell not repainted";
}

TEST_F(ConsoleKeysProperty, RandomInputKeepsTheTextTheViewAndTheScreenRight) {
  const char32_t typed[] = {'a', 'Z', ' ', ';', '(', '~', 0x7F, 0x80, 0xE9, 0x7FF, 0x800, 0x905, 0xFFFF, 0x1F600, 0xD800};
  const char* const pieces[] = {"a", "b", "_", "  ", ";", "(", "\xC3\xA9", "\xDF\xBF", "\xE0\xA0\x80",
                                "\xE0\xA4\x85", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "xyz"};
  const char* const pastes[] = {"p", "q\r\nr", "\ts\rt\n", "\xE0\xA4\x85\n\n"};
  const Line replacements[] = {U"", U"b", U"xa", U"\xE9\x905"};
  for (int seed = 0; seed < 50; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % n); };
    std::string file;
    for (int l = seed % 8 == 1 ? 0 : pick(40); l > 0; --l, file += "\n")
      for (int i = pick(3) == 0 ? pick(60) : pick(8); i > 0; --i) file += pieces[pick(13)];
    delete editor;
    editor = new HostedEditor(&screen, &clipboard);
    editor->indent_size = 1 + pick(4);
    editor->lines.chunk_lines = 1 + seed % 4;  // small chunks: every edit cuts or joins them
    const bool thinning = seed % 4 == 0;  // thinning keeps the opened state
    editor->max_undo_states = thinning ? 6 : 500;
    editor->pane_divider = seed % 3 ? 1.0 : 0.0;
    console_overwrite = 0;
    const int mode = console_search_mode = pick(6);
    editor->find_text = "a";
    ResizeGrid(&screen.grid, 3 + pick(21), 1 + pick(70));
    ASSERT_TRUE(Load(file));
    ASSERT_EQ(Text(), file);
    editor->Redraw();
    Lines t = Decode(editor->lines);
    // Each undo state's text, the cursor after its action and the one just before the next.
    struct State { Lines t; Pos after, before_next; };
    std::vector<State> states{{t, {0, 0}, {0, 0}}};
    bool wheeled = false;  // the wheel may have left the cursor out of view
    for (int step = 0; step < 150; ++step) {
      const Lines old = t;
      const std::vector<ConsoleCell> painted = screen.grid.cells;
      screen.invalidated.clear();
      const Pos cur = Cursor();
      const int n = static_cast<int>(t.size()), indent = editor->indent_size, pane = editor->current_pane;
      const int old_position = editor->undo_position, scroll = editor->pane_scroll[pane];
      const ConsoleLayout& layout = screen.layout;
      const int rows = std::max(layout.panes[pane].row_count, 1);  // a window with no text row pages by one
      const bool sel = editor->selecting, seen = !wheeled;
      const bool was_divided = Divided(editor->pane_divider);
      Pos a, b, p = cur;
      int ends[4];  // the selection after an indent
      std::copy(editor->selection, editor->selection + 4, ends);
      Ordered(editor->selection, &a, &b);
      // Typing, Enter, Backspace, Delete and pasting replace the selection.
      auto drop_selection = [&] { if (sel) Erase(&t, a, b), p = a.l < n ? a : cur; };
      auto ensure_line = [&] { t.resize(std::max<size_t>(t.size(), p.l + 1)); };
      auto type = [&](const Line& text) {
        drop_selection(), ensure_line();
        t[p.l].erase(p.c, console_overwrite ? text.size() : 0);
        t[p.l].insert(p.c, text), p.c += static_cast<int>(text.size());
      };
      bool ctrl = false, shift = false, alt = false, predicted = true;  // the model knows the cursor after the key
      int key = 0;
      Line then;  // keys queued after this one, with no modifier held
      std::string told;  // the message a replace must leave
      std::vector<std::string> calls;  // what the host must be asked
      const int r = pick(100);
      if (r < 28) {
        key = typed[pick(15)];
        if (key != 0x7F) type(Line(1, key == 0xD800 ? '_' : key));  // a lone surrogate cannot be stored
      } else if (r < 33) {
        key = kKeyTab, shift = pick(2);
        if (sel) {
          b.l -= b.l > a.l && b.c == 0;  // a line selected up to column 0 is left alone
          for (int l = a.l; l <= std::min(b.l, n - 1); ++l) {
            const int delta = shift ? -std::min(Indent(t[l]), indent) : indent;
            shift ? t[l].erase(0, -delta) : t[l].insert(0, indent, ' ');
            for (int end = 0; end < 4; end += 2)  // ends at column 0 stay: whole lines stay selected
              if (ends[end + 1] == l && ends[end] > 0) ends[end] = std::clamp(ends[end] + delta, 0, Len(t, l));
            if (p.l == l) p.c = std::clamp(p.c + delta, 0, Len(t, l));
          }
        } else if (shift && p.l < n) {  // back to the previous indent stop over spaces
          for (const int stop = p.c == 0 ? 0 : (p.c - 1) / indent * indent; p.c > stop && t[p.l][p.c - 1] == ' ';)
            t[p.l].erase(--p.c, 1);
        } else if (!shift) {
          type(Line(indent - p.c % indent, ' '));
        }
      } else if (r < 40) {
        key = kKeyEnter, ctrl = pick(8) == 0;  // Ctrl+Enter splits at the end of the line
        drop_selection(), ensure_line();
        const Line indent_text(Indent(t[p.l]), ' ');
        if (console_overwrite) {  // only moves down, making a line after the last
          if (p.l + 1 >= static_cast<int>(t.size())) t.push_back(indent_text);
          p = {p.l + 1, Indent(t[p.l + 1])};
        } else {
          const Line rest = t[p.l].substr(ctrl ? t[p.l].size() : p.c);
          t[p.l].erase(ctrl ? t[p.l].size() : p.c);
          t.insert(t.begin() + p.l + 1, indent_text + rest.substr(Indent(rest)));
          p = {p.l + 1, Indent(indent_text)};
        }
      } else if (r < 47) {
        key = kKeyBackspace;
        if (sel) {
          drop_selection();
        } else if (p.l >= n) {
          p = p.l > 0 ? Pos{n - 1, Len(t, n - 1)} : p;
        } else if (p.c == 0 && p.l > 0) {
          const Line joined = t[p.l];
          t.erase(t.begin() + p.l);
          p = {p.l - 1, Len(t, p.l - 1)};
          if (Indent(joined) < static_cast<int>(joined.size())) t[p.l] += joined;  // blank lines go
        } else if (p.c > 0) {  // a whole indent step within leading spaces
          const int count = p.c % indent == 0 && Indent(t[p.l]) >= p.c ? indent : 1;
          t[p.l].erase(p.c -= count, count);
        }
      } else if (r < 53) {
        key = kKeyDelete, shift = pick(4) == 0;  // Shift+Delete deletes a character even with a selection
        if (sel && !shift) {
          drop_selection();
        } else if (p.c < Len(t, p.l)) {
          t[p.l].erase(p.c, 1);
        } else if (p.l + 1 < n) {  // the next line joins with its indentation cut to one
          t[p.l] += t[p.l + 1].substr(std::max(Indent(t[p.l + 1]), 1) - 1);
          t.erase(t.begin() + p.l + 1);
        }
      } else if (r < 78) {
        key = kKeyDown + pick(8), shift = pick(3) == 0, ctrl = pick(5) == 0;
        p = Move(t, cur, key, ctrl, editor->wanted_col, scroll, rows);
      } else if (r < 86) {
        // A click (with Shift: extending) and a drag, a double-click or a wheel turn, anywhere in the window.
        auto mouse = [&](ConsoleMouseKind kind, int x, int y, int delta = 0) {
          editor->OnMouse({kind, x * 8 + 3, y * 8 + 3, delta});
        };
        const int x = pick(screen.grid.cols), y = pick(screen.grid.rows);
        const int x2 = pick(screen.grid.cols), y2 = pick(screen.grid.rows);
        int vp = -1;  // the pane under (x, y)
        for (int q = 0; q < 2; ++q)
          if (y >= layout.panes[q].first_row && y < layout.panes[q].first_row + layout.panes[q].row_count) vp = q;
        auto under = [&](int x, int y) {  // the text under a cell, clamped into the pane clicked
          const ConsolePaneView& view = layout.panes[vp];
          const int l = std::clamp(editor->pane_scroll[vp] + std::clamp(y - view.first_row, 0, view.row_count - 1), 0,
                                   std::max(n - 1, 0));
          return Pos{l, std::clamp(editor->hscroll + x, 0, Len(t, l))};
        };
        key = -1;
        if (pick(4) == 0) {  // a few rows past the end at most, in the pane under the wheel or else the current one
          const int wp = vp >= 0 ? vp : pane, old_scroll = editor->pane_scroll[wp];
          mouse(ConsoleMouseKind::kWheel, x, y, (x2 % 7 - 3) * 20);
          const int limit = std::max(n - layout.panes[wp].row_count + 4, 0);
          EXPECT_EQ(editor->pane_scroll[wp], std::clamp(old_scroll - x2 % 7 + 3, 0, limit));
          key = -2, wheeled = true;
        } else if (vp >= 0 && pick(4) == 0) {  // a double-click selects the word under it
          const int dx = x % std::max(Len(t, under(0, y).l) - editor->hscroll + 1, 1);  // on the line's text
          const Pos at = under(dx, y);
          const bool word = at.c < Len(t, at.l) && WordChar(t[at.l][at.c]);
          int from = at.c;
          while (word && from > 0 && WordChar(t[at.l][from - 1])) --from;
          for (p = word ? at : cur; word && p.c < Len(t, at.l) && WordChar(t[at.l][p.c]);) ++p.c;
          mouse(ConsoleMouseKind::kLeftDouble, dx, y);
          if (word) {
            EXPECT_TRUE(editor->selecting && editor->selection[0] == from && editor->selection[2] == p.c);
          }
        } else {  // off the panes only the divider answers: it follows the drag
          const bool divider = y == DividerRow(layout);
          const int text_rows = screen.grid.rows - 3;
          screen.shift = pick(3) == 0;
          const Pos clicked = vp < 0 ? cur : under(x, y);
          const Pos anchor = !screen.shift ? clicked : sel ? Pos{editor->selection[1], editor->selection[0]} : cur;
          mouse(ConsoleMouseKind::kLeftDown, x, y);
          EXPECT_EQ(Cursor(), clicked);
          if (vp >= 0) p = under(x2, y2);
          mouse(ConsoleMouseKind::kMove, x2, y2);
          mouse(pick(2) ? ConsoleMouseKind::kLeftUp : ConsoleMouseKind::kCaptureLost, x2, y2);
          if (vp >= 0) {
            EXPECT_EQ(editor->selecting != 0, p == clicked ? screen.shift : !(p == anchor));
          }
          if (divider && y2 - 1 > text_rows / 10 && y2 - 1 < text_rows * 9 / 10) {
            EXPECT_EQ(DividerRow(layout), y2);
          }
          EXPECT_FALSE(screen.captured);
          const double share = editor->pane_divider;
          mouse(ConsoleMouseKind::kMove, x, y);  // released: nothing follows the mouse now
          EXPECT_TRUE(Cursor() == p && editor->pane_divider == share);
        }
      } else {
        const int which = pick(16), f_key = kKeyF1 + (pick(2) ? 9 + pick(2) : pick(12));  // often F10, F11
        const int others[] = {kKeyEscape, kKeyInsert, f_key, kKeyCtrlCloseBracket, CtrlKey('R'), 0};
        key = which < 10 ? "ACXVDZYPOG"[which] - 'A' + 1 : others[which - 10];
        ctrl = which < 10 || key == CtrlKey('R') || ((key == kKeyEscape || key == f_key) && pick(2));
        predicted = false;
        if (key >= kKeyF1 || key == CtrlKey('G')) shift = pick(2);
        if (key == kKeyInsert) shift = pick(3) == 1, alt = pick(3) == 1;  // either pastes
        if (ctrl && key >= kKeyF1 && key - kKeyF1 <= 9) calls = {"switch to " + std::to_string(key - kKeyF1)};
        if (ctrl && key == kKeyEscape) calls = {"switch by -1"};
        if (key == kKeyCtrlCloseBracket) calls = {"switch by 1"};
        if (key == CtrlKey('V') || (key == kKeyInsert && (shift || alt))) {
          clipboard.SetText(pastes[pick(4)]);
          drop_selection();
          InsertAt(&t, &p, Codes(clipboard.Text()), indent);
          predicted = true;
        }
        if (key == CtrlKey('A')) {  // the whole text selected, the cursor at its end
          p = n ? Pos{n - 1, Len(t, n - 1)} : cur;
          predicted = true;
        }
        if (key == CtrlKey('X') && sel) Erase(&t, a, b);
        if (key == CtrlKey('D') && !sel && p.l < n) t.insert(t.begin() + p.l, t[p.l]);
        if (key == CtrlKey('D') && sel && b.l < n) InsertAt(&t, &b, Selected(old, a, b, U"\n"), indent);
        if (key == CtrlKey('R')) {  // replace every "a", counting instances and lines
          const Line with = replacements[pick(4)];
          int instances = 0, changed = 0;
          for (Line& s : t) {
            Line out;
            const int before = instances;
            for (int c = 0; c < static_cast<int>(s.size()); ++c) {
              instances += Hit(s, c, mode);
              out += Hit(s, c, mode) ? with : Line(1, s[c]);
            }
            changed += instances > before;
            s.swap(out);
          }
          const char32_t inert[] = {kKeyDown, kKeyUp, kKeyF12, 0x7F};  // keys that type nothing into a prompt
          // The last answer is offered again: cleared first.
          then = Line(3, kKeyBackspace) + Line(1, inert[pick(4)]) + with + Line(1, kKeyEnter);
          told = "Replaced " + std::to_string(instances) + (instances == 1 ? " instance on " : " instances on ") +
                 std::to_string(changed) + (changed == 1 ? " line" : " lines");
        }
      }
      screen.ctrl = ctrl, screen.shift = shift, screen.alt = alt;
      if (key > 0) ScreenQueueKey(&screen, key);
      screen.ctrl = screen.shift = screen.alt = false;
      for (char32_t k : then) ScreenQueueKey(&screen, static_cast<int>(k));
      if (key == 0) {  // the window changes size and asks for a redraw
        ResizeGrid(&screen.grid, 3 + pick(21), 1 + pick(70));
        screen.flags |= kConsoleRedrawPending;
      }
      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step) + " key " + std::to_string(key));
      if (key >= 0) {
        ASSERT_TRUE(RunConsoleHostLoop(&screen, &editor));
      }
      ASSERT_EQ(editor->CheckInvariants(), "");
      const bool undo = key == CtrlKey('Z') || key == CtrlKey('Y');
      if (undo) t = Decode(editor->lines);
      ASSERT_EQ(Decode(editor->lines), t);
      if (predicted) {
        ASSERT_EQ(Cursor(), p);
      }
      ASSERT_EQ(ScreenMismatch(t, wheeled), "");
      ASSERT_EQ(Unpainted(painted, key >= 0), "");
      EXPECT_EQ(Calls(), calls);
      Calls().clear();
      if (key == CtrlKey('R')) {  // one undo step, and none when nothing changed
        EXPECT_EQ(editor->message, told);
        EXPECT_EQ(editor->undo_position == old_position, t == old);
      }
      const int index = editor->cursor_line - editor->pane_scroll[editor->current_pane];
      wheeled = wheeled && (index < 0 || index >= screen.layout.panes[editor->current_pane].row_count);
      if (key == CtrlKey('O') || key == CtrlKey('P')) {  // Ctrl+O splits first, Ctrl+P toggles
        EXPECT_EQ(Divided(editor->pane_divider), key == CtrlKey('O') || !was_divided);
      }
      if (key == kKeyTab && sel) {
        EXPECT_TRUE(std::equal(ends, ends + 4, editor->selection));
      }
      if ((key == CtrlKey('C') || key == CtrlKey('X')) && sel) {
        EXPECT_EQ(Codes(clipboard.Text()), Selected(old, a, b, U"\r\n"));
      }
      if ((key == kKeyPageDown || key == kKeyPageUp) && seen && screen.layout.panes[pane].row_count == rows) {
        // From the view's edge a page turns, at the end no further than the last line at the bottom.
        const bool down = key == kKeyPageDown, edge = cur.l == (down ? std::min(scroll + rows, n) - 1 : scroll);
        EXPECT_EQ(editor->pane_scroll[pane], !edge ? scroll : down ? std::max(std::min(scroll + rows, n - rows), 0)
                                                                  : std::max(scroll - rows, 0));
      }
      if (key == CtrlKey('G') || (key == kKeyF1 + 2 && !ctrl)) {  // the next (Shift: previous) "a", wrapping
        std::vector<Pos> found;
        for (int l = 0; l < n; ++l)
          for (int c = 0; c < Len(t, l); ++c)
            if (Hit(t[l], c, mode)) found.push_back({l, c});
        const auto next = std::upper_bound(found.begin(), found.end(), cur);
        const auto here = std::lower_bound(found.begin(), found.end(), cur);
        if (found.empty()) {
          EXPECT_NE(editor->message.find("not found"), std::string::npos);
        }
        if (found.empty() || cur.l >= n) continue;
        const Pos want = shift ? (here == found.begin() ? found.back() : here[-1]) : next == found.end() ? found[0] : *next;
        EXPECT_TRUE(Cursor() == want && editor->selecting && editor->selection[2] == want.c + 1);
        EXPECT_EQ(editor->message.find("(wrapped)") != std::string::npos, shift ? !(want < cur) : !(cur < want));
      }
      if (thinning) continue;
      const int position = editor->undo_position;
      if (undo) {
        const int last = static_cast<int>(states.size()) - 1;
        ASSERT_EQ(position, key == CtrlKey('Z') ? std::max(old_position - 1, 0) : std::min(old_position + 1, last));
        EXPECT_EQ(t, states[position].t);
        if (position != old_position) {
          EXPECT_EQ(Cursor(), key == CtrlKey('Z') ? states[position].before_next : states[position].after);
        }
        const std::string left = std::to_string(key == CtrlKey('Z') ? position : last - position);
        EXPECT_EQ(editor->message, position == old_position ? (key == CtrlKey('Z') ? "Can't Undo" : "Can't Redo")
                                   : key == CtrlKey('Z') ? "Undid action - " + left + " items in undo buffer"
                                                         : "Redid action - " + left + " items in redo buffer");
      } else if (position != old_position) {
        states[old_position].before_next = cur;
        states.resize(position + 1);
        states[position] = {t, Cursor(), cur};
      }
    }
    // Thinning keeps the saved state too: a save, more edits, then undo back to it.
    const std::string saved = Text();
    ASSERT_TRUE(editor->SaveFile());
    for (int i = 0; i < 20; ++i) Key(typed[i % 5]);
    const std::string edited = Text();
    for (int guard = 0; editor->IsModified() && guard < 1000; ++guard) Ctrl('Z');
    EXPECT_EQ(Text(), saved) << "seed " << seed;
    for (int guard = 0; editor->undo_position > 0 && guard < 1000; ++guard) Ctrl('Z');
    Ctrl('Z');  // once more: nothing left to undo
    EXPECT_TRUE(Text() == file && editor->message == "Can't Undo") << "seed " << seed;
    Ctrl('Y');
    const std::string redid = editor->message;
    int left = 0;  // redo steps after the first, and the one that finds none
    for (; editor->message != "Can't Redo" && left < 1000; ++left) Ctrl('Y');
    EXPECT_EQ(redid, "Redid action - " + std::to_string(left - 1) + " items in redo buffer") << "seed " << seed;
    EXPECT_EQ(Text(), edited) << "seed " << seed << ": redo walks forward to the last edit";
    // Undoing the first edit puts the cursor back where that edit found it.
    for (int guard = 0; editor->undo_position > 0 && guard < 1000; ++guard) Ctrl('Z');
    Key(kKeyEnd);
    const Pos before = Cursor();
    Key('q');
    Ctrl('Z');
    EXPECT_EQ(Cursor(), before) << "seed " << seed;
  }
}

}  // namespace
