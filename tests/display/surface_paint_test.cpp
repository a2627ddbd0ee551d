// What a paint of the text pane draws and asks of its window: text, caret,
// selection, markers, the empty screen, labels and each document's view.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "display/line_view.h"
#include "display/surface_layout.h"
#include "display/surface_mouse.h"
#include "display/surface_paint.h"
#include "display/view_scroll.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/display/grid_font.h"

namespace {

struct FakePort : SurfacePort {
  std::vector<SavedScroll> set;
  SavedScroll scroll;
  int shown = -1, surface_invalidated = 0, lines_presented = 0, panes_apart = 0, width = 0, height = 0, bar = 0;  // a shown scrollbar takes `bar` of the width
  std::vector<std::string> labels_shown;
  std::vector<PixelRect> presented;
  uint32_t now = 0, tick = 50;  // each paint comes one timer tick later unless told otherwise
  bool held = false;
  void SetScroll(const SavedScroll& info) override { set.push_back(scroll = info), shown = info.page <= info.maximum; }
  SavedScroll GetScroll() override { return scroll; }
  void ShowScroll(bool show) override { shown = show ? 1 : 0; }
  void Present(const PixelRect& rect) override { presented.push_back(rect), panes_apart += line_view != nullptr && labels_shown != line_view->labels; }
  void InvalidateSurface() override { ++surface_invalidated; }
  void PresentLinePane() override { ++lines_presented, labels_shown = line_view->labels; }
  void ClientSize(int* w, int* h) override { *w = width - (shown == 1 ? bar : 0), *h = height; }
  uint32_t NowMs() override { return now += tick; }
  bool PointerHeld() override { return held; }
};

const Pixel kBlack = MakePixel(0, 0, 0);
const Pixel kGrey = kTextColour;
const Pixel kBlue = kHighlightColour;

Pixel Blended(Pixel under) { return BlendPixel(under, kBlue, OpacityWeight(0.6f)) | 0xFF000000u; }

// Character k of row r is a block at x 6+7k .. 10+7k, y 14r+3 .. 14r+9.
int CellX(int k) { return 5 + 7 * k + 3; }
int CellY(int r) { return 14 * r + 6; }

struct SurfacePaint : testing::Test {
  AppState app;
  SurfaceView view;
  FakePort port;
  LineView labels;
  int width = 7 * 60;
  int height = 14 * 20;

  void SetUp() override {
    UseGridFont(view.font);
    view.blink_armed = 1;
    UseGridFont(labels.font);
    ASSERT_TRUE(ResizeCanvas(view.canvas, width, height));
  }
  void TearDown() override { line_view = nullptr; }
  static std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line + (line == "line " ? std::to_string(i) : "") + "\n";
    return text;
  }
  Document* Open(const std::string& text) {
    NewDocument(&app);
    Document* doc = GetCurrentDocument(app);
    InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
    MoveTextStart(doc, false);
    return doc;
  }
  void Paint() { port.width = width, port.height = height, PaintSurface(view, &app, port); }
  void Expect(const std::vector<Spot>& spots) { ExpectSpots(view.canvas, spots, true); }
};

