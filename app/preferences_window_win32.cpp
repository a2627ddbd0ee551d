// The Preferences window on the owned-window frame, and the pane hosting it
// shares with the Changelog window.
#include "app/console_windows_win32.h"

#include <new>
#include <string>

#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "console/console_host.h"
#include "engine/timer_rule.h"
#include "preferences/preferences.h"

PreferencesWindow* preferences_window = nullptr;
ConsoleWindow preferences_default_console;
ConsoleWindow preferences_user_console;

void WindowPaneHost::SwitchFocus(int from) {
  if (hwnd != nullptr) SendMessageW(hwnd, kSwitchPaneFocusMessage, static_cast<WPARAM>(from), 0);
}

bool WindowPaneHost::CloseHost() {
  return hwnd != nullptr && DestroyWindow(hwnd);
}

HWND BindConsolePane(HWND dialog, int id, ConsoleWindow* console) {
  HWND pane = GetDlgItem(dialog, id);
  if (pane == nullptr) return nullptr;
  BindConsoleWindow(console, pane);
  SetUpConsoleFonts(console);
  ReinitConsoleGrid(console);
  InvalidateRect(pane, nullptr, FALSE);
  return pane;
}

void OpenPaneFile(ConsoleEditor* editor, const std::string& path) {
  editor->Open(path);
  editor->DrawTextArea();
  editor->MakeCursorVisible(0, -1.0);
}

void SyncKeyFeed(HWND host, UINT_PTR timer, bool* armed, bool queued) {
  TimerFacts facts;
  facts.keys_queued = queued;
  const bool run = TimerShouldRun(TimerKind::kKeyFeed, facts);
  if (run == *armed) return;
  *armed = run;
  if (run) {
    SetTimer(host, timer, kKeyFeedPeriod, nullptr);
  } else {
    KillTimer(host, timer);
  }
}

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 128);

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

// Keys for a pane without its editor would wait for ever.
void SyncFeed(PreferencesWindow* w) {
  const bool queued = (w->defaults_view != nullptr && ConsoleHasInput(preferences_default_console)) ||
                      (w->user_editor != nullptr && ConsoleHasInput(preferences_user_console));
  SyncKeyFeed(w->hwnd, kPreferencesTimer, &w->feed_armed, queued);
}

void OnTimer(PreferencesWindow* w) {
  if (!FeedPane(w, &preferences_default_console, &w->defaults_view)) return;
  if (!FeedPane(w, &preferences_user_console, &w->user_editor)) return;
  SyncFeed(w);
}

void OnKeysQueued() {
  if (preferences_window != nullptr) SyncFeed(preferences_window);
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

}  // namespace

PreferencesWindow::~PreferencesWindow() {
  delete user_editor;
  delete defaults_view;
}

template <>
struct OwnedWindowTraits<PreferencesWindow> : OwnedWindowDefaults {
  static constexpr int kTemplate = IDD_PREFERENCES;
  static constexpr WindowPlaceKeys kPlace{"preferences_wnd_x", "preferences_wnd_y",
                                          "preferences_wnd_w", "preferences_wnd_h", 1140, 720};
  // The panes share the width half and half.
  static constexpr std::initializer_list<PaneAnchor> kPanes = {
      {IDC_PREFERENCES_DEFAULT, {0, 0, 0.5, 1}}, {IDC_PREFERENCES_USER, {0.5, 0, 1, 1}}};
  static PreferencesWindow*& Global() { return preferences_window; }

  // The editors are made before the window, which does not open without them.
  static bool Prepare(PreferencesWindow* w) {
    w->defaults_view = new (std::nothrow) DefaultsViewer(&preferences_default_console, &w->clipboard);
    w->user_editor = new (std::nothrow) PreferencesEditor(&preferences_user_console, &w->clipboard);
    return w->defaults_view != nullptr && w->user_editor != nullptr;
  }

  static void Init(PreferencesWindow* w) {
    w->host.hwnd = w->clipboard.owner = w->hwnd;
    HWND left = BindConsolePane(w->hwnd, IDC_PREFERENCES_DEFAULT, &preferences_default_console);
    HWND right = BindConsolePane(w->hwnd, IDC_PREFERENCES_USER, &preferences_user_console);
    w->defaults_view->host_window = &w->host;
    OpenPaneFile(w->defaults_view, config_directory + "preferences-default.txt");
    w->user_editor->host_window = &w->host;
    OpenPaneFile(w->user_editor, config_directory + "preferences.txt");
    SetFocus(GetCursesRightFocus() ? right : left);
    preferences_default_console.on_keys_queued = OnKeysQueued;
    preferences_user_console.on_keys_queued = OnKeysQueued;
    SyncFeed(w);
  }

  static void ApplyDpi(PreferencesWindow*, int dpi) {
    SetConsoleDpi(&preferences_default_console, dpi);
    SetConsoleDpi(&preferences_user_console, dpi);
  }

  static void Release(PreferencesWindow* w) {
    KillTimer(w->hwnd, kPreferencesTimer);
    w->feed_armed = false;
    preferences_default_console.on_keys_queued = nullptr;
    preferences_user_console.on_keys_queued = nullptr;
    if (w->defaults_view != nullptr) w->defaults_view->ReleaseText();
    if (w->user_editor != nullptr) w->user_editor->ReleaseText();
  }

  static bool Handle(PreferencesWindow* w, UINT message, WPARAM wparam, LPARAM, INT_PTR*) {
    switch (message) {
      case WM_PAINT: OnPaint(w); return true;
      case WM_TIMER:
        if (wparam == kPreferencesTimer) OnTimer(w);
        return true;
      case kSwitchPaneFocusMessage: SwitchFocus(w); return true;
    }
    return false;
  }
};

void OpenPreferencesWindow(HWND owner) { OpenOwnedWindow<PreferencesWindow>(owner); }
