// Any file is either refused by LoadDocument or saved back to bytes that
// load again to the same text, line-end style included.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "documents/document_io.h"
#include "engine/document.h"
#include "tests/documents/document_support.h"
#include "tests/documents/temp_dir.h"

namespace {

std::string TempName(const char* what) {
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(dir) + "/orv-load-save-fuzz-" + std::to_string(getpid()) + "-" + what;
}

// The two files of one run, removed when it ends, however it ends.
struct TempFiles {
  std::string in = TempName("in"), out = TempName("out");
  ~TempFiles() {
    std::remove(in.c_str());
    std::remove(out.c_str());
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TempFiles files;
  // The first byte picks the tab size; the rest is the file.
  int32_t tab_size = 2 + data[0] % 7;
  if (!WriteBytes(files.in, std::string(reinterpret_cast<const char*>(data) + 1, size - 1)))
    std::abort();
  DocumentPtr first = Load(files.in, tab_size);
  if (first == nullptr) return 0;
  if (!SaveDocumentAs(first.get(), files.out.c_str())) std::abort();
  DocumentPtr second = Load(files.out, tab_size);
  std::string why;
  if (second == nullptr || Content(*first) != Content(*second) ||
      first->eol_style != second->eol_style || !CheckInvariants(*second, &why))
    std::abort();
  return 0;
}
