#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "documents/directory_listing.h"
#include "documents/folder_scanner.h"
#include "documents/no_case.h"
#include "tests/documents/temp_dir.h"

namespace {

using Paths = std::vector<std::string>;

// Folders by full name ("C:\r", "C:\r\a"), each with its entries in listing
// order; every folder also lists "." and "..".
class FakeTreeLister : public DirectoryLister {
 public:
  void AddFile(const std::string& dir, const std::string& name) {
    tree_[dir].push_back({name, false});
  }
  void AddFolder(const std::string& dir, const std::string& name) {
    tree_[dir].push_back({name, true});
    tree_[dir + "\\" + name];
  }
  bool List(const std::string& directory, const DirectoryVisitor& visit) override {
    auto found = tree_.find(directory);
    if (found == tree_.end()) return false;
    if (!visit({".", true}) || !visit({"..", true})) return true;
    for (const DirectoryEntry& e : found->second)
      if (!visit(e)) break;
    return true;
  }
  char Separator() const override { return '\\'; }

 private:
  std::map<std::string, std::vector<DirectoryEntry>> tree_;
};

// Waits for the root's one scan to end; the deadline only keeps a broken
// scanner from hanging the suite.
bool WaitScanned(FolderScanner* s) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!s->scan_done) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Subfolders' files mix in case-insensitive path order. A link to a file is
// a file; a folder reached through a link (a parent, or one elsewhere) is
// not walked.
TEST(FolderScan, FoldersReachedThroughLinksAreNotWalked) {
  TempDir dir;
  std::string r = dir.File("r");
  for (const char* folder : {"", "/a", "/Sub", "/Sub/deeper", "/empty", "/../other"})
    ASSERT_EQ(mkdir((r + folder).c_str(), 0700), 0);
  for (const char* name : {"/a/z.cpp", "/B.txt", "/c.h", "/Sub/m.asm", "/Sub/deeper/q.bat",
                           "/Sub/skip.o", "/zz.cmd", "/../other/o.cpp"})
    WriteBytes(r + name, "x\n");
  ASSERT_EQ(symlink("c.h", (r + "/Sub/link.h").c_str()), 0);
  ASSERT_EQ(symlink("..", (r + "/Sub/up.cpp").c_str()), 0);
  ASSERT_EQ(symlink("../other", (r + "/elsewhere").c_str()), 0);
  FolderRoots roots;
  ASSERT_TRUE(AddFolderRoot(&roots, r));
  FolderScanner* s = roots.roots[0]->scanner.get();
  ASSERT_TRUE(WaitScanned(s));
  EXPECT_EQ(FilesSnapshot(s),
            (Paths{r + "/a/z.cpp", r + "/B.txt", r + "/c.h", r + "/Sub/deeper/q.bat",
                   r + "/Sub/link.h", r + "/Sub/m.asm", r + "/zz.cmd"}));
  EXPECT_FALSE(PlatformDirectoryLister()->List(r + "/missing", [](const DirectoryEntry&) { return true; }));
}

TEST(FolderScan, WindowsPathsSortAsStricmpAndDotEntriesAreSkipped) {
  FakeTreeLister tree;
  tree.AddFile("C:\\r", "B.txt");
  tree.AddFolder("C:\\r", "a");
  tree.AddFile("C:\\r\\a", "z.cpp");
  tree.AddFile("C:\\r", "_u.c");
  tree.AddFile("C:\\r", "notes.md");
  FolderScanner s(&tree);
  ScanFolder(&s, "C:\\r\\", true);
  EXPECT_EQ(FilesSnapshot(&s), (Paths{"C:\\r\\_u.c", "C:\\r\\a\\z.cpp", "C:\\r\\B.txt"}));
  // Without clear a second scan adds to the list; with it the list starts over.
  ScanFolder(&s, "C:\\r\\a", false);
  EXPECT_EQ(FilesSnapshot(&s).size(), 4u);
  ScanFolder(&s, "C:\\r\\a", true);
  EXPECT_EQ(FilesSnapshot(&s), (Paths{"C:\\r\\a\\z.cpp"}));
  ScanFolder(&s, "C:\\missing", true);
  EXPECT_TRUE(FilesSnapshot(&s).empty()) << "a folder that cannot be listed yields nothing";
  s.closing = true;  // the scanner is going away: the walk stops at once
  ScanFolder(&s, "C:\\r", false);
  EXPECT_TRUE(FilesSnapshot(&s).empty());
}

TEST(FolderScan, DuplicateRootsCompareTheExactTextWithoutCase) {
  FakeTreeLister none;  // lists no folder
  FolderRoots roots;
  EXPECT_TRUE(AddFolderRoot(&roots, "C:\\src", &none));
  EXPECT_TRUE(AddFolderRoot(&roots, "c:\\SRC\\", &none)) << "the trailing backslash differs";
  EXPECT_FALSE(AddFolderRoot(&roots, "C:\\SRC", &none));
  EXPECT_FALSE(AddFolderRoot(&roots, "C:\\src\\", &none));
  EXPECT_TRUE(AddFolderRoot(&roots, "D:\\src", &none));
  ASSERT_EQ(roots.roots.size(), 3u);
  EXPECT_EQ(roots.roots[1]->root_path, "c:\\SRC\\");
  for (const auto& root : roots.roots) EXPECT_TRUE(root->scanner->thread_running);
  DestroyFolderRoots(&roots);
  EXPECT_TRUE(roots.roots.empty());
}

// A tree of `width` folders per level, `depth` levels, two files in each.
void BuildWideTree(FakeTreeLister* tree, const std::string& dir, int depth, int width) {
  tree->AddFile(dir, "f.cpp");
  tree->AddFile(dir, "g.txt");
  for (int i = 0; depth > 0 && i < width; ++i) {
    tree->AddFolder(dir, "d" + std::to_string(i));
    BuildWideTree(tree, dir + "\\d" + std::to_string(i), depth - 1, width);
  }
}

TEST(FolderScan, ReadersDuringAScanSeeTheListBetweenWholeChanges) {
  FakeTreeLister tree;
  BuildWideTree(&tree, "C:\\w", 4, 5);  // 781 folders, 1,562 files
  FolderRoots roots;
  std::atomic<int> told{0};  // the scan thread's word that a scan has ended
  roots.on_scan_done = [&] { ++told; };
  ASSERT_TRUE(AddFolderRoot(&roots, "C:\\w", &tree));
  FolderScanner* s = roots.roots[0]->scanner.get();
  std::vector<size_t> sizes;
  auto read = [&] {
    Paths seen = FilesSnapshot(s);
    for (const std::string& p : seen) ASSERT_EQ(p.compare(0, 5, "C:\\w\\"), 0) << p;
    sizes.push_back(seen.size());
  };
  std::thread other([&] {
    while (!s->scan_done) FilesSnapshot(s);
  });
  while (!s->scan_done) read();
  other.join();
  read();
  ASSERT_FALSE(sizes.empty());
  for (size_t i = 1; i < sizes.size(); ++i) EXPECT_LE(sizes[i - 1], sizes[i]);
  EXPECT_EQ(sizes.back(), 1562u);
  Paths done = FilesSnapshot(s);
  EXPECT_TRUE(std::is_sorted(done.begin(), done.end(), PathLessNoCase));
  DestroyFolderRoots(&roots);  // joins the thread, which told before it waited again
  EXPECT_EQ(told, 1) << "one word per scan, none for the close";
}

}  // namespace