TEST_F(SurfacePaint, TextWithTheBlinkingInsertCaret) {
  Document* doc = Open("ab\n\tcd");
  Paint();
  // The two-pixel underline is under the caret cell only.
  Expect({{8, 13, kBlue}, {8, 14, kBlue}, {8, 12, kBlack}, {20, 13, kBlack}});
  ASSERT_EQ(1u, port.presented.size());
  EXPECT_EQ(std::vector<int>({width, height, 0}), std::vector<int>({port.presented[0].right, port.presented[0].bottom, doc->render_cache->dirty}));
  // The scrollbar: range 0..line count, page of 20 rows, saved after the paint.
  ASSERT_EQ(1u, port.set.size());
  EXPECT_EQ(std::vector<int>({2, 20, 0, kScrollInfoSize}), std::vector<int>({port.set[0].maximum, port.set[0].page, port.set[0].position, doc->render_cache->saved_scroll.size}));
  // Idle paints: nothing, then the caret goes, as two small pieces; then back.
  port.presented.clear();
  Paint();
  Paint();
  Expect({{8, 13, kBlack}, {CellX(0), CellY(0), kGrey}});
  ASSERT_EQ(4u, port.presented.size());
  EXPECT_EQ(std::vector<int>({13, 2, 7}), std::vector<int>({port.presented[2].top, RectHeight(port.presented[2]), RectWidth(port.presented[3])}));
  // A blink's tick asks for no more than that area.
  const PixelRect area = CaretBlinkArea(*doc->render_cache, view.metrics.caret_rows, width);
  for (const PixelRect& p : {port.presented[2], port.presented[3]})
    EXPECT_TRUE(p.left >= area.left && p.top >= area.top && p.right <= area.right && p.bottom <= area.bottom);
  Paint();
  Paint();
  Expect({{8, 13, kBlue}});
  EXPECT_EQ(1u, port.set.size()) << "the scrollbar is set only when the view moves";
  // The blink keeps to the clock, not to the paints: 1.1 s of paints a
  // millisecond apart change the caret 11 times; a key shows it at once.
  port.tick = 1;
  int changes = 0;
  for (Pixel was = kBlue, now = kBlue; port.now < 1350; Paint(), was = now)
    changes += (now = CanvasPixelAt(view.canvas, 8, 13)) != was;
  EXPECT_EQ(11, changes);
  Expect({{8, 13, kBlack}});
  EXPECT_TRUE(TakePaintRequest(view, &app, true));
  Paint();
  Expect({{8, 13, kBlue}});
  // With its timer stopped the caret stands solid through every paint.
  view.blink_armed = 0;
  for (port.tick = 80; port.now < 2000;) {
    Paint();
    Expect({{8, 13, kBlue}});
  }
}

