// Window DPI and design-DPI system metrics, through the per-monitor calls
// when user32 has them.
#include "engine/dpi_win32.h"

#include "engine/dpi_scale.h"

namespace {

template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                           : nullptr;
}

// The screen's DPI as GDI reports it to this process.
int ScreenDpi(HWND hwnd) {
  HDC dc = GetDC(hwnd);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi;
  if (dc != nullptr) ReleaseDC(hwnd, dc);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi != nullptr && hwnd != nullptr) {
    const UINT dpi = get_dpi(hwnd);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return ScreenDpi(hwnd);
}

int DesignSystemMetric(int index) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto for_dpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (for_dpi != nullptr) return for_dpi(index, kDesignDpi);
  // Older systems give the metrics at the screen's DPI.
  return MulDiv(GetSystemMetrics(index), kDesignDpi, ScreenDpi(nullptr));
}
