// Folder listing and scanning on Windows names, and the Folders and Switch
// windows under Wine: templates, fill, filter, keys through the message
// filter, rows in registry order, and the rectangles kept in the profile.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/browse_windows_win32.h"
#include "app/main_window_win32.h"
#include "app/profile.h"
#include "app/resource.h"
#include "app/startup_paths.h"
#include "app/startup_win32.h"
#include "console/console_window_win32.h"
#include "documents/directory_listing.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"
#include "documents/utf8_fs.h"
#include "engine/utf8_win32.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/win_links.h"
#include "tests/win/win_temp_dir.h"
#include "tests/win/window_queries.h"

namespace {

void WriteText(const std::string& path) {
  FILE* f = OpenStreamUtf8(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fputs("text\n", f);
  std::fclose(f);
}

bool WaitScanned(FolderScanner* s) {
  for (int i = 0; i < 6000 && !s->scan_done; ++i) Sleep(10);
  return s->scan_done;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring w;
  Utf8ToWide(utf8.c_str(), &w);
  return w;
}

TEST(DocumentsBrowseListing, GreekNamesAndLongPathsComeBackAsUtf8) {
  WinTempDir dir;
  const std::string greek =
      dir.File("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC");
  ASSERT_TRUE(CreateDirectoryUtf8(greek.c_str()));
  const std::string file_a = greek + "\\\xCE\xB1\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xBF.cpp";
  const std::string file_b = greek + "\\\xCF\x83\xCE\xB7\xCE\xBC.TXT";
  WriteText(file_a);
  WriteText(file_b);
  WriteText(greek + "\\README");
  std::string deep = greek;
  while (deep.size() < 320) {
    deep += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateDirectoryUtf8(deep.c_str())) << deep.size();
  }
  const std::string file_deep = deep + "\\\xCE\xB2.h";
  WriteText(file_deep);

  std::vector<std::string> names;
  DirectoryLister* lister = PlatformDirectoryLister();
  ASSERT_TRUE(lister->List(greek, [&](const DirectoryEntry& e) {
    if (e.name != "." && e.name != "..") names.push_back(e.name + (e.is_directory ? "/" : ""));
    return true;
  }));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"README", std::string(40, 'd') + "/",
                                             file_a.substr(greek.size() + 1),
                                             file_b.substr(greek.size() + 1)}));
  names.clear();
  ASSERT_TRUE(lister->List(deep, [&](const DirectoryEntry& e) {
    names.push_back(e.name);
    return true;
  })) << "a folder name of " << deep.size() << " bytes";
  EXPECT_NE(std::find(names.begin(), names.end(), "\xCE\xB2.h"), names.end());
  EXPECT_FALSE(lister->List(greek + "\\missing", [](const DirectoryEntry&) { return true; }));

  FolderRoots roots;
  ASSERT_TRUE(AddFolderRoot(&roots, greek + "\\"));
  ASSERT_TRUE(WaitScanned(roots.roots[0]->scanner.get()));
  EXPECT_EQ(FilesSnapshot(roots.roots[0]->scanner.get()),
            (std::vector<std::string>{file_deep, file_a, file_b}));
}

TEST(DocumentsBrowseListing, FoldersReachedThroughLinksAreNotWalked) {
  WinTempDir dir;
  const std::string root = dir.File("root");
  ASSERT_TRUE(CreateDirectoryUtf8(root.c_str()));
  ASSERT_TRUE(CreateDirectoryUtf8((root + "\\sub").c_str()));
  WriteText(root + "\\a.cpp");
  WriteText(root + "\\sub\\b.txt");
  LinkCleanup links;
  ASSERT_TRUE(links.Make(root + "\\loop", ".", true));
  ASSERT_TRUE(links.Make(root + "\\l.cpp", "a.cpp", false));
  bool loop_is_link = false;
  ASSERT_TRUE(PlatformDirectoryLister()->List(root, [&](const DirectoryEntry& e) {
    if (e.name == "loop") loop_is_link = e.is_directory && e.is_link;
    return true;
  }));
  EXPECT_TRUE(loop_is_link);
  FolderScanner scanner;
  ScanFolder(&scanner, root, true);
  EXPECT_EQ(FilesSnapshot(&scanner), (std::vector<std::string>{root + "\\a.cpp", root + "\\l.cpp",
                                                               root + "\\sub\\b.txt"}));
}

// A main window with its application state and a profile of its own; the
// owned windows go with it.
class DocumentsBrowseWindows : public MainWindowTest {
 protected:
  DocumentsBrowseWindows() : MainWindowTest("orv_browse_windows_test.ini") {}

