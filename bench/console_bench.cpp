// Console editor speed on many lines: a 50,000-line paste above 50,000
// lines, and Ctrl+A then Ctrl+D again and again on a many-line text (the
// keys that once took minutes in the fuzzer). Each should fit in a frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
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

}  // namespace
