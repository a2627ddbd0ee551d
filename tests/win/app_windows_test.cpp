// The windows under Wine: the main window with a profile and data files of its
// own (its menu, full screen, its text and line panes, the clipboard it owns,
// the profile calls, the windows it owns), and the console window (its class,
// key and mouse messages, caret, grid and font).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/browse_windows_win32.h"
#include "app/console_windows_win32.h"
#include "app/help_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/search_dialogs_win32.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"
#include "display/line_view.h"
#include "display/panes_win32.h"
#include "display/skinned_scrollbar_win32.h"
#include "display/surface_view.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"
#include "documents/utf8_fs.h"
#include "engine/clipboard_win32.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/render_cache.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"
#include "tests/documents/temp_dir.h"

namespace {

constexpr char kLicense[] = "MIT License\r\n\r\nCopyright (c) 2026 J\xC3\xBCrgen\r\n";

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

void Pump() {  // the posted messages, keys translated as the message loop does
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// What another program does: empty the clipboard and put one format.
void PutForeign(HWND owner, UINT format, const void* bytes, size_t size, bool empty = true) {
  ASSERT_TRUE(OpenClipboard(owner));
  if (empty) EmptyClipboard();
  if (bytes != nullptr) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    EXPECT_NE(SetClipboardData(format, block), nullptr);
  }
  CloseClipboard();
}

template <class Char>
std::basic_string<Char> Read(HWND owner, UINT format) {
  std::basic_string<Char> out;
  if (!OpenClipboard(owner)) return out;
  if (HANDLE block = GetClipboardData(format)) {
    out = static_cast<const Char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return out;
}

class AppWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_directory_ = program_directory;
    program_directory = config_directory = dir_.File("");
    // The profile in a Greek folder takes the wide calls (the stories' ASCII ones the narrow).
    const std::string greek = dir_.File("\xCE\xB3\xCE\xBD\xE1\xBF\xB6\xCE\xB8\xCE\xB9-\xE6\xBC\xA2");
    ASSERT_TRUE(CreateDirectoryUtf8(greek.c_str()));
    profile_path = greek + "\\orvinale.ini";
    ASSERT_TRUE(WriteBytes(dir_.File("license.txt"), kLicense));
    ASSERT_TRUE(WriteBytes(dir_.File("preferences-default.txt"), "{\n  \"curses_right_focus\": true\n}\n"));
    ASSERT_TRUE(WriteBytes(dir_.File("preferences.txt"), "{\n  \"ruler\": 100\n}\n"));
    RegisterWindowClasses(GetModuleHandleW(nullptr));
    command_line.clear();
    window_.show_welcome = false;
    main_window = &window_;
    hwnd_ = CreateMainDialog(GetModuleHandleW(nullptr), &window_);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_NE(app_state, nullptr);
  }
  void TearDown() override {
    CloseMainWindow();
    main_window = nullptr;
    UnregisterConsoleWindowClass(GetModuleHandleW(nullptr));
    program_directory = saved_directory_;
  }
  void CloseMainWindow() {  // File > Exit, then the message loop until the window is gone
    if (!IsWindow(hwnd_)) return;
    PostMessageW(hwnd_, WM_COMMAND, ID_FILE_EXIT, 0);
    EXPECT_EQ(MessageLoop(), 0);
  }
  void Choose(UINT id) { SendMessageW(hwnd_, WM_COMMAND, id, 0); }
  int Profile(const std::string& key) { return ProfileGetInt(key.c_str(), -9999, profile_path.c_str()); }

  TempDir dir_;
  std::string saved_directory_;
  MainWindow window_;
  HWND hwnd_ = nullptr;
};

