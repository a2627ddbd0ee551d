// File and View commands through their keys: New, Save on an unnamed
// document, Open with a refused file, Previous, Reopen, Close, Close the
// rest, the Filename toggle with and without a document, and full screen.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/harness.h"

namespace {

bool HasTitle(unsigned long win, const std::string& title) {
  std::string name = e2e::Capture("xdotool getwindowname " + std::to_string(win) + " 2>/dev/null");
  if (!name.empty() && name.back() == '\n') name.pop_back();
  return name == title;
}

bool WaitTitle(unsigned long win, const std::string& title) {
  return e2e::WaitUntil([&] { return HasTitle(win, title); }, 10);
}

// Width and height of a window as X sees it.
std::pair<int, int> SizeOf(unsigned long win) {
  std::string out = e2e::Capture("xdotool getwindowgeometry --shell " + std::to_string(win));
  auto value = [&](const char* key) {
    size_t at = out.find(key);
    return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + std::string(key).size());
  };
  return {value("WIDTH="), value("HEIGHT=")};
}

TEST(AppCommands, NewDocumentAndSaveOfAnUnnamedDocumentAsksForAName) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-0.mem")));
  app.Key(win, "ctrl+s");
  unsigned long dialog = app.WaitWindow("File save as", 30);
  ASSERT_NE(dialog, 0u) << "Ctrl+S on an unnamed document opens File save as";
  app.Key(dialog, "Escape");
  ASSERT_TRUE(app.WaitWindowGone("File save as"));
  EXPECT_TRUE(HasTitle(win, e2e::MainTitle("original-0.mem"))) << "cancelled: nothing changes";
  EXPECT_EQ(app.Quit(win), 0);
}

// The name typed in File save as decides the extension: one typed is kept
// exactly (the dialog here would add ".cpp" to it), and replacing the file
// it names is asked first; ".cpp" is added only to a name without one.
TEST(AppCommands, SaveAsKeepsATypedExtensionAndAddsCppOnlyWithoutOne) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("notes.txt"), "old\n"));
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-0.mem")));
  app.Type(win, "hello");
  app.Key(win, "ctrl+s");
  unsigned long dialog = app.WaitWindow("File save as", 30);
  ASSERT_NE(dialog, 0u);
  app.Type(dialog, app.WindowsPath("notes.txt"));
  app.Key(dialog, "Return");
  unsigned long confirm = app.WaitOtherWindow("File save as", dialog, 30);
  ASSERT_NE(confirm, 0u) << "notes.txt exists: replacing it is asked first";
  app.Key(confirm, "y");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("notes.txt")));
  EXPECT_EQ(e2e::ReadFile(app.Path("notes.txt")), "hello");
  EXPECT_NE(access(app.Path("notes.txt.cpp").c_str(), F_OK), 0) << "saved as notes.txt.cpp";

  app.Key(win, "alt+s");
  dialog = app.WaitWindow("File save as", 30);
  ASSERT_NE(dialog, 0u);
  app.Type(dialog, app.WindowsPath("notes"));
  app.Key(dialog, "Return");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("notes.cpp")));
  EXPECT_EQ(e2e::ReadFile(app.Path("notes.cpp")), "hello");
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppCommands, OpenDialogAndARefusedFile) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("bad.txt"), "caf\xe9\n"));  // not UTF-8
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+o");
  unsigned long dialog = app.WaitWindow("Open file", 30);
  ASSERT_NE(dialog, 0u);
  app.Type(dialog, app.WindowsPath("bad.txt"));
  app.Key(dialog, "Return");
  unsigned long box = app.WaitOtherWindow("Open file", dialog);
  ASSERT_NE(box, 0u) << "no \"Orvinale cannot open the file.\" box";
  e2e::Image shot = app.Screenshot(box, "refused.png");
  EXPECT_LT(shot.width, 500) << "a message box, not the dialog again";
  app.Key(box, "Return");
  ASSERT_TRUE(app.WaitWindowGone("Open file"));
  EXPECT_TRUE(HasTitle(win, e2e::kMainTitle));
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppCommands, PreviousReopenCloseAndCloseTheRest) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("a.txt"), "old\n"));
  unsigned long win = app.StartMain({app.WindowsPath("a.txt")}, e2e::MainTitle("a.txt"));
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-0.mem")));
  app.Key(win, "F2");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("a.txt")));
  // F5 reads the file again, dropping what was typed.
  app.Type(win, "typed");
  ASSERT_TRUE(e2e::WriteFile(app.Path("a.txt"), "new\n"));
  app.Key(win, "F5");
  app.Type(win, "x");
  app.Key(win, "ctrl+s");
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFile(app.Path("a.txt")) == "xnew\n"; }, 10))
      << e2e::ReadFile(app.Path("a.txt"));

  app.Key(win, "ctrl+n ctrl+n");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-2.mem")));
  app.Key(win, "ctrl+w");  // the last key goes: the new last one shows
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-1.mem")));
  app.Key(win, "ctrl+shift+w");
  app.Key(win, "ctrl+w");  // only original-1.mem was left
  ASSERT_TRUE(WaitTitle(win, e2e::kMainTitle));
  EXPECT_EQ(app.Quit(win), 0);
}

TEST(AppCommands, FilenameToggleIsGrayedWithoutADocument) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  usleep(800 * 1000);  // let the menu timer gray the document items
  app.Key(win, "ctrl+t ctrl+l");
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-0.mem"))) << "Ctrl+T must not toggle while grayed";
  usleep(800 * 1000);
  app.Key(win, "ctrl+t");
  ASSERT_TRUE(WaitTitle(win, e2e::kMainTitle));
  app.Key(win, "ctrl+t");
  ASSERT_TRUE(WaitTitle(win, e2e::MainTitle("original-0.mem")));
  app.Key(win, "ctrl+l");  // line numbers off
  EXPECT_EQ(app.Quit(win), 0);
  std::string ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
  EXPECT_NE(ini.find("linenumber=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("filename=1"), std::string::npos) << ini;
}

TEST(AppCommands, F11EntersFullScreenAndComesBack) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  std::pair<int, int> normal = SizeOf(win);
  std::string screen = e2e::Capture("xdotool getdisplaygeometry");
  int screen_w = std::atoi(screen.c_str());
  app.Key(win, "F11");
  EXPECT_TRUE(e2e::WaitUntil([&] { return SizeOf(win).first == screen_w; }, 10))
      << SizeOf(win).first << " vs screen " << screen;
  app.Key(win, "F11");
  EXPECT_TRUE(e2e::WaitUntil([&] { return SizeOf(win) == normal; }, 10));
  EXPECT_EQ(app.Quit(win), 0);
  std::string ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
  EXPECT_NE(ini.find("main_wnd_w=900"), std::string::npos) << ini;
}

}  // namespace
