// Text engine speed on a generated C++-like text of just under 16 MiB
// (about 400,000 lines) and on a 16 KiB text, the caret in the middle:
// argument 0 is the 16 MiB text, 1 the 16 KiB one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>
#include <cstring>
#include <memory>
#include <string>

#include "engine/clipboard.h"
#include "engine/comment.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "engine/text_splice.h"
#include "tests/support/memory_clipboard.h"

namespace {

constexpr size_t kBigSize = 16 * 1024 * 1024 - 4096;
constexpr size_t kSmallSize = 16 * 1024;

std::string GenerateSource(size_t size) {
  // About 40 bytes a line and 0.36 whole-word "int" a line, like real code.
  static const char* const kLines[] = {
      "  int count = static_cast<int>(items.size());",
      "  for (size_t index = 0; index < count; ++index) {",
      "    total += weights[index] * values[index] + bias;",
      "  }",
      "  if (total > limit) return false;  // nothing left to do",
      "static int Compute(const Table& table, int row) {",
      "  // keep the running sum inside its permitted range",
      "  return table.cells[row].value + offset * scale;",
      "}",
      "",
      "  const double scale = ratio * factor / divisor;",
      "  int result = Clamp(value, lower_bound, upper_bound);",
      "  int spare = Reserve(expected_size, extra_room);",
      "  entries.reserve(expected_size + extra_room);",
  };

  constexpr size_t kLineCount = sizeof(kLines) / sizeof(kLines[0]);
  std::string text;
  text.reserve(size);
  for (size_t k = 0; text.size() < size; ++k) {
    const char* line = kLines[k % kLineCount];
    if (text.size() + std::strlen(line) + 1 > size) break;
    text += line;
    text += '\n';
  }
  return text;
}

const std::string& Source(size_t size) {
  static const std::string big = GenerateSource(kBigSize);
  static const std::string small = GenerateSource(kSmallSize);
  return size == kBigSize ? big : small;
}

std::unique_ptr<Document> LoadText(const std::string& text) {
  auto doc = std::make_unique<Document>();
  doc->render_cache = std::make_unique<RenderCache>();
  SetString(&doc->text, text.data(), static_cast<int32_t>(text.size()));
  doc->gap.gap_text = &doc->text;
  OpenGap(doc.get(), 0);
  RebuildLines(doc.get());
  return doc;
}

std::unique_ptr<Document> LoadDocument(size_t size) { return LoadText(Source(size)); }

void ToMiddle(Document* doc) {
  GoToLineColumn(doc, doc->lines.Count() / 2, 4);
  MoveRight(doc, false);  // closes the gap
}

size_t SizeArg(const benchmark::State& state) {
  return state.range(0) == 0 ? kBigSize : kSmallSize;
}

using Clock = std::chrono::steady_clock;

// Times `op` alone; `prepare` runs untimed before each call. Besides the
// mean, reports the median of the single calls: periodic costs such as a new
// gap every 24 characters show in the mean, not in the median.
template <typename Prepare, typename Op>
void TimeEach(benchmark::State& state, Document* doc, Prepare prepare, Op op) {
  std::vector<double> times;
  for (auto _ : state) {
    prepare(doc);
    auto start = Clock::now();
    op(doc);
    auto stop = Clock::now();
    double seconds = std::chrono::duration<double>(stop - start).count();
    state.SetIterationTime(seconds);
    if (times.size() < 2000000) times.push_back(seconds);
  }
  if (times.empty()) return;
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  state.counters["median_us"] = times[times.size() / 2] * 1e6;
}

void KeepNearMiddle(Document* doc) {
  uint32_t lines = static_cast<uint32_t>(doc->lines.Count());
  if (doc->caret_line < lines / 4 || doc->caret_line > lines * 3 / 4) ToMiddle(doc);
}

// Typing goes on in lines of ordinary length.
void KeepLinesShort(Document* doc) {
  KeepNearMiddle(doc);
  if (doc->caret_column >= 60) InsertText(doc, "\n", 1);
}

void BM_TypeCharacter(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), KeepLinesShort, [](Document* d) { InsertText(d, "x", 1); });
}

