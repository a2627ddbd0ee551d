// What the random-input property leaves out: the status-line prompts
// (their line, go-to-line answers, search modes, replace-all, closing),
// links, the divider, the host loop's limits, and reading and writing files
// in their own form.
#include "console/console_file.h"
#include "console/console_host.h"
#include "engine/utf8.h"
#include "tests/console/editor_fixture.h"

using ConsolePrompt = EditorTest;
using ConsoleFile = EditorTest;

// Tabs pasted into the find or replace prompt become spaces as the file's
// own tabs did, so they match the text and never enter it.
TEST_F(ConsolePrompt, PastedPromptTextHasItsTabsExpanded) {
  ASSERT_TRUE(Load("x\tx\nx x\n(x\tx)\n"));
  clipboard.SetText("x\tx\r\nsecond line");
  Ctrl('F');
  struct { int key; bool shift; const char* text; int mode; } const steps[] = {
      {'a', 0, "a", 0}, {0x905, 0, "a\xE0\xA4\x85", 0}, {0xE9, 0, "a\xE0\xA4\x85\xC3\xA9", 0},
      {kKeyBackspace, 0, "a\xE0\xA4\x85", 0}, {kKeyBackspace, 0, "a", 0}, {kKeyBackspace, 0, "", 0},
      {kKeyBackspace, 0, "", 0}, {kKeyDown, 0, "", 1}, {kKeyUp, 0, "", 0}, {kKeyUp, 0, "", 5},
      {kKeyDown, 0, "", 0}, {0xD800, 0, "_", 0}, {kKeyF1, 0, "_", 0}, {0x7F, 0, "_", 0},
      {kKeyF12, 0, "_", 0}, {0x80, 0, "_\xC2\x80", 0}, {kKeyBackspace, 0, "_", 0}, {kKeyBackspace, 0, "", 0},
      {kKeyInsert, 0, "", 0}, {'B', 1, "B", 0}, {kKeyBackspace, 1, "", 0}, {kKeyInsert, 1, "x  x", 0}, {CtrlKey('V'), 0, "x  xx  x", 0}, {kKeyBackspace, 0, "x  xx  ", 0}};
  for (const auto& step : steps) {
    screen.shift = step.shift;
    Key(step.key);
    screen.shift = false;
    EXPECT_EQ(editor->find_text, step.text) << step.key;
    EXPECT_EQ(console_search_mode, step.mode);
    const std::string shown = std::string("Find ") + SearchModeName(step.mode) +
                              " (Up/Down:mode Ctrl+R:replace ESC:cancel): " + step.text;
    EXPECT_EQ(GridRowText(screen.grid, 24).substr(0, shown.size()), shown);
    EXPECT_EQ(screen.grid.cursor_x, Utf8Columns(shown));
  }
  for (int i = 0; i < 3; ++i) Key(kKeyBackspace);
  Key(kKeyEnter);
  EXPECT_EQ(editor->selection[2], 5);  // the "x  x" after the cursor found
  Ctrl('R');
  clipboard.SetText("\ty");
  Ctrl('V');
  EXPECT_EQ(editor->replace_text, "  y");
  Key(kKeyEnter);
  EXPECT_EQ(Status(), "Replaced 2 instances on 2 lines");
  EXPECT_EQ(Text(), "  y\nx x\n(  y)\n");
  Ctrl('F');
  Key(kKeyEscape);
  EXPECT_EQ(editor->prompt_state, kPromptNone);
  EXPECT_EQ(editor->find_text, "x  x");
}

TEST_F(ConsolePrompt, PromptTextsFitTheWindowAndLongNeedlesAreShortened) {
  const std::string full = "Find substring (Up/Down:mode Ctrl+R:replace ESC:cancel):";
  const std::string brief = "Find substring(U/D:mode Ctrl+R:repl):";
  for (auto [cols, want] : std::vector<std::pair<int, std::string>>{
           {71, full}, {70, brief}, {41, brief}, {40, "Find substring:"}}) {
    TestScreen narrow(10, cols);
    ConsoleEditor small(&narrow, &clipboard);
    small.OnKey(CtrlKey('F'));
    EXPECT_EQ(narrow.Row(9), want) << cols;
    for (int i = 0; i < 40; ++i) small.OnKey('x');
    EXPECT_EQ(narrow.grid.cursor_x, cols - 1) << "the caret stays at the right edge";
  }
  Ctrl('R');
  EXPECT_EQ(Status(), "Use Ctrl+F first, or run Ctrl+R from Find prompt");
  editor->find_text = std::string(23, 'k') + std::string(18, 'm');
  Ctrl('R');
  EXPECT_EQ(Status(), "Replace all (substring) '" + editor->find_text + "':");
  Key(kKeyEscape);
  editor->find_text += "z";
  Ctrl('R');
  EXPECT_EQ(Status(), "Replace all (substring) '" + std::string(18, 'k') + "..." + std::string(17, 'm') + "z':");
}