TEST_F(AppWindows, MenuItemsRunCommandsAndAnOpeningMenuGraysAndChecksThem) {
  ASSERT_EQ(GetMenu(hwnd_), window_.menu);
  // Every item but the two grayed labels has a command row with a handler.
  for (int p = 0; p < GetMenuItemCount(window_.menu); ++p) {
    HMENU popup = GetSubMenu(window_.menu, p);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      const UINT id = GetMenuItemID(popup, i);
      const Command* row = FindMenuCommand(static_cast<int>(id));
      const bool label = id == 0 || id == ID_HELP_TEXT_FILE_LABEL || id == ID_HELP_ONLINE_LABEL;
      EXPECT_EQ(row != nullptr && row->run != nullptr, !label) << id;
    }
  }
  // Before any menu has opened its items are all enabled, yet a toggle needs a document.
  const bool names = window_.show_filename;
  Choose(ID_VIEW_FILENAME);
  EXPECT_EQ(window_.show_filename, names) << "the key's rule is asked at its time";
  // The rules are the native Menu test's; here the facts come from the real
  // document and clipboard and reach the menu when it opens.
  auto open_menu = [&] { SendMessageW(hwnd_, WM_INITMENUPOPUP, WPARAM(GetSubMenu(window_.menu, 0)), 0); };
  auto enabled = [&](UINT id) { return (GetMenuState(window_.menu, id, MF_BYCOMMAND) & MF_GRAYED) == 0; };
  open_menu();
  EXPECT_FALSE(enabled(ID_FILE_SAVE));
  Choose(ID_FILE_NEW);
  auto checked = [&](UINT id) { return (GetMenuState(window_.menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
  SendMessageW(window_.surface_hwnd, WM_CHAR, L'x', 0);
  open_menu();
  EXPECT_TRUE(enabled(ID_FILE_SAVE));
  EXPECT_FALSE(enabled(ID_EDIT_CUT));
  EXPECT_FALSE(enabled(ID_EDIT_PASTE));
  // A replace count in the title gives way to the whole title, file name and all.
  const std::wstring title = TextOf(hwnd_);
  EXPECT_EQ(ReplaceAndReport(&window_, "x", "x", true, false), 1);
  EXPECT_NE(TextOf(hwnd_), title);
  SendMessageW(hwnd_, WM_TIMER, kChangeCountTimer, 0);
  EXPECT_EQ(TextOf(hwnd_), title);
  const bool numbers = checked(ID_VIEW_LINE_NUMBER), dots = checked(ID_VIEW_WHITESPACE);
  for (UINT id : {ID_EDIT_SELECT_ALL, ID_EDIT_COPY, ID_VIEW_LINE_NUMBER, ID_VIEW_WHITESPACE}) Choose(id);
  open_menu();
  EXPECT_TRUE(enabled(ID_EDIT_CUT));
  EXPECT_TRUE(enabled(ID_EDIT_PASTE));
  EXPECT_NE(checked(ID_VIEW_LINE_NUMBER), numbers);
  EXPECT_NE(checked(ID_VIEW_WHITESPACE), dots);
}

TEST_F(AppWindows, FullScreenFromMaximizedComesBackMaximized) {
  ShowWindow(hwnd_, SW_MAXIMIZE);
  ToggleFullscreen(&window_);
  EXPECT_EQ(GetWindowLongW(hwnd_, GWL_STYLE) & (WS_CAPTION | WS_MAXIMIZE), 0);
  const RECT r = RectOf(hwnd_);
  EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top),
            std::pair(LONG(GetSystemMetrics(SM_CXSCREEN)), LONG(GetSystemMetrics(SM_CYSCREEN))));
  EXPECT_EQ(window_.saved_rect.x, 50) << "the rectangle before full screen: the restored one";
  ToggleFullscreen(&window_);
  EXPECT_TRUE(IsZoomed(hwnd_));
  EXPECT_NE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION, 0);
}

