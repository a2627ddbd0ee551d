// The message filter's decisions (the Folders and Switch windows' keys, then
// the main window's rows and typed characters), the menu's rules, and the
// Find and Go-to dialogs' actions on a document.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/commands.h"
#include "app/search_actions.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "tests/support/engine_test_document.h"

namespace {

constexpr uint32_t kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B, kUp = 0x26, kRight = 0x27,
                   kDown = 0x28, kDelete = 0x2E, kF11 = 0x7A;
enum Mods { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4, kNoRepeat = 8, kCaptured = 16, kOnRoot = 32 };

DispatchInput Key(BrowseFocus focus, uint32_t key, int m) {
  DispatchInput in;
  in.kind = KeyMessage::KeyDown;
  in.main_window_exists = true;
  in.for_main_window = focus == BrowseFocus::None;
  in.focus = focus;
  in.for_folders_window = focus == BrowseFocus::FoldersTree || focus == BrowseFocus::FoldersFilter;
  in.for_switch_window = focus == BrowseFocus::SwitchList;
  in.wparam = key;
  in.repeat_bit = !(m & kNoRepeat);
  in.ctrl = m & kCtrl;
  in.shift = m & kShift;
  in.alt = m & kAlt;
  in.captured = m & kCaptured;
  in.tree_on_root = m & kOnRoot;
  return in;
}

TEST(Dispatch, EachWindowsKeysNeedTheirFocusRepeatBitAndExactModifiers) {
  KeyBindingTable table;
  ASSERT_TRUE(BuildKeyBindingTable(&table));
  ASSERT_EQ(table.down.size(), 67u);
  using A = BrowseAction;
  using C = KeyCommand;
  const BrowseFocus tree = BrowseFocus::FoldersTree, filter = BrowseFocus::FoldersFilter,
                    list = BrowseFocus::SwitchList, main = BrowseFocus::None;
  const A a0 = A::None;
  const C c0 = C::None;
  const struct { BrowseFocus focus; uint32_t key; int mods; A browse; C run; bool consumed; } cases[] = {
      {tree, kReturn, kNone, A::OpenSelectedFile, c0, 1}, {tree, kReturn, kNoRepeat, a0, c0, 0},
      {tree, kReturn, kShift, a0, c0, 0}, {tree, kDelete, kNone, A::DeleteSelectedItem, c0, 1},
      {tree, kDelete, kCtrl | kShift, A::ResetTree, c0, 1}, {tree, kDelete, kCtrl, a0, c0, 0},
      {tree, kDelete, kCtrl | kShift | kAlt, a0, c0, 0}, {tree, kDelete, kCtrl | kShift | kNoRepeat, a0, c0, 0},
      {tree, kDown, kNone, a0, c0, 0}, {tree, kUp, kNone, a0, c0, 0},  // Up leaves the tree only from "Root"
      {tree, kUp, kOnRoot, A::FocusFilter, c0, 1}, {tree, kUp, kOnRoot | kShift, a0, c0, 0},
      {tree, kUp, kOnRoot | kCaptured, a0, c0, 1}, {filter, kDown, kNone, A::FocusTree, c0, 1},
      {filter, kReturn, kNone, A::ApplyFilter, c0, 1}, {filter, kReturn, kCtrl, a0, c0, 0},
      {filter, kDelete, kNone, a0, c0, 0}, {filter, 'D', kAlt | kNoRepeat, A::SelectFilter, c0, 1},
      {tree, 'D', kAlt, A::SelectFilter, c0, 1}, {tree, 'D', kCtrl | kAlt, a0, c0, 0},
      {tree, 'D', kAlt | kShift, a0, c0, 0}, {filter, 'D', kNone, a0, c0, 0},  // typed text
      {list, kReturn, kNone, A::ActivateSelected, c0, 1},  // not the main Enter row
      {list, kTab, kNone, A::NextRow, c0, 1}, {list, kTab, kShift, A::PreviousRow, c0, 1},
      {list, kTab, kCtrl, a0, c0, 0}, {list, kTab, kAlt, a0, c0, 0}, {list, kTab, kNoRepeat, a0, c0, 0},
      {list, kReturn, kShift, a0, c0, 0}, {list, 'D', kAlt, a0, c0, 0}, {list, kTab, kCaptured, a0, c0, 1},
      {main, kReturn, kNone, a0, C::Enter, 1}, {main, kRight, kNone, a0, C::Right, 1},
      {main, kRight, kNoRepeat, a0, c0, 0},  // virtual-key rows need the repeat bit, letter rows do not
      {main, 'S', kCtrl | kNoRepeat, a0, C::Save, 1}, {main, 'S', kCtrl | kShift, a0, C::SaveAll, 1},
      {main, 'S', kAlt, a0, C::SaveAs, 1}, {main, 'O', kCtrl, a0, C::Open, 1},
      {main, 'O', kCtrl | kShift, a0, C::OpenFolder, 1}, {main, 'O', kCtrl | kAlt, a0, c0, 0},
      {main, kRight, kCtrl | kShift, a0, C::SelectWordRight, 1}, {main, kF11, kNone, a0, C::ToggleFullscreen, 1},
      {main, kF11, kShift, a0, c0, 0}, {main, kEscape, kNone, a0, c0, 0}, {main, 'N', kNone, a0, c0, 0},
      {main, kRight, kCaptured, a0, c0, 1}, {main, kEscape, kCaptured, a0, c0, 0}};  // a drag swallows keys
  for (const auto& k : cases) {
    const DispatchResult r = DecideDispatch(table, Key(k.focus, k.key, k.mods));
    EXPECT_TRUE(k.browse == r.browse && k.run == r.run && k.consumed == r.consumed)
        << k.key << " mods " << k.mods << " focus " << int(k.focus);
  }
  // A control of another window, a window that is gone, key-ups and other messages.
  DispatchInput away[] = {Key(main, kReturn, kNone), Key(filter, kReturn, kNone), Key(list, kReturn, kNone)};
  away[0].for_folders_window = true, away[1].for_folders_window = false, away[2].for_switch_window = false;
  for (const DispatchInput& a : away) EXPECT_TRUE(!DecideBrowseDispatch(a).consumed && DecideBrowseDispatch(a).browse == a0);
  DispatchInput in = Key(main, kRight, kNone);
  in.main_window_exists = false;
  EXPECT_FALSE(DecideDispatch(table, in).consumed);
  for (uint32_t key = 1; key < 256; ++key) {
    for (BrowseFocus focus : {main, list}) {
      in = Key(focus, key, kNone);
      in.kind = KeyMessage::KeyUp;
      EXPECT_FALSE(DecideDispatch(table, in).consumed) << key;
    }
  }
  in = Key(main, kRight, kNone);  // a message of another kind for the main window
  in.kind = KeyMessage::Other;
  EXPECT_FALSE(DecideDispatch(table, in).consumed);
}

TEST(Dispatch, TypedCharactersGoToTheTextOnceAndNeverWithCtrlOrAlt) {
  KeyBindingTable table;
  ASSERT_TRUE(BuildKeyBindingTable(&table));
  // ctrl, alt, for the text pane -> forwarded, consumed (AltGr is Ctrl+Alt).
  const bool cases[][5] = {{false, false, false, true, false}, {false, false, true, true, true},
                           {true, true, true, false, false},   {false, true, true, false, false},
                           {true, false, false, false, false}};
  for (const auto& k : cases) {
    DispatchInput in = Key(BrowseFocus::None, 'A', kShift);
    in.kind = KeyMessage::Char;
    in.ctrl = k[0];
    in.alt = k[1];
    in.for_text_pane = k[2];
    const DispatchResult r = DecideDispatch(table, in);
    EXPECT_EQ(k[3], r.forward_char) << k[0] << k[1] << k[2];
    EXPECT_EQ(k[4], r.consumed) << k[0] << k[1] << k[2];
  }
}

// Facts as bits: document, reopenable, previous, selection, clipboard text,
// fullscreen, line numbers, file name, text pane, ruler, whitespace. Item i
// has the i-th gray rule and toggle: k keeps, e enables, g grays; 1 checks,
// 0 clears. Each fact is on and off with and without a document.
TEST(Menu, ItemsGrayWithoutTheirFactAndCheckTheirToggle) {
  const MenuGray grays[] = {MenuGray::Never, MenuGray::NoDocument, MenuGray::NotReopenable, MenuGray::NoPrevious,
                            MenuGray::NoSelection, MenuGray::NoClipboardText};
  const MenuCheck checks[] = {MenuCheck::None, MenuCheck::Fullscreen, MenuCheck::LineNumbers, MenuCheck::Filename,
                              MenuCheck::Ruler, MenuCheck::Whitespace};
  const struct { int facts; const char* changes; const char* checks; } rows[] = {
      {32, "kggggg", "k100kk"},          {1 | 128, "kegggg", "k001kk"},
      {30 | 32 | 64 | 128 | 512 | 1024, "kggggg", "k111kk"},  // no document, no text pane
      {1 | 2 | 8 | 256 | 1024, "keegeg", "k00001"}, {1 | 4 | 16 | 256 | 512, "kegege", "k00010"}};
  for (const auto& row : rows) {
    MenuFacts f;
    f.has_document = row.facts & 1, f.reopenable = row.facts & 2, f.can_switch_to_previous = row.facts & 4;
    f.has_selection = row.facts & 8, f.clipboard_has_text = row.facts & 16, f.fullscreen = row.facts & 32;
    f.show_line_numbers = row.facts & 64, f.show_filename = row.facts & 128, f.has_surface_view = row.facts & 256;
    f.ruler_column = row.facts & 512 ? 1 : 0, f.show_whitespace = row.facts & 1024;
    std::string changes, marks;
    for (int i = 0; i < 6; ++i) {
      const MenuItemState s = DecideMenuItem(40 + i, grays[i], checks[i], f);
      EXPECT_EQ(40 + i, s.id);
      changes += "keg"[static_cast<int>(s.change)];
      marks += "k10"[static_cast<int>(s.check)];
    }
    EXPECT_EQ(std::string(row.changes) + " " + row.checks, changes + " " + marks) << row.facts;
  }
}

TEST(SearchActions, GoToLineIndexTakesLeadingDigitsClampsAndNeverOverflows) {
  const std::string nines(30, '9');
  const struct {
    std::string entry;
    int32_t lines, index;
  } cases[] = {{"1", 10, 0},     {"5", 10, 4},    {"10", 10, 9},    {"0007", 10, 6}, {"0", 10, 0},
               {"11", 10, 9},    {"99999", 10, 9}, {"", 10, 0},     {"abc", 10, 0},  {"-5", 10, 0},
               {" 3", 10, 0},    {"12abc", 20, 11}, {"3.9", 20, 2}, {nines, 10, 9},
               {"1" + std::string(29, '0'), 10, 9},
               {"4294967299", 100, 99}, {"18446744073709551619", 100, 99},  // 2^32 + 3, 2^64 + 3
               {"2147483648", INT32_MAX, INT32_MAX - 1}, {nines, INT32_MAX, INT32_MAX - 1},
               {"2147483646", INT32_MAX, INT32_MAX - 2}, {"3", 1, 0}, {"3", 0, 0}, {"3", -1, 0}};
  for (const auto& k : cases) EXPECT_EQ(k.index, GoToLineIndex(k.entry, k.lines)) << k.entry << " of " << k.lines;
}

TEST(SearchActions, GoToPutsTheCaretAtTheLineStartAndLeavesGapAndSelection) {
  auto doc = MakeTestDocument("one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten");
  MoveRight(doc.get(), false);
  const std::pair<const char*, uint32_t> entries[] = {{"99999", 9}, {"0", 0}, {"4x", 3}, {"", 3}};
  for (const auto& e : entries) {
    doc->render_cache->dirty = 0;
    GoToFromDialog(doc.get(), e.first);
    EXPECT_EQ(std::vector<uint32_t>({e.second, 0, *e.first != 0}),
              std::vector<uint32_t>({doc->caret_line, doc->caret_column, uint32_t(doc->render_cache->dirty)})) << e.first;
  }
  EXPECT_EQ(std::string(CaretPointer(*doc), 4), "four");
  GoToFromDialog(doc.get(), "2");
  InsertText(doc.get(), "#", 1);
  GoToFromDialog(doc.get(), "5");
  EXPECT_EQ(doc->gap.gap_closed, 0) << "the typing gap stays open";
  InsertText(doc.get(), "@", 1);
  EXPECT_EQ(Content(*doc), "one\n#two\nthree\nfour\n@five\nsix\nseven\neight\nnine\nten");
  MoveRight(doc.get(), true);
  const uint32_t start = doc->sel_start, end = doc->sel_end;
  GoToFromDialog(doc.get(), "9");
  EXPECT_EQ(doc->caret_line, 8u);
  EXPECT_EQ(std::vector<uint32_t>({1, start, end}), std::vector<uint32_t>({doc->has_selection, doc->sel_start, doc->sel_end}));
  auto empty = MakeTestDocument("");
  GoToFromDialog(empty.get(), "99999");
  EXPECT_EQ(empty->caret, 0u);
}

TEST(SearchActions, FindDetachesTheViewOnlyWhenTheCaretMovedAndF3Continues) {
  auto doc = MakeTestDocument("FOO foobar xfoo foo\nfoo(\nlast foo");
  RenderCache shown;
  shown.caret_row = 3;
  // Case and whole word: FOO, foobar, xfoo and foo( do not match.
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "foo", true, true));
  EXPECT_EQ(std::vector<int>({0, 16, -1}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), shown.caret_row}));
  // A match at the caret the view already shows keeps the view attached;
  // no match leaves the caret and the view.
  shown.caret_row = 3;
  shown.last_caret_column = 16;
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "foo", true, true));
  EXPECT_FALSE(FindFromDialog(doc.get(), &shown, "bar", true, true));
  EXPECT_EQ(std::vector<int>({0, 16, 3}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), shown.caret_row}));
  // A new search starts at the caret and takes the case-folded word.
  EXPECT_TRUE(FindFromDialog(doc.get(), &shown, "LAST", false, true));
  EXPECT_EQ(std::vector<int>({2, 0, -1}), std::vector<int>({int(doc->caret_line), int(doc->caret_column), shown.caret_row}));
  EXPECT_FALSE(FindFromDialog(doc.get(), nullptr, "foo(", true, false)) << "behind the caret";
  EXPECT_TRUE(FindFromDialog(doc.get(), nullptr, "foo", true, false)) << "no view is fine";
  EXPECT_EQ(doc->caret_column, 5u);
  EXPECT_FALSE(FindFromDialog(doc.get(), &shown, "", true, false) || FindFromDialog(nullptr, &shown, "foo", true, false));
  auto f3 = MakeTestDocument("foo x foo y foo");
  ASSERT_TRUE(FindFromDialog(f3.get(), nullptr, "foo", true, true));
  for (uint32_t column : {6u, 12u}) {
    FindNext(f3.get());
    EXPECT_EQ(column, f3->caret_column);
  }
}

}  // namespace