TEST_F(ConsolePrompt, GoToLineTakesAbsoluteAndRelativeNumbers) {
  std::string text;
  for (int i = 1; i <= 20; ++i) text += "line " + std::to_string(i) + "\n";
  ASSERT_TRUE(Load(text));
  Ctrl('J');
  Type("-x");
  EXPECT_EQ(Status(), "Go to line (ESC:cancel): -x");  // the answer shows, with the cursor after it
  EXPECT_EQ(screen.grid.cursor_x, Utf8Columns("Go to line (ESC:cancel): -x"));
  Key(kKeyEnter);
  EXPECT_EQ(editor->cursor_col, 0) << "an answer that is no number moves nothing";
  const struct { std::u32string answer; int line; } cases[] = {
      {U"3", 2}, {U"+5", 7}, {U"-3", 4}, {U"\u22122", 2}, {U"0", 2}, {U"abc", 2}, {U"4x", 2},
      {U"999", 19}, {U"-100", 0}, {U" 7 ", 6}, {U"+", 6}, {U"1234567890", 6}, {U"", 6},
      {U"123456789", 19}, {U"1", 0}, {U"+0", 0}, {U"20", 19}, {U"-19", 0}};
  for (const auto& c : cases) {
    Ctrl('J');
    EXPECT_EQ(Status(), "Go to line (ESC:cancel):");
    for (char32_t ch : c.answer) Key(static_cast<int>(ch));
    Key(kKeyEnter);
    EXPECT_EQ(editor->cursor_line, c.line) << std::string(c.answer.begin(), c.answer.end());
    EXPECT_EQ(editor->cursor_col, static_cast<int>(std::to_string(c.line + 1).size()) + 5);  // the line's end
  }
}

TEST_F(ConsolePrompt, WordAndTokenModesAndReplaceAllCounts) {
  ASSERT_TRUE(Load("cat concat cat_x(cat) Cat\n"));
  auto find = [&](int mode, const std::string& needle) {
    console_search_mode = mode;
    std::vector<int> cols;
    int length = 0;
    for (int c = editor->Match(needle, editor->lines[0], 0, &length); c >= 0;
         c = editor->Match(needle, editor->lines[0], c + 1, &length))
      cols.push_back(c);
    return cols;
  };
  EXPECT_EQ(find(0, "cat"), (std::vector<int>{0, 7, 11, 17, 22}));
  EXPECT_EQ(find(1, "cat"), (std::vector<int>{0, 7, 11, 17}));
  EXPECT_EQ(find(2, "cat"), (std::vector<int>{0, 17, 22}));
  EXPECT_EQ(find(3, "cat"), (std::vector<int>{0, 17}));
  EXPECT_EQ(find(4, "cat"), (std::vector<int>{0, 22}));
  EXPECT_EQ(find(5, "cat"), (std::vector<int>{0}));
  EXPECT_EQ(find(4, "cat_x(cat)"), (std::vector<int>{11}));
  EXPECT_EQ(find(4, "cat concat"), (std::vector<int>{0}));
  EXPECT_EQ(find(0, "cat concat cat_x(cat) Cat!"), (std::vector<int>{}));
  int length = 0;
  EXPECT_EQ(editor->Match("\xC3\xA9x", "a\xC3\xA9\xC3\xA9x", 0, &length), 2);  // columns count characters
  EXPECT_EQ(length, 2);
  ASSERT_TRUE(Load("a-a\nb\na\n"));
  console_search_mode = 0;
  editor->find_text = "a";
  Ctrl('R');
  Type("xa");
  Key(kKeyEnter);
  EXPECT_EQ(Text(), "xa-xa\nb\nxa\n");
  EXPECT_EQ(Status(), "Replaced 3 instances on 2 lines");
  Ctrl('Z');
  EXPECT_EQ(Text(), "a-a\nb\na\n");
  editor->find_text = "q";
  Ctrl('R');
  Key(kKeyEnter);
  EXPECT_EQ(Status(), "Replaced 0 instances on 0 lines");
  EXPECT_FALSE(editor->IsModified());
}

