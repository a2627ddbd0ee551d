// The status-line prompts, searching in the three match modes, replace-all,
// go-to-line and closing.
#include "tests/console/editor_fixture.h"

using ConsolePrompt = EditorTest;

TEST_F(ConsolePrompt, FindPromptTextDependsOnWidthAndCyclesModes) {
  ASSERT_TRUE(Load("x\n"));
  Ctrl('F');
  EXPECT_EQ(editor->prompt_state, kPromptFind);
  EXPECT_EQ(Status(), "Find substring (Up/Down:mode Ctrl+R:replace ESC:cancel):");
  Key(kKeyDown);
  EXPECT_EQ(Status(), "Find SubString (Up/Down:mode Ctrl+R:replace ESC:cancel):");
  Key(kKeyUp);
  Key(kKeyUp);
  EXPECT_EQ(console_search_mode, 5);
  EXPECT_EQ(Status(), "Find TokenMatch (Up/Down:mode Ctrl+R:replace ESC:cancel):");
  Type("ab");
  Key(0xE9);
  Key(kKeyBackspace);  // removes the whole character
  EXPECT_EQ(editor->find_text, "ab");
  Key(kKeyEscape);
  EXPECT_EQ(editor->prompt_state, kPromptNone);

  console_search_mode = 0;
  TestScreen narrow(10, 50);
  ConsoleEditor small(&narrow, &clipboard);
  small.OnKey(CtrlKey('F'));
  EXPECT_EQ(narrow.Row(9), "Find substring(U/D:mode Ctrl+R:repl):");
  TestScreen tiny(10, 40);
  ConsoleEditor smaller(&tiny, &clipboard);
  smaller.OnKey(CtrlKey('F'));
  EXPECT_EQ(tiny.Row(9), "Find substring:");
  const char* names[] = {"substring", "SubString", "wordmatch", "WordMatch", "tokenmatch", "TokenMatch"};
  for (int mode = 0; mode < 6; ++mode) EXPECT_STREQ(SearchModeName(mode), names[mode]);
}

TEST_F(ConsolePrompt, SubstringSearchBothCasesWithWrapAround) {
  ASSERT_TRUE(Load("Foo one\nbar foo\nFOO end\n"));
  Ctrl('F');
  Type("foo");
  Key(kKeyEnter);
  EXPECT_EQ(Status(), "Found @ Line 2 Col 5 'foo' (Shift+)F3|Ctrl+G:(prev)next");
  EXPECT_EQ(editor->selecting, 1);
  EXPECT_EQ(editor->cursor_col, 4);
  Key(kKeyF1 + 2);  // F3
  EXPECT_EQ(Status(), "Found @ Line 3 Col 1 'foo' (Shift+)F3|Ctrl+G:(prev)next");
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 1 Col 1 (wrapped) 'foo' (Shift+)F3|Ctrl+G:(prev)next");
  screen.shift = true;
  Ctrl('G');  // previous, wrapping backwards
  screen.shift = false;
  EXPECT_EQ(Status(), "Found @ Line 3 Col 1 (wrapped) 'foo' (Shift+)F3|Ctrl+G:(prev)next");

  console_search_mode = 1;  // case-sensitive
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 2 Col 5 (wrapped) 'foo' (Shift+)F3|Ctrl+G:(prev)next");
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 2 Col 5 (wrapped) 'foo' (Shift+)F3|Ctrl+G:(prev)next");
  editor->find_text = "zzz";
  Ctrl('G');
  EXPECT_EQ(Status(), "SubString 'zzz' not found");
}

TEST_F(ConsolePrompt, WordAndTokenSearchWrapAround) {
  ASSERT_TRUE(Load("Ab abc\nx ab\nAB ab_\n"));
  Key(kKeyDown);
  Key(kKeyEnd);
  editor->find_text = "ab";
  console_search_mode = 2;  // words, any case
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 3 Col 1 'ab' (Shift+)F3|Ctrl+G:(prev)next");
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 1 Col 1 (wrapped) 'ab' (Shift+)F3|Ctrl+G:(prev)next");
  console_search_mode = 3;  // words, exact case
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 2 Col 3 'ab' (Shift+)F3|Ctrl+G:(prev)next");
  screen.shift = true;
  Ctrl('G');
  screen.shift = false;
  EXPECT_EQ(Status(), "Found @ Line 2 Col 3 (wrapped) 'ab' (Shift+)F3|Ctrl+G:(prev)next");
  console_search_mode = 4;  // tokens, any case
  editor->find_text = "ab_";
  Ctrl('G');
  EXPECT_EQ(Status(), "Found @ Line 3 Col 4 'ab_' (Shift+)F3|Ctrl+G:(prev)next");
  console_search_mode = 5;
  editor->find_text = "aB";
  Ctrl('G');
  EXPECT_EQ(Status(), "TokenMatch 'aB' not found");
}

