// Folder listing and scanning on Windows names and links, and the keys the
// Folders window's message filter takes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/browse_windows_win32.h"
#include "documents/directory_listing.h"
#include "documents/document_commands.h"
#include "documents/folder_scanner.h"
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

std::vector<std::string> Listed(const std::string& folder) {
  std::vector<std::string> names;
  bool ok = PlatformDirectoryLister()->List(folder, [&](const DirectoryEntry& e) {
    if (e.name != "." && e.name != "..")
      names.push_back(e.name + (e.is_link ? "@" : "") + (e.is_directory ? "/" : ""));
    return true;
  });
  std::sort(names.begin(), names.end());
  if (!ok) names.push_back("(failed)");
  return names;
}

TEST(DocumentsBrowseListing, GreekNamesAndLongPathsComeBackAsUtf8) {
  WinTempDir dir;
  const std::string greek = dir.File("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC");
  ASSERT_TRUE(CreateDirectoryUtf8(greek.c_str()));
  const std::string a = "\xCE\xB1\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xBF.cpp", b = "\xCF\x83.TXT";
  for (const std::string& name : {a, b, std::string("README")}) WriteText(greek + "\\" + name);
  std::string deep = greek;
  while (deep.size() < 320) ASSERT_TRUE(CreateDirectoryUtf8((deep += "\\" + std::string(40, 'd')).c_str()));
  WriteText(deep + "\\\xCE\xB2.h");
  EXPECT_EQ(Listed(greek), (std::vector<std::string>{"README", std::string(40, 'd') + "/", a, b}));
  EXPECT_EQ(Listed(deep), (std::vector<std::string>{"\xCE\xB2.h"})) << deep.size() << " bytes";
  EXPECT_EQ(Listed(greek + "\\missing"), (std::vector<std::string>{"(failed)"}));
  FolderRoots roots;
  ASSERT_TRUE(AddFolderRoot(&roots, greek + "\\"));
  ASSERT_TRUE(WaitScanned(roots.roots[0]->scanner.get()));
  EXPECT_EQ(FilesSnapshot(roots.roots[0]->scanner.get()),
            (std::vector<std::string>{deep + "\\\xCE\xB2.h", greek + "\\" + a, greek + "\\" + b}));
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
  EXPECT_EQ(Listed(root), (std::vector<std::string>{"a.cpp", "l.cpp", "loop@/", "sub/"}));
  FolderScanner scanner;
  ScanFolder(&scanner, root, true);
  EXPECT_EQ(FilesSnapshot(&scanner),
            (std::vector<std::string>{root + "\\a.cpp", root + "\\l.cpp", root + "\\sub\\b.txt"}));
}

class DocumentsBrowseWindows : public MainWindowTest {
 protected:
  DocumentsBrowseWindows() : MainWindowTest("orv_browse_windows_test.ini") {}
  void TearDown() override {
    CloseMainWindow();
    EXPECT_EQ(folders_window, nullptr) << "destroyed with the main window";
    MainWindowTest::TearDown();
  }
  // A key-down as the message filter sees it: 1 when it took the key.
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
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

void Select(HWND tree, HTREEITEM item) {
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

TEST_F(DocumentsBrowseWindows, FoldersWindowTakesItsKeysThroughTheMessageFilter) {
  const std::string omega = dir_.File("\xCE\xA9mega.txt");
  WriteText(omega);
  ASSERT_TRUE(AddFolderRoot(&window_.folder_roots, dir_.File("")));
  ASSERT_TRUE(WaitScanned(window_.folder_roots.roots[0]->scanner.get()));
  OpenFoldersWindow(hwnd_);
  FoldersWindowRecord* r = folders_window;
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(ClassOf(r->tree), L"SysTreeView32");
  HTREEITEM top = Next(r->tree, nullptr, TVGN_ROOT), folder = Next(r->tree, top, TVGN_CHILD);
  HTREEITEM file = Next(r->tree, folder, TVGN_CHILD);
  ASSERT_NE(file, nullptr);
  // The narrow get through the tree's subclass gives UTF-8.
  char narrow[512] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = file;
  item.pszText = narrow;
  item.cchTextMax = sizeof narrow;
  SendMessageA(r->tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::string(narrow), omega);
  // Enter on a folder opens nothing; Up leaves the tree only from "Root";
  // Delete hides an item until the next fill.
  SetFocus(r->tree);
  Select(r->tree, folder);
  EXPECT_EQ(Press(r->tree, VK_RETURN), 1);
  EXPECT_EQ(DocumentCount(app_state->documents), 0);
  EXPECT_EQ(Press(r->tree, VK_UP), 0);
  Select(r->tree, top);
  EXPECT_EQ(Press(r->tree, VK_UP), 1);
  EXPECT_EQ(GetFocus(), r->filter);
  SetFocus(r->tree);
  Select(r->tree, folder);
  EXPECT_EQ(Press(r->tree, VK_DELETE), 1);
  EXPECT_EQ(Next(r->tree, top, TVGN_CHILD), nullptr);
}

}  // namespace
