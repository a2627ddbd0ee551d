// The Changelog window on the owned-window frame: a read-only console pane
// on "changelog.txt" that closes with Escape or Ctrl+W.
#include "app/console_windows_win32.h"

#include <new>

#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "console/console_host.h"

ChangelogWindow* changelog_window = nullptr;
ConsoleWindow changelog_console;

template <>
struct OwnedWindowTraits<ChangelogWindow> : OwnedWindowDefaults {
  static constexpr int kTemplate = IDD_CHANGELOG;
  static constexpr WindowPlaceKeys kPlace{"changelog_wnd_x", "changelog_wnd_y"};
  static constexpr int kWidth = 620;
  static constexpr int kHeight = 505;
  static constexpr std::initializer_list<PaneAnchor> kPanes = {{IDC_CHANGELOG_VIEW, kFollowEdges}};
  static ChangelogWindow*& Global() { return changelog_window; }

  static void Init(ChangelogWindow* w) {
    HWND pane = BindConsolePane(w->hwnd, IDC_CHANGELOG_VIEW, &changelog_console);
    w->host.hwnd = w->clipboard.owner = w->hwnd;
    w->viewer = new (std::nothrow) DefaultsViewer(&changelog_console, &w->clipboard);
    if (w->viewer != nullptr) {
      w->viewer->host_window = &w->host;
      w->viewer->escape_closes_host = true;  // the pane takes every key, IDCANCEL never comes
      OpenPaneFile(w->viewer, program_directory + "changelog.txt");
    }
    SetFocus(pane);
    changelog_console.on_keys_queued = [] {
      if (changelog_window != nullptr) SyncFeed(changelog_window);
    };
    SyncFeed(w);
  }

  static void SyncFeed(ChangelogWindow* w) {
    SyncKeyFeed(w->hwnd, kChangelogTimer, &w->feed_armed,
                w->viewer != nullptr && ConsoleHasInput(changelog_console));
  }

  static void ApplyDpi(ChangelogWindow*, int dpi) { SetConsoleDpi(&changelog_console, dpi); }

  static void Release(ChangelogWindow* w) {
    KillTimer(w->hwnd, kChangelogTimer);
    w->feed_armed = false;
    changelog_console.on_keys_queued = nullptr;
    if (w->viewer != nullptr) w->viewer->ReleaseText();
    delete w->viewer;
    w->viewer = nullptr;
  }

  // The pane's Ctrl+Tab (message 1224) has no other pane to go to here.
  static bool Handle(ChangelogWindow* w, UINT message, WPARAM wparam, LPARAM, INT_PTR*) {
    if (message != WM_TIMER) return false;
    if (wparam == kChangelogTimer) FeedViewer(w);
    return true;
  }

  // Ctrl+W in the pane destroys the window, and the record with it.
  static void FeedViewer(ChangelogWindow* w) {
    ConsoleEditor* viewer = w->viewer;
    if (viewer == nullptr || RunConsoleHostLoop(&changelog_console, &viewer)) {
      SyncFeed(w);
      return;
    }
    if (changelog_window == nullptr) return;
    w->viewer = nullptr;  // it closed itself; a dead pane closes the window
    DestroyWindow(w->hwnd);
  }
};

void OpenChangelogWindow(HWND owner) { OpenOwnedWindow<ChangelogWindow>(owner); }
