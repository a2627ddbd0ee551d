#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/line_view.h"
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

// Records what the paint asks of the window.
class FakePort : public SurfacePort {
 public:
  std::vector<SavedScroll> set;
  SavedScroll scroll;
  int shown = -1;  // last ShowScroll argument
  std::vector<PixelRect> presented;
  int surface_invalidated = 0;
  int lines_invalidated = 0;

  void SetScroll(const SavedScroll& info) override {
    set.push_back(info);
    scroll = info;
  }
  SavedScroll GetScroll() override { return scroll; }
  void ShowScroll(bool show) override { shown = show ? 1 : 0; }
  void Present(const PixelRect& rect) override { presented.push_back(rect); }
  void InvalidateSurface() override { ++surface_invalidated; }
  void InvalidateLinePane() override { ++lines_invalidated; }
};

const Pixel kBlack = MakePixel(0, 0, 0);
const Pixel kGrey = MakePixel(192, 192, 192);
const Pixel kBlue = MakePixel(128, 128, 255);

Pixel Rgb(const Canvas& c, int x, int y) { return CanvasPixelAt(c, x, y) | 0xFF000000u; }
Pixel Blended(Pixel under) { return BlendPixel(under, kBlue, OpacityWeight(0.6f)) | 0xFF000000u; }

// Cells are 7 x 14; character k of row r is a block at x 6+7k .. 10+7k,
// y 14r+3 .. 14r+9.
int CellX(int k) { return 5 + 7 * k + 3; }
int CellY(int r) { return 14 * r + 6; }

struct SurfacePaint : testing::Test {
  AppState app;
  SurfaceView view;
  FakePort port;
  int width = 7 * 60;
  int height = 14 * 20;

  void SetUp() override {
    UseGridFont(view.font);
    ASSERT_TRUE(ResizeCanvas(view.canvas, width, height));
  }
  Document* Open(const std::string& text) {
    NewDocument(&app);
    Document* doc = GetCurrentDocument(app);
    InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
    return doc;
  }
  void Paint() { PaintSurface(view, &app, width, height, port); }
  const Canvas& canvas() const { return view.canvas; }
};

TEST_F(SurfacePaint, TextWithTheBlinkingInsertCaret) {
  Document* doc = Open("ab\n\tcd");
  MoveTextStart(doc, false);
  Paint();
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(0), CellY(0)));
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(1), CellY(0)));
  EXPECT_EQ(kBlack, Rgb(canvas(), CellX(2), CellY(0)));
  EXPECT_EQ(kBlack, Rgb(canvas(), CellX(0), CellY(1)));  // a tab is one blank cell
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(1), CellY(1)));
  // The two-pixel underline under the caret cell only.
  EXPECT_EQ(kBlue, Rgb(canvas(), 8, 13));
  EXPECT_EQ(kBlue, Rgb(canvas(), 8, 14));
  EXPECT_EQ(kBlack, Rgb(canvas(), 8, 12));
  EXPECT_EQ(kBlack, Rgb(canvas(), 20, 13));
  ASSERT_EQ(1u, port.presented.size());
  EXPECT_EQ(width, port.presented[0].right);
  EXPECT_EQ(height, port.presented[0].bottom);
  EXPECT_EQ(0, doc->render_cache->dirty);
  // The scrollbar: range 0..line count, page of 20 rows, saved after the paint.
  ASSERT_FALSE(port.set.empty());
  EXPECT_EQ(2, port.set.back().maximum);
  EXPECT_EQ(20, port.set.back().page);
  EXPECT_EQ(28, doc->render_cache->saved_scroll.size);
  // Idle paints: nothing, then the caret goes, as two small pieces.
  port.presented.clear();
  Paint();
  Paint();
  EXPECT_EQ(kBlack, Rgb(canvas(), 8, 13));
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(0), CellY(0)));
  ASSERT_EQ(4u, port.presented.size());
  EXPECT_EQ(2, RectHeight(port.presented[2]));
  EXPECT_EQ(7, RectWidth(port.presented[3]));
  Paint();
  Paint();
  EXPECT_EQ(kBlue, Rgb(canvas(), 8, 13));
}

TEST_F(SurfacePaint, SelectionBlendsAndTheCaretTurnsRed) {
  Document* doc = Open("abc\ndef\nghi");
  MoveTextStart(doc, false);
  MoveRight(doc, true);
  MoveDown(doc, true);
  Paint();
  // Row 0 from the anchor (column 0) to the right edge, row 1 up to column 1.
  EXPECT_EQ(kBlack, Rgb(canvas(), 4, CellY(0)));
  EXPECT_EQ(Blended(kGrey), Rgb(canvas(), CellX(0), CellY(0)));
  EXPECT_EQ(Blended(kGrey), Rgb(canvas(), CellX(1), CellY(0)));
  EXPECT_EQ(Blended(kBlack), Rgb(canvas(), CellX(30), CellY(0)));
  EXPECT_EQ(kBlack, Rgb(canvas(), CellX(30), 13));  // highlight is one pixel short of the cell
  EXPECT_EQ(Blended(kGrey), Rgb(canvas(), CellX(0), CellY(1)));
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(1), CellY(1)));
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(0), CellY(2)));
  // The red caret line at the selection's caret end (column 1 of row 1).
  EXPECT_EQ(MakePixel(255, 0, 0), Rgb(canvas(), 12, 14 + 5));
  // With a selection every paint lays out again.
  port.presented.clear();
  Paint();
  EXPECT_EQ(1u, port.presented.size());
  EXPECT_EQ(width, port.presented[0].right);
}

