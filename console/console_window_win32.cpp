// The window class, its procedure, fonts, grid sizing and the caret timer.
#include "console/console_window_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "console/console_layout.h"
#include "engine/dpi_scale.h"
#include "engine/dpi_win32.h"
#include "engine/timer_rule.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"

const wchar_t kConsoleWindowClass[] = L"WDLCursesWindow";

namespace {

int class_use_count = 0;

void TellQueued(ConsoleWindow* console) {
  if (console->on_keys_queued) console->on_keys_queued();
}

// A pane without an editor's resize handler redraws when its host next feeds it.
void RedrawLater(ConsoleWindow* console) {
  console->flags |= kConsoleRedrawPending;
  TellQueued(console);
}

ConsoleMouseKind MouseKindOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: return ConsoleMouseKind::kLeftDown;
    case WM_LBUTTONUP: return ConsoleMouseKind::kLeftUp;
    case WM_LBUTTONDBLCLK: return ConsoleMouseKind::kLeftDouble;
    case WM_RBUTTONDOWN: return ConsoleMouseKind::kRightDown;
    case WM_RBUTTONUP: return ConsoleMouseKind::kRightUp;
    case WM_RBUTTONDBLCLK: return ConsoleMouseKind::kRightDouble;
    case WM_MBUTTONDBLCLK: return ConsoleMouseKind::kMiddleDouble;
    case WM_MOUSEWHEEL: return ConsoleMouseKind::kWheel;
    case WM_CAPTURECHANGED: return ConsoleMouseKind::kCaptureLost;
    default: return ConsoleMouseKind::kMove;
  }
}

void SendMouse(ConsoleWindow* console, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ConsoleMouse mouse;
  mouse.kind = MouseKindOf(message);
  POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  if (message == WM_MOUSEWHEEL) {
    ScreenToClient(hwnd, &p);
    mouse.wheel_delta = GET_WHEEL_DELTA_WPARAM(wparam);
  }
  mouse.x = p.x;
  mouse.y = p.y;
  if (console->on_mouse) console->on_mouse(mouse);
}

// A new font (height or DPI changed): the grid follows and the editor redraws.
void RemakeFont(ConsoleWindow* console) {
  console->font.Reset(nullptr);
  SetUpConsoleFonts(console);
  ReinitConsoleGrid(console);
  if (console->on_resize) console->on_resize();
  else RedrawLater(console);
}

void OnWheel(ConsoleWindow* console, HWND hwnd, WPARAM wparam, LPARAM lparam) {
  if (!(GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL)) {
    SendMouse(console, hwnd, WM_MOUSEWHEEL, wparam, lparam);
    return;
  }
  int* height = console->font_height ? console->font_height : &console->own_font_height;
  int next = StepFontHeight(*height, GET_WHEEL_DELTA_WPARAM(wparam));
  if (next == *height) return;
  *height = next;
  RemakeFont(console);
  InvalidateRect(hwnd, nullptr, FALSE);
}

// The caret blinks only in a shown pane with the focus; elsewhere it stands
// shown, and the timer is stopped. Each start shows it solid first.
void SyncCaret(ConsoleWindow* console, HWND hwnd) {
  TimerFacts f;
  f.shown = IsWindowVisible(hwnd) && !IsIconic(GetAncestor(hwnd, GA_ROOT));
  f.focused = GetFocus() == hwnd;
  const bool run = TimerShouldRun(TimerKind::kConsoleCaret, f);
  if (run == console->caret_armed) return;
  console->caret_armed = run;
  if (run) {
    SetTimer(hwnd, kConsoleCaretTimer, kConsoleCaretPeriod, nullptr);
  } else {
    KillTimer(hwnd, kConsoleCaretTimer);
  }
  if (!CaretShown(console->blink_state)) {
    console->blink_state = 1;
    const ConsoleGrid& g = console->grid;
    ScreenMarkDirty(console, ConsoleRect{g.cursor_x, g.cursor_y, g.cursor_x, g.cursor_y});
  }
}

void OnCaretTimer(ConsoleWindow* console, HWND hwnd) {
  SyncCaret(console, hwnd);
  if (!console->caret_armed) return;
  if (console->palette && console->palette->version != console->palette_version) {
    console->palette_version = console->palette->version;
    ReinitConsoleGrid(console);
    if (console->on_resize) console->on_resize();
    else RedrawLater(console);
    return;
  }
  bool was_shown = CaretShown(console->blink_state);
  console->blink_state = NextBlinkState(console->blink_state, true);
  if (was_shown != CaretShown(console->blink_state)) {
    const ConsoleGrid& g = console->grid;
    ScreenMarkDirty(console, ConsoleRect{g.cursor_x, g.cursor_y, g.cursor_x, g.cursor_y});
  }
  ScreenRefreshCaret(console);
}

