// A first start in an empty portable folder: the empty editor, a new note
// saved under names the user types, the view toggles and full screen, and
// the profile written at the exit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/screen.h"

namespace {

using namespace e2e;

// Opens the VIEW menu and reads it off the screen (a menu is a window of its
// own): true when its lower two fifths, the toggles Line number to
// Whitespace, show grey text and no black.
bool ViewTogglesGrayed(Orvinale& app, unsigned long win) {
  const Box box = BoxOf(win);
  int top = -1, bottom = -1;
  Image shot;
  app.Key(win, "alt+v");
  app.WaitShot(0, "view-menu.png", [&](const Image& s) {
    top = -1;  // the rows of the menu's white, narrower than the frame's
    for (int y = box.y + kClientTop; y < box.y + box.h; ++y)
      if (int n = s.Count(kWhite, box.x, y, box.x + box.w, y + 1); n > 100 && n < box.w / 2)
        bottom = y, top = top < 0 ? y : top;
    return top >= 0 && bottom - top > 100;
  }, &shot, 5);
  app.Key(win, "Escape Escape");
  const int toggles = bottom - (bottom - top) * 2 / 5;
  return top >= 0 && shot.Count(Rgb{}, box.x, toggles, box.x + box.w, bottom) == 0 &&
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
      << "text with no document";
  EXPECT_NE(shot.At(shot.width / 2, 5), shot.At(shot.width / 2, shot.height / 2)) << "no caption";

  // With no document the menu timer grays the view toggles, and then their
  // keys change nothing; Ctrl+F opens nothing and the Switch list is empty.
  ASSERT_TRUE(WaitUntil([&] { return ViewTogglesGrayed(app, win); }, 10)) << "VIEW's toggles not grayed";
  app.Key(win, "ctrl+t ctrl+l ctrl+f");
  unsigned long list = app.Open(win, "ctrl+Tab", "Orvinale switch");
  ASSERT_NE(list, 0u);
  EXPECT_TRUE(app.WaitShot(list, "switch-empty.png", [](const Image& s) {
    return s.Count(Rgb{}, 0, 40, s.width, s.height) > 20000;
  }, &shot)) << "no Switch list drawn";
  EXPECT_EQ(shot.Count(kText, 0, 40, shot.width, shot.height), 0) << "rows in the Switch list";
  EXPECT_TRUE(app.Close(list, "Return", "Orvinale switch"));
  // Keys are handled in order: once the new document shows, those are done.
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+n", MainTitle("original-0.mem"))) << TitleOf(win);
  EXPECT_TRUE(FindWindows("^Orvinale find$").empty()) << "Ctrl+F opened Find without a document";
  int first = 0, last = 0;
  EXPECT_TRUE(app.WaitShot(win, "new.png", [&](const Image& s) { return CaretLabelRows(s, &first, &last); },
                           &shot)) << "no line numbers: Ctrl+L acted while grayed";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+t", kMainTitle)) << "Ctrl+T keeps the name in the title";
  EXPECT_TRUE(app.KeyThenTitle(win, "ctrl+t", MainTitle("original-0.mem"))) << TitleOf(win);

  // Saving a new document asks for a name; Escape changes nothing. A typed
  // extension is kept (the dialog would add ".cpp"), once replacing the
  // existing file is confirmed; a bare name gets ".cpp".
  unsigned long dialog = app.Open(win, "ctrl+s", "File save as");
  ASSERT_NE(dialog, 0u) << "no name asked";
  ASSERT_TRUE(app.Close(dialog, "Escape", "File save as"));
  EXPECT_EQ(TitleOf(win), MainTitle("original-0.mem"));
  app.Type(win, "hello");
  dialog = app.ChooseFile(win, "ctrl+s", "File save as", "notes.txt");
  unsigned long confirm = app.WaitWindow("File save as", 30, dialog);
  ASSERT_NE(confirm, 0u) << "notes.txt exists: no question about replacing it";
  app.Key(confirm, "y");
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.txt"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.txt", "hello")) << ReadFile(app.Path("notes.txt"));
  EXPECT_FALSE(Exists(app.Path("notes.txt.cpp")));
  ASSERT_NE(app.ChooseFile(win, "alt+s", "File save as", "notes"), 0u);
  EXPECT_TRUE(app.WaitTitle(win, MainTitle("notes.cpp"))) << TitleOf(win);
  EXPECT_TRUE(app.WaitBytes("notes.cpp", "hello"));

  // Full screen is as wide as the screen; F11 again gives the old size back.
  const Box normal = BoxOf(win);
  const int screen_width = std::atoi(Capture("xdotool getdisplaygeometry").c_str());
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == screen_width; }, 10)) << "F11: " << BoxOf(win).w;
  app.Key(win, "F11");
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(win).w == normal.w && BoxOf(win).h == normal.h; }, 10));
  app.Key(win, "ctrl+l");
  EXPECT_TRUE(app.WaitShot(win, "no-numbers.png", [&](const Image& s) {
    return InClient(s, kLabel) == 0 && !CaretLabelRows(s, &first, &last);
  }, &shot)) << "Ctrl+L left the line numbers";

  EXPECT_EQ(app.Quit(win), 0);
  // The first start's place and size, kept through full screen; the
  // toggles as left.
  const std::string ini = app.Ini();
  EXPECT_EQ(ini.rfind("[orvinale]", 0), 0u) << ini;
  for (auto [key, value] : {std::pair{"main_wnd_maximized", 0}, {"main_wnd_x", 50}, {"main_wnd_y", 50},
                            {"main_wnd_w", 900}, {"main_wnd_h", 900}, {"linenumber", 0}, {"filename", 1}})
    EXPECT_EQ(IniValue(ini, key), value) << key << " in\n" << ini;
  for (std::string pane : {"line_", "surface_"})
    for (std::string key : {"x", "y", "w", "h"})
      EXPECT_NE(IniValue(ini, pane + key, -99999), -99999) << pane + key << " missing in\n" << ini;
  EXPECT_TRUE(Exists(app.Path("portable/preferences.txt")) &&
              Exists(app.Path("portable/preferences-default.txt")));
}

}  // namespace
