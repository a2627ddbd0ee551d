// The window-independent parts of the console: grid, queue, key codes,
// colours, caret blink, font steps, scrollbar thumbs and cursor shapes.
#include <gtest/gtest.h>

#include "console/console_colours.h"
#include "console/console_grid.h"
#include "console/console_keys.h"
#include "console/console_layout.h"
#include "tests/console/test_screen.h"

TEST(ConsoleGrid, NeverSmallerThanOneCellAndClearedOnResize) {
  ConsoleGrid grid;
  ASSERT_TRUE(ResizeGrid(&grid, 0, -3));
  EXPECT_EQ(grid.rows, 1);
  EXPECT_EQ(grid.cols, 1);
  ASSERT_TRUE(ResizeGrid(&grid, 3, 10));
  GridMoveTo(&grid, 0, 1);
  ConsoleRect touched;
  ASSERT_TRUE(GridWrite(&grid, "hi", -1, &touched));
  ASSERT_TRUE(ResizeGrid(&grid, 3, 10));
  EXPECT_EQ(GridRowText(grid, 1), std::string(10, ' '));
  EXPECT_TRUE(GridInvariantsHold(grid));
}

TEST(ConsoleGrid, WritesDecodeUtf8AndStopAtTheEdges) {
  ConsoleGrid grid;
  ResizeGrid(&grid, 2, 5);
  grid.current_attr = 7;
  GridMoveTo(&grid, 1, 0);
  ConsoleRect touched;
  ASSERT_TRUE(GridWrite(&grid, "\xC3\xA9t\xE2\x82\xAC" "abcdef", -1, &touched));
  EXPECT_EQ(GridCell(grid, 1, 0)->ch, 0xE9);
  EXPECT_EQ(GridCell(grid, 3, 0)->ch, 0x20AC);
  EXPECT_EQ(GridCell(grid, 4, 0)->ch, 'a');
  EXPECT_EQ(GridCell(grid, 4, 0)->attr, 7);
  EXPECT_EQ(touched.col1, 1);
  EXPECT_EQ(touched.col2, 4);
  // A byte limit, then writes outside the grid are ignored.
  GridMoveTo(&grid, 0, 1);
  ASSERT_TRUE(GridWrite(&grid, "xyz", 2, &touched));
  EXPECT_EQ(GridRowText(grid, 1).substr(0, 3), "xy ");
  GridMoveTo(&grid, 0, 5);
  EXPECT_FALSE(GridWrite(&grid, "q", -1, &touched));
  GridMoveTo(&grid, -3, 1);
  ASSERT_TRUE(GridWrite(&grid, "1234", -1, &touched));
  EXPECT_EQ(GridCell(grid, 0, 1)->ch, '4');
  grid.clear_attr = 2;
  GridMoveTo(&grid, 2, 1);
  ASSERT_TRUE(GridClearToEol(&grid, &touched));
  EXPECT_EQ(GridCell(grid, 4, 1)->attr, 2);
  EXPECT_EQ(GridRowText(grid, 1), "4y   ");
}

TEST(ConsoleKeys, QueueDropsTheOldestOfSixtyFiveKeys) {
  ConsoleKeyQueue queue;
  EXPECT_EQ(PopKey(&queue).code, -1);
  for (int k = 1; k <= 65; ++k) PushKey(&queue, k, static_cast<uint8_t>(k % 8));
  EXPECT_EQ(queue.count, 64);
  for (int k = 2; k <= 65; ++k) {
    ConsoleKey key = PopKey(&queue);
    EXPECT_EQ(key.code, k);
    EXPECT_EQ(key.modifiers, k % 8) << "each key keeps its own modifiers";
  }
  EXPECT_EQ(PopKey(&queue).code, -1);
}

TEST(ConsoleKeys, TranslationTables) {
  EXPECT_EQ(KeyCodeFromVirtualKey(0x28), kKeyDown);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x26), kKeyUp);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x21), kKeyPageUp);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x22), kKeyPageDown);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x27), kKeyRight);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x25), kKeyLeft);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x24), kKeyHome);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x23), kKeyEnd);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x2D), kKeyInsert);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x2E), kKeyDelete);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x70), 4106);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x7B), 4117);
  EXPECT_EQ(KeyCodeFromVirtualKey(0x11), 0);  // Ctrl alone
  EXPECT_EQ(KeyCodeFromVirtualKey('A'), 0);
  EXPECT_EQ(KeyCodeFromChar('a', false, false), 'a');
  EXPECT_EQ(KeyCodeFromChar(0xE9, true, true), 0xE9);
  EXPECT_EQ(KeyCodeFromChar(8, false, false), 8);
  EXPECT_EQ(KeyCodeFromChar(13, false, false), 13);
  EXPECT_EQ(KeyCodeFromChar(27, false, false), 27);
  EXPECT_EQ(KeyCodeFromChar(1, true, false), 1);
  EXPECT_EQ(KeyCodeFromChar(26, true, false), 26);
  EXPECT_EQ(KeyCodeFromChar(29, true, false), 29);
  EXPECT_EQ(KeyCodeFromChar(29, true, true), 0);
  EXPECT_EQ(KeyCodeFromChar(1, true, true), 0);
  EXPECT_EQ(KeyCodeFromChar(28, true, false), 0);
  EXPECT_EQ(KeyCodeFromChar(127, true, false), 0);
  EXPECT_EQ(KeyCodeFromChar(10, true, false), 10);        // Ctrl+J
  EXPECT_EQ(KeyCodeFromChar(10, true, false, true), 13);  // Ctrl+Enter
}

