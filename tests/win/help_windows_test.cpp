// The About and License windows and the Version box under Wine: templates,
// one instance each, the running animation and what reaches the screen, the
// alternative forms while Ctrl is held, the read-only license text, and the
// positions kept in the profile.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/help_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"
#include "display/canvas.h"
#include "engine/utf8_win32.h"
#include "tests/win/window_queries.h"

namespace {

int CountThreadWindows(const wchar_t* cls) {
  struct Count {
    const wchar_t* cls;
    int n;
  } count{cls, 0};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* c = reinterpret_cast<Count*>(data);
        if (ClassOf(hwnd) == c->cls && IsWindow(hwnd)) ++c->n;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.n;
}

// Dispatches messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (done()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

std::vector<Pixel> Rows(const Canvas& canvas, int top, int bottom) {
  std::vector<Pixel> out;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < canvas.width; ++x) out.push_back(CanvasPixelAt(canvas, x, y));
  return out;
}

void PressCtrl(bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_CONTROL;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

// A help window as it opens: its class and caption, owned by `owner`, in its
// slot for the message loop, shown at (x, y) with the fixed size.
void ExpectHelpWindow(HWND hwnd, HWND owner, const wchar_t* cls, const wchar_t* caption,
                      OwnedDialog slot, int x, int y, int width, int height) {
  EXPECT_EQ(ClassOf(hwnd), cls);
  EXPECT_EQ(TextOf(hwnd), caption);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner);
  EXPECT_EQ(OwnedDialogWindow(slot), hwnd);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "the user cannot resize it";
  RECT r = RectOf(hwnd);
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.top, y);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

class HelpWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    instance_ = GetModuleHandleW(nullptr);
    RegisterWindowClasses(instance_);
    saved_directory_ = program_directory;
    saved_profile_ = profile_path;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    program_directory = std::string(temp) + "orv_help_windows_test\\";
    CreateDirectoryA(program_directory.c_str(), nullptr);
    profile_path = program_directory + "orvinale.ini";
    DeleteFileA(profile_path.c_str());
    DeleteFileA((program_directory + "license.txt").c_str());
    owner_ = CreateWindowExW(0, L"Static", L"help owner", WS_POPUP | WS_VISIBLE, 700, 500, 100,
                             100, nullptr, nullptr, instance_, nullptr);
    ASSERT_NE(owner_, nullptr);
  }

  void TearDown() override {
    if (about_window != nullptr) DestroyWindow(about_window->hwnd);
    if (license_window != nullptr) DestroyWindow(license_window->hwnd);
    DestroyWindow(owner_);
    DeleteFileA(profile_path.c_str());
    DeleteFileA((program_directory + "license.txt").c_str());
    RemoveDirectoryA(program_directory.c_str());
    program_directory = saved_directory_;
    profile_path = saved_profile_;
    UnregisterConsoleWindowClass(instance_);
  }

  int Profile(const char* key) { return ProfileGetInt(key, -9999, profile_path.c_str()); }

  HINSTANCE instance_ = nullptr;
  HWND owner_ = nullptr;
  std::string saved_directory_, saved_profile_;
};

TEST_F(HelpWindows, AboutOpensOnceFromItsTemplateAndFillsItsDrawingArea) {
  OpenAboutWindow(owner_);
  ASSERT_NE(about_window, nullptr);
  HWND hwnd = about_window->hwnd;
  ExpectHelpWindow(hwnd, owner_, L"about_superhost", L"About Orvinale", OwnedDialog::About, 0, 50,
                   630, 210);

  HWND area = GetDlgItem(hwnd, IDC_ABOUT_AREA);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(ClassOf(area), L"Static");
  EXPECT_EQ(GetWindowLongW(area, GWL_STYLE) & SS_TYPEMASK, SS_BLACKRECT);
  RECT client{}, area_rect{};
  GetClientRect(hwnd, &client);
  GetClientRect(area, &area_rect);
  EXPECT_EQ(area_rect.right, client.right) << "the area follows the window's new size";
  EXPECT_EQ(area_rect.bottom, client.bottom);

  OpenAboutWindow(owner_);
  EXPECT_EQ(about_window->hwnd, hwnd) << "a second command focuses the open window";
  EXPECT_EQ(CountThreadWindows(L"about_superhost"), 1);
}

