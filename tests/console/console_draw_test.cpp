// What the editor draws into the grid: top, text, help and status lines,
// the two panes, and the mouse; also the host loop.
#include "console/console_host.h"
#include "tests/console/editor_fixture.h"

using ConsoleDraw = EditorTest;

namespace {

std::string Numbered(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

ConsoleMouse Mouse(ConsoleMouseKind kind, int col, int row, int delta = 0) {
  ConsoleMouse m;
  m.kind = kind;
  m.x = col * 8 + 3;
  m.y = row * 8 + 3;
  m.wheel_delta = delta;
  return m;
}

}  // namespace

TEST_F(ConsoleDraw, TopTextHelpAndStatusLines) {
  ASSERT_TRUE(Load("alpha\n  beta\n"));
  editor->Redraw();
  EXPECT_EQ(screen.Row(0), Path("file.txt"));
  EXPECT_EQ(screen.Row(1), "alpha");
  EXPECT_EQ(screen.Row(2), "  beta");
  EXPECT_EQ(screen.Row(3), "");
  EXPECT_EQ(screen.Row(23), "Ctrl+(Pane Find/Replace )");
  EXPECT_EQ(screen.AttrAt(0, 23), 2);
  EXPECT_EQ(screen.AttrAt(6, 23), 3);   // P
  EXPECT_EQ(screen.AttrAt(7, 23), 2);
  EXPECT_EQ(screen.AttrAt(11, 23), 3);  // F
  EXPECT_EQ(screen.AttrAt(16, 23), 3);  // R
  EXPECT_EQ(screen.AttrAt(79, 23), 2);  // cleared with the bar colour
  EXPECT_EQ(Status(), "Line 1/2 [1-2] Col 1 [INS]");
  EXPECT_EQ(screen.AttrAt(0, 24), 2);
  EXPECT_EQ(screen.grid.cursor_x, 0);  // the caret
  EXPECT_EQ(screen.grid.cursor_y, 1);
  Key(kKeyDown);
  Key(kKeyEnd);
  Type("!");
  EXPECT_EQ(Status(), "Line 2/2 [1-2] Col 8 [INS]*");
  EXPECT_EQ(screen.Row(2), "  beta!");
  Shifted(kKeyLeft);
  EXPECT_EQ(screen.Row(23), "SELECTING  ESC:cancel Ctrl+(Copy X:cut V:paste)");
  EXPECT_EQ(screen.AttrAt(28, 23), 3);  // C
  EXPECT_EQ(screen.AttrAt(6, 2), 4);    // the selected "!"
  EXPECT_EQ(screen.AttrAt(5, 2), 0);
  // A long name is shortened from the left.
  editor->file_name = std::string(100, 'n') + "end";
  editor->DrawTopLine();
  EXPECT_EQ(screen.Row(0), "..." + std::string(74, 'n') + "end");
}

TEST_F(ConsoleDraw, ScrollingFollowsTheCursor) {
  ASSERT_TRUE(Load(Numbered(100)));
  editor->Redraw();
  EXPECT_EQ(Status(), "Line 1/100 [1-22] Col 1 [INS]");
  Key(kKeyPageDown);
  EXPECT_EQ(editor->cursor_line, 21);
  Key(kKeyPageDown);
  EXPECT_EQ(editor->cursor_line, 43);
  EXPECT_EQ(editor->pane_scroll[0], 22);
  EXPECT_EQ(screen.Row(1), "line 23");
  Key(kKeyPageUp);
  EXPECT_EQ(editor->cursor_line, 22);
  screen.ctrl = true;
  Key(kKeyEnd);
  EXPECT_EQ(Status(), "Line 100/100 [79-100] Col 9 [INS]");
  Key(kKeyDown);  // Ctrl+Down scrolls, keeping the cursor on screen
  Key(kKeyUp);
  Key(kKeyUp);
  Key(kKeyHome);
  screen.ctrl = false;
  EXPECT_EQ(editor->cursor_line, 0);
  EXPECT_EQ(editor->pane_scroll[0], 0);
  // A long line scrolls horizontally.
  Type(std::string(100, 'x'));
  EXPECT_GT(editor->hscroll, 0);
  EXPECT_EQ(screen.grid.cursor_x, 100 - editor->hscroll);
  Key(kKeyHome);
  EXPECT_EQ(editor->hscroll, 0);
  // The window publishes the pane geometry for the scrollbars.
  EXPECT_EQ(screen.layout.panes[0].first_row, 1);
  EXPECT_EQ(screen.layout.panes[0].row_count, 22);
  EXPECT_EQ(screen.layout.panes[0].total_lines, 100);
  EXPECT_EQ(screen.layout.panes[1].row_count, 0);
}

// The caret cell is the cursor's whatever a key drew last (Escape with a
// selection redraws the help line after the text).
TEST_F(ConsoleDraw, CaretStaysOnTheCursorAfterEveryKey) {
  ASSERT_TRUE(Load("alpha\n  beta\ngamma\n"));
  editor->Redraw();
  struct Step {
    int key;
    bool shift, ctrl;
  } const steps[] = {
      {kKeyRight, false, false}, {kKeyRight, true, false}, {kKeyDown, true, false},
      {kKeyEscape, false, false}, {CtrlKey('A'), false, true}, {kKeyEscape, false, false},
      {kKeyUp, false, false}, {kKeyEnd, true, false}, {kKeyLeft, false, false},
      {'x', false, false}, {kKeyHome, true, false}, {kKeyEscape, false, false}};
  for (const Step& step : steps) {
    screen.shift = step.shift;
    screen.ctrl = step.ctrl;
    Key(step.key);
    screen.shift = screen.ctrl = false;
    EXPECT_EQ(screen.grid.cursor_x, editor->cursor_col - editor->hscroll) << "key " << step.key;
    EXPECT_EQ(screen.grid.cursor_y, 1 + editor->cursor_line - editor->pane_scroll[0])
        << "key " << step.key;
  }
}

// The view shows as much of the cursor line as fits: a line that fits
// starts at column 0, also after the pane has widened.
TEST_F(ConsoleDraw, HorizontalScrollReturnsWhenTheLineFits) {
  const std::string wide = "0123456789abcdefghijklmnopqrstuvwxyzABCD";  // 40 columns
  ASSERT_TRUE(Load("    short\n" + wide + "\n"));
  ResizeGrid(&screen.grid, 6, 20);  // three text rows, 20 columns
  screen.on_resize();
  Key(kKeyDown);
  Key(kKeyEnd);
  EXPECT_EQ(editor->hscroll, 21);
  EXPECT_EQ(screen.Row(2), wide.substr(21));
  Key(kKeyUp);  // the cursor goes to the short line's end
  EXPECT_EQ(editor->hscroll, 0);
  EXPECT_EQ(screen.Row(1), "    short") << "the indentation shows";
  Key(kKeyDown);
  EXPECT_EQ(editor->hscroll, 21);
  ResizeGrid(&screen.grid, 6, 60);  // a wider window or a smaller font
  screen.on_resize();
  EXPECT_EQ(editor->hscroll, 0);
  EXPECT_EQ(screen.Row(2), wide);
  ResizeGrid(&screen.grid, 6, 30);
  screen.on_resize();
  EXPECT_EQ(editor->hscroll, 11) << "the line's end at the right edge";
  ResizeGrid(&screen.grid, 6, 35);
  screen.on_resize();
  EXPECT_EQ(editor->hscroll, 6) << "no more hidden on the left than needed";
  EXPECT_EQ(screen.grid.cursor_x, 34);
}

TEST_F(ConsoleDraw, TwoPanes) {
  ASSERT_TRUE(Load(Numbered(100)));
  Key(kKeyPageDown);
  Key(kKeyPageDown);
  const int before = editor->pane_scroll[0];
  Ctrl('P');
  EXPECT_DOUBLE_EQ(editor->pane_divider, 0.5);
  EXPECT_EQ(editor->pane_scroll[1], before);
  EXPECT_EQ(screen.Row(23), "Ctrl+(Otherpane noPanes Find/Replace )");
  EXPECT_EQ(screen.AttrAt(6, 23), 3);   // O
  EXPECT_EQ(screen.AttrAt(18, 23), 3);  // P of noPanes
  const int upper = editor->pane_scroll[0];
  EXPECT_EQ(screen.layout.panes[0].row_count, 11);
  EXPECT_EQ(screen.layout.panes[1].first_row, 13);
  EXPECT_EQ(screen.layout.panes[1].row_count, 10);
  EXPECT_EQ(screen.AttrAt(0, 12), 2);  // the divider
  EXPECT_EQ(Status().substr(0, 12), "Upper pane: ");
  Ctrl('O');
  EXPECT_EQ(editor->current_pane, 1);
  EXPECT_EQ(Status().substr(0, 12), "Lower pane: ");
  screen.ctrl = true;
  Key(kKeyHome);
  screen.ctrl = false;
  EXPECT_EQ(editor->pane_scroll[1], 0);
  EXPECT_EQ(editor->pane_scroll[0], upper);  // the other pane stays
  EXPECT_EQ(screen.Row(13), "line 1");
  Ctrl('P');  // back to one pane, keeping the current pane's position
  EXPECT_EQ(editor->current_pane, 0);
  EXPECT_EQ(editor->pane_scroll[0], 0);
  EXPECT_EQ(screen.layout.panes[1].row_count, 0);
  Ctrl('O');  // splits first
  EXPECT_EQ(editor->current_pane, 1);
  EXPECT_DOUBLE_EQ(editor->pane_divider, 0.5);
}

TEST_F(ConsoleDraw, MouseClicksDragsDividerLinksAndWheel) {
  ASSERT_TRUE(Load("see http://example.com/x) and word_one\nplain http://ab\n" + Numbered(60)));
  editor->Redraw();
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDown, 2, 2));
  EXPECT_EQ(editor->cursor_line, 1);
  EXPECT_EQ(editor->cursor_col, 2);
  EXPECT_TRUE(screen.captured);
  editor->OnMouse(Mouse(ConsoleMouseKind::kMove, 5, 1));
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftUp, 5, 1));
  EXPECT_FALSE(screen.captured);
  EXPECT_EQ(editor->selecting, 1);
  EXPECT_EQ(editor->cursor_line, 0);
  EXPECT_EQ(editor->cursor_col, 5);
  screen.shift = true;
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDown, 0, 3));
  screen.shift = false;
  EXPECT_EQ(editor->selection[0], 2);  // the anchor stays
  EXPECT_EQ(editor->selection[3], 2);
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftUp, 0, 3));

  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDouble, 10, 1));
  ASSERT_EQ(screen.links.size(), 1u);
  EXPECT_EQ(screen.links[0], "http://example.com/x");
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDouble, 10, 2));  // too short to be a link
  EXPECT_EQ(screen.links.size(), 1u);
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDouble, 32, 1));
  EXPECT_EQ(editor->selecting, 1);
  EXPECT_EQ(editor->selection[0], 30);
  EXPECT_EQ(editor->selection[2], 38);

  editor->OnMouse(Mouse(ConsoleMouseKind::kWheel, 3, 5, -120));
  EXPECT_EQ(editor->pane_scroll[0], 6);
  editor->OnMouse(Mouse(ConsoleMouseKind::kWheel, 3, 5, -12000));
  EXPECT_EQ(editor->pane_scroll[0], 62 - 22 + 4);
  editor->OnMouse(Mouse(ConsoleMouseKind::kWheel, 3, 5, 12000));
  EXPECT_EQ(editor->pane_scroll[0], 0);

  Ctrl('P');
  const int divider = DividerRow(screen.layout);
  ASSERT_EQ(divider, 12);
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDown, 4, divider));
  EXPECT_EQ(editor->divider_drag, 3);
  editor->OnMouse(Mouse(ConsoleMouseKind::kMove, 4, 6));
  editor->OnMouse(Mouse(ConsoleMouseKind::kCaptureLost, 4, 6));
  EXPECT_EQ(editor->divider_drag, 0);
  EXPECT_EQ(DividerRow(screen.layout), 6);
  editor->OnMouse(Mouse(ConsoleMouseKind::kLeftDown, 0, 10));
  EXPECT_EQ(editor->current_pane, 1);
}

