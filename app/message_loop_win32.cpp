// The program's message loop: keys first go to the key-binding table (or to
// the Folders and Switch windows' own keys), then the modeless windows'
// dialog managers, then translation and dispatch; after each message the
// text pane is asked for the paint its changes need and the line pane for
// its width. Also the registry of the owned windows the loop offers their
// messages.
#include "app/browse_windows_win32.h"
#include "app/console_windows_win32.h"
#include "app/help_windows_win32.h"
#include "app/main_window_win32.h"
#include "display/panes_win32.h"

namespace {

constexpr ATOM kDialogClassAtom = 32770;

// The modifier state as of the message being handled, not as of now: keys
// sent quickly (by a macro tool, a remote session, or a busy machine) are
// often released before their messages are read, and the live state would
// then turn Ctrl+End into End.
bool IsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

KeyMessage KindOf(UINT message) {
  switch (message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: return KeyMessage::KeyDown;
    case WM_KEYUP: case WM_SYSKEYUP: return KeyMessage::KeyUp;
    case WM_CHAR: return KeyMessage::Char;
    default: return KeyMessage::Other;
  }
}

bool IsWindowOrChild(HWND window, HWND hwnd) {
  return window != nullptr && (hwnd == window || IsChild(window, hwnd));
}

// Whether the message is for the Folders or Switch window (or a child), and
// which of their controls has the focus.
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

template <typename R>
HWND HandleOf(const R* record) {
  return record != nullptr ? record->hwnd : nullptr;
}

HWND MainHwnd() { return HandleOf(main_window); }

// The program's own modeless windows, main window first, in the order their
// dialog managers are tried.
bool OwnDialogsTake(MSG* msg) {
  HWND main = MainHwnd();
  if (main != nullptr && IsDialogMessageW(main, msg)) return true;
  for (int i = 0; i < static_cast<int>(OwnedDialog::Count); ++i) {
    HWND own = OwnedDialogWindow(static_cast<OwnedDialog>(i));
    if (own != nullptr && IsDialogMessageW(own, msg)) return true;
  }
  return false;
}

// The nearest top-level standard dialog above the message's window (the
// Find, Change and Go-to dialogs).
bool StandardDialogTakes(MSG* msg) {
  HWND candidate = nullptr;
  for (HWND w = msg->hwnd; w != nullptr; w = GetParent(w)) {
    if (GetClassLongW(w, GCW_ATOM) != kDialogClassAtom) continue;
    candidate = w;
    if ((GetWindowLongW(w, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return candidate != nullptr && IsDialogMessageW(candidate, msg);
}

void HandleMessage(MSG* msg) {
  if (msg->hwnd == nullptr) {
    DispatchMessageW(msg);
    return;
  }
  if (DispatchKey(*msg)) return;
  if (OwnDialogsTake(msg) || StandardDialogTakes(msg)) return;
  TranslateMessage(msg);
  DispatchMessageW(msg);
}

// A key or a click on the main window or its panes, after which the caret
// shows solid.
bool IsUserAction(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_CHAR:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_MOUSEWHEEL:
      return IsWindowOrChild(MainHwnd(), msg.hwnd);
    default:
      return false;
  }
}

}  // namespace

HWND OwnedDialogWindow(OwnedDialog which) {
  switch (which) {
    case OwnedDialog::Changelog: return HandleOf(changelog_window);
    case OwnedDialog::Preferences: return HandleOf(preferences_window);
    case OwnedDialog::License: return HandleOf(license_window);
    case OwnedDialog::About: return HandleOf(about_window);
    case OwnedDialog::Folders: return HandleOf(folders_window);
    case OwnedDialog::Switch: return HandleOf(switch_window);
    case OwnedDialog::Count: break;
  }
  return nullptr;
}

int DispatchKey(const MSG& msg) {
  KeyMessage kind = KindOf(msg.message);
  if (kind == KeyMessage::Other) return 0;
  HWND main = MainHwnd();
  DispatchInput in;
  in.kind = kind;
  in.main_window_exists = main != nullptr;
  in.for_main_window = main != nullptr && (msg.hwnd == main || IsChild(main, msg.hwnd));
  // The Folders and Switch windows' own keys come first.
  AddBrowseFacts(msg, &in);
  if (!in.for_main_window && !in.for_folders_window && !in.for_switch_window) return 0;
  in.for_text_pane = main != nullptr && msg.hwnd == main_window->surface_hwnd;
  in.wparam = static_cast<uint32_t>(msg.wParam);
  in.repeat_bit = (msg.lParam & 1) != 0;
  in.ctrl = IsDown(VK_CONTROL);
  in.shift = IsDown(VK_SHIFT);
  in.alt = IsDown(VK_MENU);
  in.captured = GetCapture() != nullptr;
  static const KeyBindingTable kEmpty;
  DispatchResult r = DecideDispatch(key_bindings != nullptr ? *key_bindings : kEmpty, in);
  if (r.forward_char && main_window->surface_hwnd != nullptr)
    SendMessageW(main_window->surface_hwnd, WM_CHAR, msg.wParam, msg.lParam);
  if (r.browse != BrowseAction::None) RunBrowseAction(r.browse);
  if (const Command* command = FindKeyCommand(r.run)) command->run(main_window);
  return r.consumed ? 1 : 0;
}

int MessageLoop() {
  MSG msg;
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) {
      Sleep(10);
      continue;
    }
    HandleMessage(&msg);
    // Commands only mark what they changed; asked once per message, the
    // pane paints as soon as the queue is empty, once for a burst of keys.
    AskSurfaceForPaint(IsUserAction(msg));
    // A paint may have widened the labels (a document, its line count, a
    // scroll past line 9999): the line pane follows at once.
    if (main_window != nullptr) UpdateLinePaneWidth(main_window);
  }
}
