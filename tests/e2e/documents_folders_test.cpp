// The Folders and Switch windows in the real program: a folder added with
// Ctrl+Shift+O, its supported files listed by Alt+D, narrowed by a filter
// and opened with Enter; Ctrl+Tab's list of open documents in path order,
// Tab with wrap-around, Enter to switch, and the empty list without a
// current document.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/documents_support.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/search_support.h"

namespace {

const e2e::Rgb kGrey{192, 192, 192};
const e2e::Rgb kBlack{0, 0, 0};
const e2e::Rgb kHighlight{48, 150, 250};  // selected rows in the test prefix's colours
// Below the caption, whose icon holds grey pixels too.
constexpr int kBelowCaption = 40;

// Text lines of the Folders tree: everything below the filter box.
int TreeRows(e2e::Orvinale& app, unsigned long folders, const std::string& shot) {
  e2e::Image image = app.Screenshot(folders, shot);
  return e2e::TextRows(image, kGrey, 0, kBelowCaption, image.width, image.height);
}

TEST(DocumentsFolders, OpenFolderListsFilterNarrowsAndEnterOpens) {
  e2e::Orvinale app;
  ASSERT_EQ(system(("mkdir -p " + e2e::ShellQuote(app.Path("src/sub"))).c_str()), 0);
  for (const char* name : {"src/Main.cpp", "src/util.h", "src/sub/deep.txt", "src/notes.md",
                           "src/Makefile"})
    ASSERT_TRUE(e2e::WriteFile(app.Path(name), "int x;\n"));
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  ASSERT_TRUE(e2e::AddFolderThroughDialog(app, win, app.WindowsPath("src")));

  app.Key(win, "alt+d");
  unsigned long folders = app.WaitWindow("Orvinale folders", 30);
  ASSERT_NE(folders, 0u);
  // "Root", the folder and its three supported files. The tree is filled
  // when the window opens; should the scan still have been running then,
  // Enter in the (empty) filter box fills it again.
  bool listed = e2e::WaitUntil([&] {
    if (TreeRows(app, folders, "folders.png") == 5) return true;
    app.Key(folders, "Return");
    return false;
  }, 20);
  EXPECT_TRUE(listed) << TreeRows(app, folders, "folders.png") << " rows";

  // The focus starts in the filter box: a filter and Enter narrow the tree.
  app.Type(folders, "MAIN");
  app.Key(folders, "Return");
  EXPECT_TRUE(e2e::WaitUntil([&] { return TreeRows(app, folders, "filtered.png") == 3; }, 10))
      << TreeRows(app, folders, "filtered.png") << " rows";
  // Down goes to the tree, End selects its last item, Enter opens it.
  app.Key(folders, "Down End Return");
  EXPECT_TRUE(e2e::WaitTitle(win, e2e::MainTitle("Main.cpp"))) << e2e::WindowTitle(win);
  app.Key(folders, "Escape");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale folders"));
  EXPECT_EQ(app.Quit(win), 0);
  std::string ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
  EXPECT_NE(ini.find("folders_wnd_w="), std::string::npos) << ini;
}

TEST(DocumentsFolders, SwitchListsDocumentsInPathOrderAndTabWraps) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("x.txt"), "x\n"));
  unsigned long win = app.StartMain({app.WindowsPath("x.txt")}, e2e::MainTitle("x.txt"));
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(e2e::WaitTitle(win, e2e::MainTitle("original-0.mem")));
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(e2e::WaitTitle(win, e2e::MainTitle("original-1.mem")));

  // The keys "Z:\...\x.txt" < "original-0.mem" < "original-1.mem": row 0 is
  // x.txt although its name sorts last and another document is current.
  app.Key(win, "ctrl+Tab");
  unsigned long list = app.WaitWindow("Orvinale switch", 30);
  ASSERT_NE(list, 0u);
  // Two rows in grey text under the first, selected, row drawn in the
  // highlight colours.
  e2e::Image shot = app.Screenshot(list, "switch.png");
  EXPECT_EQ(e2e::TextRows(shot, kGrey, 0, kBelowCaption, shot.width, shot.height), 2);
  int first_grey = e2e::FirstRowWith(shot, kGrey, kBelowCaption);
  EXPECT_GT(shot.Count(kHighlight, 0, kBelowCaption, shot.width, first_grey), 500)
      << "no highlighted row above the grey ones";
  app.Key(list, "Return");
  EXPECT_TRUE(e2e::WaitTitle(win, e2e::MainTitle("x.txt"))) << e2e::WindowTitle(win);
  EXPECT_TRUE(app.WaitWindowGone("Orvinale switch"));

  // Ctrl+Tab, the keys in the list, and the document they choose; the window
  // closes each time.
  auto choose = [&](const std::string& keys, const std::string& name) {
    app.Key(win, "ctrl+Tab");
    unsigned long w = app.WaitWindow("Orvinale switch", 30);
    ASSERT_NE(w, 0u);
    app.Key(w, keys);
    EXPECT_TRUE(e2e::WaitTitle(win, e2e::MainTitle(name))) << keys << ": " << e2e::WindowTitle(win);
    EXPECT_TRUE(app.WaitWindowGone("Orvinale switch"));
  };
  choose("Tab Return", "original-0.mem");
  // Three Tabs from row 0 come round to row 0; Shift+Tab from there is the
  // last row.
  choose("Tab Tab Tab Return", "x.txt");
  choose("shift+Tab Return", "original-1.mem");
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(DocumentsFolders, SwitchListIsEmptyWithoutACurrentDocument) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+Tab");
  unsigned long list = app.WaitWindow("Orvinale switch", 30);
  ASSERT_NE(list, 0u);
  e2e::Image shot = app.Screenshot(list, "switch-empty.png");
  EXPECT_EQ(shot.Count(kGrey, 0, kBelowCaption, shot.width, shot.height), 0) << "no rows";
  EXPECT_GT(shot.Count(kBlack, 0, kBelowCaption, shot.width, shot.height), 20000) << "the list";
  app.Key(list, "Return");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale switch"));
  EXPECT_EQ(e2e::WindowTitle(win), e2e::kMainTitle);
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
