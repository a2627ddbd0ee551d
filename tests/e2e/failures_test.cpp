// Things that go wrong are reported and lose nothing: a file that cannot be
// saved, a file that cannot be opened. This copy of the program also lacks
// its portable folder (a folder "Portable" is not one) and its scrollbar
// skin, and still runs, with a flat scrollbar.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/screen.h"

namespace {

using namespace e2e;

// Waits until the box titled `title` shows `text`.
bool BoxSays(Orvinale& app, const std::string& title, const std::string& text) {
  return WaitUntil([&] { return app.ControlTexts(title).find(text) != std::string::npos; }, 30);
}

TEST(Story, AFileThatCannotBeSavedOrOpenedIsReportedAndNothingIsLost) {
  Orvinale app;
  const std::string cd = "cd " + ShellQuote(app.Path("")) + " && ";
  ASSERT_EQ(Capture(cd + "mv portable Portable && rm -r skin && echo ok"), "ok\n");
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "keep " + std::to_string(i) + "\n";
  ASSERT_TRUE(WriteFile(app.Path("ro.cpp"), text) && WriteFile(app.Path("bad.txt"), "caf\xe9\n"));
  unsigned long win = app.StartMain({app.WindowsPath("ro.cpp")}, MainTitle("ro.cpp"));
  ASSERT_NE(win, 0u);
  Image shot;
  EXPECT_TRUE(app.WaitShot(win, "flat-bar.png", [](const Image& s) {
    return InClient(s, kText) > 500 && LightShareOfBar(s) > 0.5;
  }, &shot)) << "no flat scrollbar in the light system colours: " << LightShareOfBar(shot);

  // Read-only as Wine keeps it: a DOS attribute on the file.
  Capture(cd + ShellQuote(ORV_SOURCE_DIR "/scripts/wine-run") + " cmd /c attrib +r ro.cpp; chmod a-w ro.cpp");
  app.Type(win, "changed ");
  // The save in place fails, so File save as asks; the same name, once its
  // replacing is confirmed, fails with a message and leaves the file alone.
  unsigned long dialog = app.ChooseFile(win, "ctrl+s", "File save as", "ro.cpp");
  ASSERT_NE(dialog, 0u) << "no File save as after the failed save";
  unsigned long confirm = app.WaitWindow("File save as", 30, dialog);
  ASSERT_NE(confirm, 0u) << "no question about replacing ro.cpp";
  app.Key(confirm, "Return");
  EXPECT_TRUE(BoxSays(app, "Save file", "Orvinale cannot save the file.")) << app.ControlTexts("Save file");
  EXPECT_TRUE(app.DismissBox("Save file"));
  EXPECT_EQ(ReadFile(app.Path("ro.cpp")), text);
  // Saved under another name, the text is all there.
  ASSERT_NE(app.ChooseFile(win, "alt+s", "File save as", "copy.cpp"), 0u);
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("copy.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("copy.cpp", "changed " + text));

  // A file that is not UTF-8 is refused with a message; nothing else changes.
  ASSERT_NE(app.ChooseFile(win, "ctrl+o", "Open file", "bad.txt"), 0u);
  EXPECT_TRUE(BoxSays(app, "Open file", "Orvinale cannot open the file.")) << app.ControlTexts("Open file");
  EXPECT_TRUE(app.DismissBox("Open file"));
  EXPECT_EQ(TitleOf(win), MainTitle("copy.cpp"));
  EXPECT_EQ(app.Quit(win), 0);
  EXPECT_FALSE(Exists(app.Path("Portable/preferences.txt")) || Exists(app.Path("Portable/orvinale.ini")))
      << "a folder named Portable was taken for the portable folder";
}

}  // namespace
