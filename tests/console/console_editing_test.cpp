// Typing, line breaks, deletion, indentation, word movement and the
// clipboard.
#include "console/console_text.h"
#include "tests/console/editor_fixture.h"

using ConsoleEditing = EditorTest;

TEST_F(ConsoleEditing, TypingInsertOverwriteAndTabs) {
  ASSERT_FALSE(editor->Open(Path("none.txt")));
  Type("abc");
  EXPECT_EQ(Text(), "abc\n");
  Key(kKeyHome);
  console_overwrite = 1;
  Type("XY");
  EXPECT_EQ(Text(), "XYc\n");
  console_overwrite = 0;
  Key(kKeyTab);  // to the next multiple of the indent size
  EXPECT_EQ(Text(), "XY  c\n");
  EXPECT_EQ(editor->cursor_col, 4);
  Key(0xE9);
  Key(0x1F600);
  Key(0xD800);  // cannot be encoded
  EXPECT_EQ(editor->lines[0], "XY  \xC3\xA9\xF0\x9F\x98\x80_c");
  EXPECT_EQ(editor->cursor_col, 7);
  Key(kKeyF1 + 4);  // special keys type nothing
  Key(127);
  EXPECT_EQ(editor->lines[0], "XY  \xC3\xA9\xF0\x9F\x98\x80_c");
}

TEST_F(ConsoleEditing, EnterSplitsWithIndentation) {
  ASSERT_TRUE(Load("    foo   bar\n"));
  for (int i = 0; i < 7; ++i) Key(kKeyRight);
  Key(kKeyEnter);
  EXPECT_EQ(Text(), "    foo\n    bar\n");
  EXPECT_EQ(editor->cursor_line, 1);
  EXPECT_EQ(editor->cursor_col, 4);
  Key(kKeyHome);  // already at the first non-blank
  EXPECT_EQ(editor->cursor_col, 0);
  screen.ctrl = true;
  Key(kKeyEnter);  // Ctrl+Enter splits at the end of the line
  screen.ctrl = false;
  EXPECT_EQ(Text(), "    foo\n    bar\n    \n");
  console_overwrite = 1;
  Key(kKeyUp);
  Key(kKeyEnter);  // overwrite: just moves down, after the indentation
  EXPECT_EQ(editor->cursor_line, 2);
  EXPECT_EQ(editor->cursor_col, 4);
  Key(kKeyEnter);  // past the end: a new line with the indentation
  EXPECT_EQ(Text(), "    foo\n    bar\n    \n    \n");
}

TEST_F(ConsoleEditing, BackspaceAndDeleteJoinLines) {
  ASSERT_TRUE(Load("ab\n      cd\n   \nxy\n"));
  Key(kKeyDown);
  Key(kKeyEnd);
  Key(kKeyHome);  // first non-blank: column 6
  EXPECT_EQ(editor->cursor_col, 6);
  Key(kKeyBackspace);  // a whole indent step
  EXPECT_EQ(editor->lines[1], "    cd");
  Key(kKeyHome);
  EXPECT_EQ(editor->cursor_col, 0);
  Key(kKeyBackspace);  // joins to the previous line
  EXPECT_EQ(Text(), "ab    cd\n   \nxy\n");
  EXPECT_EQ(editor->cursor_col, 2);
  Key(kKeyDown);
  Key(kKeyHome);
  Key(kKeyHome);
  EXPECT_EQ(editor->cursor_col, 0);
  Key(kKeyBackspace);  // a blank line is dropped, not appended
  EXPECT_EQ(Text(), "ab    cd\nxy\n");
  Key(kKeyEnd);
  Key(kKeyDelete);  // appends the next line with its indent cut to one
  EXPECT_EQ(Text(), "ab    cdxy\n");
  Key(kKeyLeft);
  Key(kKeyDelete);
  EXPECT_EQ(Text(), "ab    cxy\n");
  ASSERT_TRUE(Load("end\n\t\tnext\n"));
  Key(kKeyEnd);
  Key(kKeyDelete);
  EXPECT_EQ(Text(), "end next\n");
}

