// The text pane and the line-number pane in the running program, checked by
// pixel colours in screenshots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Orvinale 0.53-alpha (x64)";
const e2e::Rgb kEmpty{48, 25, 52};
const e2e::Rgb kText{192, 192, 192};
const e2e::Rgb kLabel{70, 70, 70};
const e2e::Rgb kHighlight{128, 128, 255};
const int kClientTop = 45;  // below the caption and the menu bar

int InClient(const e2e::Image& shot, const e2e::Rgb& c) {
  return shot.Count(c, 0, kClientTop, shot.width, shot.height);
}

// First and last row of the client holding the colour in columns [x0, x1).
bool RowsWith(const e2e::Image& shot, const e2e::Rgb& c, int x0, int x1, int* first, int* last) {
  *first = -1;
  for (int y = kClientTop; y < shot.height; ++y) {
    if (shot.Count(c, x0, y, x1, y + 1) == 0) continue;
    if (*first < 0) *first = y;
    *last = y;
  }
  return *first >= 0;
}

// Pixels of the "<< " marker: antialiased diagonals are rarely the exact
// colour, so count pixels clearly bluer than grey.
int Bluish(const e2e::Image& shot, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const e2e::Rgb p = shot.At(x, y);
      if (p.b > 60 && p.b > p.r + 30 && p.b > p.g + 30) ++n;
    }
  }
  return n;
}

// Text pixels on each client row: equal profiles show the same text (the
// blinking caret does not count).
std::vector<int> TextProfile(const e2e::Image& shot) {
  std::vector<int> rows;
  for (int y = kClientTop; y < shot.height; ++y) rows.push_back(shot.Count(kText, 0, y, shot.width, y + 1));
  return rows;
}

// Top pixel rows of the grey line-number labels, one per row from row 1 on
// (row 0 holds the caret's highlighted label).
std::vector<int> LabelTops(const e2e::Image& shot) {
  std::vector<int> tops;
  int blank = 0;  // rows without label pixels just above y
  for (int y = kClientTop; y < shot.height; ++y) {
    if (shot.Count(kLabel, 0, y, 60, y + 1) == 0) {
      ++blank;
      continue;
    }
    if (blank >= 3) tops.push_back(y);  // gaps inside a digit are shorter
    blank = 0;
  }
  return tops;
}

// Pixels other than black in the strip where the text pane's scrollbar sits.
int NotBlackInBar(const e2e::Image& shot) {
  const int x0 = shot.width - 18, y0 = kClientTop + 20, x1 = shot.width - 6, y1 = shot.height - 20;
  return (x1 - x0) * (y1 - y0) - shot.Count(e2e::Rgb{0, 0, 0}, x0, y0, x1, y1);
}

void Close(e2e::Orvinale& app, unsigned long win) {
  app.Key(win, "alt+F4");
  int code = -1;
  EXPECT_TRUE(app.WaitExit(30, &code));
}

std::string Lines(int count, const std::string& body) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += body + " " + std::to_string(i) + "\n";
  return text;
}

TEST(DisplayPanesE2e, EmptyScreenWithoutLabels) {
  e2e::Orvinale app;
  unsigned long win = app.StartMain({}, kTitle);
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "empty.png");
    return InClient(shot, kEmpty) > shot.width * shot.height / 2;
  }, 30)) << "no empty screen";
  EXPECT_EQ(0, InClient(shot, kText));
  EXPECT_EQ(0, InClient(shot, kLabel));
  EXPECT_EQ(0, InClient(shot, kHighlight));
  Close(app, win);
}

TEST(DisplayPanesE2e, TextLabelsCaretClickAndWheel) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("sample.txt"), Lines(200, "line number")));
  unsigned long win =
      app.StartMain({app.WindowsPath("sample.txt")}, "sample.txt - " + std::string(kTitle));
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "text.png");
    return InClient(shot, kText) > 500 && InClient(shot, kLabel) > 200;
  }, 30)) << "no text or no line labels";
  EXPECT_EQ(0, InClient(shot, kEmpty));
  // The caret row's label "001:0001" is the only highlighted label.
  int hl_first = 0, hl_last = 0, label_first = 0, label_last = 0;
  ASSERT_TRUE(RowsWith(shot, kHighlight, 0, 60, &hl_first, &hl_last));
  ASSERT_TRUE(RowsWith(shot, kLabel, 0, 60, &label_first, &label_last));
  const int cell = label_first - hl_first;  // "0002" sits one row below "001:0001"
  ASSERT_GT(cell, 8);
  EXPECT_LT(hl_last - hl_first, cell);
  // A wheel notch towards the user detaches the view: no caret, no column.
  app.Click(win, shot.width / 2, shot.height / 2, 5);
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "wheel.png");
    return InClient(shot, kHighlight) == 0;
  }, 10)) << "the caret stayed after wheel scrolling";
  // A click on the 11th row puts the caret there; its label follows.
  const int row_y = hl_first - 2 + 10 * cell + cell / 2;
  app.Click(win, 200, row_y);
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "click.png");
    return RowsWith(shot, kHighlight, 0, 60, &hl_first, &hl_last);
  }, 10)) << "no caret label after the click";
  EXPECT_GE(hl_first, row_y - cell);
  EXPECT_LE(hl_last, row_y + cell);
  Close(app, win);
}