// Random texts (blocks, spaces, tabs, two-byte letters), caret moves, wheel
// notches, scroll keys, clicks, drags and resizes: after every paint each
// cell shows its character (a block, or nothing for a blank or past the
// line's end; a dot in its middle row for a blank when the dots are on), a
// scrolled view's rows start with a blue "<< ", the ruler crosses every row,
// the caret is underlined in the pane, the labels number the rows shown and
// the thumb stands for the top line. No paint moves the text under a held
// button; a step not asked a paint has nothing to show.
TEST_F(SurfacePaint, EveryCellShowsItsCharacterWhereverTheViewIs) {
  std::mt19937 random(20261207);
  line_view = &labels;
  port.tick = 0;  // the caret stays shown
  for (int round = 0; round < 8; ++round) {
    std::vector<std::string> cells(1 + random() % 60);  // 'x' or ' ' per character
    std::string text;
    for (std::string& line : cells) {
      line.resize(random() % 4 == 0 ? random() % 160 : random() % 12, ' ');
      for (char& cell : line) cell = random() % 3 ? 'x' : ' ';
      for (char cell : line) text += cell == ' ' ? (random() % 2 ? " " : "\t") : random() % 2 ? "x" : "\xCE\xB1";
      text += &line == &cells.back() ? "" : "\n";
    }
    Document* doc = Open(text);
    RenderCache& c = *doc->render_cache;
    view.show_whitespace = round % 2;
    view.ruler_column = round % 3 ? 0 : 10 + static_cast<int>(random() % 40);
    port.held = false;
    for (int step = 0; step < 40 && !HasFailure(); ++step) {
      const int x = static_cast<int>(random() % (width + 99)) - 49, y = static_cast<int>(random() % (height + 99)) - 49;
      switch (port.held ? 6 + random() % 3 : random() % 12) {  // keys do nothing while the button is held
        case 0: MoveDown(doc, false); break;
        case 1: MoveUp(doc, false); break;
        case 2: MoveEnd(doc, false); break;
        case 3: MoveHome(doc, false); break;
        case 4: MovePageDown(doc, false, 20); break;
        case 5: for (int k = random() % 40; k > 0; --k) MoveRight(doc, false); break;
        case 6: ScrollViewTo(&c, WheelPosition({0, port.scroll.maximum, port.scroll.page, port.scroll.position, 0}, random() % 2 ? 120 : -120), !port.held); break;
        case 7: DragTo(doc, &c, x, y); break;
        case 8: port.held ? ReleaseAt(doc, &c, x, y) : PressAt(doc, &c, std::abs(x) % width, std::abs(y) % height); port.held = !port.held; break;
        case 9: random() % 2 ? ScrollViewUp(&c) : ScrollViewDown(&c); break;
        case 10: PressAt(doc, &c, std::abs(x) % width, std::abs(y) % height), ReleaseAt(doc, &c, std::abs(x) % width, std::abs(y) % height); break;  // before one paint
        default: width = 7 * (10 + random() % 51), height = 14 * (1 + random() % 20) + random() % 14, c.dirty = 1;
          ASSERT_TRUE(ResizeCanvas(view.canvas, width, height));
      }
      const bool asked = TakePaintRequest(view, &app, false);
      const std::vector<Pixel> before(view.canvas.pixels, view.canvas.pixels + width * height);
      const std::vector<int> under_pointer = {c.top_line, c.scroll_x};
      Paint();
      if (port.held) { EXPECT_EQ(under_pointer, std::vector<int>({c.top_line, c.scroll_x})) << "the text moved under the pointer"; }
      if (!asked) { EXPECT_TRUE(before == std::vector<Pixel>(view.canvas.pixels, view.canvas.pixels + width * height)); }
      EXPECT_FALSE(TakePaintRequest(view, &app, false));
      if (round + step == 0) { EXPECT_EQ(1, port.lines_presented); }
      ASSERT_EQ(0, port.panes_apart) << "the text pane's frame went out before the labels of its layout";
      const std::string column = std::to_string(1001 + doc->caret_column).substr(1);  // lines are short
      ASSERT_EQ(std::min<size_t>(c.rows, cells.size()), labels.labels.size());
      for (int r = 0; r < c.rows; ++r) {
        const size_t line = c.top_line + r;
        if (line < cells.size()) {
          const std::string number = std::to_string(10000 + line + 1).substr(1);
          EXPECT_EQ((r == c.caret_row ? column + ":" : std::string(column.size() + 1, ' ')) + number, labels.labels[r]);
        }
        for (int k = 0; !doc->has_selection && 5 + 7 * k + 1 < width; ++k) {  // the last, partly shown cell too
          const size_t at = k - c.scroll_x / 7;
          const bool marker = line < cells.size() && c.scroll_x != 0 && k < 3;
          const bool text = line < cells.size() && at < cells[line].size();
          const int x = std::min(CellX(k), width - 1);  // a dot in the last, partly shown cell is off the pane
          const Pixel want = marker ? (k < 2 ? kBlue : kBlack) : text && cells[line][at] == 'x' ? kGrey : kBlack;
          const bool dot = !marker && text && cells[line][at] == ' ' && view.show_whitespace && x == CellX(k);
          const Pixel middle = dot ? kWhitespaceColour : want;
          ASSERT_EQ(std::make_pair(want, middle), std::make_pair(CanvasPixelAt(view.canvas, x, CellY(r)) | 0xFF000000u,
                                                                 CanvasPixelAt(view.canvas, x, CellY(r) + 1) | 0xFF000000u))
              << "row " << r << " cell " << k << " scrolled " << c.scroll_x << " round " << round;
        }
        if (view.ruler_column != 0 && 7 * view.ruler_column + 5 < width) Expect({{7 * view.ruler_column + 5, CellY(r), kRulerColour}});
      }
      ASSERT_TRUE(CheckLayoutInvariants(c, doc->caret_line, doc->caret_column, nullptr)) << "round " << round;
      if (!port.held && c.caret_row >= 0) { ASSERT_LT(c.caret_row, c.rows); }
      if (!doc->has_selection && c.caret_row >= 0) Expect({{CellX(c.caret_cell_column), 14 * c.caret_row + 13, kBlue}});
      EXPECT_EQ(std::vector<int>({c.top_line, int(cells.size()), height / 14}),
                std::vector<int>({port.scroll.position, port.scroll.maximum, port.scroll.page}));
    }
  }
}

TEST_F(SurfacePaint, SelectionBlendsAndTheCaretTurnsRed) {
  Document* doc = Open("abc\ndef\nghi");
  MoveRight(doc, true);
  MoveDown(doc, true);
  Paint();
  // Row 0 from the anchor (column 0) to the right edge, one pixel short of
  // the cell; row 1 up to column 1; then the red caret line at column 1.
  Expect({{4, CellY(0), kBlack}, {CellX(0), CellY(0), Blended(kGrey)},
          {CellX(1), CellY(0), Blended(kGrey)}, {CellX(30), CellY(0), Blended(kBlack)},
          {CellX(30), 13, kBlack}, {CellX(0), CellY(1), Blended(kGrey)},
          {CellX(1), CellY(1), kGrey}, {CellX(0), CellY(2), kGrey},
          {12, 14, kSelectionCaretColour}, {12, 27, kSelectionCaretColour}, {12, 28, kBlack}});
}

