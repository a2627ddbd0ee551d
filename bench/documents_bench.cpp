// Load and save of a C++-like text of 16 KiB and of just under 16 MiB: the
// decode and encode in memory, and the whole load and save through files.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

#include "documents/document_io.h"
#include "documents/file_writer.h"
#include "documents/text_decoder.h"
#include "documents/text_encoder.h"
#include "engine/document.h"

namespace {

// Lines with CR LF ends, a tab in every fourth, just under `size` bytes.
std::string MakeText(size_t size) {
  std::string t;
  const char* const lines[] = {"  if (foo(value) != expected) return report_failure(value);",
                               "\tfor (int i = 0; i < limit; ++i) total += values[i];",
                               "static int foo_counter = 0;  // shared by every caller",
                               "}"};
  for (unsigned i = 0; t.size() < size - 100; ++i) {
    t += lines[i % 4];
    t += "\r\n";
  }
  return t;
}

const std::string& BigText() {
  static const std::string text = MakeText(16 * 1024 * 1024);
  return text;
}

void BM_DecodeCrLf(benchmark::State& state) {
  const std::string& bytes = BigText();
  for (auto _ : state) {
    GrowString text;
    TextDecoder d;
    BeginDecode(&d, &text, static_cast<int64_t>(bytes.size()), 2, 1, kGapSize);
    for (size_t at = 0; at < bytes.size(); at += 256 * 1024)
      DecodeBytes(&d, bytes.data() + at, std::min<size_t>(256 * 1024, bytes.size() - at));
    EndDecode(&d);
    benchmark::DoNotOptimize(text.data);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeCrLf)->Unit(benchmark::kMillisecond);

// Encodes into a writer whose platform file drops the bytes.
class NullTarget : public WriteTarget {
 public:
  bool WriteAt(int64_t, const char*, int32_t) override { return true; }
  bool Finish() override { return true; }
  bool SyncToDisk() override { return true; }
};

void BM_EncodeCrLf(benchmark::State& state) {
  GrowString text;
  TextDecoder d;
  const std::string& bytes = BigText();
  BeginDecode(&d, &text, static_cast<int64_t>(bytes.size()), 2, 1, 0);
  DecodeBytes(&d, bytes.data(), bytes.size());
  EndDecode(&d);
  for (auto _ : state) {
    FileWriter writer(std::unique_ptr<WriteTarget>(new NullTarget));
    WriteTextWithLineEnds(&writer, StringData(text), StringLength(text), 1);
    writer.Flush(true);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_EncodeCrLf)->Unit(benchmark::kMillisecond);

// A file of the argument's size in /tmp, removed at the end.
class BenchFile {
 public:
  explicit BenchFile(int64_t size)
      : path_("/tmp/orv-documents-bench-" + std::to_string(getpid()) + ".cpp") {
    std::string text = MakeText(static_cast<size_t>(size));
    FileWriter w(path_.c_str());
    w.Write(text.data(), static_cast<int64_t>(text.size()));
  }
  ~BenchFile() { unlink(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

void BM_LoadFile(benchmark::State& state) {
  BenchFile file(state.range(0));
  for (auto _ : state) {
    Document* doc = CreateDocument();
    if (!LoadDocument(doc, file.path())) state.SkipWithError("refused");
    state.PauseTiming();
    DestroyDocument(doc);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadFile)->Arg(16 << 10)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

// Ctrl+S: the safe save in place, flushed to the disk.
void BM_SaveFile(benchmark::State& state) {
  BenchFile file(state.range(0));
  Document* doc = CreateDocument();
  if (!LoadDocument(doc, file.path())) state.SkipWithError("refused");
  for (auto _ : state)
    if (!SaveDocument(doc)) state.SkipWithError("not saved");
  DestroyDocument(doc);
}
BENCHMARK(BM_SaveFile)->Arg(16 << 10)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
