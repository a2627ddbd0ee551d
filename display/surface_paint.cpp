#include "display/surface_paint.h"

#include <algorithm>

#include "display/line_view.h"
#include "display/maxims.h"
#include "display/surface_layout.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/utf8.h"

namespace {

const Pixel kBlack = MakePixel(0, 0, 0);

PixelRect WholeClient(int width, int height) { return PixelRect{0, 0, width, height}; }

void DrawWisdom(SurfaceView& view, int width, int height) {
  const char* maxim = kMaxims[std::clamp(view.wisdom_index, 0, kMaximCount - 1)];
  PixelRect extent{0, 0, 0, 0};
  DrawUtf8Text(view.font, view.canvas, maxim, -1, &extent, kTextCalcRect);
  const int w = RectWidth(extent);
  const int h = RectHeight(extent);
  PixelRect place{width / 2 - w / 2, height / 2 - h / 2, 0, 0};
  place.right = place.left + w;
  place.bottom = place.top + h;
  SetTextColour(view.font, kWisdomColour);
  DrawUtf8Text(view.font, view.canvas, maxim, -1, &place, 0);
  SetTextColour(view.font, kTextColour);
}

void PaintEmpty(SurfaceView& view, int width, int height, SurfacePort& port) {
  if (!view.empty_drawn) {
    view.empty_drawn = 1;
    port.ShowScroll(false);
    ClearCanvas(view.canvas, kEmptyColour);
    if (line_view != nullptr) {
      UpdateLineLabels(*line_view, 0, 0, 0, 0);
      port.PresentLinePane();
    }
    if (view.show_wisdom) DrawWisdom(view, width, height);
  }
  // Shown again on every paint so a covered pane comes back; the timer does
  // not ask for paints while the empty screen stays.
  port.Present(WholeClient(width, height));
}

// Copies the visible characters of a line to line_text, tabs as spaces.
// Returns the number of characters skipped at the left.
int32_t VisibleText(SurfaceView& view, const LineRef& line, int width) {
  const RenderCache& c = *view.cache;
  const size_t length = line.length;
  const int32_t hidden = -c.scroll_x / c.cell_width;
  const int32_t visible = width / c.cell_width + 2;
  const size_t from = Utf8OffsetOfColumn(line.start, length, hidden);
  const size_t to = from + Utf8OffsetOfColumn(line.start + from, length - from, visible);
  view.line_text.assign(line.start + from, to - from);
  std::replace(view.line_text.begin(), view.line_text.end(), '\t', ' ');
  return Utf8Columns(line.start, from);
}

// A dot is a square `stroke` pixels wide on the cell's centre.
void DrawWhitespaceDots(SurfaceView& view, int left, int row) {
  const RenderCache& c = *view.cache;
  const int side = view.metrics.stroke;
  const int y = row * c.cell_height + c.cell_height / 2 - side / 2;
  int32_t k = 0;
  for (unsigned char ch : view.line_text) {
    if (IsUtf8Continuation(ch)) continue;
    if (ch == ' ') {
      FillCanvasRect(view.canvas, left + k * c.cell_width + c.cell_width / 2 - side / 2, y, side,
                     side, kWhitespaceColour, 1.0f);
    }
    ++k;
  }
}

void DrawScrolledMarker(SurfaceView& view, int row) {
  const RenderCache& c = *view.cache;
  const int top = row * c.cell_height;
  PixelRect marker{c.left_margin, top, 0, 0};
  DrawUtf8Text(view.font, view.canvas, "<< ", 3, &marker, kTextCalcRect);
  FillCanvasRect(view.canvas, 0, top, c.left_margin + 3 * c.cell_width, c.cell_height, kBlack,
                 1.0f);
  marker.bottom = top + c.cell_height;
  SetTextColour(view.font, kHighlightColour);
  DrawUtf8Text(view.font, view.canvas, "<< ", 3, &marker, 0);
  SetTextColour(view.font, kTextColour);
}

void DrawLines(SurfaceView& view, const Document& doc, int width) {
  const RenderCache& c = *view.cache;
  const int32_t count = std::min(doc.lines.Count(), c.line_count);
  for (int32_t k = c.top_line, r = 0; k < count && r < c.rows; ++k, ++r) {
    if (k < 0) continue;
    const int32_t skipped = VisibleText(view, doc.lines[k], width);
    const int left = c.left_margin + c.scroll_x + skipped * c.cell_width;
    if (!view.line_text.empty()) {
      PixelRect box{left, r * c.cell_height, left, r * c.cell_height};
      DrawUtf8Text(view.font, view.canvas, view.line_text.data(),
                   static_cast<int>(view.line_text.size()), &box, kTextCalcRect);
      box.bottom = box.top + c.cell_height;
      DrawUtf8Text(view.font, view.canvas, view.line_text.data(),
                   static_cast<int>(view.line_text.size()), &box, 0);
    }
    if (view.show_whitespace) DrawWhitespaceDots(view, left, r);
    if (c.scroll_x != 0) DrawScrolledMarker(view, r);
  }
}

PixelRect CaretRect(const RenderCache& c) {
  return PixelRect{c.caret_rect[0], c.caret_rect[1], c.caret_rect[2], c.caret_rect[3]};
}

void BackUpCaretCell(RenderCache& c, const Canvas& canvas) {
  if (c.caret_backup.canvas == nullptr) {
    c.caret_backup.canvas = NewCanvas();
    c.caret_backup.destroy = DeleteCanvas;
    if (c.caret_backup.canvas == nullptr) return;
  }
  Canvas& backup = *c.caret_backup.canvas;
  if (!ResizeCanvas(backup, c.cell_width, c.cell_height)) return;
  ClearCanvas(backup, kBlack);
  // Parts of the cell outside the canvas stay black in the backup.
  const PixelRect cell = CaretRect(c);
  const int dx = std::max(0, -cell.left);
  const int dy = std::max(0, -cell.top);
  CopyCanvas(backup, dx, dy, canvas, PixelRect{cell.left + dx, cell.top + dy, cell.right, cell.bottom},
             1.0f);
}

void RestoreCaretCell(SurfaceView& view) {
  const RenderCache& c = *view.cache;
  if (c.caret_backup.canvas == nullptr) return;
  const Canvas& backup = *c.caret_backup.canvas;
  CopyCanvas(view.canvas, c.caret_rect[0], c.caret_rect[1], backup,
             PixelRect{0, 0, backup.width, backup.height}, 1.0f);
}

// The first of the insert caret's `caret_rows` rows: they straddle the
// cell's bottom edge as its two rows do at 96 DPI.
int CaretTop(const SurfaceView& view, int bottom) { return bottom - view.metrics.caret_rows / 2; }

void FullWidthLines(SurfaceView& view, int bottom, Pixel colour, int left, int right) {
  for (int y = CaretTop(view, bottom); y < CaretTop(view, bottom) + view.metrics.caret_rows; ++y)
    DrawCanvasLine(view.canvas, left, y, right, y, colour, 1.0f, true);
}

// A vertical line `stroke` pixels wide from x rightward.
void VerticalStroke(SurfaceView& view, int x, int top, int bottom, Pixel colour) {
  for (int i = 0; i < view.metrics.stroke; ++i)
    DrawCanvasLine(view.canvas, x + i, top, x + i, bottom, colour, 1.0f, true);
}

void DrawCaret(SurfaceView& view, const Document& doc, CaretDraw draw, int width) {
  RenderCache& c = *view.cache;
  const int bottom = c.caret_rect[3];
  if (draw == CaretDraw::kHide) {
    RestoreCaretCell(view);
    FullWidthLines(view, bottom, kBlack, 0, width);
  } else if (doc.has_selection) {
    const SelectionEnds ends = SelectionPixels(c, doc);
    VerticalStroke(view, ends.x_c, ends.y_c, ends.y_c + c.cell_height - 1, kSelectionCaretColour);
  } else if (doc.overwrite) {
    RestoreCaretCell(view);
    FillCanvasRect(view.canvas, c.caret_rect[0], c.caret_rect[1], c.caret_rect[2] - c.caret_rect[0],
                   c.caret_rect[3] - c.caret_rect[1] - c.row_gap, kHighlightColour, kHighlightOpacity);
  } else {
    FullWidthLines(view, bottom, kBlack, 0, width);
    FullWidthLines(view, bottom, kHighlightColour, c.caret_rect[0], c.caret_rect[2]);
  }
}

// The thumb stands for the first line shown, whatever moved the view.
void ShowTopLineOnScrollbar(const RenderCache& c, int height, SurfacePort& port) {
  const SavedScroll want{kScrollInfoSize, kScrollRange | kScrollPage | kScrollPosition, 0,
                         c.line_count, height / c.cell_height, c.top_line};
  const SavedScroll have = port.GetScroll();
  if (have.maximum != want.maximum || have.page != want.page || have.position != want.position) {
    port.SetScroll(want);
  }
}

void LayOut(SurfaceView& view, const Document& doc, int width, int height, SurfacePort& port) {
  RenderCache& c = *view.cache;
  const int32_t caret_line = static_cast<int32_t>(doc.caret_line);
  const int32_t caret_column = static_cast<int32_t>(doc.caret_column);
  ClearCanvas(view.canvas, kBlack);
  c.last_line_count = c.line_count;
  if (!port.PointerHeld()) {
    FollowVertically(c, caret_line, caret_column);
    FollowHorizontally(c, caret_column);
  }
  ShowTopLineOnScrollbar(c, height, port);
  c.last_caret_line = caret_line;
  c.last_caret_column = caret_column;
  c.last_has_selection = doc.has_selection;
  if (line_view != nullptr) {
    UpdateLineLabels(*line_view, c.top_line + 1, std::min(c.rows, c.line_count), c.caret_row,
                     caret_column + 1);
    port.PresentLinePane();
  }
  StoreCaretRect(c);
  c.dirty = 1;
  c.caret_moved = 1;
  DrawLines(view, doc, width);
  BackUpCaretCell(c, view.canvas);
  if (doc.has_selection) {
    for (const PixelRect& r : SelectionRects(c, SelectionPixels(c, doc), width, height)) {
      FillCanvasRect(view.canvas, r.left, r.top, RectWidth(r), RectHeight(r), kHighlightColour,
                     kHighlightOpacity);
    }
  }
}

void PresentChanges(SurfaceView& view, int width, int height, SurfacePort& port) {
  RenderCache& c = *view.cache;
  if (c.dirty) {
    port.Present(WholeClient(width, height));
    c.dirty = 0;
    return;
  }
  const int caret_top = CaretTop(view, c.caret_rect[3]);
  port.Present(PixelRect{0, caret_top, width, caret_top + view.metrics.caret_rows});
  port.Present(CaretRect(c));
}

// A document switch puts back the document's own scrollbar first: showing
// or hiding the bar changes the client width its columns are counted from.
void RestoreSwitchedView(SurfaceView& view, Document& doc, SurfacePort& port) {
  RenderCache& c = *doc.render_cache;
  const char* path = StringData(doc.path);
  if (view.shown_path == path) return;
  if (c.saved_scroll.size != 0) {
    port.SetScroll(c.saved_scroll);
    port.InvalidateSurface();
  }
  view.shown_path = path;
  c.last_line_count = -1;
  c.dirty = 1;
}

void PaintDocument(SurfaceView& view, Document& doc, int width, int height, SurfacePort& port) {
  view.empty_drawn = 0;
  view.show_wisdom = 0;
  view.cache = doc.render_cache.get();
  RenderCache& c = *view.cache;
  if (NeedsFullLayout(c, doc)) LayOut(view, doc, width, height, port);
  // With its timer stopped (no focus, a selection) the caret stands solid:
  // a paint for something else (a part uncovered, a restore) keeps it so.
  if (!view.blink_armed) c.caret_moved = 1;
  const CaretDraw draw = BlinkStep(c, port.NowMs());
  if (draw != CaretDraw::kNothing) DrawCaret(view, doc, draw, width);
  if (view.ruler_column != 0) {
    const int x = c.cell_width * view.ruler_column + c.left_margin;
    VerticalStroke(view, x, 0, height, kRulerColour);
  }
  PresentChanges(view, width, height, port);
  c.saved_scroll = port.GetScroll();
}

}  // namespace