TEST_F(ConsolePrompt, ClosingAsksBeforeLosingChanges) {
  ASSERT_TRUE(Load("text\n"));
  Type("new ");
  editor->file_name = Path("missing/x.txt");
  for (int answer : {int{kKeyEscape}, int{'q'}, int{'y'}}) {
    Ctrl('W');
    EXPECT_EQ(GridRowText(screen.grid, 24).substr(0, 32), "Save file before closing (y/N)? ");
    EXPECT_TRUE(Key(answer));
  }
  EXPECT_EQ(Status(), "Error writing file, changes not saved!");
  editor->file_name = "";
  EXPECT_FALSE(editor->SaveFile());
  EXPECT_TRUE(editor->IsModified());
  editor->file_name = Path("file.txt");
  Ctrl('W');
  EXPECT_FALSE(Key('Y'));  // saved, and the editor deleted itself
  EXPECT_EQ(ReadBytes("file.txt"), "new text\n");
  editor = new ConsoleEditor(&screen, &clipboard);
  ASSERT_TRUE(Load("text\n"));
  Type("zz");
  Ctrl('W');
  EXPECT_FALSE(Key('n'));
  EXPECT_EQ(ReadBytes("file.txt"), "text\n");
  editor = new ConsoleEditor(&screen, &clipboard);
  ASSERT_TRUE(Load("text\n"));
  screen.ctrl = true;
  EXPECT_FALSE(Key(CtrlKey('W'))) << "nothing to lose";
  screen.ctrl = false;
}

TEST_F(ConsolePrompt, DividerLinksAndTheHostLoop) {
  ASSERT_TRUE(Load("see http://example.com/x) and\nplain http://ab 'http://a.b/c' \"http://d.e/f\"\n" +
                   std::string(30, '\n')));
  auto mouse = [&](ConsoleMouseKind kind, int col, int row) {
    editor->OnMouse(ConsoleMouse{kind, col * 8 + 3, row * 8 + 3, 0});
  };
  for (auto [col, row] : {std::pair{10, 1}, {1, 1}, {24, 1}, {10, 2}, {20, 2}, {35, 2}})
    mouse(ConsoleMouseKind::kLeftDouble, col, row);
  EXPECT_EQ(screen.links, (std::vector<std::string>{"http://example.com/x", "http://a.b/c", "http://d.e/f"}));
  EXPECT_TRUE(editor->selecting && editor->selection[0] == 0 && editor->selection[2] == 3) << "the word \"see\"";
  editor->cursor_line = 30;
  for (auto [line, center] : {std::pair{30, 0.0}, {30, 0.5}, {30, 1.0}, {0, 0.0}}) {  // at a share of the pane's height
    editor->MakeCursorVisible(line, center);
    EXPECT_EQ(editor->pane_scroll[0], line - static_cast<int>(22 * center));
  }
  Ctrl('P');
  ASSERT_EQ(DividerRow(screen.layout), 12);
  mouse(ConsoleMouseKind::kLeftDown, 4, 12);
  mouse(ConsoleMouseKind::kMove, 4, 6);
  mouse(ConsoleMouseKind::kCaptureLost, 4, 6);
  mouse(ConsoleMouseKind::kMove, 4, 20);  // no longer dragged
  EXPECT_EQ(DividerRow(screen.layout), 6);
  EXPECT_FALSE(screen.captured);
  mouse(ConsoleMouseKind::kLeftDown, 4, 6);
  mouse(ConsoleMouseKind::kMove, 4, 40);  // as low as it goes, in a window of three text rows
  mouse(ConsoleMouseKind::kLeftUp, 4, 40);
  ResizeGrid(&screen.grid, 6, 20);
  screen.on_resize();
  EXPECT_TRUE(screen.layout.panes[0].row_count == 1 && screen.layout.panes[1].row_count == 1);
  TestScreen other(6, 20);
  ConsoleEditor empty(&other, &clipboard);
  empty.OnMouse(ConsoleMouse{ConsoleMouseKind::kLeftDouble, 11, 11, 0});  // nothing to select or open
  EXPECT_TRUE(!empty.selecting && other.links.empty());

  screen.pump_mode = 1;
  for (int i = 0; i < 20; ++i) ScreenQueueKey(&screen, 'c');
  EXPECT_TRUE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_TRUE(screen.keys.count == 4 && screen.pumps == 16) << "at most 16 keys a tick";
  screen.keys = ConsoleKeyQueue{};
  ASSERT_TRUE(editor->SaveFile());
  screen.ctrl = true;
  ScreenQueueKey(&screen, CtrlKey('W'));
  ScreenQueueKey(&screen, 'x');
  screen.ctrl = false;
  EXPECT_FALSE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_TRUE(editor == nullptr && screen.keys.count == 1 && !screen.on_mouse);  // the editor detached itself
}

