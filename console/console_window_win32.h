// The "WDLCursesWindow" child window: a ConsoleScreen painted with GDI,
// fed by the window's key and mouse messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "console/console_screen.h"

extern const wchar_t kConsoleWindowClass[];  // "WDLCursesWindow"
constexpr UINT_PTR kConsoleCaretTimer = 2;
constexpr UINT kConsoleCaretPeriod = 400;
// Sizes at 96 DPI, scaled to the window's DPI: the default font height, the
// caret bar's thickness, and the smallest size the window may be dragged to.
constexpr int kConsoleFontHeight = 16;
constexpr int kConsoleCaretBar = 2;
constexpr int kConsoleMinWidth = 160;
constexpr int kConsoleMinHeight = 120;

// Owns one GDI font.
class FontHandle {
 public:
  FontHandle() = default;
  ~FontHandle() { Reset(nullptr); }
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  HFONT get() const { return font_; }
  void Reset(HFONT font) {
    if (font_) DeleteObject(font_);
    font_ = font;
  }

 private:
  HFONT font_ = nullptr;
};

class ConsoleWindow : public ConsoleScreen {
 public:
  ConsoleWindow() { flags |= kConsoleRemeasureFont; }
  ~ConsoleWindow() override;

  bool IsDown(ConsoleModifier modifier) const override;
  void InvalidateCells(const ConsoleRect& rect) override;
  void PumpMessages(bool until_key) override;
  void OpenLink(const std::string& url) override;
  void CaptureMouse(bool capture) override;

  HWND window = nullptr;       // set while bound to a window
  FontHandle font;             // created lazily
  // The font's height at 96 DPI, which Ctrl+wheel steps: the host's setting,
  // or own_font_height when null. The font is that scaled to `dpi`.
  int* font_height = nullptr;
  int own_font_height = kConsoleFontHeight;
  int dpi = 96;  // of the window, taken when the record is bound to it
  const ConsolePalette* palette = nullptr;
  uint32_t palette_version = 0;
  wchar_t pending_surrogate = 0;  // first half of a character outside the BMP
  bool caret_armed = false;       // the caret timer runs
  // Called when a key (or a redraw) has been queued for the editor: the host
  // starts feeding, and stops once the queue is empty.
  std::function<void()> on_keys_queued;
  // Replaces the shell when set (tests).
  std::function<void(const std::string&)> open_link;
};

// Registers the class once per process; every call must be matched by
// UnregisterConsoleWindowClass.
bool RegisterConsoleWindowClass(HINSTANCE instance);
void UnregisterConsoleWindowClass(HINSTANCE instance);

// Attaches a record to an existing control (dialog children), resets its
// grid state and starts the caret timer when the control has the focus.
void BindConsoleWindow(ConsoleWindow* console, HWND window);
ConsoleWindow* ConsoleFromWindow(HWND window);
// Whether the editor has keys or a redraw waiting.
bool ConsoleHasInput(const ConsoleWindow& console);

// Creates the font when missing (the design height scaled to the window's
// DPI) and marks its metrics stale.
void SetUpConsoleFonts(ConsoleWindow* console);
// The window's DPI changed: a new font at that DPI, the grid sized again and
// the editor told, as after a resize.
void SetConsoleDpi(ConsoleWindow* console, int dpi);
// Measures the font when stale and sizes the grid to the client area.
void ReinitConsoleGrid(ConsoleWindow* console);

void PaintConsole(ConsoleWindow* console, HDC dc, const RECT& update);

// The host's font height, or the window's own (16 at first), at 96 DPI.
int ConsoleFontHeight(const ConsoleWindow& console);
