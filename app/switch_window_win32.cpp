#include "app/switch_window_win32.h"

#include <commctrl.h>

#include <string>

#include "app/browse_resource.h"
#include "app/browse_window_frame_win32.h"
#include "app/owned_dialog_win32.h"
#include "app/utf8_controls_win32.h"
#include "app/window_layout_win32.h"
#include "documents/app_state.h"
#include "documents/browse_rules.h"
#include "documents/document_commands.h"
#include "engine/document.h"

SwitchWindowRecord* switch_window = nullptr;

namespace {

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(192, 192, 192);
constexpr int kColumnMargin = 7;  // the column is the list's client width less this
constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;

const WindowPlaceKeys kRectKeys{"switch_wnd_x", "switch_wnd_y", "switch_wnd_w", "switch_wnd_h",
                                200, 600};

int ColumnWidth(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  return client.right - kColumnMargin;
}

void InsertColumn(HWND list) {
  char empty[1] = "";
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.pszText = empty;
  column.cx = ColumnWidth(list);
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

void OnInitDialog(SwitchWindowRecord* r, HWND hwnd) {
  StartBrowseWindow(r, hwnd, kOwnSwitch);
  r->list = GetDlgItem(hwnd, IDC_SWITCH_LIST);
  SubclassUtf8Control(r->list);
  SetUpWindowSizer(&r->sizer, hwnd);
  AddSizerControl(&r->sizer, hwnd, IDC_SWITCH_LIST, {0, 0, 1, 1});
  PlaceWindowFromProfile(hwnd, kRectKeys);
  SendMessageW(r->list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  SendMessageW(r->list, LVM_SETBKCOLOR, 0, kBackground);
  SendMessageW(r->list, LVM_SETTEXTBKCOLOR, 0, kBackground);
  SendMessageW(r->list, LVM_SETTEXTCOLOR, 0, kText);
  if (app_state != nullptr) {
    InsertColumn(r->list);
    // Without a current document the list stays empty.
    if (GetCurrentDocument(*app_state) != nullptr) InsertRows(r->list, app_state->documents);
  }
  SetRowState(r->list, 0, kChosen, kChosen);
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

INT_PTR HandleMessage(SwitchWindowRecord* r, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      EndBrowseWindow(r, switch_window, kOwnSwitch, kRectKeys);
      return 0;
    case WM_SIZE:
      OnSize(r, wparam);
      return 0;
    case WM_NOTIFY:
      if (IsListDoubleClick(lparam)) ActivateSelectedDocument();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDOK) break;
      ActivateSelectedDocument();
      return 0;
  }
  INT_PTR result = 0;
  HandleBrowseFrameMessage(r->hwnd, message, wparam, &result);
  return result;
}

}  // namespace

void OpenSwitchWindow(HWND owner) {
  OpenOwnedDialog(owner, switch_window, IDD_SWITCH,
                  BrowseDialogProc<SwitchWindowRecord, OnInitDialog, HandleMessage>);
}

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
