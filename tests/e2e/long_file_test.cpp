// A long file read with the mouse and the keys: line numbers, ruler, dots, the
// skinned scrollbar, wheel, click, copy and paste, drag, carets, sideways scroll.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;

TEST(Story, ReadALongFileWithTheMouseAndTheKeys) {
  Orvinale app;
  std::string text = RulerRows();  // lines 1 to 4
  for (int i = 5; i <= 20000; ++i) text += "line number " + std::to_string(i) + "\n";
  std::string wide;
  for (int i = 1; i <= 20; ++i) wide += std::string(300, 'w') + "\n";
  ASSERT_TRUE(WriteFile(app.Path("long.txt"), text) && WriteFile(app.Path("wide.txt"), wide));
  ASSERT_TRUE(WriteFile(app.Path("portable/orvinale.ini"),
                        "[orvinale]\nmain_wnd_x=0\nmain_wnd_y=0\nmain_wnd_w=1260\nmain_wnd_h=700\n"
                        "ruler=1\n"));
  unsigned long win = app.StartMain({app.WindowsPath("long.txt")}, MainTitle("long.txt"));
  ASSERT_NE(win, 0u);
  Image shot;
  std::vector<int> tops;  // of the grey labels: rows 1, 2, ...
  ASSERT_TRUE(app.WaitShot(win, "long.png", [&](const Image& s) {
    tops = LabelTops(s);
    return InClient(s, kText) > 500 && tops.size() > 20;
  }, &shot)) << "no text or no line numbers";
  const int cell = tops[1] - tops[0];
  ASSERT_GT(cell, 8);
  int first = 0, last = 0;
  ASSERT_TRUE(CaretLabelRows(shot, &first, &last)) << "no highlighted label on the caret's row";
  EXPECT_LT(last - first, cell) << "more than one highlighted label";
  EXPECT_LT(last, tops[0]) << "the caret's label is not on the first row";
  ExpectRulerBetweenMarks(shot);  // the ruler's column by default: 120
  EXPECT_GE(shot.Count(kDot, 0, kClientTop, shot.width, kClientTop + 12), 79) << "a dot in each blank cell";
  // The skinned bar, its thumb kept usable (45 lines of 20,000 would be a pixel).
  EXPECT_LT(LightShareOfBar(shot), 0.1);
  EXPECT_GT(NotBlackInBar(shot), 12 * (shot.height - kClientTop - 40) / 2) << "no scrollbar";
  EXPECT_GE(ThumbRows(shot), 25);
  EXPECT_LE(ThumbRows(shot), 40);

  // Line 5 copied; after a wheel notch a click held over a paint selects
  // nothing, so Ctrl+C keeps the clipboard and Ctrl+V pastes line 5 on line 14.
  app.Key(win, "Down Down Down Down shift+End ctrl+c");
  app.Click(win, shot.width / 2, shot.height / 2, 5);
  auto caret_label = [&](const Image& s) { return CaretLabelRows(s, &first, &last); };
  EXPECT_TRUE(app.WaitShot(win, "wheel.png", [&](const Image& s) { return !caret_label(s); }, &shot))
      << "the caret's label stayed after the wheel";
  const int row10 = tops[0] + 9 * cell + cell / 2;
  app.Press(win, 200, row10);
  const bool painted = app.WaitShot(win, "held.png", caret_label, &shot);
  app.Release();
  ASSERT_TRUE(painted) << "no caret after the click";
  EXPECT_TRUE(first > row10 - cell && last < row10 + cell) << "the caret is not on the clicked row";
  const size_t end14 = text.find("line number 15\n") - 1;
  text = text.substr(0, end14) + "line number 5" + text.substr(end14);
  app.Key(win, "ctrl+c ctrl+v");
  EXPECT_TRUE(app.Saves(win, "long.txt", text)) << "the clipboard lost line 5, or the paste went elsewhere";

  // A drag from row 6 to row 9 selects them and leaves the red caret on row 9.
  const int from = tops[0] + 4 * cell + cell / 2, to = tops[0] + 7 * cell + cell / 2;
  app.Drag(win, 140, from, 200, to);
  int top = 0, bottom = 0;
  EXPECT_TRUE(app.WaitShot(win, "dragged.png", [&](const Image& s) {
    return RowsWith(s, kSelected, kLabelsRight, s.width, &top, &bottom) && CaretLabelRows(s, &first, &last) &&
           first > to - cell && InClient(s, kRed) > 5;
  }, &shot)) << "selected rows " << top << ".." << bottom << ", caret's label at " << first
              << ", released at " << to;
  EXPECT_TRUE(top >= from - cell && bottom <= to + cell && bottom - top > 2 * cell)
      << "selected rows " << top << ".." << bottom << " for a drag from " << from << " to " << to;
  app.Key(win, "Right Insert");
  EXPECT_TRUE(app.WaitShot(win, "overwrite.png", [](const Image& s) {
    return InClient(s, kSelected) > 20 && InClient(s, kSelected) < 400 && InClient(s, kRed) == 0;
  }, &shot)) << "no block caret in overwrite mode";

  // A new document shows nothing of the long one's scrollbar; F2 brings the view back.
  for (int i = 0; i < 7; ++i) app.Key(win, "Down Down Down Down Down Down Down Down Down Down");
  std::vector<int> previous;
  ASSERT_TRUE(app.WaitShot(win, "down.png", [&](const Image& s) {
    std::vector<int> now = TextProfile(s);
    const bool settled = now == previous;  // two pictures alike: the keys are done
    previous = now;
    return settled && CaretLabelRows(s, &first, &last) && first > tops[0] + 20 * cell;
  }, &shot)) << "the caret did not go down";
  const Image before = shot;
  const int caret_row = first;
  app.Key(win, "ctrl+n");
  EXPECT_TRUE(app.WaitShot(win, "new.png", [](const Image& s) {
    return InClient(s, kText) == 0 && NotBlackInBar(s) == 0;
  }, &shot)) << NotBlackInBar(shot) << " pixels of a scrollbar on the new document";
  app.Key(win, "F2");
  EXPECT_TRUE(app.WaitShot(win, "back.png", [&](const Image& s) {
    return CaretLabelRows(s, &first, &last) && first == caret_row;
  }, &shot)) << "the caret's row changed after coming back";
  EXPECT_EQ(TextProfile(shot), TextProfile(before)) << "other text shows after coming back";

  // End scrolls long lines sideways: every row shows the "<<" marker; no bar.
  ASSERT_NE(app.ChooseFile(win, "ctrl+o", "Open file", "wide.txt"), 0u);
  ASSERT_TRUE(app.WaitTitle(win, MainTitle("wide.txt"))) << TitleOf(win);
  app.Key(win, "End");
  int marked = 0;
  EXPECT_TRUE(app.WaitShot(win, "wide.png", [&](const Image& s) {
    marked = 0;
    for (int r = 0; CaretLabelRows(s, &first, &last) && r < 21; ++r)
      marked += s.Count([](Rgb p) { return p.b > 60 && p.b > p.r + 30 && p.b > p.g + 30; }, 62,
                        first - 2 + r * cell, 100, first - 2 + (r + 1) * cell) > 4;
    return marked == 21 && NotBlackInBar(s) == 0;
  }, &shot)) << marked << " of 21 rows marked; " << NotBlackInBar(shot) << " pixels of a scrollbar";

  ASSERT_TRUE(app.KeyThenTitle(win, "F2", MainTitle("long.txt")));
  app.Key(win, "ctrl+r ctrl+d");
  EXPECT_TRUE(app.WaitShot(win, "plain.png", [](const Image& s) {
    return InClient(s, kText) > 500 && RulerColumns(s).empty() && InClient(s, kDot) == 0;
  }, &shot)) << "Ctrl+R and Ctrl+D left the ruler or the dots";
  EXPECT_EQ(app.Quit(win, "alt+F4"), 0);
  EXPECT_TRUE(IniValue(app.Ini(), "ruler") == 0 && IniValue(app.Ini(), "whitespace") == 0) << app.Ini();
}

}  // namespace
