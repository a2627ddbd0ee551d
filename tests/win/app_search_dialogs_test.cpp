// The Find, Change and Go-to dialogs under Wine with the real main window:
// templates, opening rules, check boxes, positions in the profile and the
// OK actions.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/resource.h"
#include "app/search_dialogs_win32.h"
#include "display/surface_view.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/window_queries.h"

namespace {

class AppSearchDialogs : public MainWindowTest {
 protected:
  AppSearchDialogs() : MainWindowTest("orv_search_dialogs_test.ini") {}

  Document* NewDocument(const std::string& text) {
    SendMessageW(hwnd_, WM_COMMAND, ID_FILE_NEW, 0);
    Document* doc = GetCurrentDocument(*app_state);
    if (doc == nullptr) return nullptr;
    InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
    MoveTextStart(doc, false);
    return doc;
  }

  // Dialogs left open close with the main window.
  void TearDown() override {
    CloseMainWindow();
    EXPECT_EQ(find_dialog, nullptr);
    EXPECT_EQ(change_dialog, nullptr);
    EXPECT_EQ(goto_dialog, nullptr);
    MainWindowTest::TearDown();
  }
};

// The control with this id, its class, text and the style bits it must have.
void ExpectControl(HWND dialog, int id, const wchar_t* cls, const wchar_t* text, LONG style) {
  HWND control = GetDlgItem(dialog, id);
  ASSERT_NE(control, nullptr) << "control " << id;
  // An edit's border becomes the sunken client edge when it is created.
  if ((style & WS_BORDER) != 0 && (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0)
    style &= ~WS_BORDER;
  EXPECT_EQ(ClassOf(control), cls) << "control " << id;
  if (text != nullptr) {
    EXPECT_EQ(TextOf(control), text) << "control " << id;
  }
  EXPECT_EQ(StyleOf(control) & style, style) << "control " << id;
}

// The client area is the template's size in dialog units.
void ExpectTemplateSize(HWND dialog, int w, int h) {
  RECT units{0, 0, w, h};
  MapDialogRect(dialog, &units);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
}

void ExpectStandardDialog(HWND dialog, const wchar_t* title) {
  EXPECT_EQ(TextOf(dialog), title);
  EXPECT_EQ(ClassOf(dialog), L"#32770");
  // The message loop gives its dialog processing to this atom.
  EXPECT_EQ(GetClassLongW(dialog, GCW_ATOM), 32770u);
  LONG style = StyleOf(dialog);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_CHILD), 0);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_window->hwnd);
}

TEST_F(AppSearchDialogs, NothingOpensWithoutADocument) {
  OpenFindDialog(hwnd_);
  OpenChangeDialog(hwnd_);
  OpenGoToDialog(hwnd_);
  EXPECT_EQ(find_dialog, nullptr);
  EXPECT_EQ(change_dialog, nullptr);
  EXPECT_EQ(goto_dialog, nullptr);
  EXPECT_EQ(FindWindowW(L"#32770", L"Orvinale find"), nullptr);
}

