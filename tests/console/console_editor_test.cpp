// What the random-input property leaves out: the status-line prompts
// (their line, go-to-line answers, long needles, closing and creating),
// links, the host loop's limits, reading and writing files in their own
// form, what the undo history costs, and the invariant checker itself.
#include <malloc.h>

#include <cstdio>

#include "console/console_file.h"
#include "console/console_host.h"
#include "engine/utf8.h"
#include "tests/console/editor_fixture.h"

#if defined(__SANITIZE_ADDRESS__)  // its allocator keeps its own count
extern "C" size_t __sanitizer_get_current_allocated_bytes();
size_t HeapBytes() { return __sanitizer_get_current_allocated_bytes(); }
#else
size_t HeapBytes() { return mallinfo2().uordblks; }
#endif

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

TEST_F(ConsolePrompt, ClosingAndCreatingAskFirst) {
  ASSERT_TRUE(Load("text\n"));
  Type("new ");
  editor->file_name = Path("missing/x.txt");
  for (int answer : {int{kKeyEscape}, int{'q'}, int{'y'}}) {
    Ctrl('W');
    EXPECT_EQ(GridRowText(screen.grid, 24).substr(0, 32), "Save file before closing (y/N)? ");
    EXPECT_TRUE(Key(answer));
  }
  EXPECT_EQ(Status(), "Error writing file, changes not saved!");
  for (int answer : {int{'n'}, int{'N'}, int{kKeyEscape}, int{'q'}}) {  // yes unless said no
    editor->AskCreateNewFile("new.txt");
    EXPECT_EQ(Status(), "Create new file 'new.txt' (Y/n)?");
    EXPECT_TRUE(Key(answer));
    EXPECT_EQ(Status() == "Cancelled create new file.", answer != 'q');
  }
  EXPECT_EQ(Calls(), std::vector<std::string>{"create new.txt"});
  editor->file_name = "";
  EXPECT_FALSE(editor->SaveFile());
  EXPECT_TRUE(editor->IsModified());
  editor->file_name = Path("file.txt");
  for (auto [answer, bytes] : {std::pair{'Y', "new text\n"}, {'n', "text\n"}, {'\0', "text\n"}}) {
    if (!editor) {
      editor = new HostedEditor(&screen, &clipboard);
      ASSERT_TRUE(Load("text\n"));
      Type(answer ? "zz" : "");
    }
    screen.ctrl = true;
    EXPECT_EQ(Key(CtrlKey('W')), answer != 0) << "nothing to lose: closed at once";
    screen.ctrl = false;
    EXPECT_FALSE(answer && Key(answer));  // saved or not, and the editor deleted itself
    EXPECT_EQ(ReadBytes("file.txt"), bytes);
  }
}

