// The Folders and Switch windows on the owned-window frame: filling the
// tree and the list, and the actions their keys and double clicks run.
#include "app/browse_windows_win32.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/main_window_win32.h"
#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "app/search_dialogs_win32.h"
#include "app/utf8_controls_win32.h"
#include "documents/app_state.h"
#include "documents/browse_rules.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"
#include "engine/document.h"
#include "engine/dpi_scale.h"
#include "engine/dpi_win32.h"

FoldersWindowRecord* folders_window = nullptr;
SwitchWindowRecord* switch_window = nullptr;

namespace {

// Both windows draw light grey on black.
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(192, 192, 192);

// What both windows do with the messages left after their own: the pointer
// is the text cursor, a click takes the mouse capture until the button is
// released, and a paint only validates. False for any other message.
bool HandleBrowseWindowMessage(HWND hwnd, UINT message, INT_PTR* result) {
  switch (message) {
    case WM_MOUSEMOVE:
      SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
      return true;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      return true;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      *result = 1;
      return true;
    }
  }
  return false;
}

}  // namespace

// The Folders window.
namespace {

// Item data: what kind of item it is.
const char kRootItem[] = "root";
const char kFolderItem[] = "folder";
const char kFileItem[] = "file";

constexpr int kPathBytes = 2048;  // at most 2,047 bytes and the NUL

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
  r->filter_text = filter;
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

// A double click opens the item under the pointer even while another one is
// selected.
void OnDoubleClick(FoldersWindowRecord* r) {
  HTREEITEM dropped = TreeItem(r, TVGN_DROPHILITE);
  if (dropped != nullptr)
    SendMessageW(r->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(dropped));
  OpenSelectedFile();
}

}  // namespace

template <>
struct OwnedWindowTraits<FoldersWindowRecord> : OwnedWindowDefaults {
  static constexpr int kTemplate = IDD_FOLDERS;
  static constexpr WindowPlaceKeys kPlace{"folders_wnd_x", "folders_wnd_y", "folders_wnd_w",
                                          "folders_wnd_h", 800, 600};
  static constexpr std::initializer_list<PaneAnchor> kPanes = {
      {IDC_FOLDERS_FILTER, {0, 0, 1, 0}}, {IDC_FOLDERS_TREE, kFollowEdges}};
  static constexpr bool kFocusFirstControl = true;
  static FoldersWindowRecord*& Global() { return folders_window; }

  static void Init(FoldersWindowRecord* r) {
    r->filter = GetDlgItem(r->hwnd, IDC_FOLDERS_FILTER);
    r->tree = GetDlgItem(r->hwnd, IDC_FOLDERS_TREE);
    SubclassUtf8Control(r->tree);
    SendMessageW(r->tree, TVM_SETBKCOLOR, 0, kBackground);
    SendMessageW(r->tree, TVM_SETTEXTCOLOR, 0, kText);
    EmptyTree(r);
    Fill(r, std::string());
  }

  static bool Handle(FoldersWindowRecord* r, UINT message, WPARAM, LPARAM lparam,
                     INT_PTR* result) {
    if (message != WM_NOTIFY) return HandleBrowseWindowMessage(r->hwnd, message, result);
    const NMHDR* n = reinterpret_cast<const NMHDR*>(lparam);
    if (n != nullptr && n->idFrom == IDC_FOLDERS_TREE && n->code == NM_DBLCLK) OnDoubleClick(r);
    return true;
  }
};

void OpenFoldersWindow(HWND owner) { OpenOwnedWindow<FoldersWindowRecord>(owner); }

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
  // A path that is gone makes the open fail; the main window says why.
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

void RefillFoldersTree() {
  if (folders_window != nullptr) Fill(folders_window, std::string(folders_window->filter_text));
}

// The Switch window.
namespace {

constexpr int kColumnMargin = 7;  // at 96 DPI: the column is the list's client width less this
constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;

// Read once the rows are in: rows that overflow bring the vertical bar,
// which narrows the client; a column sized before would then need a
// horizontal bar.
int ColumnWidth(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  return std::max(0, static_cast<int>(client.right) - ScaleToDpi(kColumnMargin, WindowDpi(list)));
}

void InsertColumn(HWND list) {
  char empty[1] = "";
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.pszText = empty;
  column.cx = 0;  // sized when the rows are in
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

// Row i shows the file name of the i-th key and carries i.
void InsertRows(HWND list, const DocumentRegistry& registry) {
  for (int32_t i = 0; i < DocumentCount(registry); ++i) {
    std::string name = FileNamePart(KeyAt(registry, i));
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = i;
    row.pszText = &name[0];
    row.lParam = i;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
  }
}

// `row` -1 changes every row.
void SetRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ChosenRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), kChosen));
}