// The button held over a timer tick after a wheel scroll: the click leaves no
// selection, so Ctrl+C keeps what was copied before and Ctrl+V pastes it.
TEST(DisplayPanesE2e, ClickAfterWheelKeepsTheClipboard) {
  e2e::Orvinale app;
  const std::string text = Lines(200, "line number");
  ASSERT_TRUE(e2e::WriteFile(app.Path("clip.txt"), text));
  unsigned long win = app.StartMain({app.WindowsPath("clip.txt")}, "clip.txt - " + std::string(kTitle));
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  std::vector<int> tops;  // of the grey labels, rows 1, 2, ...
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "clip-start.png");
    tops = LabelTops(shot);
    return tops.size() > 10;
  }, 30));
  const int cell = tops[1] - tops[0];
  ASSERT_GT(cell, 8);
  app.Key(win, "shift+End ctrl+c");
  app.Click(win, shot.width / 2, shot.height / 2, 5);  // one notch: three lines down
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "clip-wheel.png");
    return InClient(shot, kHighlight) == 0;
  }, 10)) << "the view did not detach";
  // Row 10, held until a paint has placed the caret (its label lights up).
  app.Press(win, 200, tops[0] + 9 * cell + cell / 2);
  int hl_first = 0, hl_last = 0;
  const bool painted = e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "clip-held.png");
    return RowsWith(shot, kHighlight, 0, 60, &hl_first, &hl_last);
  }, 10);
  app.Release();
  ASSERT_TRUE(painted) << "no paint while the button was held";
  app.Key(win, "ctrl+c ctrl+v ctrl+s");
  std::string saved;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    saved = e2e::ReadFile(app.Path("clip.txt"));
    return saved != text;
  }, 10)) << "nothing was pasted: the clipboard lost \"line number 1\"";
  // "line number 1" went in once, at the end of line 14: the clicked row 10
  // after three lines scrolled.
  const size_t at = text.find("line number 15\n") - 1;
  EXPECT_EQ(saved, text.substr(0, at) + "line number 1" + text.substr(at));
  Close(app, win);
}

TEST(DisplayPanesE2e, DragSelects) {
  const e2e::Rgb kSelectedBlack{77, 77, 153};  // (128,128,255) at 0.6 over black
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("drag.txt"), Lines(10, "dragged text")));
  unsigned long win = app.StartMain({app.WindowsPath("drag.txt")}, "drag.txt - " + std::string(kTitle));
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  int hl_first = 0, hl_last = 0, label_first = 0, label_last = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "before-drag.png");
    return InClient(shot, kText) > 200 && RowsWith(shot, kHighlight, 0, 60, &hl_first, &hl_last) &&
           RowsWith(shot, kLabel, 0, 60, &label_first, &label_last);
  }, 30));
  EXPECT_EQ(0, InClient(shot, kSelectedBlack));
  const int cell = label_first - hl_first;
  ASSERT_GT(cell, 8);
  // From the middle of row 2 to the middle of row 5: the selection spans
  // rows 2 to 5 and nothing above.
  const int y_from = hl_first - 2 + cell + cell / 2, y_to = hl_first - 2 + 4 * cell + cell / 2;
  app.Drag(win, 140, y_from, 200, y_to);
  // After the release the caret (and its highlighted label) is on row 5.
  int first = 0, last = 0, caret_first = 0, caret_last = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "dragged.png");
    return RowsWith(shot, kSelectedBlack, 60, shot.width, &first, &last) &&
           RowsWith(shot, kHighlight, 0, 60, &caret_first, &caret_last) && caret_first > y_to - cell;
  }, 10)) << "selection rows " << first << ".." << last << ", caret label at " << caret_first
          << ", pointer released at " << y_to;
  EXPECT_GE(first, y_from - cell);
  EXPECT_LE(last, y_to + cell);
  EXPECT_GT(last - first, 2 * cell);
  Close(app, win);
}

