// A first start in an empty portable folder: the empty editor, a new note
// saved under names the user types, the view toggles, full screen, and the
// profile written at the exit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/screen.h"

namespace {

using namespace e2e;

// Opens the VIEW menu and reads it off the screen (a menu is a window of its
// own over the main window): true when its last two fifths, the four
// toggles Line number to Whitespace, show grey text and no black.
bool ViewTogglesGrayed(Orvinale& app, unsigned long win) {
  const Box box = BoxOf(win);
  app.Key(win, "alt+v");
  int top = -1, bottom = -1;
  Image shot;
  bool shown = app.WaitShot(0, "view-menu.png", [&](const Image& s) {
    top = bottom = -1;  // the menu's white rows, narrower than the frame's
    for (int y = box.y + kClientTop; y < box.y + box.h; ++y)
      if (int white = s.Count(kWhite, box.x, y, box.x + box.w, y + 1); white > 100 && white < box.w / 2) {
        if (top < 0) top = y;
        bottom = y;
      }
    return top >= 0 && bottom - top > 100;
  }, &shot, 5);
  app.Key(win, "Escape Escape");
  const int toggles = bottom - (bottom - top) * 2 / 5;
  return shown && shot.Count(Rgb{0, 0, 0}, box.x, toggles, box.x + box.w, bottom) == 0 &&
         shot.Count(Rgb{128, 128, 128}, box.x, toggles, box.x + box.w, bottom) > 100;
}

TEST(Story, AFirstStartSavesANewNoteUnderTheNamesTheUserTypes) {
  Orvinale app;
  ASSERT_TRUE(WriteFile(app.Path("notes.txt"), "old\n"));
  unsigned long win = app.StartMain({}, kMainTitle);
  ASSERT_NE(win, 0u) << "no welcome box, or no main window titled " << kMainTitle;

  Image shot;
  ASSERT_TRUE(app.WaitShot(win, "empty.png", [](const Image& s) {
    return InClient(s, kEmpty) > s.width * s.height / 2;
  }, &shot)) << "no empty screen";
  EXPECT_EQ(InClient(shot, kText) + InClient(shot, kLabel) + InClient(shot, kCaretLabel), 0)
      << "text or line numbers with no document";
  EXPECT_NE(shot.At(shot.width / 2, 5), shot.At(shot.width / 2, shot.height / 2)) << "no caption";

  // With no document the menu timer grays the view toggles, and then their
  // keys change nothing; Ctrl+F opens nothing and the Switch list is empty.
  ASSERT_TRUE(WaitUntil([&] { return ViewTogglesGrayed(app, win); }, 10))
      << "VIEW > Line number .. Whitespace not grayed without a document";
  app.Key(win, "ctrl+t ctrl+l ctrl+f");
  unsigned long list = app.Open(win, "ctrl+Tab", "Orvinale switch");
  ASSERT_NE(list, 0u);
  shot = app.Screenshot(list, "switch-empty.png");
  EXPECT_EQ(shot.Count(kText, 0, 40, shot.width, shot.height), 0) << "rows in the Switch list";
  EXPECT_GT(shot.Count(Rgb{0, 0, 0}, 0, 40, shot.width, shot.height), 20000) << "no list";
  app.Key(list, "Return");
  EXPECT_TRUE(app.WaitWindowGone("Orvinale switch"));
  // Keys are handled in order: once the new document shows, those are done.
  app.Key(win, "ctrl+n");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("original-0.mem"))) << TitleOf(win);
  EXPECT_TRUE(FindWindows("^Orvinale find$").empty()) << "Ctrl+F opened Find without a document";
  int first = 0, last = 0;
  EXPECT_TRUE(app.WaitShot(win, "new.png", [&](const Image& s) { return CaretLabelRows(s, &first, &last); },
                           &shot)) << "no line numbers: Ctrl+L acted while grayed";

  app.Key(win, "ctrl+t");
  EXPECT_TRUE(app.WaitTitle(win, kMainTitle)) << "Ctrl+T keeps the name in the title";
  app.Key(win, "ctrl+t");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("original-0.mem"))) << TitleOf(win);

  // Saving an unnamed document asks for a name; Escape changes nothing.
  unsigned long dialog = app.Open(win, "ctrl+s", "File save as");
  ASSERT_NE(dialog, 0u) << "Ctrl+S on a new document asks for a name";
  app.Key(dialog, "Escape");
  ASSERT_TRUE(app.WaitWindowGone("File save as"));
  EXPECT_EQ(TitleOf(win), MainTitle("original-0.mem"));

  // A typed extension is kept as it is (the dialog would add ".cpp"), after
  // the question whether to replace the existing file.
  app.Type(win, "hello");
  dialog = app.Open(win, "ctrl+s", "File save as");
  ASSERT_NE(dialog, 0u);
  app.ChooseFile(dialog, "notes.txt");
  unsigned long confirm = app.WaitWindow("File save as", 30, dialog);
  ASSERT_NE(confirm, 0u) << "notes.txt exists: replacing it is asked first";
  app.Key(confirm, "y");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.txt"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.txt", "hello")) << ReadFile(app.Path("notes.txt"));
  EXPECT_FALSE(Exists(app.Path("notes.txt.cpp")));
  // Save as with a bare name adds ".cpp".
  dialog = app.Open(win, "alt+s", "File save as");
  ASSERT_NE(dialog, 0u);
  app.ChooseFile(dialog, "notes");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.cpp", "hello"));

  // Full screen covers the screen's width; F11 again gives the old size back.
  const Box normal = BoxOf(win);
  const int screen_width = std::atoi(Capture("xdotool getdisplaygeometry").c_str());
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == screen_width; }, 10)) << "F11: " << BoxOf(win).w;
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == normal.w && BoxOf(win).h == normal.h; }, 10));

  app.Key(win, "ctrl+l");
  EXPECT_TRUE(app.WaitShot(win, "no-numbers.png", [](const Image& s) {
    return InClient(s, kLabel) + InClient(s, kCaretLabel) == 0;
  }, &shot)) << "Ctrl+L left the line numbers";

  EXPECT_EQ(app.Quit(win), 0);
  // The first start's place and size, kept through full screen; the toggles
  // as they were left.
  const std::string ini = app.Ini();
  EXPECT_EQ(ini.rfind("[orvinale]", 0), 0u) << ini;
  for (auto [key, value] : {std::pair{"main_wnd_maximized", 0}, {"main_wnd_x", 50}, {"main_wnd_y", 50},
                            {"main_wnd_w", 900}, {"main_wnd_h", 900}, {"linenumber", 0}, {"filename", 1}})
    EXPECT_EQ(IniValue(ini, key), value) << key << " in\n" << ini;
  for (const char* key : {"line_x", "line_y", "line_w", "line_h", "surface_x", "surface_y", "surface_w", "surface_h"})
    EXPECT_NE(IniValue(ini, key, -99999), -99999) << key << " missing in\n" << ini;
  EXPECT_TRUE(Exists(app.Path("portable/preferences.txt")));
  EXPECT_TRUE(Exists(app.Path("portable/preferences-default.txt")));
}

}  // namespace