TEST(ConsoleColours, DefaultTableAndPaletteRule) {
  ConsoleColourTable t = DefaultConsoleColours();
  EXPECT_EQ(t[0].fg, ConsoleRgb(192, 192, 192));
  EXPECT_EQ(t[0].bg, 0u);
  EXPECT_EQ(t[2].bg, ConsoleRgb(0, 0, 192));
  EXPECT_EQ(t[3].fg, ConsoleRgb(255, 255, 255));
  EXPECT_EQ(t[5].bg, ConsoleRgb(0, 192, 192));
  EXPECT_EQ(t[10].fg, ConsoleRgb(96, 128, 192));
  EXPECT_EQ(t[27].bg, ConsoleRgb(192, 0, 0));
  EXPECT_EQ(t[28].fg, ConsoleRgb(192, 192, 0));
  EXPECT_EQ(t[31].fg, 0u);
  ConsolePalette palette;
  palette.pairs[3] = {ConsoleRgb(96, 0, 10), ConsoleRgb(1, 2, 3)};
  ConsoleColourTable p = ColoursFromPalette(palette);
  EXPECT_EQ(p[6].fg, ConsoleRgb(96, 0, 10));
  EXPECT_EQ(p[7].fg, ConsoleRgb(255, 0, 255));
  EXPECT_EQ(p[7].bg, ConsoleRgb(1, 2, 3));
}

TEST(ConsoleLayout, BlinkFontStepsThumbAndCursors) {
  EXPECT_EQ(NextBlinkState(1, true), 2);
  EXPECT_EQ(NextBlinkState(2, true), 0);
  EXPECT_EQ(NextBlinkState(0, true), 1);
  EXPECT_EQ(NextBlinkState(2, false), 1);  // steady when unfocused
  EXPECT_FALSE(CaretShown(0));
  int h = 16;
  for (int i = 0; i < 100; ++i) h = StepFontHeight(h, 120);
  EXPECT_EQ(h, 64);
  for (int i = 0; i < 100; ++i) h = StepFontHeight(h, -120);
  EXPECT_EQ(h, 4);

  ConsolePaneView pane;
  pane.row_count = 10;
  pane.total_lines = 100;
  pane.scroll = 90;
  ComputeThumb(&pane, 16);
  EXPECT_EQ(pane.thumb_size, 16);  // 160 * 10 / 100
  EXPECT_EQ(pane.thumb_top, 160 - 16);
  pane.total_lines = 1000;
  pane.scroll = 0;
  ComputeThumb(&pane, 16);
  EXPECT_EQ(pane.thumb_size, 16);  // never below one cell
  EXPECT_EQ(pane.thumb_top, 0);
  pane.total_lines = 5;
  ComputeThumb(&pane, 16);
  EXPECT_EQ(pane.thumb_size, 0);

  ConsoleLayout layout;
  layout.panes[0] = {1, 5, 0, 50};
  layout.panes[1] = {7, 5, 0, 50};
  EXPECT_EQ(DividerRow(layout), 6);
  EXPECT_EQ(CursorForCell(layout, 20, 3, 6), ConsoleCursorKind::kVerticalResize);
  EXPECT_EQ(CursorForCell(layout, 20, 3, 2), ConsoleCursorKind::kIBeam);
  EXPECT_EQ(CursorForCell(layout, 20, 19, 2), ConsoleCursorKind::kArrow);  // scrollbar
  EXPECT_EQ(CursorForCell(layout, 20, 3, 0), ConsoleCursorKind::kArrow);
}

TEST(ConsoleScreen, ReadKeyPumpsAndReportsAPendingRedrawOnce) {
  TestScreen screen(4, 10);
  screen.pump_mode = 1;
  ScreenQueueKey(&screen, 'a');
  EXPECT_EQ(ScreenReadKey(&screen), 'a');
  EXPECT_EQ(screen.pumps, 1);
  screen.flags |= kConsoleRedrawPending;
  EXPECT_EQ(ScreenReadKey(&screen), 12);
  EXPECT_EQ(ScreenReadKey(&screen), -1);
  screen.pump_mode = 0;
  ScreenReadKey(&screen);
  EXPECT_EQ(screen.pumps, 3);
  // Suspended painting invalidates nothing.
  screen.invalidated.clear();
  screen.flags |= kConsolePaintSuspended;
  ScreenWrite(&screen, "x");
  EXPECT_TRUE(screen.invalidated.empty());
}
