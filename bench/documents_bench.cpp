// Load and save of a large C++-like text, in memory and through files.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

#include "documents/document_io.h"
#include "documents/file_writer.h"
#include "documents/text_decoder.h"
#include "documents/text_encoder.h"
#include "engine/document.h"

namespace {

// About 16 MiB of lines with CR LF ends, a tab in every fourth line.
const std::string& BigText() {
  static const std::string text = [] {
    std::string t;
    const char* const lines[] = {"  if (foo(value) != expected) return report_failure(value);",
                                 "\tfor (int i = 0; i < limit; ++i) total += values[i];",
                                 "static int foo_counter = 0;  // shared by every caller",
                                 "}"};
    for (unsigned i = 0; t.size() < 16 * 1024 * 1024 - 100; ++i) {
      t += lines[i % 4];
      t += "\r\n";
    }
    return t;
  }();
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

void BM_LoadSaveFile(benchmark::State& state) {
  std::string in = "/tmp/orv-documents-bench-" + std::to_string(getpid()) + ".cpp";
  std::string out = in + ".out";
  {
    FileWriter w(in.c_str());
    w.Write(BigText().data(), static_cast<int64_t>(BigText().size()));
  }
  for (auto _ : state) {
    Document* doc = CreateDocument();
    LoadDocument(doc, in.c_str());
    SaveDocumentAs(doc, out.c_str());
    DestroyDocument(doc);
  }
  unlink(in.c_str());
  unlink(out.c_str());
}
BENCHMARK(BM_LoadSaveFile)->Unit(benchmark::kMillisecond);

}  // namespace
