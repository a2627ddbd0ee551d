// The line-number pane's labels: the column and line texts, and painting
// them beside the text pane's rows.
#include <cstdio>

#include "display/line_view.h"

LineView* line_view = nullptr;

namespace {

const Pixel kLabelColour = MakePixel(70, 70, 70);
const Pixel kCaretLabelColour = MakePixel(128, 128, 255);
const Pixel kLabelBackground = MakePixel(0, 0, 0);
const Pixel kNoLabelsBackground = MakePixel(48, 25, 52);

void MeasureLabelCell(LineView& view) {
  Canvas none;
  PixelRect extent{0, 0, 0, 0};
  DrawUtf8Text(view.font, none, "V", 1, &extent, kTextCalcRect);
  view.cell_width = RectWidth(extent);
  view.cell_height = RectHeight(extent) + view.metrics.row_gap;
}

}  // namespace

std::string FormatColumnText(int32_t column_number) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", static_cast<int>(column_number));
  return text;
}

void FormatLineLabel(std::string* out, const std::string& column_text, int32_t line_number,
                     bool caret_row) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", static_cast<int>(line_number));
  if (caret_row) {
    out->assign(column_text);
    out->push_back(':');
  } else {
    out->assign(column_text.size() + 1, ' ');
  }
  out->append(number);
}

void UpdateLineLabels(LineView& view, int32_t first, int32_t count, int32_t caret_row,
                      int32_t column_number) {
  view.caret_row = caret_row;
  for (std::string& label : view.labels) view.spare_labels.push_back(std::move(label));
  view.labels.clear();
  const std::string column_text = FormatColumnText(column_number);
  for (int32_t i = 0; i < count; ++i) {
    std::string label;
    if (!view.spare_labels.empty()) {
      label = std::move(view.spare_labels.back());
      view.spare_labels.pop_back();
    }
    FormatLineLabel(&label, column_text, first + i, i == caret_row);
    view.labels.push_back(std::move(label));
  }
  if (view.labels.empty()) return;
  Canvas none;
  PixelRect extent{0, 0, 0, 0};
  const std::string& last = view.labels.back();
  DrawUtf8Text(view.font, none, last.data(), static_cast<int>(last.size()), &extent,
               kTextCalcRect);
  view.pane_width = view.metrics.label_margin + RectWidth(extent);
}

void DrawLineLabels(LineView& view, int width, int height) {
  if (view.canvas.pixels == nullptr) return;
  SetBackgroundMode(view.font, kBackgroundTransparent);
  SetTextColour(view.font, kLabelColour);
  MeasureLabelCell(view);
  view.rows = height / view.cell_height;  // the cell is at least one pixel high
  if (view.labels.empty()) {
    ClearCanvas(view.canvas, kNoLabelsBackground);
    return;
  }
  ClearCanvas(view.canvas, kLabelBackground);
  for (size_t i = 0; i < view.labels.size(); ++i) {
    const std::string& label = view.labels[i];
    PixelRect box{0, 0, 0, 0};
    DrawUtf8Text(view.font, view.canvas, label.data(), static_cast<int>(label.size()), &box,
                 kTextCalcRect);
    const int top = static_cast<int>(i) * view.cell_height;
    box = PixelRect{width - RectWidth(box), top, width, top + view.cell_height};
    if (static_cast<int32_t>(i) == view.caret_row) SetTextColour(view.font, kCaretLabelColour);
    DrawUtf8Text(view.font, view.canvas, label.data(), static_cast<int>(label.size()), &box, 0);
    SetTextColour(view.font, kLabelColour);
  }
}