TEST_F(ConsolePrompt, WordAndTokenModes) {
  ASSERT_TRUE(Load("cat concat cat_x (cat) Cat\n"));
  auto find = [&](int mode, const std::string& needle) {
    console_search_mode = mode;
    int length = 0;
    std::vector<int> cols;
    for (int c = editor->Match(needle, editor->lines[0], 0, &length); c >= 0;
         c = editor->Match(needle, editor->lines[0], c + 1, &length))
      cols.push_back(c);
    return cols;
  };
  EXPECT_EQ(find(0, "cat"), (std::vector<int>{0, 7, 11, 18, 23}));
  EXPECT_EQ(find(1, "cat"), (std::vector<int>{0, 7, 11, 18}));
  EXPECT_EQ(find(2, "cat"), (std::vector<int>{0, 18, 23}));
  EXPECT_EQ(find(3, "cat"), (std::vector<int>{0, 18}));
  EXPECT_EQ(find(4, "cat"), (std::vector<int>{0, 23}));
  EXPECT_EQ(find(5, "cat"), (std::vector<int>{0}));
  EXPECT_EQ(find(4, "(cat)"), (std::vector<int>{17}));
  EXPECT_EQ(find(4, "cat concat"), (std::vector<int>{0}));
  std::string_view rest = "  \tone two\t";
  EXPECT_EQ(editor->SplitToken(&rest), "one");
  EXPECT_EQ(editor->SplitToken(&rest), "two");
  EXPECT_EQ(editor->SplitToken(&rest), "");
  // Columns count characters.
  console_search_mode = 0;
  int length = 0;
  EXPECT_EQ(editor->Match("\xC3\xA9x", "a\xC3\xA9\xC3\xA9x", 0, &length), 2);
  EXPECT_EQ(length, 2);
}

TEST_F(ConsolePrompt, ReplaceAllReportsCounts) {
  ASSERT_TRUE(Load("a-a\nb\na\n"));
  Ctrl('R');
  EXPECT_EQ(Status(), "Use Ctrl+F first, or run Ctrl+R from Find prompt");
  Ctrl('F');
  Type("a");
  Ctrl('R');
  EXPECT_EQ(editor->prompt_state, kPromptReplace);
  EXPECT_EQ(Status(), "Replace all (substring) 'a':");
  Type("xa");
  Key(kKeyEnter);
  EXPECT_EQ(Text(), "xa-xa\nb\nxa\n");
  EXPECT_EQ(Status(), "Replaced 3 instances on 2 lines");
  Ctrl('Z');
  EXPECT_EQ(Text(), "a-a\nb\na\n");
  editor->find_text = "b";
  Ctrl('R');
  Key(kKeyBackspace);
  Key(kKeyBackspace);
  Key(kKeyEnter);
  EXPECT_EQ(Status(), "Replaced 1 instance on 1 line");
  EXPECT_EQ(Text(), "a-a\n\na\n");
  editor->find_text = std::string(30, 'k') + std::string(20, 'm');
  Ctrl('R');
  EXPECT_EQ(Status(), "Replace all (substring) '" + std::string(18, 'k') + "..." +
                          std::string(18, 'm') + "':");
}

// Tabs pasted into the find or replace prompt become spaces as the file's
// own tabs did, so they match the text and never enter it.
TEST_F(ConsolePrompt, PastedPromptTextHasItsTabsExpanded) {
  ASSERT_TRUE(Load("x\tx\nx x\n"));
  ASSERT_EQ(Text(), "x  x\nx x\n");
  clipboard.SetText("x\tx\r\nsecond line");
  Ctrl('F');
  Ctrl('V');
  EXPECT_EQ(editor->find_text, "x  x");
  Ctrl('R');
  clipboard.SetText("\ty");
  Ctrl('V');
  EXPECT_EQ(editor->replace_text, "  y");
  Key(kKeyEnter);
  EXPECT_EQ(Status(), "Replaced 1 instance on 1 line");
  EXPECT_EQ(Text(), "  y\nx x\n");
}