TEST_F(AppSearchDialogs, DialogsComeFromTheirTemplates) {
  ASSERT_NE(NewDocument("text"), nullptr);
  const LONG edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  const LONG box = BS_AUTOCHECKBOX;

  OpenFindDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  HWND find = find_dialog->hwnd;
  ExpectStandardDialog(find, L"Orvinale find");
  ExpectTemplateSize(find, 309, 46);
  ExpectControl(find, IDC_FIND_TEXT, L"Edit", nullptr, edit);
  ExpectControl(find, IDC_MATCH_CASE, L"Button", L"Case-sensitive", box | WS_TABSTOP);
  ExpectControl(find, IDC_WHOLE_WORD, L"Button", L"Match whole word", box | WS_TABSTOP);
  ExpectControl(find, IDOK, L"Button", L"OK", BS_DEFPUSHBUTTON);
  ExpectControl(find, IDCANCEL, L"Button", L"Cancel", 0);
  EXPECT_EQ(find_dialog->find_edit, GetDlgItem(find, IDC_FIND_TEXT));
  EXPECT_EQ(find_dialog->case_box, GetDlgItem(find, IDC_MATCH_CASE));
  EXPECT_EQ(find_dialog->word_box, GetDlgItem(find, IDC_WHOLE_WORD));

  OpenChangeDialog(hwnd_);
  ASSERT_NE(change_dialog, nullptr);
  HWND change = change_dialog->hwnd;
  ExpectStandardDialog(change, L"Orvinale change");
  ExpectTemplateSize(change, 309, 63);
  ExpectControl(change, IDC_FIND_TEXT, L"Edit", nullptr, edit);
  ExpectControl(change, IDC_CHANGE_TEXT, L"Edit", nullptr, edit);
  ExpectControl(change, IDC_MATCH_CASE, L"Button", L"Case-sensitive", box);
  ExpectControl(change, IDC_WHOLE_WORD, L"Button", L"Match whole word", box);
  ExpectControl(change, IDOK, L"Button", L"OK", BS_DEFPUSHBUTTON);
  EXPECT_EQ(change_dialog->replace_edit, GetDlgItem(change, IDC_CHANGE_TEXT));

  OpenGoToDialog(hwnd_);
  ASSERT_NE(goto_dialog, nullptr);
  HWND go = goto_dialog->hwnd;
  ExpectStandardDialog(go, L"Orvinale go to");
  ExpectTemplateSize(go, 309, 46);
  ExpectControl(go, IDC_GOTO_LINE, L"Edit", nullptr, edit | ES_NUMBER);
  ExpectControl(go, IDOK, L"Button", L"OK", BS_DEFPUSHBUTTON);
  ExpectControl(go, IDCANCEL, L"Button", L"Cancel", 0);
  EXPECT_EQ(goto_dialog->line_edit, GetDlgItem(go, IDC_GOTO_LINE));
  EXPECT_EQ(GetDlgItem(go, IDC_MATCH_CASE), nullptr);

  // An empty profile puts each at 0, 50.
  for (HWND dialog : {find, change, go}) {
    EXPECT_EQ(TopLeft(dialog).x, 0);
    EXPECT_EQ(TopLeft(dialog).y, 50);
  }
}

TEST_F(AppSearchDialogs, ASecondOpenFocusesTheOpenDialog) {
  ASSERT_NE(NewDocument("text"), nullptr);
  OpenFindDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  FindDialog* first = find_dialog;
  HWND find = find_dialog->hwnd;
  OpenGoToDialog(hwnd_);
  ASSERT_NE(goto_dialog, nullptr);
  SetFocus(hwnd_);
  ASSERT_FALSE(IsChild(find, GetFocus()));

  OpenFindDialog(hwnd_);
  EXPECT_EQ(find_dialog, first) << "the same record";
  EXPECT_EQ(find_dialog->hwnd, find);
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == find || IsChild(find, focus)) << "focus went to the Find dialog";
  int finds = 0;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", L"Orvinale find")) != nullptr;)
    ++finds;
  EXPECT_EQ(finds, 1);
}

