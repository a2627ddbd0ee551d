// The Preferences window's console editors without a window: the read-only
// key filter, the save-and-check handler and the help line, driven through
// the editors with a test screen and a host that records what was asked.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/preferences_editors.h"
#include "console/console_host.h"
#include "tests/console/editor_fixture.h"

namespace {

// Records focus switches; closing deletes the editor as the real window's
// destruction does.
class FakeHost : public PaneHost {
 public:
  void SwitchFocus(int from) override { switches.push_back(from); }
  bool CloseHost() override {
    ++closes;
    delete *editor;
    *editor = nullptr;
    return true;
  }
  std::vector<int> switches;
  int closes = 0;
  ConsoleEditor** editor = nullptr;
};

// The console editor fixture (screen, clipboard, scratch folder, keys) with
// one of the two pane editors in place of the plain one.
class PaneEditorTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    delete editor;
    editor = nullptr;
    host.editor = &editor;
  }

  bool Exists(const std::string& name) {
    struct stat st;
    return stat(Path(name).c_str(), &st) == 0;
  }
  template <typename E>
  E* Make(const std::string& name, const std::string* text) {
    auto* made = new E(&screen, &clipboard);
    made->host_window = &host;
    editor = made;
    if (text) WriteBytes(name, *text);
    made->Open(Path(name));
    made->DrawTextArea();
    made->MakeCursorVisible(0, -1.0);
    return made;
  }
  DefaultsViewer* MakeViewer(const std::string& text) {
    return Make<DefaultsViewer>("preferences-default.txt", &text);
  }
  PreferencesEditor* MakeEditor(const std::string* text) {
    return Make<PreferencesEditor>("preferences.txt", text);
  }
  // Any key code with Ctrl held; false when the editor is gone.
  bool Ctrl(int key) {
    screen.ctrl = true;
    bool alive = Key(key);
    screen.ctrl = false;
    return alive;
  }
  std::string HelpLine() const { return screen.Row(screen.grid.rows - 2); }

  FakeHost host;
};

constexpr int kCtrlC = 3, kCtrlD = 4, kCtrlF = 6, kCtrlG = 7, kBackspace = 8, kTab = 9,
              kCtrlJ = 10, kCtrlL = 12, kEnter = 13, kCtrlO = 15, kCtrlP = 16, kCtrlR = 18,
              kCtrlS = 19, kCtrlV = 22, kCtrlW = 23, kCtrlX = 24, kCtrlY = 25, kCtrlZ = 26,
              kEscape = 27;
constexpr int kDown = 4096, kRight = 4100, kEnd = 4103, kInsert = 4104, kDelete = 4105,
              kF3 = 4108;

const char kDefaults[] = "{\n  \"alpha\": 1,\n  \"beta\": 2\n}\n";

TEST_F(PaneEditorTest, ViewerDropsEveryKeyThatWouldChangeTheText) {
  MakeViewer(kDefaults);
  clipboard.SetText("pasted");
  const std::string before = Text();
  for (int key : {int('a'), int('{'), 0xE9, kEnter, kBackspace, kDelete, kInsert, kTab})
    EXPECT_TRUE(Key(key));
  screen.shift = true;
  Key(kInsert);  // Shift+Insert pastes in the base editor
  Key(kTab);     // Shift+Tab unindents
  screen.shift = false;
  for (int key : {kCtrlX, kCtrlV, kCtrlD, kCtrlZ, kCtrlY, kCtrlJ, kCtrlR, kCtrlS, 1 /* Ctrl+A */})
    EXPECT_TRUE(Ctrl(key));
  // The reading Ctrl keys need Ctrl held: their codes alone do nothing.
  for (int key : {kCtrlF, kCtrlP, kCtrlO, kCtrlG, kCtrlW}) EXPECT_TRUE(Key(key));
  EXPECT_EQ(Text(), before);
  EXPECT_FALSE(editor->IsModified());
  EXPECT_EQ(editor->undo_states.size(), 1u);
  EXPECT_EQ(editor->prompt_state, 0) << "no prompt opened";
  EXPECT_EQ(editor->pane_divider, 1.0) << "no split";
  EXPECT_EQ(editor->selecting, 0) << "Ctrl+A selects nothing here";
  EXPECT_EQ(console_overwrite, 0) << "Insert is dropped";
  EXPECT_EQ(editor->cursor_line, 0);
  EXPECT_EQ(editor->cursor_col, 0);
  EXPECT_TRUE(host.switches.empty());
  EXPECT_EQ(host.closes, 0);
  EXPECT_EQ(ReadBytes("preferences-default.txt"), kDefaults);
}

