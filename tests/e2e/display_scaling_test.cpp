// A user at 150 % display scaling (144 DPI) reads a document and opens the
// Find dialog, the Preferences window and About in turn: the text and its
// line numbers are drawn at the scaled size in rows that line up, beside a
// scrollbar of the scaled width, and every window holds all of its content.
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

constexpr int kDpi = 144;
int Scaled(int design) { return (design * kDpi + 48) / 96; }
// Wine's vertical scrollbar at 96 DPI; the pane's cell is 15 pixels there.
constexpr int kBarWidthAt96 = 17;
constexpr int kPitchAt96 = 15;

// The main window's client begins with the text pane's first black row.
int ClientTop(const Image& s) {
  for (int y = 0; y < s.height; ++y)
    if (s.At(s.width / 2, y) == Rgb{}) return y;
  return s.height;
}

// The first column of the text pane holding text.
int TextLeft(const Image& s, int top) {
  for (int x = 0; x < s.width; ++x)
    if (s.Count(kText, x, top, x + 1, s.height) > 0) return x;
  return s.width;
}

// Width of the scrollbar on a row below its thumb: what is not black between
// the window's frame (lighter than the bar) and the text pane.
int BarWidth(const Image& s, int y) {
  int x = s.width - 1;
  while (x > 0 && s.At(x, y).r > 100) --x;
  int width = 0;
  for (; x > 0 && s.At(x, y) != Rgb{}; --x) ++width;
  return width;
}

// A dialog keeps a margin of its face colour inside its right and bottom
// edges: no control reaches the edge, so none is cut by it.
bool InsideMargins(const Image& s) {
  const int margin = Scaled(4);
  const Rgb face = s.At(s.width / 2, s.height - margin);
  int right = s.width - 1, bottom = s.height - 1, top = s.height / 2;  // the client's edges
  while (right > 0 && s.At(right, s.height / 2) != face) --right;
  while (bottom > 0 && s.At(s.width / 2, bottom) != face) --bottom;
  while (top > 0 && s.At(right - 1, top - 1) == face) --top;  // up to the caption
  const int strip_x = right + 1 - margin, strip_y = bottom + 1 - margin;
  return s.Count(face, strip_x, top, right + 1, bottom + 1) == margin * (bottom + 1 - top) &&
         s.Count(face, margin, strip_y, strip_x, bottom + 1) == margin * (strip_x - margin);
}

}  // namespace

TEST(Story, AtOneHundredFiftyPercentEverythingIsDrawnAtTheScaledSize) {
  Orvinale app(kDpi);
  // Each line shows its own number as its label does, so both give the same band tops.
  std::string text;
  for (int i = 1; i <= 150; ++i) text += (i < 10 ? "000" : i < 100 ? "00" : "0") + std::to_string(i) + "\n";
  ASSERT_TRUE(app.Files({{"scaled.txt", text}}));
  const unsigned long win = app.StartMain("scaled.txt");
  ASSERT_NE(win, 0u);
  std::vector<int> text_tops, label_tops;
  int top = 0;
  // The labels come with the first tick of the menu timer.
  ASSERT_TRUE(app.Shows(win, "document.png", [&](const Image& s) {
    top = ClientTop(s);
    const int left = TextLeft(s, top);
    text_tops = Bands(s.Rows(Is(kText), left, s.width / 2, top), 3);
    label_tops = Bands(s.Rows(Is(kLabel), 0, left, top), 3);
    return text_tops.size() > 20 && label_tops.size() > 20;
  })) << text_tops.size() << " text rows, " << label_tops.size() << " labels";
  for (size_t i = 1; i < text_tops.size(); ++i)
    EXPECT_NEAR(text_tops[i] - text_tops[i - 1], Scaled(kPitchAt96), 1) << "row " << i;
  for (int label : label_tops)
    EXPECT_TRUE(std::find(text_tops.begin(), text_tops.end(), label) != text_tops.end())
        << "a label at " << label << " beside no text row";
  EXPECT_EQ(BarWidth(app.shot, (top + app.shot.height * 3) / 4), Scaled(kBarWidthAt96));

  EXPECT_TRUE(app.Visit(win, "ctrl+f", "Orvinale find", InsideMargins));
  // Each pane of Preferences ends in its two blue status rows, whole, in the
  // scaled font ("Courier New" 16 at 96 DPI).
  EXPECT_TRUE(app.Visit(win, "ctrl+p", "Orvinale preferences", [](const Image& s) {
    const std::vector<int> blue = s.Rows(Is({0, 0, 192}), 10, 20, 0);
    const int rows = blue.empty() ? 0 : blue.back() - blue.front() + 1;
    return rows == static_cast<int>(blue.size()) && blue.back() >= s.height - 8 &&
           rows >= 2 * Scaled(16) && rows < 3 * Scaled(16);
  }, "alt+F4"));
  // About at its scaled size, the credits centred in it.
  const unsigned long about = app.Open(win, "ctrl+F1", "About Orvinale");
  ASSERT_NE(about, 0u);
  EXPECT_EQ(std::vector<int>({BoxOf(about).w, BoxOf(about).h}), std::vector<int>({Scaled(630), Scaled(210)}));
  EXPECT_TRUE(app.Shows(about, "about.png", [](const Image& s) {
    std::vector<int> columns;
    for (int x = 8; x < s.width - 8; ++x)  // inside the frame, below the caption
      if (s.Count(Grey(150, 255), x, 40, x + 1, s.height - 8) > 0) columns.push_back(x);
    return columns.size() > 2 && std::abs(columns.front() + columns.back() - s.width) <= 6;
  }));
  EXPECT_TRUE(app.Close(about, "Escape", "About Orvinale"));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace e2e
