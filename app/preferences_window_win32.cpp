#include "app/preferences_window_win32.h"

#include <new>
#include <string>

#include "app/app_globals.h"
#include "app/own_windows_win32.h"
#include "app/preferences_resource.h"
#include "app/window_layout_win32.h"
#include "app/window_place_win32.h"
#include "console/console_host.h"
#include "preferences/preferences.h"

PreferencesWindow* preferences_window = nullptr;
ConsoleWindow preferences_default_console;
ConsoleWindow preferences_user_console;

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 128);

void DeleteRecord(PreferencesWindow* w) {
  delete w->user_editor;
  delete w->defaults_view;
  delete w;
}

const WindowPlaceKeys kPlaceKeys{"preferences_wnd_x", "preferences_wnd_y", "preferences_wnd_w",
                                 "preferences_wnd_h", 1140, 720};

void OnInitDialog(PreferencesWindow* w, HWND hwnd) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
  w->hwnd = w->host.hwnd = w->clipboard.owner = hwnd;
  own_windows[kOwnPreferences] = hwnd;
  HWND left = BindConsolePane(hwnd, IDC_PREFERENCES_DEFAULT, &preferences_default_console);
  HWND right = BindConsolePane(hwnd, IDC_PREFERENCES_USER, &preferences_user_console);
  // The panes share the width half and half.
  SetUpWindowSizer(&w->sizer, hwnd);
  AddSizerControl(&w->sizer, hwnd, IDC_PREFERENCES_DEFAULT, {0, 0, 0.5, 1});
  AddSizerControl(&w->sizer, hwnd, IDC_PREFERENCES_USER, {0.5, 0, 1, 1});
  PlaceWindowFromProfile(hwnd, kPlaceKeys);
  w->defaults_view->host_window = &w->host;
  OpenPaneFile(w->defaults_view, config_directory + "preferences-default.txt");
  w->user_editor->host_window = &w->host;
  OpenPaneFile(w->user_editor, config_directory + "preferences.txt");
  SetFocus(GetCursesRightFocus() ? right : left);
  SetTimer(hwnd, kPreferencesTimer, kPreferencesTimerPeriod, nullptr);
}

void OnDestroy(PreferencesWindow* w) {
  KillTimer(w->hwnd, kPreferencesTimer);
  if (w->defaults_view != nullptr) w->defaults_view->ReleaseText();
  if (w->user_editor != nullptr) w->user_editor->ReleaseText();
  SaveWindowPlace(w->hwnd, kPlaceKeys);
  SetWindowLongPtrW(w->hwnd, GWLP_USERDATA, 0);
  if (own_windows[kOwnPreferences] == w->hwnd) own_windows[kOwnPreferences] = nullptr;
  if (preferences_window == w) preferences_window = nullptr;
  DeleteRecord(w);
}

// Feeds one pane its keys. False when the window is gone afterwards: an
// editor closed it, or closed itself, which closes the window too since a
// pane without its editor would be dead.
template <typename E>
bool FeedPane(PreferencesWindow* w, ConsoleWindow* console, E** field) {
  ConsoleEditor* editor = *field;
  if (editor == nullptr || RunConsoleHostLoop(console, &editor)) return true;
  if (preferences_window == nullptr) return false;  // the record is gone with the window
  *field = nullptr;
  DestroyWindow(w->hwnd);
  return false;
}

void OnTimer(PreferencesWindow* w) {
  if (!FeedPane(w, &preferences_default_console, &w->defaults_view)) return;
  FeedPane(w, &preferences_user_console, &w->user_editor);
}

void SwitchFocus(PreferencesWindow* w) {
  HWND left = GetDlgItem(w->hwnd, IDC_PREFERENCES_DEFAULT);
  HWND right = GetDlgItem(w->hwnd, IDC_PREFERENCES_USER);
  SetFocus(GetFocus() != left ? left : right);
}

void OnPaint(PreferencesWindow* w) {
  PaintBegin(w->painter, w->hwnd, static_cast<int>(kBackground));
  PaintEnd(w->painter);
}

INT_PTR HandleMessage(PreferencesWindow* w, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY: OnDestroy(w); return 0;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) LayOutWindow(w->sizer, w->hwnd);
      return 0;
    case WM_PAINT: OnPaint(w); return 0;
    case WM_CLOSE: DestroyWindow(w->hwnd); return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) SendMessageW(w->hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) != SC_CLOSE) return 0;  // moving, sizing: as usual
      SendMessageW(w->hwnd, WM_CLOSE, 0, 0);
      return 1;
    case WM_TIMER:
      if (wparam == kPreferencesTimer) OnTimer(w);
      return 0;
    case kSwitchPaneFocusMessage: SwitchFocus(w); return 0;
  }
  return 0;
}

INT_PTR CALLBACK PreferencesDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_INITDIALOG) {
      OnInitDialog(reinterpret_cast<PreferencesWindow*>(lparam), hwnd);
      return 0;  // the focus is set above
    }
    auto* w = reinterpret_cast<PreferencesWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return w != nullptr ? HandleMessage(w, message, wparam, lparam) : 0;
  } catch (...) {
    // Out of memory in a handler: the message is dropped.
    return 0;
  }
}

}  // namespace

void OpenPreferencesWindow(HWND owner) {
  if (preferences_window != nullptr) {
    SetFocus(preferences_window->hwnd);
    return;
  }
  auto* w = new (std::nothrow) PreferencesWindow;
  if (w == nullptr) return;
  w->defaults_view = new (std::nothrow) DefaultsViewer(&preferences_default_console, &w->clipboard);
  w->user_editor = new (std::nothrow) PreferencesEditor(&preferences_user_console, &w->clipboard);
  if (w->defaults_view == nullptr || w->user_editor == nullptr) {
    DeleteRecord(w);
    return;
  }
  preferences_window = w;
  HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PREFERENCES),
                                 owner, PreferencesDialogProc, reinterpret_cast<LPARAM>(w));
  if (hwnd == nullptr) {
    // A window destroyed during its creation has freed its record already.
    if (preferences_window == w) {
      preferences_window = nullptr;
      DeleteRecord(w);
    }
    return;
  }
  ShowWindow(hwnd, SW_SHOW);
}