TEST_F(HelpWindows, AboutAnimatesOnItsTimerAndCopiesTheFrameToTheScreen) {
  OpenAboutWindow(owner_);
  ASSERT_NE(about_window, nullptr);
  AboutWindow* w = about_window;
  const int start = w->animation.scroll;
  ASSERT_TRUE(PumpUntil([&] { return w->animation.scroll >= start + 5; }, 5000))
      << "timer 330 drives the frames; scroll " << w->animation.scroll;
  EXPECT_GT(w->animation.scroll_limit, 1000) << "fixed by the first frame";
  RECT area{};
  GetClientRect(GetDlgItem(w->hwnd, IDC_ABOUT_AREA), &area);
  EXPECT_EQ(w->dest_rect.right - w->dest_rect.left, area.right);
  EXPECT_EQ(w->dest_rect.bottom - w->dest_rect.top, area.bottom);

  // Two frames a few pixels apart differ; what is painted is the frame.
  w->animation.scroll = 100;
  NextAboutFrame(w);
  std::vector<Pixel> first = Rows(w->canvas, 0, kAboutFrameHeight);
  w->animation.scroll = 104;
  NextAboutFrame(w);
  EXPECT_NE(Rows(w->canvas, 0, kAboutFrameHeight), first);
  UpdateWindow(w->hwnd);
  int checked = 0;
  for (int y = 80; y < 140 && checked < 20; ++y) {
    for (int x = 0; x < area.right && checked < 20; ++x) {
      Pixel p = CanvasPixelAt(w->canvas, x, y);
      if ((p & 0xFFFFFF) == 0) continue;
      EXPECT_EQ(ScreenPixel(w->hwnd, x, y), ColorRefFromPixel(p)) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 20) << "lit text pixels in the rows of the first entries";
}

TEST_F(HelpWindows, CtrlHeldDrawsTheAlternativeForms) {
  OpenAboutWindow(owner_);
  ASSERT_NE(about_window, nullptr);
  AboutWindow* w = about_window;
  // Entry 0 (the program's name) then has its box at 94, entry 1 at 110.
  w->animation.scroll = 100;
  NextAboutFrame(w);
  std::vector<Pixel> plain_name = Rows(w->canvas, 94, 110);
  std::vector<Pixel> plain_next = Rows(w->canvas, 110, 126);
  PressCtrl(true);
  bool held = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  w->animation.scroll = 100;
  NextAboutFrame(w);
  PressCtrl(false);
  ASSERT_TRUE(held) << "the injected Ctrl did not reach the key state";
  EXPECT_NE(Rows(w->canvas, 94, 110), plain_name) << "the name in Greek letters";
  EXPECT_EQ(Rows(w->canvas, 110, 126), plain_next) << "the other entries stay";
  w->animation.scroll = 100;
  NextAboutFrame(w);
  EXPECT_EQ(Rows(w->canvas, 94, 110), plain_name) << "released: the usual form again";
}

TEST_F(HelpWindows, AboutClosesByEveryRouteAndReopensWhereItWas) {
  OpenAboutWindow(owner_);
  ASSERT_NE(about_window, nullptr);
  HWND hwnd = about_window->hwnd;
  SetWindowPos(hwnd, nullptr, 123, 77, 700, 300, SWP_NOZORDER);
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(about_window, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::About), nullptr);
  EXPECT_EQ(Profile("about_wnd_x"), 123);
  EXPECT_EQ(Profile("about_wnd_y"), 77);

  OpenAboutWindow(owner_);
  ASSERT_NE(about_window, nullptr);
  hwnd = about_window->hwnd;
  RECT r = RectOf(hwnd);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 77);
  EXPECT_EQ(r.right - r.left, 630) << "the position comes back, not the size";
  EXPECT_EQ(r.bottom - r.top, 210);
  SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);  // Escape
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(about_window, nullptr);

  OpenAboutWindow(owner_);
  ASSERT_NE(about_window, nullptr);
  hwnd = about_window->hwnd;
  DestroyWindow(owner_);  // the owner takes its windows along
  owner_ = nullptr;
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(about_window, nullptr);
}