void BM_TypeEnter(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), KeepNearMiddle, [](Document* d) { InsertText(d, "\n", 1); });
}

void BM_BackspaceTyped(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(
      state, doc.get(),
      [](Document* d) {
        if (d->gap.gap_closed || d->gap.gap_insert == d->gap.gap_start) {
          for (int i = 0; i < 20; ++i) InsertText(d, i % 5 == 4 ? "\n" : "y", 1);
        }
      },
      [](Document* d) { DeleteChars(d, 1, false); });
}

template <void (*Move)(Document*, bool)>
void BM_Move(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), KeepNearMiddle, [](Document* d) { Move(d, false); });
}

// End on an LF stays put, so each End starts one character before it.
void BM_MoveEnd(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(
      state, doc.get(),
      [](Document* d) {
        KeepNearMiddle(d);
        MoveLeft(d, false);
      },
      [](Document* d) { MoveEnd(d, false); });
}

void BM_MovePageDown(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), KeepNearMiddle, [](Document* d) { MovePageDown(d, false, 40); });
}

void BM_Delete(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), [](Document*) {}, [](Document* d) { DeleteChars(d, 1, true); });
}

void BM_BackspaceOld(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), [](Document*) {}, [](Document* d) { DeleteChars(d, 1, false); });
}

void BM_DeleteWordForward(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), [](Document*) {}, [](Document* d) { DeleteWord(d, true); });
}

void BM_DeleteWordBackward(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), KeepNearMiddle, [](Document* d) { DeleteWord(d, false); });
}

void BM_FirstMoveAfterTyping(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(
      state, doc.get(), [](Document* d) { InsertText(d, "z", 1); },
      [](Document* d) { MoveLeft(d, false); });
}

// The search options, each with a text that never occurs (so every search
// reads the whole text) and a replace-all whose replacement is replaced back
// the next time. Without case the absent texts begin with a letter common in
// lower case and absent in upper case, which once made that search quadratic.
struct SearchMode {
  bool match_case;
  bool whole_word;
  const char* absent;
  const char* find;
  const char* replacement;
};
constexpr SearchMode kMatchCase{true, false, "zqx", "value", "Datum"};
constexpr SearchMode kWholeWord{true, true, "zqx", "int", "u32"};
constexpr SearchMode kIgnoreCase{false, false, "fox", "VALUE", "Datum"};
constexpr SearchMode kWholeWordIgnoreCase{false, true, "value", "INT", "u32"};

template <const SearchMode& kMode>
void BM_FindNew(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  TimeEach(state, doc.get(), [](Document*) {}, [](Document* d) {
    Find(d, kMode.absent, kMode.match_case, kMode.whole_word, true, false);
  });
}

// F3 and Shift+F3 with nothing to find: each press reads the whole text.
template <const SearchMode& kMode, bool (*kPress)(Document*)>
void BM_FindAgain(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  Find(doc.get(), kMode.absent, kMode.match_case, kMode.whole_word, true, false);
  TimeEach(state, doc.get(), [](Document*) {}, [](Document* d) { kPress(d); });
}

template <const SearchMode& kMode>
void BM_ReplaceAll(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  ToMiddle(doc.get());
  bool forth = true;
  int32_t count = 0;
  TimeEach(state, doc.get(), [](Document*) {}, [&](Document* d) {
    const char* from = forth ? kMode.find : kMode.replacement;
    const char* to = forth ? kMode.replacement : kMode.find;
    count = ReplaceAll(d, from, to, kMode.match_case, kMode.whole_word);
    forth = !forth;
  });
  state.counters["replacements"] = count;
}