TEST_F(SurfacePaint, OverwriteCaretIsABlockTheTextShowsThrough) {
  Document* doc = Open("\nabc");
  doc->overwrite = 1;
  MoveDown(doc, false);
  Paint();  // the block fills the caret cell of row 1 but its last pixel row and column
  Expect({{5, 14, Blended(kBlack)}, {CellX(0), CellY(1), Blended(kGrey)}, {11, 26, Blended(kBlack)},
          {11, 27, kBlack}, {12, 19, kBlack}, {CellX(1), CellY(1), kGrey}, {5, 13, kBlack}});
  Paint();
  Paint();  // the block goes and the cell under it comes back
  Expect({{5, 14, kBlack}, {CellX(0), CellY(1), kGrey}, {11, 26, kBlack}});
}

TEST_F(SurfacePaint, WisdomLineCentredUntilADocumentIsShown) {
  view.show_wisdom = 1;
  view.wisdom_index = 150;  // "The half is more than the whole", 31 cells
  Paint();
  const int left = width / 2 - 31 * 7 / 2;
  const int top = height / 2 - 13 / 2;
  Expect({{left + 3, top + 6, kWisdomColour}, {left - 3, top + 6, kEmptyColour},
          {left + 31 * 7 + 2, top + 6, kEmptyColour}, {left + 3, top + 2, kEmptyColour}});
  view.wisdom_index = 999, view.empty_drawn = 0;  // past the table: the last maxim, "Know your faults", 16 cells
  Paint();
  Expect({{width / 2 - 16 * 7 / 2 + 3, top + 6, kWisdomColour}, {left + 3, top + 6, kEmptyColour}});
  Open("x");
  Paint();
  EXPECT_EQ(0, view.show_wisdom);
  CloseCurrent(&app);
  Paint();
  Expect({{left + 3, top + 6, kEmptyColour}});
}

TEST_F(SurfacePaint, RulerAndWhitespaceTogglesNeedThePaneAndOnlyMarkTheLayout) {
  Document* doc = Open("x");
  EXPECT_FALSE(ToggleRulerColumn() || ToggleWhitespaceDots());
  surface_view = &view;
  AppState* saved = app_state;
  app_state = &app;
  std::vector<int> states;
  for (bool (*toggle)() : {ToggleRulerColumn, ToggleWhitespaceDots, ToggleRulerColumn, ToggleWhitespaceDots}) {
    doc->render_cache->dirty = 0;
    EXPECT_TRUE(toggle());
    EXPECT_TRUE(doc->render_cache->dirty);
    states.insert(states.end(), {view.ruler_column, view.show_whitespace});
  }
  EXPECT_EQ(std::vector<int>({120, 0, 120, 1, 0, 1, 0, 0}), states) << "on at the preference's ruler, then off";
  AppState no_documents;
  app_state = &no_documents;
  EXPECT_TRUE(ToggleRulerColumn());  // with nothing shown, nothing to mark
  app_state = saved;
  surface_view = nullptr;
}

TEST_F(SurfacePaint, SwitchingDocumentsRestoresEachView) {
  Document* a = Open(Lines(300, "line"));
  const std::string path_a = app.current_path;
  Paint();
  for (int i = 0; i < 100; ++i) {
    MoveDown(a, false);
    Paint();
  }
  const std::vector<int> view_a = {83, 17};  // caret on rows - 3
  EXPECT_EQ(view_a, std::vector<int>({a->render_cache->top_line, a->render_cache->caret_row}));
  Open("one\ntwo");
  Paint();
  port.set.clear();
  app.current_path = path_a;
  Paint();
  EXPECT_EQ(view_a, std::vector<int>({a->render_cache->top_line, a->render_cache->caret_row}));
  ASSERT_FALSE(port.set.empty());
  EXPECT_EQ(301, port.set.front().maximum) << "its saved scrollbar came back";
  EXPECT_EQ(1, port.surface_invalidated);
  port.bar = 14, port.tick = 0;  // the long one's scrollbar takes two cells: a short one scrolled to its end comes back as it was
  Document* b = Open(std::string(200, 'x') + "\nshort");
  Paint(), MoveEnd(b, false), Paint();
  const std::vector<Pixel> view_b(view.canvas.pixels, view.canvas.pixels + view.canvas.width * height);
  for (std::string path : {path_a, app.current_path}) app.current_path = path, Paint();
  EXPECT_TRUE(view_b == std::vector<Pixel>(view.canvas.pixels, view.canvas.pixels + view.canvas.width * height)) << b->render_cache->scroll_x;
}

}  // namespace
