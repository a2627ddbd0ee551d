// Start-up and shut-down: exit code and profile keys, the maximized state,
// portable mode, a preferences file that does not parse, and a save that
// cannot write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

TEST(AppStartup, CtrlQExitsWithZeroAndWritesTheProfileIntoPortable) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  EXPECT_EQ(app.Quit(win), 0);
  std::string ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
  EXPECT_EQ(ini.rfind("[orvinale]", 0), 0u) << ini;
  for (const char* key : {"main_wnd_maximized=0", "main_wnd_x=50", "main_wnd_y=50", "main_wnd_w=900",
                          "main_wnd_h=900", "line_x=", "line_y=", "line_w=", "line_h=", "surface_x=",
                          "surface_y=", "surface_w=", "surface_h=", "linenumber=1", "filename=1"})
    EXPECT_NE(ini.find(key), std::string::npos) << key << " missing in\n" << ini;
  EXPECT_TRUE(Exists(app.Path("portable/preferences.txt")));
  EXPECT_TRUE(Exists(app.Path("portable/preferences-default.txt")));
}

TEST(AppStartup, MaximizedExitKeepsTheNormalRectangleAndRestoresMaximized) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("portable/orvinale.ini"),
                             "[orvinale]\r\nmain_wnd_x=70\r\nmain_wnd_w=640\r\nmain_wnd_maximized=1\r\n"));
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  // Without a window manager X keeps the old size of a maximized window, so
  // the state shows in what the close writes: still maximized.
  EXPECT_EQ(app.Quit(win), 0);
  std::string ini = e2e::ReadFile(app.Path("portable/orvinale.ini"));
  EXPECT_NE(ini.find("main_wnd_maximized=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("main_wnd_x=70"), std::string::npos) << ini;
  EXPECT_NE(ini.find("main_wnd_w=640"), std::string::npos) << ini;
}

TEST(AppStartup, AFolderNamedPortableWithCapitalPIsNoPortableMode) {
  e2e::Orvinale app;
  ASSERT_EQ(std::system(("mv " + e2e::ShellQuote(app.Path("portable")) + " " +
                         e2e::ShellQuote(app.Path("Portable"))).c_str()), 0);
  unsigned long win = app.StartMain({}, e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_FALSE(Exists(app.Path("Portable/preferences.txt")));
  EXPECT_FALSE(Exists(app.Path("Portable/orvinale.ini")));
}

TEST(AppStartup, TrailingCommaShowsTheParseErrorAndStartsWithDefaults) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("portable/preferences.txt"), "{\n  \"tab_size\": 8,\n}\n"));
  ASSERT_TRUE(e2e::WriteFile(app.Path("t.txt"), "\tx\n"));
  ASSERT_TRUE(app.Start({app.WindowsPath("t.txt")}));
  unsigned long box = app.WaitWindow("Orvinale: preferences parse error found", 60);
  ASSERT_NE(box, 0u);
  app.Key(box, "Return");
  ASSERT_TRUE(app.DismissWelcome());
  unsigned long win = app.WaitWindow("t.txt - " + e2e::kMainTitle, 30);
  ASSERT_NE(win, 0u);
  app.Key(win, "ctrl+s");  // the default tab size of 2 shows in the saved file
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFile(app.Path("t.txt")) == "  x\n"; }, 10))
      << e2e::ReadFile(app.Path("t.txt"));
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_EQ(e2e::ReadFile(app.Path("portable/preferences.txt")), "{\n  \"tab_size\": 8,\n}\n");
}

TEST(AppStartup, SaveIntoAReadOnlyFileSaysSoAndLeavesItUnchanged) {
  e2e::Orvinale app;
  // A .cpp name: Wine's save dialog adds the default extension to others.
  ASSERT_TRUE(e2e::WriteFile(app.Path("ro.cpp"), "keep\n"));
  unsigned long win = app.StartMain({app.WindowsPath("ro.cpp")}, "ro.cpp - " + e2e::kMainTitle);
  ASSERT_NE(win, 0u);
  // The read-only attribute as Wine keeps it: a DOS attribute on the file.
  ASSERT_EQ(std::system(("cd " + e2e::ShellQuote(app.dir()) + " && " +
                         "WINEPREFIX=${ORV_WINEPREFIX:-" ORV_SOURCE_DIR "/build/wineprefix} "
                         "wine cmd /c attrib +r ro.cpp >/dev/null 2>&1; chmod a-w ro.cpp").c_str()),
            0);
  app.Type(win, "changed ");
  app.Key(win, "ctrl+s");
  // The in-place save fails, so File save as asks; the same name fails too.
  unsigned long dialog = app.WaitWindow("File save as", 30);
  ASSERT_NE(dialog, 0u);
  app.Type(dialog, app.WindowsPath("ro.cpp"));
  app.Key(dialog, "Return");
  // Replacing an existing file is confirmed first, in a box of the same caption.
  unsigned long confirm = app.WaitOtherWindow("File save as", dialog, 30);
  ASSERT_NE(confirm, 0u);
  app.Key(confirm, "Return");
  unsigned long box = app.WaitWindow("Save file", 30);
  ASSERT_NE(box, 0u) << "no \"Orvinale cannot save the file.\" box";
  EXPECT_TRUE(e2e::WaitUntil([&] {
    app.Key(box, "Return");
    return app.WaitWindowGone("Save file", 3);
  }, 20));
  EXPECT_EQ(e2e::ReadFile(app.Path("ro.cpp")), "keep\n");
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace
