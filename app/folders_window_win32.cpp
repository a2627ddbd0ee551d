#include "app/folders_window_win32.h"

#include <cstring>

#include "app/browse_resource.h"
#include "app/browse_window_frame_win32.h"
#include "app/main_window_win32.h"
#include "app/owned_dialog_win32.h"
#include "app/search_dialog_frame_win32.h"
#include "app/utf8_controls_win32.h"
#include "app/window_layout_win32.h"
#include "documents/browse_rules.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"

FoldersWindowRecord* folders_window = nullptr;

namespace {

// Item data: what kind of item it is.
const char kRootItem[] = "root";
const char kFolderItem[] = "folder";
const char kFileItem[] = "file";

constexpr int kPathBytes = 2048;  // at most 2,047 bytes and the NUL
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(192, 192, 192);

const WindowPlaceKeys kRectKeys{"folders_wnd_x", "folders_wnd_y", "folders_wnd_w",
                                "folders_wnd_h", 800, 600};

HTREEITEM InsertItem(FoldersWindowRecord* r, HTREEITEM parent, const char* text,
                     const char* kind) {
  r->insert.hParent = parent;
  r->insert.hInsertAfter = TVI_LAST;
  r->insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  r->insert.item.pszText = const_cast<char*>(text);
  r->insert.item.lParam = reinterpret_cast<LPARAM>(kind);
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(r->tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&r->insert)));
}

HTREEITEM TreeItem(const FoldersWindowRecord* r, WPARAM which) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(r->tree, TVM_GETNEXTITEM, which, 0));
}

void Expand(const FoldersWindowRecord* r, HTREEITEM item) {
  SendMessageW(r->tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

HTREEITEM EmptyTree(FoldersWindowRecord* r) {
  SendMessageW(r->tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  return InsertItem(r, TVI_ROOT, "Root", kRootItem);
}

// A root's files as they stand; a scan still running shows those found so far.
void InsertFiles(FoldersWindowRecord* r, HTREEITEM folder, FolderRoot* root,
                 const std::string& filter) {
  for (const std::string& path : FilesSnapshot(root->scanner.get()))
    if (FilterMatches(path, filter)) InsertItem(r, folder, path.c_str(), kFileItem);
}

void Fill(FoldersWindowRecord* r, const std::string& filter) {
  // Thousands of items go in at once: one repaint at the end.
  SendMessageW(r->tree, WM_SETREDRAW, FALSE, 0);
  HTREEITEM top = EmptyTree(r);
  HTREEITEM folder = nullptr;
  if (main_window != nullptr) {
    for (const std::unique_ptr<FolderRoot>& root : main_window->folder_roots.roots) {
      folder = InsertItem(r, top, root->root_path.c_str(), kFolderItem);
      InsertFiles(r, folder, root.get(), filter);
    }
  }
  if (folder != nullptr) Expand(r, folder);
  Expand(r, top);
  Expand(r, TVI_ROOT);
  SendMessageW(r->tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(r->tree, nullptr, TRUE);
}

void OnInitDialog(FoldersWindowRecord* r, HWND hwnd) {
  StartBrowseWindow(r, hwnd, kOwnFolders);
  r->filter = GetDlgItem(hwnd, IDC_FOLDERS_FILTER);
  r->tree = GetDlgItem(hwnd, IDC_FOLDERS_TREE);
  SubclassUtf8Control(r->tree);
  SetUpWindowSizer(&r->sizer, hwnd);
  AddSizerControl(&r->sizer, hwnd, IDC_FOLDERS_FILTER, {0, 0, 1, 0});
  AddSizerControl(&r->sizer, hwnd, IDC_FOLDERS_TREE, {0, 0, 1, 1});
  PlaceWindowFromProfile(hwnd, kRectKeys);
  SendMessageW(r->tree, TVM_SETBKCOLOR, 0, kBackground);
  SendMessageW(r->tree, TVM_SETTEXTCOLOR, 0, kText);
  EmptyTree(r);
  Fill(r, std::string());
}

// A double click opens the item under the pointer even while another one is
// selected.
void OnDoubleClick(FoldersWindowRecord* r) {
  HTREEITEM dropped = TreeItem(r, TVGN_DROPHILITE);
  if (dropped != nullptr)
    SendMessageW(r->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(dropped));
  OpenSelectedFile();
}

INT_PTR HandleMessage(FoldersWindowRecord* r, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      EndBrowseWindow(r, folders_window, kOwnFolders, kRectKeys);
      return 0;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) LayOutWindow(r->sizer, r->hwnd);
      return 0;
    case WM_NOTIFY: {
      const NMHDR* n = reinterpret_cast<const NMHDR*>(lparam);
      if (n != nullptr && n->idFrom == IDC_FOLDERS_TREE && n->code == NM_DBLCLK) OnDoubleClick(r);
      return 0;
    }
  }
  INT_PTR result = 0;
  HandleBrowseFrameMessage(r->hwnd, message, wparam, &result);
  return result;
}

}  // namespace

void OpenFoldersWindow(HWND owner) {
  OpenOwnedDialog(owner, folders_window, IDD_FOLDERS,
                  BrowseDialogProc<FoldersWindowRecord, OnInitDialog, HandleMessage>);
}

void FillFoldersTree(const std::string& filter) {
  if (folders_window != nullptr) Fill(folders_window, filter);
}

void ResetFoldersTree() {
  if (folders_window != nullptr) EmptyTree(folders_window);
}

void OpenSelectedFile() {
  FoldersWindowRecord* r = folders_window;
  if (r == nullptr || app_state == nullptr) return;
  HTREEITEM selected = TreeItem(r, TVGN_CARET);
  if (selected == nullptr) return;
  char text[kPathBytes] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_PARAM;
  item.hItem = selected;
  item.pszText = text;
  item.cchTextMax = kPathBytes;
  if (!SendMessageA(r->tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
  const char* kind = reinterpret_cast<const char*>(item.lParam);
  // A path that is gone makes the open fail; this window shows nothing then.
  if (kind != nullptr && std::strcmp(kind, kFileItem) == 0) OpenOrActivate(app_state, text);
}

void DeleteSelectedTreeItem() {
  if (folders_window == nullptr) return;
  HTREEITEM selected = TreeItem(folders_window, TVGN_CARET);
  if (selected != nullptr)
    SendMessageW(folders_window->tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(selected));
}

bool FoldersTreeOnRoot() {
  if (folders_window == nullptr) return false;
  HTREEITEM selected = TreeItem(folders_window, TVGN_CARET);
  return selected != nullptr && selected == TreeItem(folders_window, TVGN_ROOT);
}

void FocusFoldersFilter(bool select_all) {
  if (folders_window == nullptr) return;
  if (select_all) SendMessageW(folders_window->filter, EM_SETSEL, 0, -1);
  SetFocus(folders_window->filter);
}

void FocusFoldersTree() {
  if (folders_window != nullptr) SetFocus(folders_window->tree);
}

void ApplyFoldersFilter() {
  if (folders_window != nullptr) Fill(folders_window, ReadEditUtf8(folders_window->filter));
}
