// The main window's view state: title, toggles, full screen, the menu's
// states and the title's change count.
#include <memory>

#include "app/main_window_win32.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "app/window_text_win32.h"
#include "display/line_view.h"
#include "display/surface_view.h"
#include "display/view_scroll.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/dpi_win32.h"
#include "engine/grow_buffer.h"
#include "engine/search.h"
#include "engine/utf8_win32.h"

namespace {

bool ClipboardHasText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
  if (!OpenClipboard(owner)) return false;
  bool has = GetClipboardData(CF_TEXT) != nullptr;
  CloseClipboard();
  return has;
}

// The clipboard is opened only when `clipboard` asks for it: its fact grays
// Paste alone.
MenuFacts CollectMenuFacts(const MainWindow& w, bool clipboard) {
  MenuFacts f;
  const Document* doc = GetCurrentDocument(*app_state);
  f.has_document = doc != nullptr;
  if (doc != nullptr) {
    f.reopenable = IsReopenable(*app_state);
    f.can_switch_to_previous = CanSwitchToPrevious(*app_state);
    f.has_selection = doc->has_selection != 0;
    f.clipboard_has_text = clipboard && ClipboardHasText(w.hwnd);
  }
  f.fullscreen = w.fullscreen;
  f.show_line_numbers = w.show_line_numbers;
  f.show_filename = w.show_filename;
  if (surface_view != nullptr) {
    f.has_surface_view = true;
    f.ruler_column = surface_view->ruler_column;
    f.show_whitespace = surface_view->show_whitespace != 0;
  }
  return f;
}

void ApplyMenuStates(HMENU menu, const std::vector<MenuItemState>& states) {
  for (const MenuItemState& s : states) {
    UINT id = static_cast<UINT>(s.id);
    if (s.change == MenuItemState::Change::Enable) EnableMenuItem(menu, id, MF_BYCOMMAND | MF_ENABLED);
    if (s.change == MenuItemState::Change::Gray) EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
    if (s.check == MenuItemState::Check::On) CheckMenuItem(menu, id, MF_BYCOMMAND | MF_CHECKED);
    if (s.check == MenuItemState::Check::Off) CheckMenuItem(menu, id, MF_BYCOMMAND | MF_UNCHECKED);
  }
}

void SysCommand(HWND hwnd, WPARAM command) { SendMessageW(hwnd, WM_SYSCOMMAND, command, 0); }

// What full screen takes from the window: caption, sizing border and edges.
constexpr LONG_PTR kFrameStyles = WS_CAPTION | WS_THICKFRAME;
constexpr LONG_PTR kFrameExStyles =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

}  // namespace

bool CommandAvailable(const MainWindow& w, int id) {
  const Command* row = FindMenuCommand(id);
  if (row == nullptr || app_state == nullptr) return false;
  const MenuFacts facts = CollectMenuFacts(w, row->gray == MenuGray::NoClipboardText);
  return DecideMenuItem(id, row->gray, row->check, facts).change != MenuItemState::Change::Gray;
}

void UpdateLinePaneWidth(MainWindow* w) {
  if (line_view == nullptr || w->hwnd == nullptr) return;
  int width = w->show_line_numbers ? line_view->pane_width : 0;
  if (SetLinePaneWidth(&w->sizer, IDC_LINE, IDC_SURFACE, width, WindowDpi(w->hwnd))) LayOutPanes(w);
}

void UpdateTitle(MainWindow* w) {
  if (app_state == nullptr || w->hwnd == nullptr) return;
  const Document* doc = GetCurrentDocument(*app_state);
  const char* path = doc != nullptr ? app_state->current_path.c_str() : nullptr;
  SetWindowTextUtf8(w->hwnd, MainTitleText(w->title, w->show_filename, path));
}

void ToggleLineNumbers(MainWindow* w) {
  w->show_line_numbers = !w->show_line_numbers;
  UpdateLinePaneWidth(w);
}

void ToggleFilename(MainWindow* w) {
  w->show_filename = !w->show_filename;
  UpdateTitle(w);
}

void ToggleFullscreen(MainWindow* w) {
  HWND hwnd = w->hwnd;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  if (!w->fullscreen) {
    w->fullscreen = true;
    w->was_maximized = IsZoomed(hwnd) != 0;
    if (w->was_maximized) SysCommand(hwnd, SC_RESTORE);
    w->saved_style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    w->saved_ex_style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    RECT before;
    GetWindowRect(hwnd, &before);
    SetWindowLongPtrW(hwnd, GWL_STYLE, w->saved_style & ~kFrameStyles);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, w->saved_ex_style & ~kFrameExStyles);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& m = info.rcMonitor;
    SetWindowPos(hwnd, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top, flags);
    w->saved_rect = {before.left, before.top, before.right - before.left, before.bottom - before.top};
    return;
  }
  w->fullscreen = false;
  SetWindowLongPtrW(hwnd, GWL_STYLE, w->saved_style);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, w->saved_ex_style);
  ProfileRect r = w->saved_rect;
  SetWindowPos(hwnd, nullptr, r.x, r.y, r.w, r.h, flags);
  if (w->was_maximized) SysCommand(hwnd, SC_MAXIMIZE);
}

void UpdateMenuStates(MainWindow* w) {
  if (app_state != nullptr && w->menu != nullptr) {
    ApplyMenuStates(w->menu, DecideMenuStates(CollectMenuFacts(*w, true)));
  }
}

// The title the window would have without the count: with the file name
// when Filename is on.
void OnChangeCountTimer(MainWindow* w) {
  KillTimer(w->hwnd, kChangeCountTimer);
  UpdateTitle(w);
}

int ReplaceAndReport(MainWindow* w, const std::string& find, const std::string& replacement,
                     bool match_case, bool whole_word) {
  if (app_state == nullptr) return 0;
  Document* doc = GetCurrentDocument(*app_state);
  if (doc == nullptr) return 0;
  int32_t count = ReplaceAll(doc, find, replacement, match_case, whole_word);
  if (count == kReplaceTooLarge && w != nullptr) {
    // Without a word this would look like "no match".
    MessageBoxW(w->hwnd, WideText(TooLargeResultText("Change")).c_str(), L"Change", MB_OK);
    return 0;
  }
  if (count == 0 || w == nullptr || w->hwnd == nullptr) return count;
  SetWindowTextUtf8(w->hwnd, ChangeCountTitle(w->title, count));
  SetTimer(w->hwnd, kChangeCountTimer, kChangeCountPeriod, nullptr);
  DetachView(doc->render_cache.get());
  return count;
}

void ShowWelcomeBox(HWND owner, double startup_seconds) {
  std::wstring text, caption;
  Utf8ToWide(WelcomeText(startup_seconds).c_str(), &text);
  Utf8ToWide(kWelcomeCaption, &caption);
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}
