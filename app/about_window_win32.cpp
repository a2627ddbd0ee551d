#include "app/about_window_win32.h"

#include "app/help_resource.h"
#include "app/help_window_frame_win32.h"
#include "app/help_windows_win32.h"
#include "display/cached_font_win32.h"
#include "display/canvas_win32.h"

AboutWindow* about_window = nullptr;

namespace {

HFONT CreateCreditFont() {
  LOGFONTW description = {};
  description.lfHeight = 16;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(description.lfFaceName, L"Arial");
  return CreateFontIndirectW(&description);
}

bool CtrlHeld() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

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

}  // namespace

template <>
struct HelpWindowTraits<AboutWindow> {
  static constexpr int kTemplate = IDD_ABOUT;
  static constexpr int kControl = IDC_ABOUT_AREA;
  static constexpr OwnWindowSlot kSlot = kOwnAbout;
  static constexpr const char* kXKey = "about_wnd_x";
  static constexpr const char* kYKey = "about_wnd_y";
  static constexpr int kWidth = kAboutFrameWidth;
  static constexpr int kHeight = kAboutFrameHeight;
  static AboutWindow*& Global() { return about_window; }

  static void Init(AboutWindow* w) {
    w->animation = NewAboutAnimation();
    if (ResizeCanvas(w->canvas, kAboutFrameWidth, kAboutFrameHeight))
      ClearCanvas(w->canvas, MakePixel(0, 0, 0));
    SetCachedFontHandle(w->credit_font, CreateCreditFont(), true);
    SetTimer(w->hwnd, kAboutTimer, kAboutFramePeriod, nullptr);
  }

  static void Release(AboutWindow* w) { KillTimer(w->hwnd, kAboutTimer); }

  static INT_PTR Handle(AboutWindow* w, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        PaintFrame(w);
        return 0;
      case WM_TIMER:
        if (wparam == kAboutTimer) NextAboutFrame(w);
        return 0;
    }
    return 0;
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

void OpenAboutWindow(HWND owner) { OpenHelpWindow<AboutWindow>(owner); }
