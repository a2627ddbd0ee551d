// Undo history: cursor restoration, redo, the clean state after many
// actions, thinning, and lines shared between snapshots.
#include "tests/console/editor_fixture.h"

using ConsoleUndo = EditorTest;

TEST_F(ConsoleUndo, UndoRestoresTextAndCursorRedoReappliesIt) {
  ASSERT_TRUE(Load("hello\nworld\n"));
  Key(kKeyDown);
  Key(kKeyEnd);
  Type("!");
  EXPECT_NE(Status().find("*"), std::string::npos);
  Key(kKeyUp);
  Key(kKeyHome);
  Type(">");
  EXPECT_EQ(Text(), ">hello\nworld!\n");
  Ctrl('Z');
  EXPECT_EQ(Text(), "hello\nworld!\n");
  EXPECT_EQ(editor->cursor_line, 0);
  EXPECT_EQ(editor->cursor_col, 0);
  EXPECT_EQ(Status(), "Undid action - 1 items in undo buffer");
  Ctrl('Z');
  EXPECT_EQ(Text(), "hello\nworld\n");
  EXPECT_EQ(editor->cursor_line, 1);  // where the cursor was before typing "!"
  EXPECT_EQ(editor->cursor_col, 5);
  EXPECT_FALSE(editor->IsModified());
  Ctrl('Z');
  EXPECT_EQ(Status(), "Can't Undo");
  Ctrl('Y');
  EXPECT_EQ(Text(), "hello\nworld!\n");
  EXPECT_EQ(editor->cursor_col, 6);  // where typing left it
  EXPECT_EQ(Status(), "Redid action - 1 items in redo buffer");
  screen.shift = true;
  Ctrl('Z');  // Ctrl+Shift+Z redoes as well
  screen.shift = false;
  EXPECT_EQ(Text(), ">hello\nworld!\n");
  Ctrl('Y');
  EXPECT_EQ(Status(), "Can't Redo");
  // A new action after undoing drops the redo states.
  Ctrl('Z');
  Type("x");
  Ctrl('Y');
  EXPECT_EQ(Status(), "Can't Redo");
}

TEST_F(ConsoleUndo, SixHundredActionsStillReachTheCleanState) {
  ASSERT_TRUE(Load("start\n"));
  Key(kKeyEnd);
  for (int i = 0; i < 600; ++i) Key('a' + i % 26);
  EXPECT_LE(static_cast<int>(editor->undo_states.size()), editor->max_undo_states);
  EXPECT_EQ(editor->clean_position, 0);
  EXPECT_TRUE(editor->IsModified());
  int guard = 0;
  while (editor->undo_position > 0 && guard++ < 1000) Ctrl('Z');
  EXPECT_EQ(Text(), "start\n");
  EXPECT_FALSE(editor->IsModified());
  EXPECT_EQ(Status().find("*"), std::string::npos);
}

TEST_F(ConsoleUndo, CleanStateFollowsSavesAndThinningKeepsIt) {
  ASSERT_TRUE(Load("x\n"));
  editor->max_undo_states = 10;
  for (int i = 0; i < 5; ++i) Type("a");
  ASSERT_TRUE(editor->SaveFile());
  const int clean = editor->undo_position;
  EXPECT_EQ(editor->clean_position, clean);
  for (int i = 0; i < 30; ++i) Type("b");
  EXPECT_LE(static_cast<int>(editor->undo_states.size()), 10);
  ASSERT_GE(editor->clean_position, 0);
  while (editor->undo_position > editor->clean_position) Ctrl('Z');
  EXPECT_EQ(Text(), "aaaaax\n");
  EXPECT_FALSE(editor->IsModified());
  // Undoing past the saved state and then editing loses the clean state.
  Ctrl('Z');
  Type("c");
  EXPECT_EQ(editor->clean_position, -1);
  EXPECT_TRUE(editor->IsModified());
}

TEST_F(ConsoleUndo, SnapshotsShareUnchangedLines) {
  std::string text;
  for (int i = 0; i < 50; ++i) text += "line " + std::to_string(i) + "\n";
  ASSERT_TRUE(Load(text));
  Key(kKeyDown);
  Key(kKeyEnter);  // shifts every later line by one index
  Type("q");
  ASSERT_EQ(editor->undo_states.size(), 3u);
  const auto& a = editor->undo_states[0]->lines;
  const auto& b = editor->undo_states[1]->lines;
  const auto& c = editor->undo_states[2]->lines;
  EXPECT_EQ(a[0].get(), c[0].get());
  EXPECT_EQ(a[30].get(), b[31].get());  // found one index away
  EXPECT_EQ(a[30].get(), c[31].get());
  EXPECT_NE(b[2].get(), c[2].get());
  EXPECT_EQ(*c[2], "qline 1");
  EXPECT_EQ(a[1].get(), b[2].get());
}