// Needles that defeat a filter on a needle's first and last bytes: over a
// text of "a" alone, every offset is a candidate that agrees for a long way.
// A ridge is a "b" with `side` "a" on either side; side 0 is a run of 2,049
// "a", which agrees everywhere and is no whole word anywhere. A periodic
// adversary defeats the filter on the rarest bytes too: over "a" x 10, "b"
// repeated, 40 such periods and one a byte short, so that every eleventh
// offset agrees for 440 bytes and the linear matcher takes over. The caret
// starts in the middle, so each search reads as much text as the ordinary
// ones above.
struct Adversary {
  bool match_case;
  bool whole_word;
  int32_t side;
  bool periodic;
};
constexpr Adversary kRidgeIgnoreCase{false, false, 1023, false};
constexpr Adversary kRidgeMatchCase{true, false, 1023, false};
constexpr Adversary kRunWholeWordIgnoreCase{false, true, 0, false};
constexpr Adversary kRunWholeWordMatchCase{true, true, 0, false};
constexpr Adversary kShortRidgeIgnoreCase{false, false, 128, false};
constexpr Adversary kShortRidgeMatchCase{true, false, 128, false};
constexpr Adversary kPeriodicIgnoreCase{false, false, 0, true};

const std::string kPeriod = "aaaaaaaaaab";

std::string AdversaryNeedle(const Adversary& a) {
  if (a.periodic) {
    std::string needle;
    for (int i = 0; i < 40; ++i) needle += kPeriod;
    return needle + kPeriod.substr(1);
  }
  if (a.side == 0) return std::string(2049, 'a');
  std::string side(static_cast<size_t>(a.side), 'a');
  return side + "b" + side;
}

std::unique_ptr<Document> LoadAdversaryText(const Adversary& a) {
  static const std::string run(kBigSize, 'a');
  static const std::string periods = [] {
    std::string text;
    while (text.size() + kPeriod.size() <= kBigSize) text += kPeriod;
    return text;
  }();
  const std::string& text = a.periodic ? periods : run;
  auto doc = LoadText(text);
  SetCaret(doc.get(), static_cast<int64_t>(text.size() / 2), false);
  return doc;
}

template <const Adversary& kA>
void BM_FindAdversary(benchmark::State& state) {
  auto doc = LoadAdversaryText(kA);
  std::string needle = AdversaryNeedle(kA);
  TimeEach(state, doc.get(), [](Document*) {}, [&](Document* d) {
    Find(d, needle, kA.match_case, kA.whole_word, true, false);
  });
}

template <const Adversary& kA, bool (*kPress)(Document*)>
void BM_FindAgainAdversary(benchmark::State& state) {
  auto doc = LoadAdversaryText(kA);
  Find(doc.get(), AdversaryNeedle(kA), kA.match_case, kA.whole_word, true, false);
  TimeEach(state, doc.get(), [](Document*) {}, [](Document* d) { kPress(d); });
}

template <const Adversary& kA>
void BM_ReplaceAllAdversary(benchmark::State& state) {
  auto doc = LoadAdversaryText(kA);
  std::string needle = AdversaryNeedle(kA);
  TimeEach(state, doc.get(), [](Document*) {}, [&](Document* d) {
    ReplaceAll(d, needle, "x", kA.match_case, kA.whole_word);
  });
}

// Ctrl+Home, Ctrl+End and Ctrl+A from the middle of the text.
template <void (*kCommand)(Document*)>
void BM_FromMiddle(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  TimeEach(state, doc.get(), ToMiddle, kCommand);
}

void TextStart(Document* doc) { MoveTextStart(doc, false); }
void TextEnd(Document* doc) { MoveTextEnd(doc, false); }

// A command over the whole text just selected with Ctrl+A; `undo` (untimed)
// brings the text back to its first form first.
template <void (*kCommand)(Document*), void (*kUndo)(Document*)>
void BM_OverAll(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  bool done = false;
  TimeEach(
      state, doc.get(),
      [&](Document* d) {
        if (done) {
          SelectAll(d);
          kUndo(d);
        }
        SelectAll(d);
        done = true;
      },
      kCommand);
}