TEST_F(ConsolePrompt, GoToLineAbsoluteRelativeAndInvalid) {
  std::string text;
  for (int i = 1; i <= 20; ++i) text += "line " + std::to_string(i) + "\n";
  ASSERT_TRUE(Load(text));
  auto go = [&](const std::string& answer) {
    Ctrl('J');
    EXPECT_EQ(Status(), "Go to line (ESC:cancel):");
    Type(answer);
    Key(kKeyEnter);
  };
  go("3");
  EXPECT_EQ(editor->cursor_line, 2);
  EXPECT_EQ(editor->cursor_col, 6);  // the line's end
  go("+5");
  EXPECT_EQ(editor->cursor_line, 7);
  go("-3");
  EXPECT_EQ(editor->cursor_line, 4);
  Ctrl('J');
  Key(0x2212);  // the typographic minus
  Type("2");
  Key(kKeyEnter);
  EXPECT_EQ(editor->cursor_line, 2);
  go("0");
  EXPECT_EQ(editor->cursor_line, 2);
  go("abc");
  EXPECT_EQ(editor->cursor_line, 2);
  go("4x");
  EXPECT_EQ(editor->cursor_line, 2);
  go("999");
  EXPECT_EQ(editor->cursor_line, 19);
  go("-100");
  EXPECT_EQ(editor->cursor_line, 0);
  Shifted(kKeyDown);
  go("5");
  EXPECT_EQ(editor->selecting, 0);
  Ctrl('J');
  Type("7");
  Key(kKeyEscape);
  EXPECT_EQ(editor->cursor_line, 4);
  // Pasting into a prompt takes the clipboard's first line.
  clipboard.SetText("12\r\nmore");
  Ctrl('J');
  Ctrl('V');
  Key(kKeyEnter);
  EXPECT_EQ(editor->cursor_line, 11);
}

TEST_F(ConsolePrompt, CloseAsksBeforeLosingChanges) {
  ASSERT_TRUE(Load("text\n"));
  Type("new ");
  Ctrl('W');
  EXPECT_EQ(GridRowText(screen.grid, 24).substr(0, 32), "Save file before closing (y/N)? ");
  Key(kKeyEscape);
  EXPECT_EQ(Status(), "Cancelled close of file.");
  Ctrl('W');
  Key('q');
  EXPECT_EQ(Status(), "Cancelled close of file.");
  editor->file_name = Path("missing/x.txt");
  Ctrl('W');
  EXPECT_TRUE(Key('y'));
  EXPECT_EQ(Status(), "Error writing file, changes not saved!");
  editor->file_name = Path("file.txt");
  Ctrl('W');
  EXPECT_FALSE(Key('y'));  // saved and deleted itself
  EXPECT_EQ(editor, nullptr);
  EXPECT_EQ(ReadBytes("file.txt"), "new text\n");
}

TEST_F(ConsolePrompt, CloseWithoutChangesOrWithoutSaving) {
  ASSERT_TRUE(Load("text\n"));
  screen.ctrl = true;
  EXPECT_FALSE(Key(CtrlKey('W')));
  screen.ctrl = false;
  editor = new ConsoleEditor(&screen, &clipboard);
  ASSERT_TRUE(Load("text\n"));
  Type("zz");
  Ctrl('W');
  EXPECT_FALSE(Key('n'));
  EXPECT_EQ(ReadBytes("file.txt"), "text\n");
}

class NamingEditor : public ConsoleEditor {
 public:
  using ConsoleEditor::ConsoleEditor;
  void AcceptNewFileName(const std::string& name) override { accepted = name; }
  std::string accepted;
};

TEST_F(ConsolePrompt, CreateNewFileConfirmation) {
  NamingEditor naming(&screen, &clipboard);
  naming.AskCreateNewFile("new.txt");
  EXPECT_EQ(screen.Row(24), "Create new file 'new.txt' (Y/n)?");
  naming.OnKey('n');
  EXPECT_EQ(screen.Row(24), "Cancelled create new file.");
  EXPECT_EQ(naming.accepted, "");
  naming.AskCreateNewFile("b.txt");
  naming.OnKey(kKeyEscape);
  EXPECT_EQ(naming.accepted, "");
  naming.AskCreateNewFile("c.txt");
  naming.OnKey(kKeyEnter);
  EXPECT_EQ(naming.accepted, "c.txt");
  EXPECT_EQ(naming.prompt_state, kPromptNone);
}
