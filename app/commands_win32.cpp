// The main window's command table: one row per command with the key that
// runs it (the engine's binding table names the key's command), its menu
// item, the rules by which its item is grayed and checked, and
// its handler. A key and a menu item both find their row here and call the
// handler directly.
#include <windows.h>

#include <string>
#include <vector>

#include "app/browse_windows_win32.h"
#include "app/console_windows_win32.h"
#include "app/file_dialogs_win32.h"
#include "app/help_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/resource.h"
#include "app/search_dialogs_win32.h"
#include "app/shell_texts.h"
#include "display/surface_view.h"
#include "display/view_scroll.h"
#include "documents/document_commands.h"
#include "documents/file_identity.h"
#include "engine/clipboard_win32.h"
#include "engine/comment.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "engine/utf8_win32.h"
#include "preferences/preferences.h"

namespace {

Document* CurrentDocument() {
  return app_state != nullptr ? GetCurrentDocument(*app_state) : nullptr;
}

// Each kind of handler below does nothing without what it works on.

// A command of the document registry.
template <void (*Run)(AppState*)>
void OnRegistry(MainWindow*) {
  if (app_state != nullptr) Run(app_state);
}

// Opens (or focuses) a window owned by the main window, or shows a box.
template <void (*Open)(HWND owner)>
void OnOwned(MainWindow* w) {
  Open(w->hwnd);
}

// A menu command on the current document.
template <auto Run>
void OnDocument(MainWindow*) {
  if (Document* doc = CurrentDocument()) Run(doc);
}

template <bool (*Run)(Document*, Clipboard&)>
void OnClipboard(MainWindow* w) {
  Win32Clipboard clipboard(w->hwnd);
  if (Document* doc = CurrentDocument()) Run(doc, clipboard);
}

// A paste that would pass the largest text is refused whole, and said so:
// silence would look like an empty clipboard.
void OnPaste(MainWindow* w) {
  Win32Clipboard clipboard(w->hwnd);
  Document* doc = CurrentDocument();
  if (doc == nullptr || PasteClipboard(doc, clipboard) != PasteResult::kTooLarge) return;
  MessageBoxW(w->hwnd, WideText(TooLargeResultText("Paste")).c_str(), L"Paste", MB_OK);
}

// The keys that move the caret or edit the text also mark the shown render
// cache dirty.
template <typename Edit>
void EditText(Edit edit) {
  Document* doc = CurrentDocument();
  if (doc == nullptr) return;
  edit(doc);
  if (doc->render_cache != nullptr) doc->render_cache->dirty = 1;
}

template <auto Run>
void OnText(MainWindow*) {
  EditText(Run);
}

template <void (*Move)(Document*, bool), bool kExtend>
void OnMove(MainWindow*) {
  EditText([](Document* doc) { Move(doc, kExtend); });
}

template <void (*Move)(Document*, bool, int32_t), bool kExtend>
void OnPage(MainWindow*) {
  EditText([](Document* doc) {
    Move(doc, kExtend, doc->render_cache != nullptr ? doc->render_cache->page_step : 0);
  });
}

void ScrollUp(Document* doc) { ScrollViewUp(doc->render_cache.get()); }
void ScrollDown(Document* doc) { ScrollViewDown(doc->render_cache.get()); }
void DeleteNext(Document* doc) { DeleteChars(doc, 1, true); }
void DeletePrevious(Document* doc) { DeleteChars(doc, 1, false); }
void DeleteNextWord(Document* doc) { DeleteWord(doc, true); }
void DeletePreviousWord(Document* doc) { DeleteWord(doc, false); }
void BreakLine(Document* doc) { InsertText(doc, "\n", 1); }

void OpenFile(MainWindow* w) {
  std::string path;
  if (app_state == nullptr) return;
  const bool chosen = ChooseFileForOpen(w->hwnd, GetPreserveDirectory(), &path);
  FocusTextPane(w);
  if (chosen) OpenOrActivate(app_state, path);  // a refusal is told by the main window's ui
}

void ReopenFile(MainWindow*) {
  if (app_state != nullptr) ReopenCurrent(app_state);
}

// The Folders window is not opened; it shows the new root when it is next
// filled.
void OpenFolder(MainWindow* w) {
  std::string folder;
  const bool chosen = ChooseFolder(w->hwnd, GetPreserveDirectory(), &folder);
  FocusTextPane(w);
  if (chosen) AddFolderRoot(&w->folder_roots, KeyForName(folder).name);  // as the file system spells it
}

void Exit(MainWindow* w) {
  if (w->fullscreen) ToggleFullscreen(w);
  SendMessageW(w->hwnd, WM_CLOSE, 0, 0);
}

// The view toggles do nothing while their items would be grayed: the rule is
// asked at the key's time, whether or not a menu has opened since.
template <int kItem, void (*Toggle)(MainWindow*)>
void WhenAvailable(MainWindow* w) {
  if (CommandAvailable(*w, kItem)) Toggle(w);
}

void ToggleRuler(MainWindow*) { ToggleRulerColumn(); }

void ToggleWhitespace(MainWindow*) {
  if (surface_view != nullptr) ToggleWhitespaceDots();
}

using K = KeyCommand;
using Gray = MenuGray;
using Check = MenuCheck;

const Command kCommands[] = {
    // key, menu item (0: none), grayed when, checked by, handler
    // FILE
    {K::New, ID_FILE_NEW, Gray::Never, Check::None, OnRegistry<NewDocument>},
    {K::Open, ID_FILE_OPEN, Gray::Never, Check::None, OpenFile},
    {K::OpenFolder, ID_FILE_OPEN_FOLDER, Gray::Never, Check::None, OpenFolder},
    {K::Reopen, ID_FILE_REOPEN, Gray::NotReopenable, Check::None, ReopenFile},
    {K::Save, ID_FILE_SAVE, Gray::NoDocument, Check::None, OnRegistry<SaveCurrent>},
    {K::SaveAs, ID_FILE_SAVE_AS, Gray::NoDocument, Check::None, OnRegistry<SaveCurrentAs>},
    {K::SaveAll, ID_FILE_SAVE_ALL, Gray::NoDocument, Check::None, OnRegistry<SaveAll>},
    {K::Close, ID_FILE_CLOSE, Gray::NoDocument, Check::None, OnRegistry<CloseCurrent>},
    {K::CloseOthers, ID_FILE_CLOSE_OTHERS, Gray::NoDocument, Check::None, OnRegistry<CloseOthers>},
    {K::Exit, ID_FILE_EXIT, Gray::Never, Check::None, Exit},
    // EDIT
    {K::Cut, ID_EDIT_CUT, Gray::NoSelection, Check::None, OnClipboard<CutSelection>},
    {K::Copy, ID_EDIT_COPY, Gray::NoSelection, Check::None, OnClipboard<CopySelection>},
    {K::Paste, ID_EDIT_PASTE, Gray::NoClipboardText, Check::None, OnPaste},
    {K::SelectAll, ID_EDIT_SELECT_ALL, Gray::NoDocument, Check::None, OnDocument<SelectAll>},
    {K::FindDialog, ID_EDIT_FIND, Gray::NoDocument, Check::None, OnOwned<OpenFindDialog>},
    {K::ChangeDialog, ID_EDIT_CHANGE, Gray::NoDocument, Check::None, OnOwned<OpenChangeDialog>},
    {K::GoToDialog, ID_EDIT_GOTO, Gray::NoDocument, Check::None, OnOwned<OpenGoToDialog>},
    {K::Comment, ID_EDIT_COMMENT, Gray::NoDocument, Check::None, OnDocument<CommentLines>},
    {K::Uncomment, ID_EDIT_UNCOMMENT, Gray::NoDocument, Check::None, OnDocument<UncommentLines>},
    // VIEW
    {K::PreviousDocument, ID_VIEW_PREVIOUS, Gray::NoPrevious, Check::None, OnRegistry<SwitchToPrevious>},
    {K::Switch, ID_VIEW_SWITCH, Gray::Never, Check::None, OnOwned<OpenSwitchWindow>},
    {K::Folders, ID_VIEW_FOLDERS, Gray::Never, Check::None, OnOwned<OpenFoldersWindow>},
    {K::ToggleFullscreen, ID_VIEW_FULLSCREEN, Gray::Never, Check::Fullscreen, ToggleFullscreen},
    {K::ToggleLineNumbers, ID_VIEW_LINE_NUMBER, Gray::NoDocument, Check::LineNumbers,
     WhenAvailable<ID_VIEW_LINE_NUMBER, ToggleLineNumbers>},
    {K::ToggleFilename, ID_VIEW_FILENAME, Gray::NoDocument, Check::Filename,
     WhenAvailable<ID_VIEW_FILENAME, ToggleFilename>},
    {K::ToggleRuler, ID_VIEW_RULER, Gray::NoDocument, Check::Ruler, WhenAvailable<ID_VIEW_RULER, ToggleRuler>},
    {K::ToggleWhitespace, ID_VIEW_WHITESPACE, Gray::NoDocument, Check::Whitespace,
     WhenAvailable<ID_VIEW_WHITESPACE, ToggleWhitespace>},
    // OPTIONS
    {K::Preferences, ID_OPTIONS_PREFERENCES, Gray::Never, Check::None, OnOwned<OpenPreferencesWindow>},
    // HELP
    {K::None, ID_HELP_DOCUMENTATION, Gray::Never, Check::None, OnOwned<OpenDocumentation>},
    {K::About, ID_HELP_ABOUT, Gray::Never, Check::None, OnOwned<OpenAboutWindow>},
    {K::Changelog, ID_HELP_CHANGELOG, Gray::Never, Check::None, OnOwned<OpenChangelogWindow>},
    {K::Version, ID_HELP_VERSION, Gray::Never, Check::None, OnOwned<ShowVersionBox>},
    {K::None, ID_HELP_WEBSITE, Gray::Never, Check::None, OnOwned<OpenWebsite>},
    {K::None, ID_HELP_LICENSE, Gray::Never, Check::None, OnOwned<OpenLicenseWindow>},
    // Keys without a menu item.
    {K::FindNext, 0, Gray::Never, Check::None, OnText<FindNext>},
    {K::FindPrevious, 0, Gray::Never, Check::None, OnText<FindPrevious>},
    {K::Left, 0, Gray::Never, Check::None, OnMove<MoveLeft, false>},
    {K::Right, 0, Gray::Never, Check::None, OnMove<MoveRight, false>},
    {K::WordLeft, 0, Gray::Never, Check::None, OnMove<MoveWordLeft, false>},
    {K::WordRight, 0, Gray::Never, Check::None, OnMove<MoveWordRight, false>},
    {K::TextStart, 0, Gray::Never, Check::None, OnMove<MoveTextStart, false>},
    {K::TextEnd, 0, Gray::Never, Check::None, OnMove<MoveTextEnd, false>},
    {K::Home, 0, Gray::Never, Check::None, OnMove<MoveHome, false>},
    {K::End, 0, Gray::Never, Check::None, OnMove<MoveEnd, false>},
    {K::Up, 0, Gray::Never, Check::None, OnMove<MoveUp, false>},
    {K::Down, 0, Gray::Never, Check::None, OnMove<MoveDown, false>},
    {K::ScrollUp, 0, Gray::Never, Check::None, OnText<ScrollUp>},
    {K::ScrollDown, 0, Gray::Never, Check::None, OnText<ScrollDown>},
    {K::PageUp, 0, Gray::Never, Check::None, OnPage<MovePageUp, false>},
    {K::PageDown, 0, Gray::Never, Check::None, OnPage<MovePageDown, false>},
    {K::SelectLeft, 0, Gray::Never, Check::None, OnMove<MoveLeft, true>},
    {K::SelectRight, 0, Gray::Never, Check::None, OnMove<MoveRight, true>},
    {K::SelectWordLeft, 0, Gray::Never, Check::None, OnMove<MoveWordLeft, true>},
    {K::SelectWordRight, 0, Gray::Never, Check::None, OnMove<MoveWordRight, true>},
    {K::SelectTextStart, 0, Gray::Never, Check::None, OnMove<MoveTextStart, true>},
    {K::SelectTextEnd, 0, Gray::Never, Check::None, OnMove<MoveTextEnd, true>},
    {K::SelectHome, 0, Gray::Never, Check::None, OnMove<MoveHome, true>},
    {K::SelectEnd, 0, Gray::Never, Check::None, OnMove<MoveEnd, true>},
    {K::SelectUp, 0, Gray::Never, Check::None, OnMove<MoveUp, true>},
    {K::SelectDown, 0, Gray::Never, Check::None, OnMove<MoveDown, true>},
    {K::SelectPageUp, 0, Gray::Never, Check::None, OnPage<MovePageUp, true>},
    {K::SelectPageDown, 0, Gray::Never, Check::None, OnPage<MovePageDown, true>},
    {K::ToggleOverwrite, 0, Gray::Never, Check::None, OnText<ToggleOverwrite>},
    {K::Delete, 0, Gray::Never, Check::None, OnText<DeleteNext>},
    {K::DeleteWordForward, 0, Gray::Never, Check::None, OnText<DeleteNextWord>},
    {K::Backspace, 0, Gray::Never, Check::None, OnText<DeletePrevious>},
    {K::DeleteWordBackward, 0, Gray::Never, Check::None, OnText<DeletePreviousWord>},
    {K::Enter, 0, Gray::Never, Check::None, OnText<BreakLine>},
    {K::Indent, 0, Gray::Never, Check::None, OnText<IndentLines>},
    {K::Unindent, 0, Gray::Never, Check::None, OnText<UnindentLines>},
};

}  // namespace

const Command* FindKeyCommand(KeyCommand key) {
  if (key == KeyCommand::None) return nullptr;
  for (const Command& c : kCommands)
    if (c.key == key) return &c;
  return nullptr;
}

const Command* FindMenuCommand(int menu_id) {
  if (menu_id == 0) return nullptr;
  for (const Command& c : kCommands)
    if (c.menu_id == menu_id) return &c;
  return nullptr;
}

std::vector<MenuItemState> DecideMenuStates(const MenuFacts& facts) {
  std::vector<MenuItemState> out;
  for (const Command& c : kCommands) {
    if (c.menu_id == 0) continue;
    MenuItemState s = DecideMenuItem(c.menu_id, c.gray, c.check, facts);
    if (s.change != MenuItemState::Change::Keep || s.check != MenuItemState::Check::Keep)
      out.push_back(s);
  }
  return out;
}