TEST_F(HelpWindows, LicenseShowsTheFileReadOnlyOnWhite) {
  const std::string text = "MIT License\r\n\r\nCopyright (c) 2026 J\xC3\xBCrgen\r\nLast line\r\n";
  HANDLE f = CreateFileA((program_directory + "license.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);

  OpenLicenseWindow(owner_);
  ASSERT_NE(license_window, nullptr);
  HWND hwnd = license_window->hwnd;
  ExpectHelpWindow(hwnd, owner_, L"license_superhost", L"Orvinale license", OwnedDialog::License, 0,
                   50, 400, 400);
  EXPECT_NE(GetWindowLongW(hwnd, GWL_STYLE) & DS_MODALFRAME, 0);

  HWND edit = GetDlgItem(hwnd, IDC_LICENSE_TEXT);
  ASSERT_EQ(edit, license_window->edit);
  EXPECT_EQ(ClassOf(edit), L"Edit");
  LONG style = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL), ES_MULTILINE | ES_READONLY | WS_VSCROLL);
  std::wstring wide;
  ASSERT_TRUE(Utf8ToWide(text.c_str(), &wide));
  EXPECT_EQ(TextOf(edit), wide) << "the file as it is, line ends and all";
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 5);
  DWORD from = 1, to = 2;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, to) << "nothing selected";
  EXPECT_EQ(GetFocus(), edit);
  SendMessageW(edit, WM_CHAR, L'x', 0);
  EXPECT_EQ(TextOf(edit), wide) << "read-only";

  // Black text straight on the white stock brush, for the edit only.
  HDC dc = GetDC(edit);
  LRESULT brush = SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  brush = SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(owner_));
  EXPECT_NE(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH))
      << "other controls: the default handling";
  ReleaseDC(edit, dc);

  OpenLicenseWindow(owner_);
  EXPECT_EQ(license_window->hwnd, hwnd);
  EXPECT_EQ(CountThreadWindows(L"license_superhost"), 1);
}

TEST_F(HelpWindows, LicenseReopensWhereItWasAndAMissingFileIsEmpty) {
  OpenLicenseWindow(owner_);
  ASSERT_NE(license_window, nullptr);
  HWND hwnd = license_window->hwnd;
  EXPECT_EQ(TextOf(license_window->edit), L"") << "no license.txt";
  SetWindowPos(hwnd, nullptr, -40, 211, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(license_window, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::License), nullptr);
  EXPECT_EQ(Profile("license_wnd_x"), -40);
  EXPECT_EQ(Profile("license_wnd_y"), 211);

  OpenLicenseWindow(owner_);
  ASSERT_NE(license_window, nullptr);
  RECT r = RectOf(license_window->hwnd);
  EXPECT_EQ(r.left, -40);
  EXPECT_EQ(r.top, 211);
  EXPECT_EQ(r.right - r.left, 400);
}

// The box is modal: a helper thread reads it and presses OK.
TEST_F(HelpWindows, VersionBoxShowsTheBuildTimeAndRevision) {
  std::atomic<bool> found{false};
  std::wstring seen;
  HWND seen_owner = nullptr;
  std::thread reader([&] {
    for (int i = 0; i < 500 && !found; ++i) {
      HWND box = FindWindowW(nullptr, L"Version details");
      if (box != nullptr && IsWindowVisible(box)) {
        seen_owner = GetWindow(box, GW_OWNER);
        for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
          wchar_t text[512] = {};
          GetWindowTextW(c, text, 512);  // another thread's window: WM_GETTEXT is sent
          if (std::wstring(text).find(L"Orvinale version") == 0) seen = text;
        }
        found = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(20);
    }
  });
  ShowVersionBox(owner_);
  reader.join();
  ASSERT_TRUE(found) << "no box titled \"Version details\"";
  EXPECT_EQ(seen_owner, owner_);
  std::wstring expected;
  ASSERT_TRUE(Utf8ToWide(VersionBoxText(BuildTimestamp(), BuildCommit()).c_str(), &expected));
  EXPECT_EQ(seen, expected);
}

}  // namespace
