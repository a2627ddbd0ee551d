#include "app/browse_window_frame_win32.h"


bool HandleBrowseFrameMessage(HWND hwnd, UINT message, WPARAM wparam, INT_PTR* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) != IDCANCEL) return false;
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      return true;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) != SC_CLOSE) return false;  // moving and the rest: as usual
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      *result = 1;
      return true;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return true;
    case WM_MOUSEMOVE:
      SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
      return true;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      return true;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      *result = 1;
      return true;
    }
  }
  return false;
}