class SavingHelpEditor : public ConsoleEditor {
 public:
  using ConsoleEditor::ConsoleEditor;
  void AddHelpLineItems() override {
    AddHelpPiece("S", 3);
    AddHelpPiece("ave", 2);
  }
};

TEST_F(ConsoleDraw, HelpLineHookAndTinyWindows) {
  SavingHelpEditor derived(&screen, &clipboard);
  derived.Redraw();
  EXPECT_EQ(screen.Row(23), "Ctrl+(Pane Find/Replace Save)");
  EXPECT_EQ(screen.AttrAt(24, 23), 3);
  TestScreen tiny(1, 1);
  ConsoleEditor small(&tiny, &clipboard);
  small.Open(Path("missing"));
  for (int key : std::vector<int>{'a', kKeyEnter, 'b', CtrlKey('P'), kKeyDown, CtrlKey('O'), kKeyPageDown})
    small.OnKey(key);
  EXPECT_EQ(small.CheckInvariants(), "");
  EXPECT_TRUE(GridInvariantsHold(tiny.grid));
}

TEST_F(ConsoleDraw, HostLoopSurvivesTheEditorDeletingItself) {
  ASSERT_TRUE(Load("text\n"));
  for (int k : {'a', 'b'}) ScreenQueueKey(&screen, k);
  EXPECT_TRUE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_EQ(editor->lines[0], "abtext");
  for (int i = 0; i < 20; ++i) ScreenQueueKey(&screen, 'c');
  EXPECT_TRUE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_EQ(screen.keys.count, 4);  // at most 16 a tick
  screen.keys = ConsoleKeyQueue{};
  ASSERT_TRUE(editor->SaveFile());
  screen.ctrl = true;
  ScreenQueueKey(&screen, CtrlKey('W'));
  ScreenQueueKey(&screen, 'x');
  screen.ctrl = false;
  EXPECT_FALSE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_EQ(editor, nullptr);
  EXPECT_EQ(screen.keys.count, 1);
  EXPECT_FALSE(screen.on_mouse);  // the editor detached itself
}