// The profile keys the panes read and write are the long-file story's.
TEST_F(AppWindows, PanesTakeTheirMessagesAndTheirViewsGoWithThem) {
  Choose(ID_FILE_NEW);
  HWND surface = window_.surface_hwnd;
  ASSERT_TRUE(surface && window_.line_hwnd && surface_view && line_view);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
  Document* doc = GetCurrentDocument(*app_state);
  InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
  MoveTextStart(doc, false);
  RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RenderCache& c = *doc->render_cache;
  // After an input the pane is invalidated when what it shows changed, once.
  UpdateWindow(surface);  // the paint after the one that showed the scrollbar
  // A pane uncovered with nothing changed in the text shows its frame again, not what covered it.
  HDC dc = GetDC(surface);
  const RECT corner{300, 300, 310, 310};
  const COLORREF shown = GetPixel(dc, 305, 305);
  FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(shown == 0 ? WHITE_BRUSH : BLACK_BRUSH)));
  RedrawWindow(surface, &corner, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(shown, GetPixel(dc, 305, 305));
  ReleaseDC(surface, dc);
  MoveDown(doc, false);
  AskSurfaceForPaint(false);
  EXPECT_TRUE(GetUpdateRect(surface, nullptr, FALSE)) << "the caret moved";
  ValidateRect(surface, nullptr);
  AskSurfaceForPaint(false);
  EXPECT_FALSE(GetUpdateRect(surface, nullptr, FALSE)) << "asked twice for one change";
  // Keys the key table leaves to the pane move neither the text nor the thumb.
  for (WPARAM key : {VK_NEXT, VK_END, VK_DOWN}) SendMessageW(surface, WM_KEYDOWN, key, 0);
  Pump();
  SCROLLINFO si = {sizeof si, SIF_POS, 0, 0, 0, 0, 0};
  SkinnedGetScrollInfo(surface, &si);
  EXPECT_EQ(std::pair(c.top_line, si.nPos), std::pair(0, 0));
  SendMessageW(surface, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(201 - static_cast<int>(c.rows), c.top_line);
  // A press takes the capture; a move with the button down drags a selection (what it selects is
  // the native SurfaceMouse test's); the release lets the capture go.
  const int x = 5 + 3 * c.cell_width + 1;
  SendMessageW(surface, WM_LBUTTONDOWN, 0, MAKELPARAM(x, c.cell_height + 2));
  EXPECT_EQ(surface, GetCapture());
  SendMessageW(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 3 * c.cell_height + 2));
  EXPECT_EQ(doc->sel_caret_line, doc->anchor_line + 2) << "the move did not drag";
  SendMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(x, 3 * c.cell_height + 2));
  EXPECT_EQ(nullptr, GetCapture());
  // A surrogate pair typed in two messages joins into one character: the view keeps the first half.
  for (WPARAM unit : {WPARAM(0xD83D), WPARAM(0xDE00)}) SendMessageW(surface, WM_CHAR, unit, 0);
  CloseGapAtCaret(doc);
  EXPECT_NE(std::string(StringData(doc->text)).find("\xF0\x9F\x98\x80"), std::string::npos);
  CloseMainWindow();
  EXPECT_EQ(nullptr, surface_view);
  EXPECT_EQ(nullptr, line_view);
}