TEST_F(ConsoleFile, ReadAndWrittenBackInTheFilesOwnForm) {
  const struct { const char* bytes; const char* text; int indent; const char* saved; } cases[] = {
      {"one\r\ntwo\r\nthree\n", "one\ntwo\nthree\n", 2, "one\r\ntwo\r\nthree\r\n"},  // mostly CR LF
      {"one\r\ntwo\nthree\nfour\n", "one\ntwo\nthree\nfour\n", 2, "one\ntwo\nthree\nfour\n"},
      {"a\r\nb\n", "a\nb\n", 2, "a\nb\n"},  // half is not most
      {"\xEF\xBB\xBFhello\nworld", "hello\nworld\n", 2, "hello\nworld\n"},
      {"x\n\xEF\xBB\xBFy\n", "x\n\xEF\xBB\xBFy\n", 2, "x\n\xEF\xBB\xBFy\n"},  // a mark only at the start
      {"a\r\r\n\n", "a\n\n", 2, "a\r\n\r\n"},
      // Tab-indented: tabs as spaces one wider than the widest space run.
      {"f {\n\tif {\n\t\ty = 1;   // n\n\t   al\n}\n", "f {\n    if {\n        y = 1;   // n\n       al\n}\n", 4,
       "f {\n\tif {\n\t\ty = 1;   // n\n\t   al\n}\n"},
      {"a\n\tb\n", "a\n  b\n", 2, "a\n\tb\n"},
      {"a\n\tb\n       c\n", "a\n        b\n       c\n", 8, "a\n\tb\n       c\n"},
      {"a\n\tb\n        deep\n", "a\n  b\n        deep\n", 2, "a\n  b\n        deep\n"},  // mixed: spaces
      {"x\n  \tspace then tab\n", "x\n    space then tab\n", 2, "x\n    space then tab\n"},
      {"x\ty\n", "x  y\n", 2, "x  y\n"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(Load(c.bytes)) << c.bytes;
    EXPECT_EQ(Text(), c.text) << c.bytes;
    EXPECT_EQ(editor->indent_size, c.indent) << c.bytes;
    ASSERT_TRUE(editor->SaveFile());
    EXPECT_EQ(ReadBytes("file.txt"), c.saved);
    editor->indent_size = 2;
  }
  ASSERT_TRUE(Load(""));
  EXPECT_TRUE(editor->lines.empty());
  ConsoleLineSplitter splitter;  // lines over 32 MiB are cut
  std::string chunk(1 << 20, 'x');
  for (int i = 0; i < 33; ++i) splitter.Feed(chunk.data(), chunk.size());
  splitter.Feed("\r\n", 2);
  splitter.Finish();
  ASSERT_EQ(splitter.lines.size(), 2u);
  EXPECT_TRUE(splitter.lines[0].size() == kConsoleMaxLineBytes && splitter.lines[1].size() == 1u << 20);
  EXPECT_EQ(splitter.cr_count, 1);
}

TEST_F(ConsoleFile, MissingFilesInitialTextAndReload) {
  EXPECT_FALSE(editor->Open(Path("missing.txt")));
  EXPECT_TRUE(editor->lines.empty() && !editor->IsModified());
  EXPECT_TRUE(editor->Open(Path("new.txt"), "first\n\tsecond\n"));
  EXPECT_EQ(ReadBytes("new.txt"), "first\n\tsecond\n");
  EXPECT_TRUE(editor->lines[1] == "  second" && !editor->IsModified());
  // A file that cannot be created keeps the text, marked as unsaved.
  EXPECT_FALSE(editor->Open(Path("no/such/dir.txt"), "kept\n"));
  EXPECT_EQ(editor->lines, std::vector<std::string>{"kept"});
  EXPECT_TRUE(editor->IsModified());

  ASSERT_TRUE(Load("a\nb\n"));
  WriteBytes("file.txt", "c\n");
  ASSERT_TRUE(editor->Reload(false));
  EXPECT_TRUE(Text() == "c\n" && !editor->IsModified());
  Ctrl('Z');  // reloading can be undone
  EXPECT_EQ(Text(), "a\nb\n");
  ASSERT_TRUE(editor->Reload(true));
  EXPECT_EQ(editor->undo_states.size(), 1u);
}
