// At 150 % display scaling (144 DPI) the text, its labels and the scrollbar are drawn at the scaled
// size, and the Find dialog, the Preferences window and About hold all their content.
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

int Scaled(int at_96) { return (at_96 * 144 + 48) / 96; }

// No control reaches the dialog's right or bottom edge: a margin of face colour runs inside both.
bool InsideMargins(const Image& s) {
  const int m = Scaled(4);
  const Rgb face = s.At(s.width / 2, s.height - m);
  int right = s.width - 1, bottom = s.height - 1, top = s.height / 2;
  while (right > m && s.At(right, s.height / 2) != face) --right;
  while (bottom > m && s.At(s.width / 2, bottom) != face) --bottom;
  while (top > 0 && s.At(right - 1, top - 1) == face) --top;
  return s.Count(face, right + 1 - m, top, right + 1, bottom + 1) == m * (bottom + 1 - top) &&
         s.Count(face, m, bottom + 1 - m, right + 1 - m, bottom + 1) == m * (right + 1 - 2 * m);
}

}  // namespace

TEST(Story, AtOneHundredFiftyPercentEverythingIsDrawnAtTheScaledSize) {
  Orvinale app(144);
  std::string text;  // each line its number as its label shows it: the same glyphs, rows alike
  for (int i = 10001; i <= 10150; ++i) text += std::to_string(i).substr(1) + "\n";
  ASSERT_TRUE(app.Files({{"scaled.txt", text}}));
  const unsigned long win = app.StartMain("scaled.txt");
  ASSERT_NE(win, 0u);
  std::vector<int> rows, labels;
  int top = 0;
  ASSERT_TRUE(app.Shows(win, "document.png", [&](const Image& s) {  // labels come with the menu timer
    for (top = 0; top < s.height && s.At(s.width / 2, top) != Rgb{}; ++top) {}
    int left = 0;  // the text's first column; the labels lie left of it
    while (left < s.width && s.Count(kText, left, top, left + 1, s.height) == 0) ++left;
    rows = Bands(s.Rows(Is(kText), left, s.width / 2, top), 3);
    labels = Bands(s.Rows(Is(kLabel), 0, left, top), 3);
    return rows.size() > 20 && labels.size() > 20;
  }));
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_NEAR(rows[i] - rows[i - 1], Scaled(15), 1) << i;
  for (int label : labels) EXPECT_NE(std::find(rows.begin(), rows.end(), label), rows.end()) << label;
  const int y = (top + 3 * app.shot.height) / 4;  // the bar: not black, left of the (lighter) frame
  int x = app.shot.width - 1, bar = 0;
  for (; app.shot.At(x, y).r > 100; --x) {}
  for (; x > 0 && app.shot.At(x, y) != Rgb{}; --x) ++bar;
  EXPECT_EQ(bar, Scaled(17)) << "Wine's bar is 17 wide at 96 DPI";
  EXPECT_TRUE(app.Visit(win, "ctrl+f", "Orvinale find", InsideMargins));
  // Each pane of Preferences ends in its two status rows, whole, in "Courier New" 16 scaled.
  EXPECT_TRUE(app.Visit(win, "ctrl+p", "Orvinale preferences", [](const Image& s) {
    const std::vector<int> blue = s.Rows(Is({0, 0, 192}), 10, 20, 0);  // n rows, one run, at the bottom
    const int n = static_cast<int>(blue.size());
    return n >= 2 * Scaled(16) && n < 3 * Scaled(16) && blue.front() + n - 1 == blue.back() && blue.back() >= s.height - 8;
  }, "alt+F4"));
  // About: its frame scaled, the credits centred in it (the columns holding text, inside the frame).
  EXPECT_TRUE(app.Visit(win, "ctrl+F1", "About Orvinale", [](const Image& s) {
    std::vector<int> lit;
    for (int x = 8; x < s.width - 8; ++x) if (s.Count(Grey(150, 255), x, 40, x + 1, s.height - 8)) lit.push_back(x);
    return s.width == Scaled(630) && s.height == Scaled(210) && lit.size() > 2 &&
           std::abs(lit.front() + lit.back() - s.width) <= 6;
  }));
  EXPECT_EQ(app.Quit(win), 0);
}

}  // namespace e2e