// One of each: owned by the main window, opened once at 0, 50 (no place kept
// yet), back where it was left (a sizable one at that size too: the profile
// written at its close and read at its opening), all closed with the main
// window (which writes their places).
TEST_F(AppWindows, EachOwnedWindowOpensOnceKeepsItsSizeAndClosesWithTheMainWindow) {
  for (int i = 0; i < 40; ++i) Choose(ID_FILE_NEW);  // the search dialogs need a document; the Switch rows overflow
  const struct { const wchar_t* caption; void (*open)(HWND); bool sizable; } windows[] = {
      {L"About Orvinale", OpenAboutWindow, false},
      {L"Orvinale license", OpenLicenseWindow, false},
      {L"Orvinale changelog", OpenChangelogWindow, false},
      {L"Orvinale preferences", OpenPreferencesWindow, true},
      {L"Orvinale folders", OpenFoldersWindow, true},
      {L"Orvinale switch", OpenSwitchWindow, true},
      {L"Orvinale find", OpenFindDialog, false},
      {L"Orvinale change", OpenChangeDialog, false},
      {L"Orvinale go to", OpenGoToDialog, false},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(w.caption)));
    w.open(hwnd_);
    HWND hwnd = FindWindowW(nullptr, w.caption);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), hwnd_);
    EXPECT_EQ((GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0, w.sizable);
    const RECT first = RectOf(hwnd);
    EXPECT_EQ(std::pair(first.left, first.top), std::pair(0L, 50L));
    EXPECT_EQ(GetWindowLongW(GetDlgItem(hwnd, IDC_SWITCH_LIST), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), w.open == OpenSwitchWindow ? WS_VSCROLL : 0) << "the Switch list's column fits beside its bar";
    SetFocus(hwnd_);
    w.open(hwnd_);
    EXPECT_EQ(FindWindowW(nullptr, w.caption), hwnd) << "a second command focuses the open one";
    EXPECT_TRUE(GetFocus() == hwnd || IsChild(hwnd, GetFocus()));
    SetWindowPos(hwnd, nullptr, 30, 70, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    w.open(hwnd_);
    const RECT again = RectOf(FindWindowW(nullptr, w.caption));
    EXPECT_EQ(std::vector<LONG>({again.left, again.top, again.right - again.left, again.bottom - again.top}),
              std::vector<LONG>({30, 70, w.sizable ? 500 : first.right - first.left,
                                 w.sizable ? 300 : first.bottom - first.top}));
  }
  SetWindowPos(find_dialog->hwnd, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A reader of the profile (another instance) sees the whole old file or the whole new
  // one, never one rewritten in place, and does not keep the new one from being written.
  const std::wstring wide = WideText(profile_path);
  HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  char text[2][4096];
  DWORD size[2] = {};
  ASSERT_TRUE(ReadFile(held, text[0], 4096, &size[0], nullptr));
  CloseMainWindow();
  for (const auto& w : windows) EXPECT_EQ(FindWindowW(nullptr, w.caption), nullptr);
  EXPECT_EQ(Profile("find_wnd_x"), 40);
  SetFilePointer(held, 0, nullptr, FILE_BEGIN);
  EXPECT_TRUE(ReadFile(held, text[1], 4096, &size[1], nullptr) && CloseHandle(held));
  EXPECT_EQ(std::string(text[1], size[1]), std::string(text[0], size[0]));
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));  // read-only: it stays as it is
  EXPECT_TRUE(!ProfileSetInt("find_wnd_x", 41, profile_path.c_str()) && Profile("find_wnd_x") == 40 && SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL));
}

// Moved to a screen of 150 %: each window takes the suggested rectangle and its fonts at the new DPI.
TEST_F(AppWindows, ANewDpiRescalesEachWindowAndItsFonts) {
  for (UINT id : {ID_FILE_NEW, ID_OPTIONS_PREFERENCES, ID_HELP_ABOUT}) Choose(id);
  ASSERT_TRUE(preferences_window != nullptr && about_window != nullptr);
  const int console_cell = preferences_user_console.cell_height;
  for (HWND w : {hwnd_, preferences_window->hwnd, about_window->hwnd}) {
    RECT suggested{30, 40, 930, 740}, now;
    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(GetWindowRect(w, &now) && EqualRect(&now, &suggested));
  }
  EXPECT_EQ(std::vector<int>({surface_view->metrics.font_height, line_view->metrics.label_margin, about_window->canvas.width,
                              preferences_user_console.cell_height * 4 >= console_cell * 5}), std::vector<int>({21, 8, 945, 1}));
  SendMessageW(about_window->hwnd, WM_ACTIVATEAPP, FALSE, 0);  // another program active: the credits stand
  EXPECT_FALSE(KillTimer(about_window->hwnd, kAboutTimer));
}