  void TearDown() override {
    CloseMainWindow();
    EXPECT_EQ(folders_window, nullptr) << "destroyed with the main window";
    EXPECT_EQ(switch_window, nullptr);
    MainWindowTest::TearDown();
  }

  // A key-down with an odd repeat count, as the message filter sees it.
  static int Press(HWND target, UINT key) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    return DispatchKey(msg);
  }

  WinTempDir dir_;
};

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM which) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[1024] = {};
  TVITEMW it{};
  it.mask = TVIF_TEXT;
  it.hItem = item;
  it.pszText = text;
  it.cchTextMax = 1024;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  return text;
}

// The texts of an item's children, read through the wide message.
std::vector<std::wstring> Children(HWND tree, HTREEITEM parent) {
  std::vector<std::wstring> texts;
  for (HTREEITEM c = Next(tree, parent, TVGN_CHILD); c != nullptr; c = Next(tree, c, TVGN_NEXT))
    texts.push_back(ItemText(tree, c));
  return texts;
}

bool Expanded(HWND tree, HTREEITEM item) {
  return (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

TEST_F(DocumentsBrowseWindows, FoldersWindowFillsFiltersOpensAndKeepsItsRectangle) {
  const std::string one = dir_.File("one"), two = dir_.File("two");
  ASSERT_TRUE(CreateDirectoryUtf8(one.c_str()));
  ASSERT_TRUE(CreateDirectoryUtf8(two.c_str()));
  const std::string main_cpp = one + "\\Main.cpp", util_h = one + "\\util.h";
  const std::string omega = two + "\\\xCE\xA9mega.txt";
  for (const std::string& f : {main_cpp, util_h, omega, one + "\\notes.md"}) WriteText(f);
  ASSERT_TRUE(AddFolderRoot(&window_.folder_roots, one));
  ASSERT_TRUE(AddFolderRoot(&window_.folder_roots, two));
  for (auto& root : window_.folder_roots.roots) ASSERT_TRUE(WaitScanned(root->scanner.get()));

  OpenFoldersWindow(hwnd_);
  FoldersWindowRecord* r = folders_window;
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Folders), r->hwnd);
  EXPECT_EQ(TextOf(r->hwnd), L"Orvinale folders");
  EXPECT_EQ(ClassOf(r->hwnd), L"projects_superhost");
  EXPECT_EQ(GetWindow(r->hwnd, GW_OWNER), hwnd_);
  EXPECT_EQ(ClassOf(r->filter), L"Edit");
  EXPECT_EQ(ClassOf(r->tree), L"SysTreeView32");
  LONG tree_style = GetWindowLongW(r->tree, GWL_STYLE);
  // (WS_HSCROLL comes and goes with the need for the scroll bar.)
  LONG wanted = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
  EXPECT_EQ(tree_style & wanted, wanted);
  EXPECT_NE(GetPropW(r->tree, L"WDLUTF8OldProc"), nullptr);
  EXPECT_EQ(SendMessageW(r->tree, TVM_GETBKCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(r->tree, TVM_GETTEXTCOLOR, 0, 0), RGB(192, 192, 192));
  RECT rect;
  GetWindowRect(r->hwnd, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(rect.right - rect.left, 800);
  EXPECT_EQ(rect.bottom - rect.top, 600);

  HTREEITEM top = Next(r->tree, nullptr, TVGN_ROOT);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(ItemText(r->tree, top), L"Root");
  EXPECT_EQ(Next(r->tree, top, TVGN_NEXT), nullptr) << "one top-level item";
  EXPECT_EQ(Children(r->tree, top), (std::vector<std::wstring>{Wide(one), Wide(two)}));
  HTREEITEM first = Next(r->tree, top, TVGN_CHILD), second = Next(r->tree, first, TVGN_NEXT);
  EXPECT_EQ(Children(r->tree, first), (std::vector<std::wstring>{Wide(main_cpp), Wide(util_h)}));
  EXPECT_EQ(Children(r->tree, second), (std::vector<std::wstring>{Wide(omega)}));
  EXPECT_TRUE(Expanded(r->tree, top));
  EXPECT_TRUE(Expanded(r->tree, second)) << "the last root is expanded";
  EXPECT_FALSE(Expanded(r->tree, first));

  // Enter in the filter box applies it, without regard to case.
  SetFocus(r->filter);
  SetWindowTextW(r->filter, L"MAIN");
  EXPECT_EQ(Press(r->filter, VK_RETURN), 1);
  top = Next(r->tree, nullptr, TVGN_ROOT);
  first = Next(r->tree, top, TVGN_CHILD);
  second = Next(r->tree, first, TVGN_NEXT);
  EXPECT_EQ(Children(r->tree, first), (std::vector<std::wstring>{Wide(main_cpp)}));
  EXPECT_TRUE(Children(r->tree, second).empty());
  SetWindowTextW(r->filter, L"\x03C9MEGA");  // lower-case omega: only ASCII folds
  Press(r->filter, VK_RETURN);
  top = Next(r->tree, nullptr, TVGN_ROOT);
  EXPECT_TRUE(Children(r->tree, Next(r->tree, top, TVGN_CHILD)).empty());
  SetWindowTextW(r->filter, L"\x03A9mega");
  Press(r->filter, VK_RETURN);
  top = Next(r->tree, nullptr, TVGN_ROOT);
  second = Next(r->tree, Next(r->tree, top, TVGN_CHILD), TVGN_NEXT);
  HTREEITEM omega_item = Next(r->tree, second, TVGN_CHILD);
  ASSERT_NE(omega_item, nullptr);

  // The narrow get through the subclass gives UTF-8.
  char narrow[512] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = omega_item;
  item.pszText = narrow;
  item.cchTextMax = sizeof narrow;
  SendMessageA(r->tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::string(narrow), omega);

  // Down moves to the tree; Enter on a folder opens nothing, on a file opens it.
  EXPECT_EQ(Press(r->filter, VK_DOWN), 1);
  EXPECT_EQ(GetFocus(), r->tree);
  SendMessageW(r->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(Press(r->tree, VK_RETURN), 1);
  EXPECT_EQ(DocumentCount(app_state->documents), 0);
  SendMessageW(r->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(omega_item));
  EXPECT_EQ(Press(r->tree, VK_RETURN), 1);
  EXPECT_EQ(app_state->current_path, omega);
  EXPECT_EQ(TextOf(hwnd_).rfind(L"\x03A9mega.txt - Orvinale", 0), 0u) << TextOf(hwnd_).c_str();
  // Up on an item below "Root" is the tree's own; on "Root" it leaves the tree.
  EXPECT_EQ(Press(r->tree, VK_UP), 0);
  SendMessageW(r->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(top));
  EXPECT_EQ(Press(r->tree, VK_UP), 1);
  EXPECT_EQ(GetFocus(), r->filter);
  // Delete hides an item until the next fill; the reset leaves "Root".
  SetFocus(r->tree);
  SendMessageW(r->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(Press(r->tree, VK_DELETE), 1);
  EXPECT_EQ(Children(r->tree, top).size(), 1u);
  ResetFoldersTree();
  top = Next(r->tree, nullptr, TVGN_ROOT);
  EXPECT_EQ(ItemText(r->tree, top), L"Root");
  EXPECT_EQ(Next(r->tree, top, TVGN_CHILD), nullptr);

  // A second open only focuses; a close writes the rectangle, which the next
  // opening takes again.
  HWND first_hwnd = r->hwnd;
  OpenFoldersWindow(hwnd_);
  EXPECT_EQ(folders_window, r);
  SetWindowPos(r->hwnd, nullptr, 120, 130, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(r->hwnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(first_hwnd));
  EXPECT_EQ(folders_window, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Folders), nullptr);
  EXPECT_EQ(Profile("folders_wnd_x"), 120);
  EXPECT_EQ(Profile("folders_wnd_w"), 500);
  OpenFoldersWindow(hwnd_);
  ASSERT_NE(folders_window, nullptr);
  GetWindowRect(folders_window->hwnd, &rect);
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(rect.top, 130);
  EXPECT_EQ(rect.right - rect.left, 500);
  EXPECT_EQ(rect.bottom - rect.top, 400);
}

std::wstring RowText(HWND list, int row) {
  wchar_t text[256] = {};
  LVITEMW it{};
  it.iSubItem = 0;
  it.pszText = text;
  it.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  return text;
}

int ChosenRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       LVNI_SELECTED | LVNI_FOCUSED));
}

TEST_F(DocumentsBrowseWindows, SwitchWindowListsDocumentsInRegistryOrderAndActivates) {
  for (const char* sub : {"a", "b", "c"}) ASSERT_TRUE(CreateDirectoryUtf8(dir_.File(sub).c_str()));
  const std::string x = dir_.File("b\\x.txt"), y = dir_.File("a\\y.txt"),
                    same = dir_.File("c\\x.txt"), greek = dir_.File("c\\\xCE\xA9.txt");
  for (const std::string& f : {x, y, same, greek}) {
    WriteText(f);
    ASSERT_TRUE(OpenOrActivate(app_state, f));
  }
  ASSERT_EQ(app_state->current_path, greek);

  OpenSwitchWindow(hwnd_);
  SwitchWindowRecord* r = switch_window;
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(OwnedDialogWindow(OwnedDialog::Switch), r->hwnd);
  EXPECT_EQ(TextOf(r->hwnd), L"Orvinale switch");
  EXPECT_EQ(ClassOf(r->hwnd), L"switch_superhost");
  EXPECT_EQ(ClassOf(r->list), L"SysListView32");
  EXPECT_EQ(GetWindowLongW(r->list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(GetFocus(), r->list);
  DWORD ex = static_cast<DWORD>(SendMessageW(r->list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(ex & LVS_EX_FULLROWSELECT, static_cast<DWORD>(LVS_EX_FULLROWSELECT));
  EXPECT_EQ(SendMessageW(r->list, LVM_GETBKCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(r->list, LVM_GETTEXTBKCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(r->list, LVM_GETTEXTCOLOR, 0, 0), RGB(192, 192, 192));
  RECT client;
  GetClientRect(r->list, &client);
  EXPECT_EQ(SendMessageW(r->list, LVM_GETCOLUMNWIDTH, 0, 0), client.right - 7);
  RECT rect;
  GetWindowRect(r->hwnd, &rect);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 600);

  // Rows follow the full paths' byte order: a\y, b\x, c\x, c\Ω.
  ASSERT_EQ(SendMessageW(r->list, LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(RowText(r->list, 0), L"y.txt");
  EXPECT_EQ(RowText(r->list, 1), L"x.txt");
  EXPECT_EQ(RowText(r->list, 2), L"x.txt");
  EXPECT_EQ(RowText(r->list, 3), L"\x03A9.txt");
  char narrow[64] = {};
  LVITEMA it{};
  it.pszText = narrow;
  it.cchTextMax = sizeof narrow;
  EXPECT_EQ(SendMessageA(r->list, LVM_GETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&it)), 6);
  EXPECT_EQ(std::string(narrow), "\xCE\xA9.txt");
  EXPECT_EQ(ChosenRow(r->list), 0) << "the first row, whichever document is current";

  // Tab walks down and wraps; Shift+Tab wraps back.
  EXPECT_EQ(Press(r->list, VK_TAB), 1);
  EXPECT_EQ(ChosenRow(r->list), 1);
  SelectNextRow();
  SelectNextRow();
  EXPECT_EQ(ChosenRow(r->list), 3);
  SelectNextRow();
  EXPECT_EQ(ChosenRow(r->list), 0);
  SelectPreviousRow();
  EXPECT_EQ(ChosenRow(r->list), 3);
  SelectPreviousRow();
  SelectPreviousRow();
  EXPECT_EQ(ChosenRow(r->list), 1);
  EXPECT_EQ(SendMessageW(r->list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  // Two rows with the same name each activate their own document.
  HWND hwnd = r->hwnd;
  EXPECT_EQ(Press(r->list, VK_RETURN), 1);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(switch_window, nullptr);
  EXPECT_EQ(app_state->current_path, x);
  OpenSwitchWindow(hwnd_);
  ASSERT_NE(switch_window, nullptr);
  SelectNextRow();
  SelectNextRow();
  SendMessageW(switch_window->hwnd, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(switch_window, nullptr);
  EXPECT_EQ(app_state->current_path, same);
  EXPECT_EQ(Profile("switch_wnd_w"), 200);
  EXPECT_EQ(Profile("switch_wnd_y"), 50);
}

TEST_F(DocumentsBrowseWindows, SwitchWindowIsEmptyWithoutACurrentDocument) {
  WriteText(dir_.File("only.txt"));
  ASSERT_TRUE(OpenOrActivate(app_state, dir_.File("only.txt")));
  SendMessageW(hwnd_, WM_COMMAND, ID_FILE_CLOSE, 0);
  ASSERT_EQ(GetCurrentDocument(*app_state), nullptr);
  OpenSwitchWindow(hwnd_);
  ASSERT_NE(switch_window, nullptr);
  HWND list = switch_window->list;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  EXPECT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)))
      << "the column is there";
  EXPECT_EQ(Press(list, VK_RETURN), 1);
  EXPECT_EQ(switch_window, nullptr) << "Enter only closes it";
  EXPECT_EQ(app_state->current_path, "");
}

}  // namespace