TEST_F(PaneEditorTest, ViewerMovesFindsCopiesAndSplits) {
  MakeViewer(kDefaults);
  Key(kDown);
  Key(kEnd);
  EXPECT_EQ(editor->cursor_line, 1);
  EXPECT_EQ(editor->cursor_col, 13);
  // Shift+movement selects; Ctrl+C copies it.
  Key(4102);  // Home: first non-blank column
  screen.shift = true;
  Key(kEnd);
  screen.shift = false;
  Ctrl(kCtrlC);
  std::string copied;
  ASSERT_TRUE(clipboard.GetText(&copied));
  EXPECT_EQ(copied, "\"alpha\": 1,");
  Key(kEscape);
  EXPECT_EQ(editor->selecting, 0);

  // The find prompt takes every key, typing and Backspace included.
  Ctrl(kCtrlF);
  EXPECT_EQ(editor->prompt_state, 2);
  Type("betx");
  Key(kBackspace);
  Key('a');
  EXPECT_EQ(editor->find_text, "beta");
  Ctrl(kTab);  // goes to the prompt, not to the host
  EXPECT_TRUE(host.switches.empty());
  Key(kEnter);
  EXPECT_EQ(editor->prompt_state, 1);
  EXPECT_EQ(editor->cursor_line, 2);
  EXPECT_EQ(editor->selecting, 1);
  EXPECT_EQ(Status().rfind("Found @ Line 3 Col 4 ", 0), 0u) << Status();
  // Find next with Ctrl+G and F3 wraps around to the same match.
  Ctrl(kCtrlG);
  EXPECT_EQ(editor->cursor_line, 2);
  Key(kF3);
  EXPECT_EQ(editor->cursor_line, 2);

  // Ctrl+P splits, Ctrl+O moves to the other pane, Ctrl+L redraws.
  Ctrl(kCtrlP);
  EXPECT_EQ(editor->pane_divider, 0.5);
  Ctrl(kCtrlO);
  EXPECT_EQ(editor->current_pane, 1);
  screen.grid.cells[0].ch = 'Z';
  Ctrl(kCtrlL);
  EXPECT_NE(screen.grid.cells[0].ch, 'Z') << "redrawn";
  EXPECT_EQ(Text(), kDefaults);
  EXPECT_FALSE(editor->IsModified());
}

TEST_F(PaneEditorTest, ViewerCtrlTabAsksForTheOtherPaneAndCtrlWClosesTheHost) {
  MakeViewer(kDefaults);
  EXPECT_TRUE(Ctrl(kTab));
  EXPECT_EQ(host.switches, std::vector<int>{2});
  EXPECT_TRUE(Key(kTab)) << "Tab alone does nothing here";
  EXPECT_EQ(host.switches.size(), 1u);
  EXPECT_FALSE(Ctrl(kCtrlW));
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(editor, nullptr);

  // Without a host the two keys do nothing.
  auto* alone = new DefaultsViewer(&screen, &clipboard);
  editor = alone;
  EXPECT_TRUE(Ctrl(kTab));
  EXPECT_TRUE(Ctrl(kCtrlW));
  EXPECT_NE(editor, nullptr);
}