TEST_F(ConsolePrompt, LinksScrollingAndTheHostLoop) {
  ASSERT_TRUE(Load("see http://example.com/x) and\nhttp://l.m/n plain http://ab 'http://a.b/c' \"http://d.e/f\" "
                   "xhttp://g.h/ij\n" + std::string(30, '\n')));
  auto mouse = [&](ConsoleMouseKind kind, int col, int row) {
    editor->OnMouse(ConsoleMouse{kind, col * 8 + 3, row * 8 + 3, 0});
  };
  for (auto [col, row] : {std::pair{10, 1}, {0, 2}, {23, 2}, {33, 2}, {48, 2}, {65, 2}, {24, 1}, {1, 1}, {1, 0}})
    mouse(ConsoleMouseKind::kLeftDouble, col, row);
  EXPECT_EQ(screen.links,
            (std::vector<std::string>{"http://example.com/x", "http://l.m/n", "http://a.b/c", "http://d.e/f"}));
  EXPECT_TRUE(editor->selecting && editor->selection[0] == 0 && editor->selection[2] == 3) << "the word \"see\"";
  editor->cursor_line = 30;
  for (auto [line, center] : {std::pair{30, 0.0}, {30, 0.5}, {30, 1.0}, {0, 0.0}}) {  // at a share of the pane's height
    editor->MakeCursorVisible(line, center);
    EXPECT_EQ(editor->pane_scroll[0], line - static_cast<int>(22 * center));
  }
  clipboard.SetText(std::string(3000, '\n'));  // a paste that shrinks the text brings the view back to it
  Ctrl('V'), Ctrl('A'), clipboard.SetText("1\n2\n3\n4\n5\n6\n7"), Ctrl('V'), Key(4103);
  EXPECT_EQ(Status().rfind("Line 7/7 [1-7] ", 0), 0u) << Status();
  TestScreen other(6, 20);
  ConsoleEditor empty(&other, &clipboard);
  empty.OnMouse(ConsoleMouse{ConsoleMouseKind::kLeftDouble, 11, 11, 0});  // nothing to select or open
  EXPECT_TRUE(!empty.selecting && other.links.empty());

  screen.pump_mode = 1;
  for (int i = 0; i < 20; ++i) ScreenQueueKey(&screen, 'c');
  EXPECT_TRUE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_TRUE(screen.keys.count == 4 && screen.pumps == 16) << "at most 16 keys a tick";
  EXPECT_TRUE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_EQ(screen.pumps, 21) << "the other four, then an empty queue: nothing waits for a key";
  screen.pump_mode = 2;
  screen.pumps = 0;
  Type("cc");
  EXPECT_EQ(screen.pumps, 0) << "a queued key needs no wait";
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
      {"a\n\tb\n", "a\n  b\n", 2, "a\n\tb\n"}, {"a\n\tb\n", "a\n b\n", 1, "a\n\tb\n"},
      {"a\n\tb\n       c\n", "a\n        b\n       c\n", 8, "a\n\tb\n       c\n"},
      {"a\n\tb\n        deep\n", "a\n  b\n        deep\n", 2, "a\n  b\n        deep\n"},  // mixed: spaces
      {"x\n  \tspace then tab\n", "x\n    space then tab\n", 2, "x\n    space then tab\n"},
      {"x\ty\n", "x  y\n", 2, "x  y\n"}};
  for (const auto& c : cases) {
    editor->indent_size = std::min(c.indent, 2);  // as set before opening
    ASSERT_TRUE(Load(c.bytes)) << c.bytes;
    EXPECT_EQ(Text(), c.text) << c.bytes;
    EXPECT_EQ(editor->indent_size, c.indent) << c.bytes;
    ASSERT_TRUE(editor->SaveFile());
    EXPECT_EQ(ReadBytes("file.txt"), c.saved);
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
  EXPECT_EQ(Text(), "kept\n");
  EXPECT_TRUE(editor->IsModified());

  ASSERT_TRUE(Load("a\nb\nc\n"));
  Key(kKeyDown);
  Key(kKeyDown);
  WriteBytes("file.txt", "ab\nab\n");
  ASSERT_TRUE(editor->Reload(false));
  EXPECT_TRUE(Text() == "ab\nab\n" && !editor->IsModified() && editor->cursor_line == 2);
  editor->find_text = "a";
  Key(kKeyF1 + 2);  // from the line after the text a search goes on at the top
  EXPECT_TRUE(editor->cursor_line == 0 && editor->message.find("(wrapped)") != std::string::npos);
  Ctrl('Z');  // reloading can be undone
  EXPECT_EQ(Text(), "a\nb\nc\n");
  ASSERT_TRUE(editor->Reload(true));
  EXPECT_EQ(editor->undo_states.size(), 1u);
  ASSERT_EQ(remove(Path("file.txt").c_str()), 0);
  EXPECT_FALSE(editor->Reload(false));
  EXPECT_EQ(Text(), "ab\nab\n");
}

// Each key keeps a snapshot of the whole text, yet costs memory for the
// lines it changed: 100 keys typed far apart in 50,000 lines (1.4 MB) add
// less than 4 MB, where a pointer per line and snapshot would take 80 MB.
TEST_F(ConsoleFile, UndoSnapshotsCostTheChangedLinesNotTheText) {
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "line " + std::to_string(i) + " of the text\n";
  ASSERT_TRUE(Load(text));
  const size_t before = HeapBytes();
  for (int i = 0; i < 100; ++i) {
    editor->cursor_line = i * 499;
    Key('x');
  }
  EXPECT_LT(HeapBytes() - before, 4u << 20);
  EXPECT_EQ(editor->undo_position, 100);
}

// The checker every other test leans on notices each kind of broken state.
TEST_F(ConsoleFile, TheCheckerNoticesEachBrokenField) {
  EXPECT_EQ(HostedEditor(nullptr, nullptr).CheckInvariants(), "") << "nothing opened yet";
  ASSERT_TRUE(Load("ab\n"));
  ConsoleEditor& e = *editor;
  e.selecting = 1;
  const std::pair<int*, int> breaks[] = {
      {&e.undo_position, -2}, {&e.undo_position, -1}, {&e.undo_position, 1}, {&e.clean_position, -2},
      {&e.clean_position, 1}, {&e.cursor_line, -1}, {&e.cursor_line, 2}, {&e.cursor_col, -1}, {&e.cursor_col, 3},
      {&e.selection[2], -1}, {&e.selection[1], 2}, {&e.selection[3], 2}, {&e.hscroll, -1}, {&e.pane_scroll[1], -1},
      {&e.current_pane, 2}, {&e.prompt_state, kPromptNone - 1}, {&e.prompt_state, kPromptSaveBeforeClose + 1},
      {&screen.grid.rows, 0}};
  for (auto [field, bad] : breaks) {
    const int kept = std::exchange(*field, bad);
    EXPECT_NE(e.CheckInvariants(), "") << bad;
    *field = kept;
  }
}
