// The About window on the owned-window frame: a black drawing area where the
// credits rise, redrawn on a 41 ms timer.
#include "app/help_windows_win32.h"

#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "display/cached_font_win32.h"
#include "display/canvas_win32.h"
#include "engine/dpi_scale.h"
#include "engine/timer_rule.h"

AboutWindow* about_window = nullptr;

namespace {

HFONT CreateCreditFont(int dpi) {
  LOGFONTW description = {};
  description.lfHeight = ScaleToDpi(kCreditFontHeight, dpi);
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(description.lfFaceName, L"Arial");
  return CreateFontIndirectW(&description);
}

bool CtrlHeld() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

// The credits move only while shown and the program is active; stopped,
// they wait where they are.
void SyncCredits(AboutWindow* w, bool shown, bool active) {
  TimerFacts facts;
  facts.shown = shown;
  facts.focused = active;
  if (TimerShouldRun(TimerKind::kAnimation, facts)) {
    SetTimer(w->hwnd, kAboutTimer, kAboutFramePeriod, nullptr);
  } else {
    KillTimer(w->hwnd, kAboutTimer);
  }
}

bool ProgramActive() {
  DWORD process = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &process);
  return process == GetCurrentProcessId();
}

// The frame goes straight onto the dialog's own device context over the
// drawing area. The area is a black static control: it is marked valid here
// so it never paints itself over the frame between two ticks.
void PaintFrame(AboutWindow* w) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(w->hwnd, &paint);
  ValidateRect(GetDlgItem(w->hwnd, IDC_ABOUT_AREA), nullptr);
  HDC source = CanvasDc(w->canvas);
  if (dc != nullptr && source != nullptr) {
    const RECT& d = w->dest_rect;
    BitBlt(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, source, 0, 0, SRCCOPY);
  }
  EndPaint(w->hwnd, &paint);
}

// The frame and the credits' font at the window's DPI; the animation goes
// on where it was.
void ScaleAbout(AboutWindow* w, int dpi) {
  w->animation.dpi = dpi > 0 ? dpi : kDesignDpi;
  if (ResizeCanvas(w->canvas, ScaleToDpi(kAboutFrameWidth, dpi), ScaleToDpi(kAboutFrameHeight, dpi)))
    ClearCanvas(w->canvas, MakePixel(0, 0, 0));
  SetCachedFontHandle(w->credit_font, CreateCreditFont(dpi), true);
}

}  // namespace

template <>
struct OwnedWindowTraits<AboutWindow> : OwnedWindowDefaults {
  static constexpr int kTemplate = IDD_ABOUT;
  static constexpr WindowPlaceKeys kPlace{"about_wnd_x", "about_wnd_y"};
  static constexpr int kWidth = kAboutFrameWidth;
  static constexpr int kHeight = kAboutFrameHeight;
  static constexpr std::initializer_list<PaneAnchor> kPanes = {{IDC_ABOUT_AREA, kFollowEdges}};
  static AboutWindow*& Global() { return about_window; }

  static void Init(AboutWindow* w) {
    w->animation = NewAboutAnimation();
    ScaleAbout(w, WindowDpi(w->hwnd));
    SetTimer(w->hwnd, kAboutTimer, kAboutFramePeriod, nullptr);
  }

  static void Release(AboutWindow* w) { KillTimer(w->hwnd, kAboutTimer); }

  static void ApplyDpi(AboutWindow* w, int dpi) { ScaleAbout(w, dpi); }

  static bool Handle(AboutWindow* w, UINT message, WPARAM wparam, LPARAM, INT_PTR* result) {
    switch (message) {
      case WM_ERASEBKGND:
        *result = 1;
        return true;
      case WM_PAINT:
        PaintFrame(w);
        return true;
      case WM_TIMER:
        if (wparam == kAboutTimer) NextAboutFrame(w);
        return true;
      case WM_SHOWWINDOW:  // hidden with a minimized main window
        SyncCredits(w, wparam != 0, ProgramActive());
        return false;
      case WM_ACTIVATEAPP:  // another program took the focus, or gave it back
        SyncCredits(w, IsWindowVisible(w->hwnd) != 0, wparam != 0);
        return false;
    }
    return false;
  }
};

void NextAboutFrame(AboutWindow* w) {
  HWND area = GetDlgItem(w->hwnd, IDC_ABOUT_AREA);
  SizerRect r = ChildClientRect(w->hwnd, area);
  DrawAboutFrame(&w->animation, w->canvas, w->credit_font, r.right - r.left, CtrlHeld());
  w->dest_rect = {r.left, r.top, r.right, r.bottom};
  InvalidateRect(w->hwnd, nullptr, FALSE);
  AdvanceAboutAnimation(&w->animation);
}

void OpenAboutWindow(HWND owner) { OpenOwnedWindow<AboutWindow>(owner); }