void MeasureCell(CachedFont& font, int row_gap, int* cell_width, int* cell_height) {
  Canvas none;
  PixelRect extent{0, 0, 0, 0};
  DrawUtf8Text(font, none, "V", 1, &extent, kTextCalcRect);
  *cell_width = RectWidth(extent);
  *cell_height = RectHeight(extent) > 0 ? RectHeight(extent) + row_gap : 0;
}

void PaintSurface(SurfaceView& view, const AppState* app, SurfacePort& port) {
  if (app == nullptr || view.canvas.pixels == nullptr) return;
  view.cache = nullptr;
  SetBackgroundMode(view.font, kBackgroundTransparent);
  SetTextColour(view.font, kTextColour);
  int cell_width = 0;
  int cell_height = 0;
  MeasureCell(view.font, view.metrics.row_gap, &cell_width, &cell_height);
  Document* doc = GetCurrentDocument(*app);
  if (doc != nullptr && doc->render_cache != nullptr) RestoreSwitchedView(view, *doc, port);
  int width = 0;
  int height = 0;
  port.ClientSize(&width, &height);
  if (width != view.canvas.width || height != view.canvas.height) {
    // The window resizes the canvas as it resizes; this one is for a size
    // that changed under the paint, with no message in between.
    if (!ResizeCanvas(view.canvas, width, height) || view.canvas.pixels == nullptr) return;
    view.empty_drawn = 0;
    if (doc != nullptr && doc->render_cache != nullptr) doc->render_cache->dirty = 1;
  }
  if (doc == nullptr || doc->render_cache == nullptr) {
    PaintEmpty(view, width, height, port);
  } else {
    doc->render_cache->left_margin = view.metrics.left_margin;
    doc->render_cache->row_gap = view.metrics.row_gap;
    if (!StoreMetrics(*doc->render_cache, cell_width, cell_height, width, height, doc->lines.Count())) {
      PaintEmpty(view, width, height, port);
    } else {
      PaintDocument(view, *doc, width, height, port);
    }
  }
  // What the pane now shows, for the next request to compare with.
  view.shown = FactsOf(doc);
}