TEST_F(AppSearchDialogs, BoxesAreCheckedAtEveryOpening) {
  ASSERT_NE(NewDocument("text"), nullptr);
  OpenFindDialog(hwnd_);
  OpenChangeDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  ASSERT_NE(change_dialog, nullptr);
  for (HWND b : {find_dialog->case_box, find_dialog->word_box, change_dialog->case_box,
                 change_dialog->word_box}) {
    EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(b, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  HWND find = find_dialog->hwnd;
  SendMessageW(find, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(find_dialog, nullptr);
  EXPECT_FALSE(IsWindow(find));
  SendMessageW(change_dialog->hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(change_dialog, nullptr);

  OpenFindDialog(hwnd_);
  OpenChangeDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  ASSERT_NE(change_dialog, nullptr);
  for (HWND b : {find_dialog->case_box, find_dialog->word_box, change_dialog->case_box,
                 change_dialog->word_box})
    EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(AppSearchDialogs, PositionIsWrittenAtDestroyAndAppliedAtTheNextOpen) {
  ASSERT_NE(NewDocument("text"), nullptr);
  OpenFindDialog(hwnd_);
  OpenChangeDialog(hwnd_);
  OpenGoToDialog(hwnd_);
  ASSERT_TRUE(find_dialog && change_dialog && goto_dialog);
  const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(find_dialog->hwnd, nullptr, 123, 77, 0, 0, flags);
  SetWindowPos(change_dialog->hwnd, nullptr, 210, 330, 0, 0, flags);
  // Left of the primary monitor, as on a second monitor there.
  SetWindowPos(goto_dialog->hwnd, nullptr, -300, 140, 0, 0, flags);
  HWND go = goto_dialog->hwnd;
  SendMessageW(find_dialog->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  SendMessageW(change_dialog->hwnd, WM_COMMAND, IDCANCEL, 0);
  SendMessageW(go, WM_CLOSE, 0, 0);
  EXPECT_EQ(find_dialog, nullptr);
  EXPECT_EQ(change_dialog, nullptr);
  EXPECT_EQ(goto_dialog, nullptr);
  EXPECT_FALSE(IsWindow(go));
  EXPECT_EQ(Profile("find_wnd_x"), 123);
  EXPECT_EQ(Profile("find_wnd_y"), 77);
  EXPECT_EQ(Profile("change_wnd_x"), 210);
  EXPECT_EQ(Profile("change_wnd_y"), 330);
  EXPECT_EQ(Profile("goto_wnd_x"), -300);
  EXPECT_EQ(Profile("goto_wnd_y"), 140);

  OpenFindDialog(hwnd_);
  OpenChangeDialog(hwnd_);
  OpenGoToDialog(hwnd_);
  ASSERT_TRUE(find_dialog && change_dialog && goto_dialog);
  EXPECT_EQ(TopLeft(find_dialog->hwnd).x, 123);
  EXPECT_EQ(TopLeft(find_dialog->hwnd).y, 77);
  EXPECT_EQ(TopLeft(change_dialog->hwnd).x, 210);
  EXPECT_EQ(TopLeft(change_dialog->hwnd).y, 330);
  EXPECT_EQ(TopLeft(goto_dialog->hwnd).x, -300);
  EXPECT_EQ(TopLeft(goto_dialog->hwnd).y, 140);

  // Closing the main window takes the open dialogs with it, and each still
  // writes its place.
  SetWindowPos(find_dialog->hwnd, nullptr, 40, 60, 0, 0, flags);
  HWND find = find_dialog->hwnd;
  CloseMainWindow();
  EXPECT_FALSE(IsWindow(find));
  EXPECT_EQ(find_dialog, nullptr);
  EXPECT_EQ(change_dialog, nullptr);
  EXPECT_EQ(goto_dialog, nullptr);
  EXPECT_EQ(Profile("find_wnd_x"), 40);
  EXPECT_EQ(Profile("find_wnd_y"), 60);
}

// Opens the dialog, fills its edits, presses OK and checks that it closed.
void SubmitFind(HWND main, const wchar_t* text, bool whole_word = true) {
  OpenFindDialog(main);
  ASSERT_NE(find_dialog, nullptr);
  HWND dialog = find_dialog->hwnd;
  if (!whole_word) SendMessageW(find_dialog->word_box, BM_SETCHECK, BST_UNCHECKED, 0);
  SetWindowTextW(find_dialog->find_edit, text);
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(find_dialog, nullptr) << "OK closes the dialog";
  EXPECT_FALSE(IsWindow(dialog));
}

void SubmitChange(HWND main, const wchar_t* find, const wchar_t* replacement) {
  OpenChangeDialog(main);
  ASSERT_NE(change_dialog, nullptr);
  SetWindowTextW(change_dialog->find_edit, find);
  SetWindowTextW(change_dialog->replace_edit, replacement);
  SendMessageW(change_dialog->hwnd, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(change_dialog, nullptr);
}

void SubmitGoTo(HWND main, const wchar_t* entry, int command = IDOK) {
  OpenGoToDialog(main);
  ASSERT_NE(goto_dialog, nullptr);
  SetWindowTextW(goto_dialog->line_edit, entry);
  SendMessageW(goto_dialog->hwnd, WM_COMMAND, command, 0);
  EXPECT_EQ(goto_dialog, nullptr);
}

const wchar_t kGreekWord[] = L"\x03B3\x03B5\x03B9\x03AC";

TEST_F(AppSearchDialogs, FindOkSearchesTheCurrentDocumentInUtf8) {
  Document* doc = NewDocument("\xCE\xB3\xCE\xB5\xCE\xB9\xCE\xAC\xCE\xB3\xCE\xB5\xCE\xB9\xCE\xAC x "
                              "\xCE\xB3\xCE\xB5\xCE\xB9\xCE\xAC\nnext");
  ASSERT_NE(doc, nullptr);
  ASSERT_NE(surface_view, nullptr);
  SubmitFind(hwnd_, kGreekWord);
  // Whole word: the doubled word at the start is passed over.
  EXPECT_EQ(doc->caret_line, 0u);
  EXPECT_EQ(doc->caret_column, 11u);
  // Nothing found, or nothing entered: the dialog closes, the caret stays.
  SubmitFind(hwnd_, L"absent");
  SubmitFind(hwnd_, L"");
  EXPECT_EQ(doc->caret_column, 11u);
  // Without the whole-word option the doubled word holds a match too.
  MoveTextStart(doc, false);
  MoveRight(doc, false);
  SubmitFind(hwnd_, kGreekWord, false);
  EXPECT_EQ(doc->caret_column, 4u);
}

TEST_F(AppSearchDialogs, ChangeOkReplacesAllAndShowsTheCount) {
  Document* doc = NewDocument("foo bar foo foobar\n");
  ASSERT_NE(doc, nullptr);
  std::wstring plain = TextOf(hwnd_);
  SubmitChange(hwnd_, L"absent", L"x");
  EXPECT_EQ(TextOf(hwnd_), plain) << "nothing replaced, nothing shown";
  SubmitChange(hwnd_, L"", L"x");
  EXPECT_EQ(TextOf(hwnd_), plain) << "nothing to find";

  SubmitChange(hwnd_, L"foo", L"\x00E9t\x00E9");
  // The count follows the program's title alone, without the file name.
  EXPECT_EQ(TextOf(hwnd_), L"Orvinale 0.53-alpha (x64) | 2 changes");
  CloseGapAtCaret(doc);
  EXPECT_STREQ(StringData(doc->text), "\xC3\xA9t\xC3\xA9 bar \xC3\xA9t\xC3\xA9 foobar\n");
}

TEST_F(AppSearchDialogs, GoToOkMovesTheCaretToTheLineStart) {
  Document* doc = NewDocument("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
  ASSERT_NE(doc, nullptr);
  struct Case {
    const wchar_t* entry;
    uint32_t line;
  } cases[] = {{L"99999", 9}, {L"0", 0}, {L"4x", 3}};
  for (const Case& c : cases) {
    MoveRight(doc, false);
    SubmitGoTo(hwnd_, c.entry);
    EXPECT_EQ(doc->caret_line, c.line) << testing::PrintToString(std::wstring(c.entry));
    EXPECT_EQ(doc->caret_column, 0u);
  }
  SubmitGoTo(hwnd_, L"2", IDCANCEL);
  EXPECT_EQ(doc->caret_line, 3u) << "Cancel leaves the caret";
}

TEST_F(AppSearchDialogs, EntriesAreReadAsUtf8UpToTheLimit) {
  ASSERT_NE(NewDocument("text"), nullptr);
  OpenFindDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  HWND edit = find_dialog->find_edit;
  SetWindowTextW(edit, L"a\x00E9\x20AC\xD83D\xDE00");
  EXPECT_EQ(ReadEditUtf8(edit), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  // 1,500 two-byte characters: cut at 1,023 whole characters (2,046 bytes).
  SetWindowTextW(edit, std::wstring(1500, L'\x00E9').c_str());
  std::string cut = ReadEditUtf8(edit);
  EXPECT_EQ(cut.size(), 2046u);
  EXPECT_EQ(cut.substr(cut.size() - 2), "\xC3\xA9");
  SetWindowTextW(edit, std::wstring(3000, L'z').c_str());
  EXPECT_EQ(ReadEditUtf8(edit).size(), 2047u);
  SetWindowTextW(edit, L"");
  EXPECT_EQ(ReadEditUtf8(edit), "");
}

}  // namespace
