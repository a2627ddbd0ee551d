// Any file is either refused by LoadDocument or saved back to bytes that
// load again to the same text, line-end style included.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "documents/document_io.h"
#include "engine/document.h"

namespace {

std::string TempName(const char* what) {
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(dir) + "/orv-load-save-fuzz-" + std::to_string(getpid()) + "-" + what;
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

const std::string& InName() {
  static const std::string name = TempName("in");
  return name;
}

const std::string& OutName() {
  static const std::string name = TempName("out");
  return name;
}

void RemoveTempFiles() {
  std::remove(InName().c_str());
  std::remove(OutName().c_str());
}

// Removes the files when one run ends, however it ends.
struct TempFilesGuard {
  ~TempFilesGuard() { RemoveTempFiles(); }
};

struct Loaded {
  Document* doc = nullptr;
  ~Loaded() {
    if (doc != nullptr) DestroyDocument(doc);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& in = InName();
  const std::string& out = OutName();
  if (size < 1) return 0;
  TempFilesGuard guard;
  // The first byte picks the tab size; the rest is the file.
  int32_t tab_size = 2 + data[0] % 7;
  if (!WriteFile(in, data + 1, size - 1)) std::abort();

  Loaded first;
  first.doc = CreateDocument();
  first.doc->tab_size = tab_size;
  if (!LoadDocument(first.doc, in.c_str())) return 0;
  if (!SaveDocumentAs(first.doc, out.c_str())) std::abort();

  Loaded second;
  second.doc = CreateDocument();
  second.doc->tab_size = tab_size;
  if (!LoadDocument(second.doc, out.c_str())) std::abort();
  if (StringLength(first.doc->text) != StringLength(second.doc->text)) std::abort();
  if (std::string(StringData(first.doc->text)) != StringData(second.doc->text)) std::abort();
  if (first.doc->eol_style != second.doc->eol_style) std::abort();
  std::string why;
  if (!CheckInvariants(*second.doc, &why)) std::abort();
  return 0;
}