TEST_F(PaneEditorTest, SaveWritesAParsedTextAndReportsIt) {
  const std::string original = "{\n  \"ruler\": 100\n}\n";
  MakeEditor(&original);
  Key(kDown);
  Key(kEnd);
  Key(',');
  Key(kEnter);
  Type("\"tab_size\": 4");
  ASSERT_TRUE(editor->IsModified());
  Ctrl(kCtrlS);
  EXPECT_EQ(ReadBytes("preferences.txt"), "{\n  \"ruler\": 100,\n  \"tab_size\": 4\n}\n");
  EXPECT_EQ(Status(), "Parsed and saved successfully");
  EXPECT_EQ(screen.AttrAt(0, screen.grid.rows - 1), 2);
  EXPECT_FALSE(editor->IsModified());
  // The next key brings the ordinary status line back.
  Key(kDown);
  EXPECT_EQ(Status().rfind("Line 4/4", 0), 0u) << Status();
}

TEST_F(PaneEditorTest, TrailingCommaIsNotWrittenAndTheMessageSaysWhere) {
  const std::string original = "{\n  \"ruler\": 100\n}\n";
  MakeEditor(&original);
  Key(kDown);
  Key(kEnd);
  Key(',');
  Ctrl(kCtrlS);
  EXPECT_EQ(ReadBytes("preferences.txt"), original);
  // The library reports the position after the "}" it did not expect, so
  // the quoted rest is empty here; the line feed shows as a blank cell.
  EXPECT_EQ(editor->message, "Parse error before: \n");
  EXPECT_EQ(Status(), "Parse error before: \n");
  EXPECT_EQ(screen.AttrAt(0, screen.grid.rows - 1), 2);
  EXPECT_TRUE(editor->IsModified()) << "nothing was saved";
  // Fixed, the same key saves.
  Key(kBackspace);
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Parsed and saved successfully");
  EXPECT_EQ(ReadBytes("preferences.txt"), original);
  // The message quotes the minified rest of the text.
  Key(kEnd);
  Type(" x  ");
  Ctrl(kCtrlS);
  EXPECT_EQ(editor->message, "Parse error before: x}\n");
}

TEST_F(PaneEditorTest, CommentsAreAllowedAndWrittenAsTyped) {
  const std::string original = "{\n}\n";
  MakeEditor(&original);
  Key(kEnd);
  Key(kEnter);
  Type("  // my ruler /* not a block */");
  Key(kEnter);  // keeps the indentation
  Type("/* wide");
  Key(kEnter);
  Type("   screen */ \"ruler\": 160 // trailing");
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Parsed and saved successfully");
  EXPECT_EQ(ReadBytes("preferences.txt"),
            "{\n  // my ruler /* not a block */\n  /* wide\n     screen */ \"ruler\": 160 // "
            "trailing\n}\n");
}

TEST_F(PaneEditorTest, EmptyTextFailsAtItsStartAndNothingIsCreated) {
  MakeEditor(nullptr);  // no file: an empty pane
  EXPECT_TRUE(editor->lines.empty());
  Ctrl(kCtrlS);
  EXPECT_EQ(editor->message, "Parse error before: \n");
  EXPECT_FALSE(Exists("preferences.txt"));
  // Only comments and blank lines minify to nothing as well.
  Type("// nothing here\n\n");
  Ctrl(kCtrlS);
  EXPECT_EQ(editor->message, "Parse error before: \n");
  EXPECT_FALSE(Exists("preferences.txt"));
}