// Shift+Tab and Ctrl+U over what Tab and Ctrl+K (untimed) put there.
template <void (*kAdd)(Document*), void (*kRemove)(Document*)>
void BM_RemoveOverAll(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  TimeEach(
      state, doc.get(),
      [](Document* d) {
        SelectAll(d);
        kAdd(d);
        SelectAll(d);
      },
      kRemove);
}

void BM_CopyAll(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  MemoryClipboard clipboard;
  TimeEach(state, doc.get(), [](Document*) {}, [&](Document* d) {
    SelectAll(d);
    CopySelection(d, clipboard);
  });
  state.counters["copied_bytes"] = static_cast<double>(clipboard.Text().size());
}

// 5 MiB of whole lines with CR LF ends, as a Windows program puts them on the
// clipboard.
std::string PasteText() {
  const std::string& source = Source(kBigSize);
  std::string lines = source.substr(0, source.rfind('\n', 5 * 1024 * 1024) + 1);
  std::string text;
  text.reserve(lines.size() * 41 / 40);
  for (char c : lines) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

// Ctrl+V of 5 MiB into the middle of the text; the paste is taken out again
// untimed before the next one.
void BM_Paste5MiB(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  MemoryClipboard clipboard;
  clipboard.SetText(PasteText());
  ToMiddle(doc.get());
  int32_t at = -1;
  TimeEach(
      state, doc.get(),
      [&](Document* d) {
        if (at < 0) return;
        CloseGapAtCaret(d);
        SpliceText(d, at, static_cast<int32_t>(d->caret) - at, nullptr, 0);
        SetCaret(d, at, false);
        RefreshLines(d);
      },
      [&](Document* d) {
        at = static_cast<int32_t>(d->caret);
        PasteClipboard(d, clipboard);
      });
}

void BM_LineCacheBytesPerLine(benchmark::State& state) {
  auto doc = LoadDocument(SizeArg(state));
  for (auto _ : state) benchmark::DoNotOptimize(doc->lines.Count());
  state.counters["lines"] = doc->lines.Count();
  state.counters["slot_bytes"] = sizeof(LineSlot);
  state.counters["allocated_bytes_per_line"] =
      static_cast<double>(doc->lines.raw.capacity) / doc->lines.Count();
}

#define ENGINE_BENCH(...) \
  BENCHMARK(__VA_ARGS__)->Arg(0)->Arg(1)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true)

ENGINE_BENCH(BM_TypeCharacter);
ENGINE_BENCH(BM_TypeEnter);
ENGINE_BENCH(BM_BackspaceTyped);
ENGINE_BENCH(BM_Move<MoveLeft>);
ENGINE_BENCH(BM_Move<MoveRight>);
ENGINE_BENCH(BM_Move<MoveUp>);
ENGINE_BENCH(BM_Move<MoveDown>);
ENGINE_BENCH(BM_Move<MoveHome>);
ENGINE_BENCH(BM_MoveEnd);
ENGINE_BENCH(BM_Move<MoveWordRight>);
ENGINE_BENCH(BM_MovePageDown);
ENGINE_BENCH(BM_Delete);
ENGINE_BENCH(BM_BackspaceOld);
ENGINE_BENCH(BM_DeleteWordForward);
ENGINE_BENCH(BM_DeleteWordBackward);
ENGINE_BENCH(BM_FirstMoveAfterTyping);

// The commands below under the names of their keys.
#define ENGINE_COMMAND(name, ...) ENGINE_BENCH(__VA_ARGS__)->Name(name)

