// The main window's commands: menu 108 and the key-binding rows.
#include <cstring>

#include "app/changelog_window_win32.h"
#include "app/file_dialogs_win32.h"
#include "app/folders_window_win32.h"
#include "app/help_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/preferences_window_win32.h"
#include "app/resource.h"
#include "app/search_dialogs_win32.h"
#include "app/switch_window_win32.h"
#include "display/surface_view.h"
#include "display/view_scroll.h"
#include "documents/document_commands.h"
#include "engine/clipboard_win32.h"
#include "engine/comment.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "preferences/preferences.h"

namespace {

void Notice(HWND owner, const char* text, const char* caption) {
  MessageBoxA(owner, text, caption, MB_OK);
}

Document* CurrentDocument() {
  return app_state != nullptr ? GetCurrentDocument(*app_state) : nullptr;
}

void MarkDirty(Document* doc) {
  if (doc->render_cache != nullptr) doc->render_cache->dirty = 1;
}

void OpenFile(MainWindow* w) {
  std::string path;
  if (app_state == nullptr || !ChooseFileForOpen(w->hwnd, GetPreserveDirectory(), &path)) return;
  if (!OpenOrActivate(app_state, path)) Notice(w->hwnd, "Orvinale cannot open the file.", "Open file");
}

// The Folders window is not opened; it shows the new root when it is next
// filled.
void OpenFolder(MainWindow* w) {
  std::string folder;
  if (ChooseFolder(w->hwnd, GetPreserveDirectory(), &folder))
    AddFolderRoot(&w->folder_roots, folder);
}

// Commands that work on the current document's text.
bool RunDocumentCommand(MainWindow* w, int id) {
  Document* doc = CurrentDocument();
  Win32Clipboard clipboard(w->hwnd);
  switch (id) {
    case ID_EDIT_CUT: if (doc) CutSelection(doc, clipboard); return true;
    case ID_EDIT_COPY: if (doc) CopySelection(doc, clipboard); return true;
    case ID_EDIT_PASTE: if (doc) PasteClipboard(doc, clipboard); return true;
    case ID_EDIT_SELECT_ALL: if (doc) SelectAll(doc); return true;
    case ID_EDIT_COMMENT: if (doc) CommentLines(doc); return true;
    case ID_EDIT_UNCOMMENT: if (doc) UncommentLines(doc); return true;
  }
  return false;
}

bool RunFileCommand(MainWindow* w, int id) {
  AppState* app = app_state;
  switch (id) {
    case ID_FILE_NEW: if (app) NewDocument(app); return true;
    case ID_FILE_OPEN: OpenFile(w); return true;
    case ID_FILE_OPEN_FOLDER: OpenFolder(w); return true;
    case ID_FILE_REOPEN: if (app) ReopenCurrent(app); return true;
    case ID_FILE_SAVE: if (app) SaveCurrent(app); return true;
    case ID_FILE_SAVE_AS: if (app) SaveCurrentAs(app); return true;
    case ID_FILE_SAVE_ALL: if (app) SaveAll(app); return true;
    case ID_FILE_CLOSE: if (app) CloseCurrent(app); return true;
    case ID_FILE_CLOSE_OTHERS: if (app) CloseOthers(app); return true;
    case ID_FILE_EXIT:
      if (w->fullscreen) ToggleFullscreen(w);
      SendMessageW(w->hwnd, WM_CLOSE, 0, 0);
      return true;
  }
  return false;
}

void ToggleRuler(MainWindow* w) {
  if (MenuItemAvailable(*w, ID_VIEW_RULER)) ToggleRulerColumn();
}

void ToggleWhitespace(MainWindow* w) {
  if (MenuItemAvailable(*w, ID_VIEW_WHITESPACE) && surface_view != nullptr) ToggleWhitespaceDots();
}

bool RunViewCommand(MainWindow* w, int id) {
  switch (id) {
    case ID_VIEW_PREVIOUS: if (app_state) SwitchToPrevious(app_state); return true;
    case ID_VIEW_FULLSCREEN: ToggleFullscreen(w); return true;
    case ID_VIEW_LINE_NUMBER: ToggleLineNumbers(w); return true;
    case ID_VIEW_FILENAME: ToggleFilename(w); return true;
    case ID_VIEW_RULER: ToggleRuler(w); return true;
    case ID_VIEW_WHITESPACE: ToggleWhitespace(w); return true;
  }
  return false;
}

int32_t PageOf(const Document* doc) {
  return doc->render_cache != nullptr ? doc->render_cache->page_step : 0;
}

// Caret movement rows; `extend` for the Shift variants.
bool RunMoveCommand(Document* doc, KeyCommand c) {
  using K = KeyCommand;
  switch (c) {
    case K::Left: case K::SelectLeft: MoveLeft(doc, c == K::SelectLeft); return true;
    case K::Right: case K::SelectRight: MoveRight(doc, c == K::SelectRight); return true;
    case K::WordLeft: case K::SelectWordLeft: MoveWordLeft(doc, c == K::SelectWordLeft); return true;
    case K::WordRight: case K::SelectWordRight: MoveWordRight(doc, c == K::SelectWordRight); return true;
    case K::TextStart: case K::SelectTextStart: MoveTextStart(doc, c == K::SelectTextStart); return true;
    case K::TextEnd: case K::SelectTextEnd: MoveTextEnd(doc, c == K::SelectTextEnd); return true;
    case K::Home: case K::SelectHome: MoveHome(doc, c == K::SelectHome); return true;
    case K::End: case K::SelectEnd: MoveEnd(doc, c == K::SelectEnd); return true;
    case K::Up: case K::SelectUp: MoveUp(doc, c == K::SelectUp); return true;
    case K::Down: case K::SelectDown: MoveDown(doc, c == K::SelectDown); return true;
    case K::PageUp: case K::SelectPageUp: MovePageUp(doc, c == K::SelectPageUp, PageOf(doc)); return true;
    case K::PageDown: case K::SelectPageDown: MovePageDown(doc, c == K::SelectPageDown, PageOf(doc)); return true;
    case K::ScrollUp: ScrollViewUp(doc->render_cache.get()); return true;
    case K::ScrollDown: ScrollViewDown(doc->render_cache.get()); return true;
    default: return false;
  }
}

bool RunEditCommand(Document* doc, KeyCommand c) {
  using K = KeyCommand;
  switch (c) {
    case K::ToggleOverwrite: ToggleOverwrite(doc); return true;
    case K::Delete: DeleteChars(doc, 1, true); return true;
    case K::DeleteWordForward: DeleteWord(doc, true); return true;
    case K::Backspace: DeleteChars(doc, 1, false); return true;
    case K::DeleteWordBackward: DeleteWord(doc, false); return true;
    case K::Enter: InsertText(doc, "\n", 1); return true;
    case K::Indent: IndentLines(doc); return true;
    case K::Unindent: UnindentLines(doc); return true;
    case K::FindNext: FindNext(doc); return true;
    case K::FindPrevious: FindPrevious(doc); return true;
    default: return false;
  }
}

int MenuIdOfKey(KeyCommand c) {
  using K = KeyCommand;
  switch (c) {
    case K::Cut: return ID_EDIT_CUT;
    case K::Copy: return ID_EDIT_COPY;
    case K::Paste: return ID_EDIT_PASTE;
    case K::SelectAll: return ID_EDIT_SELECT_ALL;
    case K::Comment: return ID_EDIT_COMMENT;
    case K::Uncomment: return ID_EDIT_UNCOMMENT;
    default: return 0;
  }
}

// Commands that open (or focus) one of the windows owned by the main window.
bool RunWindowCommand(MainWindow* w, int id) {
  switch (id) {
    case ID_EDIT_FIND: OpenFindDialog(w->hwnd); return true;
    case ID_EDIT_CHANGE: OpenChangeDialog(w->hwnd); return true;
    case ID_EDIT_GOTO: OpenGoToDialog(w->hwnd); return true;
    case ID_VIEW_SWITCH: OpenSwitchWindow(w->hwnd); return true;
    case ID_VIEW_FOLDERS: OpenFoldersWindow(w->hwnd); return true;
    case ID_OPTIONS_PREFERENCES: OpenPreferencesWindow(w->hwnd); return true;
    case ID_HELP_ABOUT: OpenAboutWindow(w->hwnd); return true;
    case ID_HELP_CHANGELOG: OpenChangelogWindow(w->hwnd); return true;
    case ID_HELP_LICENSE: OpenLicenseWindow(w->hwnd); return true;
    case ID_HELP_VERSION: ShowVersionBox(w->hwnd); return true;
    case ID_HELP_DOCUMENTATION: OpenDocumentation(w->hwnd); return true;
    case ID_HELP_WEBSITE: OpenWebsite(w->hwnd); return true;
  }
  return false;
}

}  // namespace