TEST_F(PaneEditorTest, LongLinesAreCheckedWhole) {
  // A comment longer than 1,023 bytes: checked whole, its line feed still
  // ends it, so the member after it counts and the error after it is found.
  const std::string comment = "  // " + std::string(1500, 'c');
  const std::string valid = "{\n  \"ruler\": 90 " + comment + "\n}\n";
  MakeEditor(&valid);
  Key(kDown);
  Key(kEnd);
  Key('!');
  Key(kBackspace);  // modified and back: the same text again
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Parsed and saved successfully");
  EXPECT_EQ(ReadBytes("preferences.txt"), valid);

  const std::string broken = "{\n" + comment + "\n  \"ruler\": 90,,\n}\n";
  WriteBytes("preferences.txt", broken);
  ASSERT_TRUE(editor->Reload(true));
  Ctrl(kCtrlS);
  EXPECT_EQ(editor->message, "Parse error before: }\n");
  EXPECT_EQ(ReadBytes("preferences.txt"), broken);

  // A string value over 1,023 bytes parses and is written in full.
  WriteBytes("preferences.txt", "{\n}\n");
  ASSERT_TRUE(editor->Reload(true));
  Ctrl(4102);  // Ctrl+Home
  Key(kEnd);
  Key(kEnter);
  Type("\"note\": \"" + std::string(1100, 'n') + "\"");
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Parsed and saved successfully");
  EXPECT_EQ(ReadBytes("preferences.txt"), "{\n\"note\": \"" + std::string(1100, 'n') + "\"\n}\n");
}

TEST_F(PaneEditorTest, FailedWriteKeepsTheTextAndSaysSo) {
  auto* user = new PreferencesEditor(&screen, &clipboard);
  editor = user;
  user->Open(Path("missing-folder/preferences.txt"));
  Type("{}");
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Cannot save preferences.txt: the file on disk is unchanged");
  EXPECT_TRUE(editor->IsModified());
  EXPECT_EQ(SaveFailedMessage("C:\\cfg\\preferences.txt"),
            "Cannot save preferences.txt: the file on disk is unchanged");
}

TEST_F(PaneEditorTest, EditorKeysCtrlTabCtrlWAndTheirPlainCodes) {
  const std::string original = "{\n}\n";
  MakeEditor(&original);
  Key(kTab);  // plain Tab indents as usual
  EXPECT_EQ(editor->lines[0], "  {");
  EXPECT_TRUE(Ctrl(kTab));
  EXPECT_EQ(host.switches, std::vector<int>{1});
  // 19 and 23 without Ctrl belong to the base editor: 23 asks before
  // closing a changed text, 19 does nothing.
  EXPECT_TRUE(Key(kCtrlS));
  EXPECT_NE(editor->message, "Parsed and saved successfully");
  EXPECT_TRUE(Key(kCtrlW));
  EXPECT_EQ(Status(), "Save file before closing (y/N)?");
  EXPECT_EQ(host.closes, 0);
  Key(kEscape);
  // Ctrl+W closes the window at once, changes and all.
  EXPECT_FALSE(Ctrl(kCtrlW));
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(ReadBytes("preferences.txt"), original);
}

// The base editor's "y" to its save-before-closing question saves through
// the same check: a text that does not parse is not written and the editor
// stays; one that parses is written and the editor closes.
TEST_F(PaneEditorTest, SaveBeforeClosingWritesOnlyParsedText) {
  const std::string original = "{\n}\n";
  MakeEditor(&original);
  Key(kEnd);
  Key(',');
  EXPECT_TRUE(Key(kCtrlW));
  EXPECT_TRUE(Key('y'));
  EXPECT_EQ(ReadBytes("preferences.txt"), original);
  EXPECT_EQ(Status(), "Parse error before: }\n") << "the parse error, not a write error";
  EXPECT_TRUE(editor->IsModified());
  Key(kBackspace);
  Key(' ');
  EXPECT_TRUE(Key(kCtrlW));
  EXPECT_FALSE(Key('y'));
  EXPECT_EQ(ReadBytes("preferences.txt"), "{ \n}\n");
}

