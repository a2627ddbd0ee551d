// The window-independent rules of the console: key codes, the key queue,
// grid cells from UTF-8, caret blink, font steps, scrollbar thumbs, mouse
// cursor shapes and palettes.
#include <gtest/gtest.h>

#include <set>

#include "engine/virtual_keys.h"
#include "tests/console/test_screen.h"

TEST(ConsoleKeys, MessagesBecomeEditorCodesAndTheQueueKeepsTheNewest) {
  struct { int ch; bool ctrl, alt, enter_key; int code; } const chars[] = {
      {'a', 0, 0, 0, 'a'}, {0xE9, 1, 1, 0, 0xE9}, {' ', 0, 0, 0, ' '}, {8, 0, 0, 0, 8}, {9, 0, 0, 0, 9},
      {13, 0, 0, 0, 13}, {27, 0, 0, 0, 27}, {1, 0, 0, 0, 0}, {1, 1, 0, 0, 1}, {26, 1, 0, 0, 26},
      {1, 1, 1, 0, 0}, {29, 1, 0, 0, 29}, {29, 1, 1, 0, 0}, {28, 1, 0, 0, 0}, {31, 1, 0, 0, 0},
      {0, 1, 0, 0, 0}, {127, 1, 0, 0, 0}, {10, 1, 0, 0, 10}, {10, 1, 0, 1, 13}};
  for (const auto& c : chars) EXPECT_EQ(KeyCodeFromChar(c.ch, c.ctrl, c.alt, c.enter_key), c.code) << c.ch;
  std::set<int> codes;  // the ten editing keys map one to one onto the editor's ten codes
  for (int vk : {kVkDown, kVkUp, kVkPrior, kVkNext, kVkRight, kVkLeft, kVkHome, kVkEnd, kVkInsert, kVkDelete})
    codes.insert(KeyCodeFromVirtualKey(vk));
  EXPECT_EQ(codes, (std::set<int>{kKeyDown, kKeyUp, kKeyPageUp, kKeyPageDown, kKeyRight, kKeyLeft, kKeyHome,
                                  kKeyEnd, kKeyInsert, kKeyDelete}));
  for (int vk = kVkF1 - 1; vk <= kVkF12 + 1; ++vk)
    EXPECT_EQ(KeyCodeFromVirtualKey(vk), vk < kVkF1 || vk > kVkF12 ? 0 : kKeyF1 + vk - kVkF1);
  ConsoleKeyQueue queue;
  for (int k = 1; k <= 65; ++k) PushKey(&queue, k, static_cast<uint8_t>(k % 8));
  EXPECT_EQ(queue.count, 64);
  for (int k = 2; k <= 65; ++k) {
    const ConsoleKey key = PopKey(&queue);
    EXPECT_TRUE(key.code == k && key.modifiers == k % 8) << "each key keeps its own modifiers";
  }
  EXPECT_EQ(PopKey(&queue).code, -1);
}