void MoveSelection(int32_t (*next)(int32_t, int32_t)) {
  if (switch_window == nullptr) return;
  HWND list = switch_window->list;
  int current = ChosenRow(list);
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  int target = next(current, count);
  if (target < 0) return;
  SetRowState(list, current, 0, LVIS_SELECTED);
  SetRowState(list, target, kChosen, kChosen);
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(target), FALSE);
}

void OnSize(SwitchWindowRecord* r, WPARAM kind) {
  if (kind == SIZE_MINIMIZED) return;
  LayOutWindow(r->sizer, r->hwnd);
  SendMessageW(r->list, LVM_SETCOLUMNWIDTH, 0, ColumnWidth(r->list));
}

bool IsListDoubleClick(LPARAM lparam) {
  const NMHDR* n = reinterpret_cast<const NMHDR*>(lparam);
  return n != nullptr && n->idFrom == IDC_SWITCH_LIST && n->code == NM_DBLCLK;
}

}  // namespace

template <>
struct OwnedWindowTraits<SwitchWindowRecord> : OwnedWindowDefaults {
  static constexpr int kTemplate = IDD_SWITCH;
  static constexpr WindowPlaceKeys kPlace{"switch_wnd_x", "switch_wnd_y", "switch_wnd_w",
                                          "switch_wnd_h", 200, 600};
  static constexpr std::initializer_list<PaneAnchor> kPanes = {{IDC_SWITCH_LIST, kFollowEdges}};
  static constexpr bool kFocusFirstControl = true;
  static SwitchWindowRecord*& Global() { return switch_window; }

  static void Init(SwitchWindowRecord* r) {
    r->list = GetDlgItem(r->hwnd, IDC_SWITCH_LIST);
    SubclassUtf8Control(r->list);
    SendMessageW(r->list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    SendMessageW(r->list, LVM_SETBKCOLOR, 0, kBackground);
    SendMessageW(r->list, LVM_SETTEXTBKCOLOR, 0, kBackground);
    SendMessageW(r->list, LVM_SETTEXTCOLOR, 0, kText);
    if (app_state != nullptr) {
      InsertColumn(r->list);
      // Without a current document the list stays empty.
      if (GetCurrentDocument(*app_state) != nullptr) InsertRows(r->list, app_state->documents);
      SendMessageW(r->list, LVM_SETCOLUMNWIDTH, 0, ColumnWidth(r->list));
    }
    SetRowState(r->list, 0, kChosen, kChosen);
  }

  static bool Handle(SwitchWindowRecord* r, UINT message, WPARAM wparam, LPARAM lparam,
                     INT_PTR* result) {
    switch (message) {
      case WM_SIZE:
        OnSize(r, wparam);
        return true;
      case WM_NOTIFY:
        if (IsListDoubleClick(lparam)) ActivateSelectedDocument();
        return true;
      case WM_COMMAND:
        if (LOWORD(wparam) != IDOK) return false;
        ActivateSelectedDocument();
        return true;
    }
    return HandleBrowseWindowMessage(r->hwnd, message, result);
  }
};

void OpenSwitchWindow(HWND owner) { OpenOwnedWindow<SwitchWindowRecord>(owner); }

void ActivateSelectedDocument() {
  if (switch_window == nullptr) return;
  HWND hwnd = switch_window->hwnd;
  int row = ChosenRow(switch_window->list);
  if (row >= 0 && app_state != nullptr) {
    // The rows are a snapshot: a row whose document has gone names no
    // document (or another one), and then only the window closes.
    Document* doc = DocumentAt(app_state->documents, row);
    if (doc != nullptr) Activate(app_state, StringData(doc->path));
  }
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
}

void SelectNextRow() { MoveSelection(NextSwitchRow); }

void SelectPreviousRow() { MoveSelection(PreviousSwitchRow); }