void QueueChar(ConsoleWindow* console, wchar_t ch, LPARAM lparam) {
  int code = ch;
  if (IsHighSurrogate(ch)) {
    console->pending_surrogate = ch;
    return;
  }
  if (IsLowSurrogate(ch)) {
    if (!console->pending_surrogate) return;
    code = static_cast<int>(CodePointOfPair(console->pending_surrogate, ch));
  }
  console->pending_surrogate = 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  const int scan_code = (lparam >> 16) & 0xFF;
  if (ch == '\t' && ctrl && scan_code == kTabScanCode) return;  // queued at its key-down
  bool from_enter = scan_code == kEnterScanCode;
  int key = KeyCodeFromChar(code, ctrl, alt, from_enter);
  if (key) {
    ScreenQueueKey(console, key);
    TellQueued(console);
  }
}

bool SetCursorForPoint(ConsoleWindow* console, HWND hwnd) {
  if (console->flags & kConsoleRemeasureFont) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  ConsoleCursorKind kind =
      CursorForCell(console->layout, console->grid.cols, p.x / console->cell_width,
                    p.y / console->cell_height);
  LPCWSTR id = kind == ConsoleCursorKind::kVerticalResize ? IDC_SIZENS
               : kind == ConsoleCursorKind::kIBeam        ? IDC_IBEAM
                                                          : IDC_ARROW;
  SetCursor(LoadCursorW(nullptr, id));
  return true;
}

LRESULT HandleMessage(ConsoleWindow* console, HWND hwnd, UINT message, WPARAM wparam,
                      LPARAM lparam) {
  static const UINT wheel_message = RegisterWindowMessageW(L"MSWHEEL_ROLLMSG");
  if (message == wheel_message && wheel_message != 0) {
    // Older mouse drivers: the delta arrives in wParam.
    return SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, LOWORD(wparam)), lparam);
  }
  switch (message) {
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) return 0;
      ReinitConsoleGrid(console);
      if (console->on_resize) console->on_resize();
      else RedrawLater(console);
      return 0;
    case WM_PAINT: {
      // A pane given the focus before its window showed starts blinking here.
      SyncCaret(console, hwnd);
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintConsole(console, dc, ps.rcPaint);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_TIMER:
      if (wparam == kConsoleCaretTimer) OnCaretTimer(console, hwnd);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      int key = KeyCodeFromVirtualKey(static_cast<int>(wparam));
      if (wparam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0)
        key = kKeyTab;  // Ctrl+Tab: the code Ctrl+I types
      // Alt+Insert pastes; other Alt keys keep their system meaning.
      if (message == WM_SYSKEYDOWN && key != kKeyInsert) break;
      if (key) {
        ScreenQueueKey(console, key);
        TellQueued(console);
      }
      return 0;
    }
    case WM_CHAR:
      QueueChar(console, static_cast<wchar_t>(wparam), lparam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetFocus(hwnd);
      SendMouse(console, hwnd, message, wparam, lparam);
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(console, hwnd, wparam, lparam);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_CAPTURECHANGED:
      SendMouse(console, hwnd, message, wparam, lparam);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && SetCursorForPoint(console, hwnd)) return TRUE;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const ConsoleGrid& g = console->grid;
      ScreenMarkDirty(console, ConsoleRect{g.cursor_x, g.cursor_y, g.cursor_x, g.cursor_y});
      SyncCaret(console, hwnd);
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK ConsoleWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      if (create->lpCreateParams)
        BindConsoleWindow(static_cast<ConsoleWindow*>(create->lpCreateParams), hwnd);
      return 0;
    }
    case WM_DESTROY: {
      KillTimer(hwnd, kConsoleCaretTimer);
      if (ConsoleWindow* console = ConsoleFromWindow(hwnd)) {
        console->window = nullptr;
        console->caret_armed = false;
      }
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      const int dpi = WindowDpi(hwnd);
      info->ptMinTrackSize.x = ScaleToDpi(kConsoleMinWidth, dpi);
      info->ptMinTrackSize.y = ScaleToDpi(kConsoleMinHeight, dpi);
      return 0;
    }
    case WM_GETDLGCODE:
      if (GetParent(hwnd)) return DLGC_WANTALLKEYS;
      break;
    default: break;
  }
  ConsoleWindow* console = ConsoleFromWindow(hwnd);
  if (!console) {
    if (message == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      EndPaint(hwnd, &ps);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return HandleMessage(console, hwnd, message, wparam, lparam);
}

}  // namespace

