// The Win32 side of the child layout: client sizes, DPI and one deferred
// batch of moves per layout pass.
#include "app/window_layout_win32.h"

SizerRect ChildClientRect(HWND parent, HWND child) {
  RECT r{};
  if (child != nullptr) {
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return {r.left, r.top, r.right, r.bottom};
}

void SetUpWindowSizer(Sizer* sizer, HWND parent) {
  RECT client;
  GetClientRect(parent, &client);
  SetUpSizer(sizer, client.right, client.bottom, WindowDpi(parent));
}

void AddSizerControl(Sizer* sizer, HWND parent, int id, const SizerAnchors& anchors) {
  AddSizerChild(sizer, id, ChildClientRect(parent, GetDlgItem(parent, id)), anchors);
}

void LayOutWindow(const Sizer& sizer, HWND parent) {
  if (parent == nullptr || sizer.children.empty()) return;
  RECT client;
  GetClientRect(parent, &client);
  int dpi = WindowDpi(parent);
  HDWP batch = BeginDeferWindowPos(static_cast<int>(sizer.children.size()));
  for (const SizerChild& child : sizer.children) {
    HWND hwnd = GetDlgItem(parent, child.id);
    if (hwnd == nullptr) continue;
    SizerRect r = LayoutChild(sizer, child, client.right, client.bottom, dpi);
    UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    if (batch != nullptr)
      batch = DeferWindowPos(batch, hwnd, nullptr, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, flags);
    else
      SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
  }
  if (batch != nullptr) EndDeferWindowPos(batch);
}
