// Console editor speed on many lines: a 50,000-line paste above 50,000
// lines, and Ctrl+A then Ctrl+D again and again on a many-line text (the
// keys that once took minutes in the fuzzer). Each should fit in a frame.
// And what the undo history costs: 500 keys typed into a 100,000-line
// text must add at most 50 MB.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "console/console_editor.h"
#include "engine/clipboard.h"
#include "tests/support/memory_clipboard.h"

namespace {

// A 25 × 80 screen that draws nowhere.
class NullScreen : public ConsoleScreen {
 public:
  NullScreen() { ResizeGrid(&grid, 25, 80); }
  bool IsDown(ConsoleModifier) const override { return false; }
  void InvalidateCells(const ConsoleRect&) override {}
  void PumpMessages(bool) override {}
  void OpenLink(const std::string&) override {}
  void CaptureMouse(bool) override {}
};

std::string Lines(const char* word, int count, const char* end) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "  " + std::string(word) + " " + std::to_string(i) + end;
  return text;
}

// A file of `count` lines in the temporary folder, removed at the end.
class LinesFile {
 public:
  explicit LinesFile(int count)
      : path_("/tmp/orv_console_bench_" + std::to_string(getpid()) + "_" + std::to_string(count)) {
    std::ofstream(path_, std::ios::binary) << Lines("line", count, "\n");
  }
  ~LinesFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// An editor on `file`, the cursor on its first line; made and deleted
// outside the timed part.
std::unique_ptr<ConsoleEditor> OpenEditor(benchmark::State& state, NullScreen* screen,
                                          MemoryClipboard* clipboard, const LinesFile& file) {
  state.PauseTiming();
  auto editor = std::make_unique<ConsoleEditor>(screen, clipboard);
  editor->Open(file.path());
  state.ResumeTiming();
  return editor;
}

void BM_ConsolePaste50kLinesAbove50k(benchmark::State& state) {
  static const LinesFile file(50000);
  NullScreen screen;
  MemoryClipboard clipboard;
  clipboard.SetText(Lines("pasted", 50000, "\r\n"));
  for (auto _ : state) {
    std::unique_ptr<ConsoleEditor> editor = OpenEditor(state, &screen, &clipboard, file);
    editor->OnKey(CtrlKey('V'));
    benchmark::DoNotOptimize(editor->lines.size());
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConsolePaste50kLinesAbove50k)->Unit(benchmark::kMillisecond);

// Ctrl+A, then 70 × Ctrl+D: each inserts the whole first copy again at
// the end of the selection, so the text grows to 71 copies.
void BM_ConsoleSelectAllThenDuplicate70Times(benchmark::State& state) {
  static const LinesFile file(2000);
  NullScreen screen;
  MemoryClipboard clipboard;
  for (auto _ : state) {
    std::unique_ptr<ConsoleEditor> editor = OpenEditor(state, &screen, &clipboard, file);
    editor->OnKey(CtrlKey('A'));
    for (int i = 0; i < 70; ++i) editor->OnKey(CtrlKey('D'));
    benchmark::DoNotOptimize(editor->lines.size());
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConsoleSelectAllThenDuplicate70Times)->Unit(benchmark::kMillisecond);

// Bytes the allocator has handed out and not had back.
double HeapMegabytes() { return static_cast<double>(mallinfo2().uordblks) / 1e6; }

// A 100,000-line text of 4.3 MB pasted into an empty editor, then 500
// characters typed, each on a line 199 lines below the last (so each lands
// away from the others): the undo history keeps 501 states of the text.
void BM_ConsoleType500KeysIn100kLines(benchmark::State& state) {
  static const LinesFile empty(0);
  NullScreen screen;
  MemoryClipboard clipboard;
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "  \"setting_" + std::to_string(100000 + i) + "\": \"some longer values\",\r\n";
  clipboard.SetText(text);
  double added = 0, cpu_ms = 0;
  for (auto _ : state) {
    std::unique_ptr<ConsoleEditor> editor = OpenEditor(state, &screen, &clipboard, empty);
    state.PauseTiming();
    editor->OnKey(CtrlKey('V'));
    const double before = HeapMegabytes();
    const std::clock_t start = std::clock();
    state.ResumeTiming();
    for (int i = 0; i < 500; ++i) {
      editor->cursor_line = i * 199;
      editor->OnKey('x');
    }
    state.PauseTiming();
    cpu_ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    added = HeapMegabytes() - before;
    editor.reset();
    state.ResumeTiming();
  }
  state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["undo_MB_added"] = added;
  state.counters["cpu_ms_per_key"] = cpu_ms / 500;
}
BENCHMARK(BM_ConsoleType500KeysIn100kLines)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