TEST_F(AppWindows, LicenseShowsItsFileReadOnlyAndSearchBoxesStartChecked) {
  Choose(ID_FILE_NEW);
  OpenLicenseWindow(hwnd_);
  ASSERT_NE(license_window, nullptr);
  HWND edit = license_window->edit;
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(TextOf(edit), WideText(kLicense)) << "the file as it is, line ends and all";
  SendMessageW(edit, WM_CHAR, L'x', 0);
  EXPECT_EQ(TextOf(edit), WideText(kLicense)) << "read-only";
  SendMessageW(license_window->hwnd, WM_CLOSE, 0, 0);
  DeleteFileW(WideText(dir_.File("license.txt")).c_str());
  OpenLicenseWindow(hwnd_);
  ASSERT_NE(license_window, nullptr);
  EXPECT_EQ(TextOf(license_window->edit), L"");
  for (int opening = 0; opening < 2; ++opening) {
    OpenFindDialog(hwnd_);
    OpenChangeDialog(hwnd_);
    ASSERT_TRUE(find_dialog && change_dialog);
    for (HWND b : {find_dialog->case_box, find_dialog->word_box, change_dialog->case_box, change_dialog->word_box}) {
      EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED) << opening;
      SendMessageW(b, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    for (HWND dialog : {find_dialog->hwnd, change_dialog->hwnd}) SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  // Entries are read as UTF-8 (a surrogate pair one character) and cut at the limit between whole characters.
  OpenFindDialog(hwnd_);
  ASSERT_NE(find_dialog, nullptr);
  HWND find = find_dialog->find_edit;
  SetWindowTextW(find, L"a\x00E9\x20AC\xD83D\xDE00");
  EXPECT_EQ(ReadEditUtf8(find), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  SetWindowTextW(find, std::wstring(1500, L'\x00E9').c_str());
  EXPECT_EQ(ReadEditUtf8(find).size(), 2046u) << "1023 whole characters, not half of the next";
}

// The engine's clipboard as the main window owns it.
TEST_F(AppWindows, ClipboardCarriesUtf8ThroughTheWideAndNarrowFormats) {
  HWND owner = hwnd_;
  Win32Clipboard clipboard(owner);
  const std::pair<std::string, std::wstring> samples[] = {
      {"caf\xC3\xA9 \xE4\xB8\xAD", L"caf\u00e9 \u4e2d"}, {"\xF0\x9F\x98\x80 smile", L"\U0001F600 smile"}, {"", L""},
      {"p\xED\xB0\x80q", L"\uFFFD"}, {"\xF4\x90\x80\x80 \xF7\xBF\xBF\xBF", L"\uFFFD"}};  // the loader's: U+FFFD in UTF-16
  for (const auto& [utf8, wide] : samples) {
    ASSERT_TRUE(clipboard.SetText(utf8));
    const std::wstring others = Read<wchar_t>(owner, CF_UNICODETEXT);  // proper UTF-16
    EXPECT_TRUE(wide == L"\uFFFD" ? others.find(wide) != std::wstring::npos && WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, others.data(), int(others.size()), nullptr, 0, nullptr, nullptr) > 0 : others == wide);
    EXPECT_EQ(Read<char>(owner, CF_TEXT), utf8) << "the UTF-8 bytes as CF_TEXT";
    std::string back;
    ASSERT_TRUE(clipboard.GetText(&back));
    EXPECT_EQ(back, utf8);
  }
  // Another program's text: wide, narrow UTF-8, narrow ANSI (UTF-8 whatever the code page), and none at all.
  const wchar_t wide[] = L"caf\u00e9\r\n\u4e2d\U0001F600";
  const struct { UINT format; const void* bytes; size_t size; const char* got; const char* ours = nullptr; } foreign[] = {
      {CF_UNICODETEXT, wide, sizeof wide, "caf\xC3\xA9\r\n\xE4\xB8\xAD\xF0\x9F\x98\x80"},
      {CF_UNICODETEXT, L"p?q", 8, "p?q", "p\xED\xB0\x80q"},  // our bytes, their text put over them without emptying
      {CF_TEXT, "na\xC3\xAFve", 7, "na\xC3\xAFve"},
      {CF_TEXT, "caf\xE9", 5, GetACP() == 1252 ? "caf\xC3\xA9" : nullptr},
      {CF_TEXT, nullptr, 0, nullptr}};
  for (const auto& f : foreign) {
    if (f.ours == nullptr || clipboard.SetText(f.ours)) PutForeign(owner, f.format, f.bytes, f.size, f.ours == nullptr);
    std::string got;
    EXPECT_EQ(clipboard.GetText(&got), f.bytes != nullptr);
    EXPECT_GE(CheckUtf8(got.data(), got.size(), Utf8Rule::kScalarValues), 0);
    EXPECT_TRUE(f.got == nullptr || got == f.got) << got;
  }
}

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM which) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

// A key-down as the message filter sees it: 1 when it took the key.
int Press(HWND target, HTREEITEM select, UINT key) {
  if (select != nullptr) SendMessageW(target, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(select));
  MSG msg{target, WM_KEYDOWN, key, 1, 0, {}};
  return DispatchKey(msg);
}

TEST_F(AppWindows, FoldersTreeTakesItsKeysThroughTheMessageFilter) {
  const std::string folder = dir_.File("src"), omega = folder + "\\\xCE\xA9mega.txt";
  ASSERT_TRUE(CreateDirectoryUtf8(folder.c_str()));
  FILE* f = OpenStreamUtf8(omega.c_str(), "wb");
  ASSERT_TRUE(f != nullptr && std::fclose(f) == 0);
  ASSERT_TRUE(AddFolderRoot(&window_.folder_roots, folder));
  for (int i = 0; i < 6000 && !window_.folder_roots.roots[0]->scanner->scan_done; ++i) Sleep(10);
  OpenFoldersWindow(hwnd_);
  ASSERT_NE(folders_window, nullptr);
  HWND tree = folders_window->tree;
  HTREEITEM top = Next(tree, nullptr, TVGN_ROOT), root = Next(tree, top, TVGN_CHILD);
  HTREEITEM file = Next(tree, root, TVGN_CHILD);
  ASSERT_NE(file, nullptr) << "the scan did not end, or its file is not listed";
  char narrow[512] = {};
  TVITEMA item = {TVIF_TEXT, file, 0, 0, narrow, sizeof narrow, 0, 0, 0, 0};
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::string(narrow), omega) << "UTF-8 through the tree's subclass";
  // Enter on a folder opens nothing; Up leaves the tree only from "Root"; Delete hides an item.
  SetFocus(tree);
  const int documents = DocumentCount(app_state->documents);
  EXPECT_EQ(Press(tree, root, VK_RETURN), 1);
  EXPECT_EQ(DocumentCount(app_state->documents), documents);
  EXPECT_EQ(Press(tree, nullptr, VK_UP), 0);
  EXPECT_EQ(Press(tree, top, VK_UP), 1);
  EXPECT_EQ(GetFocus(), folders_window->filter);
  SetFocus(tree);
  EXPECT_EQ(Press(tree, root, VK_DELETE), 1);
  EXPECT_EQ(Next(tree, top, TVGN_CHILD), nullptr);
  // Each file dialog, cancelled, gives the keys back to the text, not to the tree.
  Choose(ID_FILE_NEW);
  const UINT_PTR cancel = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { for (const wchar_t* caption : {L"Open file", L"File save as", L"Open folder"})
      if (HWND dialog = FindWindowW(nullptr, caption)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
  for (UINT id : {ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_FILE_OPEN_FOLDER}) { SetFocus(tree); Choose(id); EXPECT_EQ(GetFocus(), window_.surface_hwnd) << id; }
  KillTimer(nullptr, cancel);
}

// A console window in the main window, which registers its class: a child,
// so the dialog codes and focus are a child's.
class ConsoleWindowTest : public AppWindows {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(AppWindows::SetUp());
    hwnd = CreateWindowExW(0, kConsoleWindowClass, L"console", WS_CHILD | WS_VISIBLE, 0, 0, 640, 400,
                           hwnd_, nullptr, instance, &console);
    ASSERT_NE(hwnd, nullptr);
    console.font_height = &font_height;
    SetUpConsoleFonts(&console);
    ReinitConsoleGrid(&console);
  }
  std::vector<std::pair<int, int>> DrainKeys() {  // codes and modifiers
    std::vector<std::pair<int, int>> keys;
    for (ConsoleKey k; (k = PopKey(&console.keys)).code >= 0;) keys.push_back({k.code, k.modifiers});
    return keys;
  }
  static void SetCtrl(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }

  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND hwnd = nullptr;
  int font_height = 16;
  ConsoleWindow console;
};

TEST_F(ConsoleWindowTest, ClassIsCountedAndDialogKeysGoOnlyToAChild) {
  WNDCLASSEXW info = {sizeof info, 0, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  DestroyWindow(hwnd);  // a class with a window left cannot be removed, counted or not
  ASSERT_TRUE(RegisterConsoleWindowClass(instance));
  UnregisterConsoleWindowClass(instance);
  EXPECT_TRUE(GetClassInfoExW(instance, kConsoleWindowClass, &info)) << "still used once";
  ConsoleWindow popup_console;
  HWND popup = CreateWindowExW(0, kConsoleWindowClass, L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                               instance, &popup_console);
  EXPECT_EQ(SendMessageW(popup, WM_GETDLGCODE, 0, 0), 0);
  DestroyWindow(popup);
  EXPECT_EQ(popup_console.window, nullptr);
}

// Keys that type characters come as WM_CHAR; Alt+F4 stays the system's; a
// control code types only with Ctrl. Ctrl+Tab is queued once, with the Ctrl of
// its own message, so it still switches panes when taken from the queue after
// Ctrl was released.
TEST_F(ConsoleWindowTest, KeyMessagesBecomeCodesWithTheCtrlOfTheirOwnMessage) {
  const LPARAM tab = 1 | (kTabScanCode << 16);
  const struct { bool ctrl; UINT message; WPARAM wp; LPARAM lp; } sent[] = {
      {false, WM_KEYDOWN, VK_DOWN, 0}, {false, WM_KEYDOWN, VK_F12, 0}, {false, WM_KEYDOWN, VK_CONTROL, 0},
      {false, WM_KEYDOWN, 'A', 0}, {false, WM_KEYDOWN, VK_SHIFT, 0}, {false, WM_SYSKEYDOWN, VK_INSERT, 0},
      {false, WM_SYSKEYDOWN, VK_F4, 0}, {false, WM_CHAR, 1, 0}, {false, WM_CHAR, 0xD83D, 0},
      {false, WM_CHAR, 0xDE00, 0}, {true, WM_CHAR, 1, MAKELPARAM(1, 0x1E)}, {true, WM_CHAR, '\n', MAKELPARAM(1, 0x24)},
      {true, WM_CHAR, '\n', MAKELPARAM(1, 0x1C)},  // Ctrl+A, Ctrl+J, Ctrl+Enter
      {true, WM_KEYDOWN, VK_TAB, tab}, {true, WM_CHAR, '\t', tab},  // a layout that types one
      {true, WM_CHAR, '\t', 1 | (0x17 << 16)},                     // Ctrl+I
      {false, WM_KEYDOWN, VK_TAB, tab}, {false, WM_CHAR, '\t', tab}};  // plain Tab comes as a character
  for (const auto& m : sent) {
    SetCtrl(m.ctrl);
    SendMessageW(hwnd, m.message, m.wp, m.lp);
  }
  const int ctrl = ModifierBit(ConsoleModifier::kControl);
  EXPECT_EQ(DrainKeys(), (std::vector<std::pair<int, int>>{{4096, 0}, {4117, 0}, {4104, 0}, {0x1F600, 0},
                                                          {1, ctrl}, {10, ctrl}, {13, ctrl}, {9, ctrl}, {9, ctrl},
                                                          {9, 0}}));
  SetCtrl(false);
  for (auto [vk, scan] : {std::pair{int('A'), 0x1E}, {VK_RETURN, 0x1C}, {VK_DELETE, 0x53}}) {
    PostMessageW(hwnd, WM_KEYDOWN, vk, MAKELPARAM(1, scan));
    Pump();
  }
  EXPECT_EQ(DrainKeys(), (std::vector<std::pair<int, int>>{{'a', 0}, {13, 0}, {4105, 0}}))
      << "one code per translated key";
}

TEST_F(ConsoleWindowTest, MouseReachesTheEditorAndTheCaretBlinksOnlyWithFocus) {
  std::vector<ConsoleMouse> seen;
  console.on_mouse = [&](const ConsoleMouse& m) { seen.push_back(m); };
  const struct { UINT message; WPARAM wp; ConsoleMouseKind kind; } mouse[] = {
               {WM_LBUTTONDOWN, MK_LBUTTON, ConsoleMouseKind::kLeftDown},
               {WM_MOUSEMOVE, 0, ConsoleMouseKind::kMove},
               {WM_LBUTTONDBLCLK, 0, ConsoleMouseKind::kLeftDouble},
               {WM_RBUTTONUP, 0, ConsoleMouseKind::kRightUp},
               {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), ConsoleMouseKind::kWheel},
               {RegisterWindowMessageW(L"MSWHEEL_ROLLMSG"), WHEEL_DELTA, ConsoleMouseKind::kWheel}};
  for (const auto& m : mouse) SendMessageW(hwnd, m.message, m.wp, MAKELPARAM(30, 40));
  ASSERT_EQ(seen.size(), std::size(mouse));
  for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i].kind, mouse[i].kind) << i;
  EXPECT_EQ(std::pair(seen[0].x, seen[0].y), std::pair(30, 40));
  EXPECT_EQ(std::pair(seen[4].wheel_delta, seen[5].wheel_delta), std::pair(-WHEEL_DELTA, WHEEL_DELTA));
  ASSERT_EQ(GetFocus(), hwnd) << "a press focuses the window";
  console.blink_state = 1;
  std::vector<int> states;
  for (bool focused : {true, true, true, false, false}) {
    SetFocus(focused ? hwnd : nullptr);
    SendMessageW(hwnd, WM_TIMER, kConsoleCaretTimer, 0);
    states.push_back(console.blink_state);
  }
  EXPECT_EQ(states, (std::vector<int>{2, 0, 1, 1, 1})) << "steady and shown without the focus";
}

TEST_F(ConsoleWindowTest, GridFollowsTheFontThatCtrlWheelSteps) {
  EXPECT_EQ(console.grid.rows, 400 / console.cell_height);
  EXPECT_EQ(console.grid.cols, 640 / console.cell_width);
  // The steps' limits are the native ConsoleLayout test's; here Ctrl and the wheel reach them.
  for (int i = 0; i < 10; ++i) SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  EXPECT_EQ(font_height, 26);
  EXPECT_EQ(console.grid.rows, 400 / console.cell_height);
  SetWindowPos(hwnd, nullptr, 0, 0, 2, 2, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(console.grid.rows * console.grid.cols, 1) << "smaller than a cell: still one";
}

}  // namespace
