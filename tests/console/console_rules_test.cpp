// The window-independent rules of the console: key codes, the key queue,
// grid cells from UTF-8, caret blink, font steps, scrollbar thumbs, mouse
// cursor shapes and palettes.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

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
  TestScreen screen(3, 5);
  screen.flags = kConsoleRedrawPending;  // read once, and every cell is painted again
  EXPECT_TRUE(ScreenReadKey(&screen) == kKeyRedraw && ScreenReadKey(&screen) == -1);
  EXPECT_TRUE(screen.invalidated.size() == 1 && screen.invalidated[0].col2 == 4 && screen.invalidated[0].row2 == 2);
}

// Each column is one cell: a broken UTF-8 piece shows as U+FFFD, as do
// characters beyond 16 bits (the random-input property draws the valid
// forms). A write reports the cells it touched, and only within the grid.
TEST(ConsoleGrid, ColumnsBecomeCellsClippedToTheGrid) {
  struct { const char* bytes; std::u16string cells; } const cases[] = {
      {"\xF0\x9F\x98\x80!", u"\xFFFD!"}, {"\xC3" "a", u"\xFFFD" "a"}, {"\x80\x80" "b", u"\xFFFD" "b"},
      {"\xE0\x80\x80", u"\xFFFD"}, {"\xC3\xA9\xE2\x82\xAC" "abcdef", u"\xE9\x20AC" "abc"}};
  TestScreen screen(3, 5);
  ConsoleGrid& grid = screen.grid;
  ConsoleRect touched;
  for (const auto& c : cases) {
    ResizeGrid(&grid, 3, 5);
    ScreenSetAttribute(&screen, 7);
    GridMoveTo(&grid, 0, 1);
    ASSERT_TRUE(GridWrite(&grid, c.bytes, -1, &touched));
    const int n = static_cast<int>(c.cells.size());
    EXPECT_TRUE(touched.col1 == 0 && touched.col2 == n - 1 && touched.row1 == 1 && touched.row2 == 1) << c.bytes;
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(GridCell(grid, i, 1)->ch, i < n ? c.cells[i] : 0) << c.bytes << " " << i;
      EXPECT_EQ(GridCell(grid, i, 1)->attr, i < n ? 7 : 0);
    }
    EXPECT_EQ(grid.cursor_x, n);
  }
  GridMoveTo(&grid, -3, 0);
  ASSERT_TRUE(GridWrite(&grid, "1234xyz", 6, &touched));  // from left of the grid, at most 6 bytes
  EXPECT_TRUE(GridRowText(grid, 0) == "4xy  " && touched.col1 == 0 && touched.col2 == 2 && touched.row2 == 0);
  ScreenMoveTo(&screen, 2, 0);
  ScreenSetAttribute(&screen, 2);
  ScreenClearToEol(&screen);
  EXPECT_EQ(GridRowText(grid, 0), "4x   ");
  EXPECT_EQ(GridCell(grid, 1, 0)->attr, 7);
  EXPECT_EQ(GridCell(grid, 2, 0)->attr, 2);
  ASSERT_EQ(screen.invalidated.size(), 1u);
  EXPECT_EQ(screen.invalidated[0].col1 * 10 + screen.invalidated[0].col2, 24);
  GridMoveTo(&grid, 0, 3);
  EXPECT_FALSE(GridWrite(&grid, "q", -1, &touched) || GridClearToEol(&grid, &touched)) << "nothing below the grid";
  ResizeGrid(&grid, 0, -3);
  EXPECT_TRUE(grid.rows == 1 && grid.cols == 1 && GridInvariantsHold(grid) && grid.cursor_x == 0 && grid.cursor_y == 0);
}

TEST(ConsoleLayout, BlinkFontStepsThumbsCursorsAndPalettes) {
  for (auto [state, focused, next] : {std::tuple{1, true, 2}, {2, true, 0}, {0, true, 1}, {2, false, 1}})
    EXPECT_EQ(NextBlinkState(state, focused), next);  // steady when unfocused
  for (int h = 0; h <= 70; ++h)
    for (int step = -1; step <= 1; ++step)
      EXPECT_EQ(StepFontHeight(h, step * 120), std::clamp(h + step, kMinFontHeight, kMaxFontHeight)) << h;
  // The limits hold for the height at 96 DPI, before it is scaled (64 is 96 pixels at 150 %).
  for (auto [height, dpi, pixels] : {std::tuple{16, 96, 16}, {16, 120, 20}, {64, 144, 96}, {65, 144, 96},
                                     {3, 192, 8}, {15, 120, 19}, {16, 0, 16}})
    EXPECT_EQ(ConsoleFontPixels(height, dpi), pixels) << height << " at " << dpi;
  // {rows, lines, scroll} -> {top, size} in 16-pixel cells.
  struct { int rows, lines, scroll, top, size; } const thumbs[] = {
      {10, 100, 90, 144, 16}, {10, 100, 45, 72, 16}, {10, 20, 5, 40, 80}, {10, 1000, 0, 0, 16},
      {10, 11, 1, 15, 145}, {10, 20, 14, 80, 80}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}};
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