ConsoleWindow::~ConsoleWindow() {
  if (window && IsWindow(window)) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

bool ConsoleWindow::IsDown(ConsoleModifier modifier) const {
  int vk = modifier == ConsoleModifier::kControl ? VK_CONTROL
           : modifier == ConsoleModifier::kShift ? VK_SHIFT
                                                 : VK_MENU;
  return GetKeyState(vk) < 0;
}

void ConsoleWindow::InvalidateCells(const ConsoleRect& rect) {
  if (!window) return;
  RECT r = {rect.col1 * cell_width, rect.row1 * cell_height, (rect.col2 + 1) * cell_width,
            (rect.row2 + 1) * cell_height};
  InvalidateRect(window, &r, FALSE);
}

void ConsoleWindow::PumpMessages(bool until_key) {
  MSG msg;
  if (!until_key) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return;
  }
  while (keys.count == 0) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the real loop
      return;
    }
    if (got < 0) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void ConsoleWindow::OpenLink(const std::string& url) {
  if (open_link) {
    open_link(url);
    return;
  }
  ShellExecuteW(window, L"open", WideText(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ConsoleWindow::CaptureMouse(bool capture) {
  if (!window) return;
  if (capture) SetCapture(window);
  else if (GetCapture() == window) ReleaseCapture();
}

bool RegisterConsoleWindowClass(HINSTANCE instance) {
  if (class_use_count++ > 0) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ConsoleWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kConsoleWindowClass;
  if (RegisterClassExW(&wc)) return true;
  --class_use_count;
  return false;
}

void UnregisterConsoleWindowClass(HINSTANCE instance) {
  if (class_use_count <= 0 || --class_use_count > 0) return;
  UnregisterClassW(kConsoleWindowClass, instance);
}

ConsoleWindow* ConsoleFromWindow(HWND window) {
  return reinterpret_cast<ConsoleWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void BindConsoleWindow(ConsoleWindow* console, HWND window) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(console));
  console->window = window;
  console->grid.cursor_x = console->grid.cursor_y = 0;
  console->grid.last_caret_x = console->grid.last_caret_y = 0;
  console->keys = ConsoleKeyQueue{};
  console->blink_state = 1;
  console->flags = kConsoleRemeasureFont;
  console->pending_surrogate = 0;
  // A record bound again keeps its font unless the new window's DPI differs.
  const int dpi = WindowDpi(window);
  if (dpi != console->dpi) console->font.Reset(nullptr);
  console->dpi = dpi;
  console->caret_armed = false;
  KillTimer(window, kConsoleCaretTimer);
  SyncCaret(console, window);
}

bool ConsoleHasInput(const ConsoleWindow& console) {
  return console.keys.count > 0 || (console.flags & kConsoleRedrawPending) != 0;
}

void SetConsoleDpi(ConsoleWindow* console, int dpi) {
  if (dpi <= 0 || dpi == console->dpi) return;
  console->dpi = dpi;
  if (console->window) RemakeFont(console);
}

int ConsoleFontHeight(const ConsoleWindow& console) {
  return console.font_height ? *console.font_height : console.own_font_height;
}

void SetUpConsoleFonts(ConsoleWindow* console) {
  if (!console->font.get()) {
    const int height = ConsoleFontPixels(ConsoleFontHeight(*console), console->dpi);
    console->font.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                    FIXED_PITCH | FF_MODERN, L"Courier New"));
  }
  console->flags |= kConsoleRemeasureFont;
  console->cell_width = 8;
  console->cell_height = 8;
}

void ReinitConsoleGrid(ConsoleWindow* console) {
  if (!console->window) return;
  if ((console->flags & kConsoleRemeasureFont) && console->font.get()) {
    HDC dc = GetDC(console->window);
    HGDIOBJ old = SelectObject(dc, console->font.get());
    TEXTMETRICW tm;
    if (GetTextMetricsW(dc, &tm)) {
      console->cell_width = std::max<int>(tm.tmAveCharWidth, 1);
      console->cell_height = std::max<int>(tm.tmHeight, 1);
      console->flags &= static_cast<uint8_t>(~kConsoleRemeasureFont);
    }
    SelectObject(dc, old);
    ReleaseDC(console->window, dc);
  }
  RECT client;
  GetClientRect(console->window, &client);
  ResizeGrid(&console->grid, client.bottom / console->cell_height,
             client.right / console->cell_width);
  if (console->palette) {
    console->colours = ColoursFromPalette(*console->palette);
    console->palette_version = console->palette->version;
  }
  InvalidateRect(console->window, nullptr, FALSE);
}