// The window's timer hands queued keys over up to 50 ms after their
// messages: a quick chord is released by then and still counts as one, and
// a plain key stays plain when Ctrl goes down before the timer.
TEST_F(PaneEditorTest, QueuedKeysKeepTheCtrlOfTheirMessages) {
  const std::string original = "{\n  \"ruler\": 100\n}\n";
  MakeEditor(&original);
  auto queue = [&](int key, bool ctrl) {
    screen.ctrl = ctrl;
    ScreenQueueKey(&screen, key);
    screen.ctrl = false;
  };
  for (int i = 0; i < 6; ++i) queue(kTab, true);
  ASSERT_TRUE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_EQ(host.switches, std::vector<int>(6, 1));
  EXPECT_EQ(Text(), original);
  EXPECT_FALSE(editor->IsModified());

  queue(kTab, false);
  screen.ctrl = true;  // pressed after the Tab, before the timer
  ASSERT_TRUE(RunConsoleHostLoop(&screen, &editor));
  screen.ctrl = false;
  EXPECT_EQ(editor->lines[0], "  {");
  EXPECT_EQ(host.switches.size(), 6u);

  // An unparsable text, a quick Ctrl+W and a "y" typed right after it: the
  // window closes and the file keeps its bytes.
  Key(kDown);
  Key(kEnd);
  Key(',');
  queue(kCtrlW, true);
  queue('y', false);
  EXPECT_FALSE(RunConsoleHostLoop(&screen, &editor));
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(ReadBytes("preferences.txt"), original);
}

// The Changelog's pane takes every key, so its Escape is the viewer's:
// with nothing to cancel it closes the window.
TEST_F(PaneEditorTest, ChangelogViewerClosesOnEscapeWhenNothingIsActive) {
  MakeViewer(kDefaults)->escape_closes_host = true;
  Shifted(kRight);
  EXPECT_TRUE(Key(kEscape)) << "cancels the selection";
  EXPECT_EQ(editor->selecting, 0);
  Ctrl(kCtrlF);
  EXPECT_TRUE(Key(kEscape)) << "cancels the find prompt";
  EXPECT_EQ(editor->prompt_state, 0);
  Ctrl(kCtrlC);  // "No selection"
  EXPECT_TRUE(Key(kEscape)) << "dismisses the message";
  EXPECT_TRUE(Ctrl(kEscape)) << "Ctrl+Escape switches files, here none";
  EXPECT_EQ(host.closes, 0);
  EXPECT_FALSE(Key(kEscape));
  EXPECT_EQ(host.closes, 1);

  // The Preferences window's read-only pane keeps Escape for cancelling.
  MakeViewer(kDefaults);
  EXPECT_TRUE(Key(kEscape));
  EXPECT_EQ(host.closes, 1);
}

TEST_F(PaneEditorTest, HelpLineOfTheEditorEndsWithSave) {
  const std::string original = "{\n}\n";
  MakeEditor(&original);
  const int row = screen.grid.rows - 2;
  ASSERT_EQ(HelpLine(), "Ctrl+(Pane Find/Replace Save)");
  const std::string line = HelpLine();
  for (int col = 0; col < static_cast<int>(line.size()); ++col) {
    char c = line[col];
    bool key_letter = (c == 'P' && col == 6) || (c == 'F' && col == 11) || (c == 'R' && col == 16) ||
                      (c == 'S' && col == 24);
    EXPECT_EQ(screen.AttrAt(col, row), key_letter ? 3 : 2) << "column " << col << " '" << c << "'";
  }
  EXPECT_EQ(screen.AttrAt(40, row), 2) << "the rest of the row";
  // Two panes and a selection keep their own pieces.
  Ctrl(kCtrlP);
  EXPECT_EQ(HelpLine(), "Ctrl+(Otherpane noPanes Find/Replace Save)");
  screen.shift = true;
  Key(kRight);
  screen.shift = false;
  EXPECT_EQ(HelpLine(), "SELECTING  ESC:cancel Ctrl+(Copy X:cut V:paste)");

  // The read-only pane adds nothing.
  delete editor;
  MakeViewer(kDefaults);
  EXPECT_EQ(HelpLine(), "Ctrl+(Pane Find/Replace )");
}

}  // namespace
