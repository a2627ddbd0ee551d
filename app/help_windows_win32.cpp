// The HELP menu's License window, Version box, documentation and website.
#include "app/help_windows_win32.h"

#include <shellapi.h>

#include <memory>
#include <string>

#include "app/owned_window_win32.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "app/startup_paths.h"
#include "app/window_text_win32.h"
#include "documents/file_reader.h"
#include "engine/utf8_win32.h"

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

// A UTF-8 argument of the wide shell call; a null string stays null.
struct WideArgument {
  explicit WideArgument(const char* utf8)
      : given(utf8 != nullptr), text(given ? WideText(utf8) : L"") {}
  const wchar_t* get() const { return given ? text.c_str() : nullptr; }
  bool given;
  std::wstring text;
};

// ShellExecute with UTF-8 strings: the wide call when a string needs it
// (multi-byte or invalid UTF-8), otherwise the narrow call with the strings
// unchanged. Null strings stay null; the shell's result is ignored.
void ShellExecuteUtf8(HWND owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) {
  if (!ShellNeedsWide({verb, file, parameters, directory})) {
    ShellExecuteA(owner, verb, file, parameters, directory, show);
    return;
  }
  WideArgument v(verb), f(file), p(parameters), d(directory);
  ShellExecuteW(owner, v.get(), f.get(), p.get(), d.get(), show);
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

void ShowVersionBox(HWND owner) {
  std::wstring text, caption;
  Utf8ToWide(VersionBoxText(BuildTimestamp(), BuildCommit()).c_str(), &text);
  Utf8ToWide(kVersionCaption, &caption);
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

// Neither a missing file nor a missing Notepad is reported.
void OpenDocumentation(HWND owner) {
  std::string path = program_directory + "documentation.txt";
  ShellExecuteUtf8(owner, "", "notepad.exe", path.c_str(), "", SW_SHOWNORMAL);
}

void OpenWebsite(HWND owner) {
  ShellExecuteUtf8(owner, "", kWebsiteAddress, nullptr, "", SW_SHOWNORMAL);
}