void RunMenuCommand(MainWindow* w, int id) {
  if (RunFileCommand(w, id) || RunDocumentCommand(w, id) || RunViewCommand(w, id)) return;
  RunWindowCommand(w, id);
}

void RunKeyCommand(MainWindow* w, KeyCommand command) {
  using K = KeyCommand;
  if (int id = CommandIdOf(command)) {
    SendMessageW(w->hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
    return;
  }
  if (int id = MenuIdOfKey(command)) {
    RunDocumentCommand(w, id);
    return;
  }
  switch (command) {
    case K::ToggleFullscreen: ToggleFullscreen(w); return;
    case K::ToggleLineNumbers: ToggleLineNumbers(w); return;
    case K::ToggleFilename: ToggleFilename(w); return;
    case K::ToggleRuler: ToggleRuler(w); return;
    case K::ToggleWhitespace: ToggleWhitespace(w); return;
    case K::PreviousDocument: if (app_state) SwitchToPrevious(app_state); return;
    case K::Reopen: if (app_state) ReopenCurrent(app_state); return;
    case K::FindDialog: OpenFindDialog(w->hwnd); return;
    case K::ChangeDialog: OpenChangeDialog(w->hwnd); return;
    case K::GoToDialog: OpenGoToDialog(w->hwnd); return;
    case K::Folders: OpenFoldersWindow(w->hwnd); return;
    case K::Switch: OpenSwitchWindow(w->hwnd); return;
    default: break;
  }
  Document* doc = CurrentDocument();
  if (doc == nullptr) return;
  if (RunMoveCommand(doc, command) || RunEditCommand(doc, command)) MarkDirty(doc);
}