TEST_F(ConsoleEditing, TabIndentsAndShiftTabUnindents) {
  ASSERT_TRUE(Load("a\nb\nc\n"));
  screen.shift = true;
  Key(kKeyDown);
  Key(kKeyDown);
  Key(kKeyTab);  // Shift+Tab with a selection
  screen.shift = false;
  EXPECT_EQ(Text(), "a\nb\nc\n");
  Key(kKeyTab);
  EXPECT_EQ(Text(), "  a\n  b\nc\n");  // the last line is not selected past column 0
  EXPECT_EQ(editor->selection[0], 0);     // whole lines stay selected
  screen.shift = true;
  Key(kKeyTab);
  screen.shift = false;
  EXPECT_EQ(Text(), "a\nb\nc\n");
  Key(kKeyEscape);
  EXPECT_EQ(editor->selecting, 0);
  ASSERT_TRUE(Load("x     y\n"));
  for (int i = 0; i < 6; ++i) Key(kKeyRight);
  Shifted(kKeyTab);  // back to the previous stop at column 4
  EXPECT_EQ(editor->lines[0], "x   y");
  EXPECT_EQ(editor->cursor_col, 4);
}

TEST_F(ConsoleEditing, WordMovementByCharacterClass) {
  EXPECT_EQ(CharClass(' '), 0);
  EXPECT_EQ(CharClass('_'), 1);
  EXPECT_EQ(CharClass('7'), 1);
  EXPECT_EQ(CharClass(';'), 2);
  EXPECT_EQ(CharClass('('), 3);
  EXPECT_EQ(CharClass(0x400), 3);
  ASSERT_TRUE(Load("foo_1  (x);\nnext\n"));
  screen.ctrl = true;
  int stops[] = {5, 7, 8, 9, 10, 11};
  for (int stop : stops) {
    Key(kKeyRight);
    EXPECT_EQ(editor->cursor_col, stop);
  }
  Key(kKeyRight);  // wraps to the next line
  EXPECT_EQ(editor->cursor_line, 1);
  EXPECT_EQ(editor->cursor_col, 0);
  Key(kKeyLeft);
  EXPECT_EQ(editor->cursor_line, 0);
  EXPECT_EQ(editor->cursor_col, 11);
  Key(kKeyLeft);
  EXPECT_EQ(editor->cursor_col, 10);
  screen.shift = true;
  Key(kKeyLeft);
  Key(kKeyLeft);
  screen.shift = false;
  screen.ctrl = false;
  EXPECT_EQ(editor->selecting, 1);
  EXPECT_EQ(editor->cursor_col, 8);
}

TEST_F(ConsoleEditing, CopyCutPasteWithCrLf) {
  ASSERT_TRUE(Load("one\ntwo\nthree\n"));
  Ctrl('C');
  EXPECT_EQ(Status(), "No selection");
  Key(kKeyRight);
  screen.shift = true;
  Key(kKeyDown);
  screen.shift = false;
  Ctrl('C');
  EXPECT_EQ(clipboard.Text(), "ne\r\nt");
  EXPECT_EQ(Status(), "Copied 5 bytes");
  Ctrl('X');
  EXPECT_EQ(Text(), "owo\nthree\n");
  EXPECT_EQ(Status(), "Cut 5 bytes");
  Key(kKeyEnd);
  Ctrl('V');
  EXPECT_EQ(Text(), "owone\nt\nthree\n");
  EXPECT_EQ(Status(), "Pasted");
  EXPECT_EQ(editor->cursor_line, 1);
  EXPECT_EQ(editor->cursor_col, 1);
  clipboard.SetText("a\rb\tc\nd");
  screen.shift = true;
  Key(kKeyInsert);  // Shift+Insert pastes too
  screen.shift = false;
  EXPECT_EQ(Text(), "owone\nta\nb  c\nd\nthree\n");
  clipboard.Clear();
  Ctrl('V');
  EXPECT_EQ(Status(), "Clipboard empty");
}

TEST_F(ConsoleEditing, DuplicateSelectAllAndInsertToggle) {
  ASSERT_TRUE(Load("ab\ncd\n"));
  Ctrl('D');
  EXPECT_EQ(Text(), "ab\nab\ncd\n");
  EXPECT_EQ(Status(), "Duplicated line");
  Shifted(kKeyRight);
  Ctrl('D');
  EXPECT_EQ(Text(), "aab\nab\ncd\n");
  EXPECT_EQ(Status(), "Duplicated selection");
  Ctrl('A');
  EXPECT_EQ(editor->selecting, 1);
  EXPECT_EQ(editor->cursor_line, 2);
  Type("z");
  EXPECT_EQ(Text(), "z\n");
  Key(kKeyInsert);
  EXPECT_EQ(console_overwrite, 1);
  EXPECT_NE(Status().find("[OVR]"), std::string::npos);
  Key(kKeyInsert);
  EXPECT_EQ(console_overwrite, 0);
}