TEST_F(SurfacePaint, OverwriteCaretIsABlock) {
  Document* doc = Open("abc");
  MoveTextStart(doc, false);
  doc->overwrite = 1;
  Paint();
  // The block covers the cell but its last pixel row; the text shows through.
  EXPECT_EQ(Blended(kBlack), Rgb(canvas(), 5, 0));
  EXPECT_EQ(Blended(kGrey), Rgb(canvas(), CellX(0), CellY(0)));
  EXPECT_EQ(Blended(kBlack), Rgb(canvas(), 11, 12));
  EXPECT_EQ(kBlack, Rgb(canvas(), 11, 13));
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(1), CellY(0)));
}

TEST_F(SurfacePaint, EmptyScreenWithoutLabelsAndShownAgainOnRequest) {
  LineView labels;
  UseGridFont(labels.font);
  UpdateLineLabels(labels, 1, 3, 0, 1);
  line_view = &labels;
  Paint();
  line_view = nullptr;
  EXPECT_EQ(MakePixel(48, 25, 52), Rgb(canvas(), 10, 10));
  EXPECT_EQ(MakePixel(48, 25, 52), Rgb(canvas(), width - 1, height - 1));
  EXPECT_EQ(0, port.shown);
  EXPECT_TRUE(labels.labels.empty());
  EXPECT_EQ(1, port.lines_invalidated);
  EXPECT_EQ(1, view.empty_drawn);
  ASSERT_EQ(1u, port.presented.size());
  // Later paints do not draw again but present the canvas.
  PutCanvasPixel(view.canvas, 1, 1, kBlack, 1.0f);
  Paint();
  EXPECT_EQ(kBlack, Rgb(canvas(), 1, 1));
  EXPECT_EQ(2u, port.presented.size());
  EXPECT_EQ(1, port.lines_invalidated);
}

TEST_F(SurfacePaint, WisdomLineCentredUntilADocumentIsShown) {
  view.show_wisdom = 1;
  view.wisdom_index = 150;  // "The half is more than the whole", 31 cells
  Paint();
  const int left = width / 2 - 31 * 7 / 2;
  const int top = height / 2 - 13 / 2;
  EXPECT_EQ(MakePixel(255, 255, 255), Rgb(canvas(), left + 3, top + 6));
  EXPECT_EQ(MakePixel(48, 25, 52), Rgb(canvas(), left - 3, top + 6));
  Document* doc = Open("x");
  Paint();
  EXPECT_EQ(0, view.show_wisdom);
  CloseCurrent(&app);
  (void)doc;
  Paint();
  EXPECT_EQ(MakePixel(48, 25, 52), Rgb(canvas(), left + 3, top + 6));
}

TEST_F(SurfacePaint, LongLineScrollsWithTheMarker) {
  Document* doc = Open(std::string(200, 'x') + "\nshort");
  MoveTextStart(doc, false);
  Paint();
  MoveEnd(doc, false);
  Paint();
  const RenderCache& c = *doc->render_cache;
  EXPECT_EQ(60 - 7, c.columns);
  EXPECT_EQ((53 - 200) * 7, c.scroll_x);
  EXPECT_EQ(53, c.caret_cell_column);
  // Every row starts with a black box and a light-blue "<< ".
  for (int row : {0, 1}) {
    EXPECT_EQ(kBlack, Rgb(canvas(), 2, CellY(row)));
    EXPECT_EQ(kBlue, Rgb(canvas(), CellX(0), CellY(row)));
    EXPECT_EQ(kBlue, Rgb(canvas(), CellX(1), CellY(row)));
    EXPECT_EQ(kBlack, Rgb(canvas(), CellX(2), CellY(row)));
  }
  EXPECT_EQ(kGrey, Rgb(canvas(), CellX(52), CellY(0)));  // the line's last x
  EXPECT_EQ(kBlack, Rgb(canvas(), CellX(53), CellY(0)));
  EXPECT_EQ(kBlack, Rgb(canvas(), CellX(10), CellY(1)));  // "short" is scrolled away
}

