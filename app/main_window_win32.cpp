#include "app/main_window_win32.h"

#include "app/resource.h"

const wchar_t kMainWindowTitle[] = L"Orvinale 0.53-alpha (x64)";

namespace {

const wchar_t kWindowClass[] = L"orvinale_superhost";
const COLORREF kEmptyScreen = RGB(48, 25, 52);

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH brush = CreateSolidBrush(kEmptyScreen);
      FillRect(reinterpret_cast<HDC>(wparam), &rc, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_COMMAND:
      // Only Exit works in this first window; the other menu commands come
      // with the main dialog.
      if (LOWORD(wparam) == ID_FILE_EXIT) SendMessageW(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ORVINALE));
  wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateWindowExW(0, kWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW,
                         CW_USEDEFAULT, CW_USEDEFAULT, 800, 600,
                         nullptr, nullptr, instance, nullptr);
}

int RunMessageLoop() {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