ENGINE_COMMAND("Find/match_case", BM_FindNew<kMatchCase>);
ENGINE_COMMAND("Find/ignore_case", BM_FindNew<kIgnoreCase>);
ENGINE_COMMAND("Find/whole_word_ignore_case", BM_FindNew<kWholeWordIgnoreCase>);
ENGINE_COMMAND("F3/ignore_case", BM_FindAgain<kIgnoreCase, FindNext>);
ENGINE_COMMAND("F3/whole_word_ignore_case", BM_FindAgain<kWholeWordIgnoreCase, FindNext>);
ENGINE_COMMAND("ShiftF3/ignore_case", BM_FindAgain<kIgnoreCase, FindPrevious>);
ENGINE_COMMAND("ShiftF3/whole_word_ignore_case", BM_FindAgain<kWholeWordIgnoreCase, FindPrevious>);
ENGINE_COMMAND("ReplaceAll/whole_word", BM_ReplaceAll<kWholeWord>);
ENGINE_COMMAND("ReplaceAll/ignore_case", BM_ReplaceAll<kIgnoreCase>);
ENGINE_COMMAND("ReplaceAll/whole_word_ignore_case", BM_ReplaceAll<kWholeWordIgnoreCase>);

// The adversaries, on 16 MiB only.
#define ADVERSARY(name, ...)                                                                 \
  BENCHMARK(__VA_ARGS__)->Arg(0)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true) \
      ->Name(name)

ADVERSARY("Find/adversary_ridge_ignore_case", BM_FindAdversary<kRidgeIgnoreCase>);
ADVERSARY("Find/adversary_ridge_match_case", BM_FindAdversary<kRidgeMatchCase>);
ADVERSARY("Find/adversary_run_whole_word_ignore_case", BM_FindAdversary<kRunWholeWordIgnoreCase>);
ADVERSARY("Find/adversary_run_whole_word_match_case", BM_FindAdversary<kRunWholeWordMatchCase>);
ADVERSARY("F3/adversary_ridge_ignore_case", BM_FindAgainAdversary<kRidgeIgnoreCase, FindNext>);
ADVERSARY("ShiftF3/adversary_short_ridge_ignore_case",
          BM_FindAgainAdversary<kShortRidgeIgnoreCase, FindPrevious>);
ADVERSARY("ShiftF3/adversary_short_ridge_match_case",
          BM_FindAgainAdversary<kShortRidgeMatchCase, FindPrevious>);
ADVERSARY("Find/adversary_periodic_ignore_case", BM_FindAdversary<kPeriodicIgnoreCase>);
ADVERSARY("ReplaceAll/adversary_ridge_ignore_case", BM_ReplaceAllAdversary<kRidgeIgnoreCase>);
ADVERSARY("ReplaceAll/adversary_run_whole_word_ignore_case",
          BM_ReplaceAllAdversary<kRunWholeWordIgnoreCase>);
ADVERSARY("ReplaceAll/adversary_periodic_ignore_case", BM_ReplaceAllAdversary<kPeriodicIgnoreCase>);
ENGINE_COMMAND("CtrlHome", BM_FromMiddle<TextStart>);
ENGINE_COMMAND("CtrlEnd", BM_FromMiddle<TextEnd>);
ENGINE_COMMAND("CtrlA", BM_FromMiddle<SelectAll>);
ENGINE_COMMAND("CtrlA_Tab", BM_OverAll<IndentLines, UnindentLines>);
ENGINE_COMMAND("CtrlA_ShiftTab", BM_RemoveOverAll<IndentLines, UnindentLines>);
ENGINE_COMMAND("CtrlA_CtrlK", BM_OverAll<CommentLines, UncommentLines>);
ENGINE_COMMAND("CtrlA_CtrlU", BM_RemoveOverAll<CommentLines, UncommentLines>);
ENGINE_COMMAND("CtrlA_CtrlC", BM_CopyAll);
ENGINE_COMMAND("CtrlV_5MiB", BM_Paste5MiB);
BENCHMARK(BM_LineCacheBytesPerLine)->Arg(0)->Iterations(1);

}  // namespace