TEST(DisplayPanesE2e, LongLinesScrollWithMarkers) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("wide.txt"), Lines(20, std::string(300, 'w'))));
  unsigned long win = app.StartMain({app.WindowsPath("wide.txt")}, "wide.txt - " + std::string(kTitle));
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "wide.png");
    return InClient(shot, kText) > 500;
  }, 30));
  const int before = InClient(shot, kHighlight);
  app.Key(win, "End");
  // Every one of the 20 rows (and the empty 21st) starts with a blue "<< "
  // just right of the line pane.
  int rows = 0;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "scrolled.png");
    int hl_first = 0, hl_last = 0, label_first = 0, label_last = 0;
    if (!RowsWith(shot, kHighlight, 0, 60, &hl_first, &hl_last) ||
        !RowsWith(shot, kLabel, 0, 60, &label_first, &label_last)) {
      return false;
    }
    const int cell = label_first - hl_first;
    rows = 0;
    for (int r = 0; r < 21; ++r) {
      const int top = hl_first - 2 + r * cell;
      if (Bluish(shot, 62, top, 100, top + cell) > 4) ++rows;
    }
    return rows == 21;
  }, 10)) << "scrolled-line markers on " << rows << " rows, highlight before " << before;
  Close(app, win);
}

TEST(DisplayPanesE2e, SelectionAndOverwriteCaret) {
  const e2e::Rgb kSelectedBlack{77, 77, 153};  // (128,128,255) at 0.6 over black
  const e2e::Rgb kRed{255, 0, 0};
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("sel.txt"), Lines(10, "text")));
  unsigned long win = app.StartMain({app.WindowsPath("sel.txt")}, "sel.txt - " + std::string(kTitle));
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "plain.png");
    return InClient(shot, kText) > 200;
  }, 30));
  EXPECT_EQ(0, InClient(shot, kSelectedBlack));
  app.Key(win, "shift+Down shift+Down shift+Right");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "selected.png");
    return InClient(shot, kSelectedBlack) > 2000 && InClient(shot, kRed) > 5;
  }, 10)) << "no blended selection or no red caret";
  app.Key(win, "Right Insert");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "overwrite.png");
    const int block = InClient(shot, kSelectedBlack);
    return block > 20 && block < 400 && InClient(shot, kRed) == 0;
  }, 10)) << "no overwrite block caret";
  Close(app, win);
}

TEST(DisplayPanesE2e, SwitchingDocumentsRestoresTheView) {
  e2e::Orvinale app;
  ASSERT_TRUE(e2e::WriteFile(app.Path("long.txt"), Lines(300, "row")));
  const std::string title = "long.txt - " + std::string(kTitle);
  unsigned long win = app.StartMain({app.WindowsPath("long.txt")}, title);
  ASSERT_NE(win, 0u);
  e2e::Image shot;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "top.png");
    return InClient(shot, kText) > 500 && InClient(shot, kLabel) > 200;
  }, 30));
  int top_first = 0, top_last = 0;
  ASSERT_TRUE(RowsWith(shot, kHighlight, 0, 60, &top_first, &top_last));
  // Seventy lines down: the text has scrolled, the caret sits at the bottom margin.
  for (int i = 0; i < 7; ++i) app.Key(win, "Down Down Down Down Down Down Down Down Down Down");
  // Wait until the keys are all done: two shots in a row with the same text.
  int first = 0, last = 0;
  std::vector<int> previous;
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "down.png");
    std::vector<int> now = TextProfile(shot);
    const bool settled = now == previous;
    previous = now;
    return settled && RowsWith(shot, kHighlight, 0, 60, &first, &last) && first > top_first + 200;
  }, 20));
  const e2e::Image before = shot;
  EXPECT_GT(NotBlackInBar(before), 1000) << "no scrollbar on the long document";
  // A new document, then back with F2: the same rows come back. The short
  // document has no scrollbar, and nothing of the old one stays on screen.
  app.Key(win, "ctrl+n");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "new.png");
    return InClient(shot, kText) == 0 && NotBlackInBar(shot) == 0;
  }, 10)) << NotBlackInBar(shot) << " pixels of the old scrollbar stay";
  app.Key(win, "F2");
  ASSERT_TRUE(e2e::WaitUntil([&] {
    shot = app.Screenshot(win, "back.png");
    int again_first = 0, again_last = 0;
    return RowsWith(shot, kHighlight, 0, 60, &again_first, &again_last) && again_first == first;
  }, 10)) << "the caret row changed after switching back";
  EXPECT_TRUE(TextProfile(shot) == TextProfile(before));  // the same text on every pixel row
  Close(app, win);
}

}  // namespace
