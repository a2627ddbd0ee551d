#include "app/browse_keys_win32.h"

#include "app/browse_windows_win32.h"

namespace {

bool IsWindowOrChild(HWND window, HWND hwnd) {
  return window != nullptr && (hwnd == window || IsChild(window, hwnd));
}

}  // namespace

void AddBrowseFacts(const MSG& msg, DispatchInput* in) {
  HWND focus = GetFocus();
  if (folders_window != nullptr && IsWindowOrChild(folders_window->hwnd, msg.hwnd)) {
    in->for_folders_window = true;
    if (focus != nullptr && focus == folders_window->tree) {
      in->focus = BrowseFocus::FoldersTree;
      in->tree_on_root = FoldersTreeOnRoot();
    } else if (focus != nullptr && focus == folders_window->filter) {
      in->focus = BrowseFocus::FoldersFilter;
    }
  }
  if (switch_window != nullptr && IsWindowOrChild(switch_window->hwnd, msg.hwnd)) {
    in->for_switch_window = true;
    if (focus != nullptr && focus == switch_window->list) in->focus = BrowseFocus::SwitchList;
  }
}

void RunBrowseAction(BrowseAction action) {
  using A = BrowseAction;
  switch (action) {
    case A::None: return;
    case A::OpenSelectedFile: OpenSelectedFile(); return;
    case A::DeleteSelectedItem: DeleteSelectedTreeItem(); return;
    case A::ResetTree: ResetFoldersTree(); return;
    case A::FocusFilter: FocusFoldersFilter(false); return;
    case A::SelectFilter: FocusFoldersFilter(true); return;
    case A::FocusTree: FocusFoldersTree(); return;
    case A::ApplyFilter: ApplyFoldersFilter(); return;
    case A::ActivateSelected: ActivateSelectedDocument(); return;
    case A::NextRow: SelectNextRow(); return;
    case A::PreviousRow: SelectPreviousRow(); return;
  }
}