TEST_F(SurfacePaint, WhitespaceDotsAndTheRuler) {
  Document* doc = Open("a  b");
  MoveTextStart(doc, false);
  view.show_whitespace = 1;
  view.ruler_column = 10;
  Paint();
  const Pixel dot = MakePixel(20, 72, 82);
  for (int k : {1, 2}) EXPECT_EQ(dot, Rgb(canvas(), 5 + 7 * k + 3, 7));
  EXPECT_EQ(kGrey, Rgb(canvas(), 8, 7));  // 'a' itself
  EXPECT_EQ(kGrey, Rgb(canvas(), 5 + 21 + 3, 7));
  EXPECT_EQ(MakePixel(25, 25, 25), Rgb(canvas(), 75, 100));
  EXPECT_EQ(MakePixel(25, 25, 25), Rgb(canvas(), 75, 0));
  EXPECT_EQ(kBlack, Rgb(canvas(), 76, 100));
  // The toggles need the pane's global and only mark the layout dirty.
  EXPECT_FALSE(ToggleRulerColumn());
  surface_view = &view;
  AppState* saved = app_state;
  app_state = &app;
  doc->render_cache->dirty = 0;
  EXPECT_TRUE(ToggleRulerColumn());
  EXPECT_EQ(0, view.ruler_column);
  EXPECT_TRUE(doc->render_cache->dirty);
  EXPECT_TRUE(ToggleWhitespaceDots());
  EXPECT_EQ(0, view.show_whitespace);
  EXPECT_TRUE(ToggleRulerColumn());
  EXPECT_EQ(120, view.ruler_column);  // the preference's default
  app_state = saved;
  surface_view = nullptr;
}

TEST_F(SurfacePaint, SwitchingDocumentsRestoresEachView) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line\n";
  Document* a = Open(text);
  const std::string path_a = app.current_path;
  MoveTextStart(a, false);
  Paint();
  for (int i = 0; i < 100; ++i) {
    MoveDown(a, false);
    Paint();
  }
  const int32_t top_a = a->render_cache->top_line;
  const int32_t row_a = a->render_cache->caret_row;
  EXPECT_EQ(17, row_a);  // rows - 3
  EXPECT_EQ(83, top_a);
  Document* b = Open("one\ntwo");
  Paint();
  EXPECT_EQ(0, b->render_cache->top_line);
  port.set.clear();
  app.current_path = path_a;
  Paint();
  EXPECT_EQ(top_a, a->render_cache->top_line);
  EXPECT_EQ(row_a, a->render_cache->caret_row);
  ASSERT_FALSE(port.set.empty());
  EXPECT_EQ(301, port.set.front().maximum);  // its saved scrollbar came back
  EXPECT_EQ(1, port.surface_invalidated);
}

// The caret timer paints while the button is held; a press and a release on
// one cell still leave no selection and the caret on the pressed line, in a
// view the wheel has detached and in one that follows the caret.
TEST_F(SurfacePaint, ClickLeavesNoSelectionWhateverPaintsRunBeforeTheRelease) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\n";
  Document* doc = Open(text);
  MoveTextStart(doc, false);
  Paint();
  RenderCache& c = *doc->render_cache;
  for (int row = 0; row < c.rows; ++row) {
    ScrollViewTo(&c, 100, true);
    Paint();
    for (const char* view_state : {"detached", "following"}) {
      const int32_t top = c.top_line;
      PressAt(doc, &c, CellX(2), CellY(row));
      Paint();
      Paint();
      ReleaseAt(doc, &c, CellX(2) + 1, CellY(row) + 2);
      EXPECT_FALSE(doc->has_selection) << view_state << " view, row " << row;
      EXPECT_EQ(static_cast<uint32_t>(top + row), doc->caret_line) << view_state << " view, row " << row;
      EXPECT_EQ(2u, doc->caret_column);
      Paint();
    }
  }
}

TEST_F(SurfacePaint, LabelsFollowTheLayout) {
  LineView labels;
  UseGridFont(labels.font);
  line_view = &labels;
  std::string text;
  for (int i = 0; i < 50; ++i) text += "x\n";
  Document* doc = Open(text);
  MoveTextStart(doc, false);
  MoveDown(doc, false);
  MoveRight(doc, false);
  Paint();
  line_view = nullptr;
  ASSERT_EQ(20u, labels.labels.size());
  EXPECT_EQ("    0001", labels.labels[0]);
  EXPECT_EQ("002:0002", labels.labels[1]);
  EXPECT_EQ(1, port.lines_invalidated);
}

TEST_F(SurfacePaint, FontWithoutSizeShowsTheEmptyScreen) {
  SurfaceView blank;  // no glyph source: "V" measures 0 x 0
  ASSERT_TRUE(ResizeCanvas(blank.canvas, 50, 50));
  Open("abc");
  PaintSurface(blank, &app, 50, 50, port);
  EXPECT_EQ(MakePixel(48, 25, 52), Rgb(blank.canvas, 20, 20));
  // No AppState: nothing at all.
  FakePort quiet;
  PaintSurface(view, nullptr, width, height, quiet);
  EXPECT_TRUE(quiet.presented.empty());
}

}  // namespace
