#include "app/console_host_window_win32.h"

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