// Each column is one cell: a whole UTF-8 sequence, or a broken piece as
// U+FFFD; characters beyond 16 bits show as U+FFFD too.
TEST(ConsoleGrid, ColumnsBecomeCellsClippedToTheGrid) {
  struct { const char* bytes; std::u16string cells; } const cases[] = {
      {"a\x7F", u"a\x7F"}, {"\xC2\x80\xDF\xBF", u"\x80\x7FF"}, {"\xE0\xA0\x80\xE0\xA4\x85", u"\x800\x905"},
      {"\xEF\xBF\xBF\xE2\x82\xAC", u"\xFFFF\x20AC"}, {"\xF0\x9F\x98\x80!", u"\xFFFD!"}, {"\xC3" "a", u"\xFFFD" "a"},
      {"\x80\x80" "b", u"\xFFFD" "b"}, {"\xE0\x80\x80", u"\xFFFD"}, {"\xC3\xA9\xE2\x82\xAC" "abcdef", u"\xE9\x20AC" "abc"}};
  TestScreen screen(3, 5);
  ConsoleGrid& grid = screen.grid;
  for (const auto& c : cases) {
    ResizeGrid(&grid, 3, 5);
    ScreenSetAttribute(&screen, 7);
    ScreenMoveTo(&screen, 0, 1);
    ScreenWrite(&screen, c.bytes);
    for (size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(GridCell(grid, i, 1)->ch, i < c.cells.size() ? c.cells[i] : 0) << c.bytes << " " << i;
      EXPECT_EQ(GridCell(grid, i, 1)->attr, i < c.cells.size() ? 7 : 0);
    }
    EXPECT_EQ(grid.cursor_x, static_cast<int>(c.cells.size()));
  }
  ScreenMoveTo(&screen, -3, 0);
  ScreenWrite(&screen, "1234xyz", 6);  // from left of the grid, at most 6 bytes
  EXPECT_EQ(GridRowText(grid, 0), "4xy  ");
  ScreenMoveTo(&screen, 2, 0);
  ScreenSetAttribute(&screen, 2);
  screen.invalidated.clear();
  ScreenClearToEol(&screen);
  EXPECT_EQ(GridRowText(grid, 0), "4x   ");
  EXPECT_EQ(GridCell(grid, 1, 0)->attr, 7);
  EXPECT_EQ(GridCell(grid, 2, 0)->attr, 2);
  ASSERT_EQ(screen.invalidated.size(), 1u);
  EXPECT_EQ(screen.invalidated[0].col1 * 10 + screen.invalidated[0].col2, 24);
  ScreenMoveTo(&screen, 0, 3);
  ScreenWrite(&screen, "q");
  ScreenClearToEol(&screen);
  EXPECT_EQ(screen.invalidated.size(), 1u) << "nothing below the grid";
  ResizeGrid(&grid, 0, -3);
  EXPECT_TRUE(grid.rows == 1 && grid.cols == 1 && GridInvariantsHold(grid) && grid.cursor_x == 0 && grid.cursor_y == 0);
}

TEST(ConsoleLayout, BlinkFontStepsThumbsCursorsAndPalettes) {
  EXPECT_EQ(NextBlinkState(1, true), 2);
  EXPECT_EQ(NextBlinkState(2, true), 0);
  EXPECT_EQ(NextBlinkState(0, true), 1);
  EXPECT_EQ(NextBlinkState(2, false), 1);  // steady when unfocused
  for (int h = 0; h <= 70; ++h)
    for (int step = -1; step <= 1; ++step)
      EXPECT_EQ(StepFontHeight(h, step * 120), std::clamp(h + step, kMinFontHeight, kMaxFontHeight)) << h;
  // {rows, lines, scroll} -> {top, size} in 16-pixel cells.
  struct { int rows, lines, scroll, top, size; } const thumbs[] = {
      {10, 100, 90, 144, 16}, {10, 100, 45, 72, 16}, {10, 20, 5, 40, 80}, {10, 1000, 0, 0, 16},
      {10, 11, 1, 15, 145}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}};
  for (const auto& t : thumbs) {
    ConsolePaneView pane{0, t.rows, t.scroll, t.lines};
    ComputeThumb(&pane, 16);
    EXPECT_TRUE(pane.thumb_top == t.top && pane.thumb_size == t.size) << t.lines << " " << t.scroll;
  }
  ConsoleLayout layout;
  layout.panes[0] = {1, 5, 0, 50};
  layout.panes[1] = {7, 5, 0, 5};
  const ConsoleCursorKind I = ConsoleCursorKind::kIBeam, A = ConsoleCursorKind::kArrow;
  struct { int col, row; ConsoleCursorKind kind; } const cells[] = {
      {3, 6, ConsoleCursorKind::kVerticalResize}, {3, 1, I}, {18, 5, I}, {19, 5, A}, {19, 11, I},
      {-1, 2, A}, {3, 0, A}, {20, 7, A}, {3, 12, A}};
  for (const auto& c : cells) EXPECT_EQ(CursorForCell(layout, 20, c.col, c.row), c.kind) << c.col << "," << c.row;
  ConsolePalette palette;
  for (int n = 0; n < 16; ++n) palette.pairs[n] = {ConsoleRgb(n, 0, 200 - n), ConsoleRgb(1, 2, n)};
  const ConsoleColourTable t = ColoursFromPalette(palette);
  for (int n = 0; n < 16; ++n)  // the bright form lights each lit part fully
    EXPECT_TRUE(t[2 * n].fg == palette.pairs[n].fg && t[2 * n + 1].fg == ConsoleRgb(n ? 255 : 0, 0, 255) &&
                t[2 * n + 1].bg == palette.pairs[n].bg) << n;
}
