// The Preferences window's console editors without a window: the read-only
// key filter, the save-and-check handler and the help line, driven through
// the editors with a test screen and a host that records what was asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/preferences_editors.h"
#include "console/console_host.h"
#include "tests/console/editor_fixture.h"

namespace {

// Records focus switches; closing deletes the editor as the real window's
// destruction does.
struct FakeHost : PaneHost {
  std::vector<int> switches;
  int closes = 0;
  ConsoleEditor** editor = nullptr;
  void SwitchFocus(int from) override { switches.push_back(from); }
  bool CloseHost() override { return ++closes, delete *editor, *editor = nullptr, true; }
};

// The console editor fixture (screen, clipboard, scratch folder, keys) with
// one of the two pane editors in place of the plain one.
class PaneEditorTest : public EditorTest {
 protected:
  void SetUp() override { EditorTest::SetUp(), delete editor, editor = nullptr, host.editor = &editor; }

  bool Exists(const std::string& name) { return FileExists(Path(name)); }
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
  DefaultsViewer* MakeViewer(const std::string& text) { return Make<DefaultsViewer>("preferences-default.txt", &text); }
  PreferencesEditor* MakeEditor(const std::string* text) { return Make<PreferencesEditor>("preferences.txt", text); }
  // Any key code with Ctrl held; false when the editor is gone.
  bool Ctrl(int key) { screen.ctrl = true; bool alive = Key(key); screen.ctrl = false; return alive; }
  void Keys(std::initializer_list<int> keys) { for (int key : keys) Key(key); }
  std::string HelpLine() const { return screen.Row(screen.grid.rows - 2); }

  FakeHost host;
};

constexpr int kCtrlC = 3, kCtrlF = 6, kBackspace = 8, kTab = 9, kEnter = 13, kCtrlO = 15, kCtrlP = 16,
              kCtrlS = 19, kCtrlV = 22, kCtrlW = 23, kCtrlX = 24, kCtrlZ = 26, kEscape = 27;
constexpr int kDown = 4096, kUp = 4097, kRight = 4100, kEnd = 4103, kInsert = 4104;

const char kDefaults[] = "{\n  \"alpha\": 1,\n  \"beta\": 2\n}\n";

TEST_F(PaneEditorTest, ViewerReadsFindsAndCopiesButNeverChangesTheText) {
  MakeViewer(kDefaults);
  clipboard.SetText("pasted");
  for (int key : {int('a'), kEnter, kBackspace, kTab, kCtrlF}) EXPECT_TRUE(Key(key)) << key;
  Shifted(kInsert);  // paste in the base editor
  for (int key : {kCtrlX, kCtrlV, kCtrlZ, kCtrlS, 1}) EXPECT_TRUE(Ctrl(key)) << key;
  EXPECT_EQ(Text(), kDefaults);
  EXPECT_EQ(std::vector<int>({0, 0, 0, 0}), std::vector<int>({editor->prompt_state, editor->selecting, editor->cursor_line, editor->cursor_col}));
  EXPECT_EQ(HelpLine(), "Ctrl+(Pane Find )");
  Keys({kDown, 4102});  // Home: first non-blank column
  Shifted(kEnd);
  Ctrl(kCtrlC);
  std::string copied;
  ASSERT_TRUE(clipboard.GetText(&copied));
  EXPECT_EQ(copied, "\"alpha\": 1,");
  Ctrl(kCtrlF);  // the find prompt takes typing; Ctrl+Tab stays the window's, and nothing offers a replace
  Type("betx");
  Keys({kBackspace, 'a'});
  Ctrl(kTab);
  Ctrl(18);
  EXPECT_TRUE(editor->prompt_state == kPromptFind && Status().find("Ctrl+R") == std::string::npos) << Status();
  Key(kEnter);
  EXPECT_EQ(editor->cursor_line, 2);
  EXPECT_EQ(Status().rfind("Found @ Line 3 Col 4 ", 0), 0u) << Status();
  Ctrl(kCtrlP);
  Ctrl(kCtrlO);
  EXPECT_EQ(editor->current_pane, 1);
  EXPECT_TRUE(Ctrl(kTab));
  EXPECT_FALSE(Ctrl(kCtrlW));
  EXPECT_EQ(host.switches, std::vector<int>({2, 2}));
  EXPECT_EQ(host.closes, 1);
  editor = new DefaultsViewer(&screen, &clipboard);  // without a host: nothing
  EXPECT_TRUE(Ctrl(kTab));
  EXPECT_TRUE(Ctrl(kCtrlW));
}

TEST_F(PaneEditorTest, EmptyOrUnwritableTextIsNotSaved) {
  MakeEditor(nullptr);  // no file: an empty pane, or only comments
  // The help line ends with Save, its key letters marked.
  EXPECT_EQ(HelpLine(), "Ctrl+(Pane Find/Replace Save)");
  for (int col : {5, 6, 23, 24}) EXPECT_EQ(screen.AttrAt(col, screen.grid.rows - 2), col % 2 ? 2 : 3) << col;
  for (const char* typed : {"", "// nothing here"}) {
    Type(typed);
    Ctrl(kCtrlS);
    EXPECT_EQ(editor->message, "Parse error before: \n");
    EXPECT_FALSE(Exists("preferences.txt"));
  }
  delete editor;
  Make<PreferencesEditor>("missing-folder/preferences.txt", nullptr);
  Type("{}");
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Cannot save preferences.txt: the file on disk is unchanged");
  EXPECT_TRUE(editor->IsModified());
  EXPECT_EQ(SaveFailedMessage("C:\\cfg\\preferences.txt"), SaveFailedMessage("preferences.txt"));
  delete editor;
  const std::string original = "{\n}\n";
  MakeEditor(&original);  // "y" to the question before closing takes the same check
  Keys({kEnd, kEnter});
  Type("// a comment ends with its line");  // checked with the line ends the save writes
  Ctrl(kCtrlS);
  EXPECT_EQ(Status(), "Parsed and saved successfully");
  const std::string saved = ReadBytes("preferences.txt");
  EXPECT_EQ(saved, "{\n// a comment ends with its line\n}\n");
  Keys({kUp, kEnd, ','});
  EXPECT_TRUE(Key(kCtrlW) && Key('y')) << "a text that does not parse keeps the editor";
  EXPECT_EQ(ReadBytes("preferences.txt"), saved);
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
  Keys({kDown, kEnd, ','});
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

}  // namespace
