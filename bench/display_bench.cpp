// The text pane's paint: a full layout of a 60 x 200-cell pane costs the same
// over 16 KiB and 16 MiB (only visible lines are touched); an idle paint only
// blinks the caret.
#include <benchmark/benchmark.h>

#include <string>

#include "display/surface_paint.h"
#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "tests/display/grid_font.h"

namespace {

class NullPort : public SurfacePort {
 public:
  void SetScroll(const SavedScroll& info) override { scroll = info; }
  SavedScroll GetScroll() override { return scroll; }
  void ShowScroll(bool) override {}
  void Present(const PixelRect& rect) override { benchmark::DoNotOptimize(rect); }
  void InvalidateSurface() override {}
  void PresentLinePane() override {}
  void ClientSize(int* w, int* h) override { *w = width, *h = height; }
  uint32_t NowMs() override { return now += 50; }  // one timer tick a paint
  bool PointerHeld() override { return false; }
  SavedScroll scroll;
  uint32_t now = 0;
  int width = 7 * (200 + 7), height = 14 * 60;  // the Pane's
};

std::string Text(size_t bytes) {
  const char* const lines[] = {"  if (foo(value) != expected) return report_failure(value);",
                               "    for (int i = 0; i < limit; ++i) total += values[i];",
                               "static int foo_counter = 0;  // shared by every caller", "}"};
  std::string t;
  for (unsigned i = 0; t.size() < bytes; ++i) {
    t += lines[i % 4];
    t += '\n';
  }
  return t;
}

struct Pane {
  AppState app;
  SurfaceView view;
  NullPort port;
  Document* doc = nullptr;
  static constexpr int kWidth = 7 * (200 + 7);  // 200 columns before scrolling
  static constexpr int kHeight = 14 * 60;

  explicit Pane(size_t bytes) {
    UseGridFont(view.font);
    ResizeCanvas(view.canvas, kWidth, kHeight);
    view.show_whitespace = 1;
    NewDocument(&app);
    doc = GetCurrentDocument(app);
    const std::string text = Text(bytes);
    InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
    MoveTextStart(doc, false);
    for (int i = 0; i < 30; ++i) MoveDown(doc, false);
    PaintSurface(view, &app, port);
  }
};

void BM_FullLayout(benchmark::State& state) {
  Pane pane(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    pane.doc->render_cache->dirty = 1;
    PaintSurface(pane.view, &pane.app, pane.port);
  }
}
BENCHMARK(BM_FullLayout)->Arg(16 << 10)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);

void BM_IdleBlink(benchmark::State& state) {
  Pane pane(16 << 10);
  for (auto _ : state) {
    PaintSurface(pane.view, &pane.app, pane.port);
  }
}
BENCHMARK(BM_IdleBlink)->Unit(benchmark::kMicrosecond);

}  // namespace
