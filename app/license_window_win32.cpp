#include "app/license_window_win32.h"

#include <memory>
#include <string>

#include "app/app_globals.h"
#include "app/help_windows_win32.h"
#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "app/window_text_win32.h"
#include "documents/file_reader.h"

LicenseWindow* license_window = nullptr;

namespace {

// The whole file as it is, line ends included; empty when it cannot be read.
std::string ReadLicenseText() {
  std::unique_ptr<char[]> bytes;
  int64_t length = 0;
  std::string path = program_directory + "license.txt";
  if (!ReadWholeFile(path.c_str(), &bytes, &length)) return std::string();
  return std::string(bytes.get());  // a NUL in the file ends the text
}

}  // namespace

template <>
struct OwnedWindowTraits<LicenseWindow> : OwnedWindowDefaults {
  static constexpr int kTemplate = IDD_LICENSE;
  static constexpr WindowPlaceKeys kPlace{"license_wnd_x", "license_wnd_y"};
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 400;
  static constexpr std::initializer_list<PaneAnchor> kPanes = {{IDC_LICENSE_TEXT, kFollowEdges}};
  static LicenseWindow*& Global() { return license_window; }

  static void Init(LicenseWindow* w) {
    w->edit = GetDlgItem(w->hwnd, IDC_LICENSE_TEXT);
    std::string text = ReadLicenseText();
    SetFocus(w->edit);
    SetWindowTextUtf8(w->edit, text);
    // Nothing selected, so the text does not come up highlighted.
    SendMessageW(w->edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  }

  static bool Handle(LicenseWindow* w, UINT message, WPARAM wparam, LPARAM lparam,
                     INT_PTR* result) {
    if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lparam) != w->edit) return false;
    HDC dc = reinterpret_cast<HDC>(wparam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    *result = reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    return true;
  }
};

void OpenLicenseWindow(HWND owner) { OpenOwnedWindow<LicenseWindow>(owner); }
