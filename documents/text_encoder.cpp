#include "documents/text_encoder.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "documents/file_writer.h"
#include "documents/utf8_fs.h"

bool WriteTextWithLineEnds(FileWriter* writer, const char* text, int32_t length,
                           uint32_t eol_style) {
  if (length <= 0) return !writer->Failed();
  if (eol_style != 1 && eol_style != 2) {
    writer->Write(text, length);
    return !writer->Failed();
  }
  // Lines are gathered into a local block so that the writer sees few,
  // large writes.
  constexpr size_t kBlock = 64 * 1024;
  char block[kBlock];
  size_t used = 0;
  const char* p = text;
  const char* end = text + length;
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* stop = lf != nullptr ? lf : end;
    size_t n = static_cast<size_t>(stop - p);
    if (used + n + 2 > kBlock) {
      writer->Write(block, static_cast<int64_t>(used));
      used = 0;
      if (n + 2 > kBlock) {  // a very long line goes straight through
        writer->Write(p, static_cast<int64_t>(n));
        n = 0;
      }
    }
    std::memcpy(block + used, p, n);
    used += n;
    if (lf == nullptr) break;
    if (eol_style == 1) block[used++] = '\r';
    block[used++] = eol_style == 1 ? '\n' : '\r';
    p = lf + 1;
  }
  writer->Write(block, static_cast<int64_t>(used));
  return !writer->Failed();
}

void TemporarySaveName(const char* path, int n, char* out, int out_size) {
  const char* name = path;
  for (const char* p = path; *p != 0; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  std::snprintf(out, static_cast<size_t>(out_size), "%.*s~orvinale-save-%d.tmp",
                static_cast<int>(name - path), path, n);
}

namespace {

// Creates a temporary file next to `path` that did not exist before.
bool CreateTemporary(const char* path, std::string* temp_name,
                     std::unique_ptr<FileWriter>* writer) {
  static int counter = 0;
  std::string buffer(std::strlen(path) + 64, '\0');
  for (int attempt = 0; attempt < 64; ++attempt) {
    TemporarySaveName(path, counter++, &buffer[0], static_cast<int>(buffer.size()));
    std::unique_ptr<FileWriter> w(new FileWriter(buffer.c_str(), CreateMode::kCreateNew));
    if (w->IsOpen()) {
      *temp_name = buffer.c_str();
      *writer = std::move(w);
      return true;
    }
    FileStatus st;
    if (!StatUtf8(buffer.c_str(), &st)) return false;  // not a name clash: give up
  }
  return false;
}

}  // namespace

bool SaveTextToFile(const char* path, const TextSpan* spans, int span_count,
                    uint32_t eol_style) {
  if (path == nullptr || *path == 0) return false;
  FileStatus target;
  if (StatUtf8(path, &target) && !target.is_regular) return false;
  std::string temp_name;
  std::unique_ptr<FileWriter> writer;
  if (!CreateTemporary(path, &temp_name, &writer)) return false;
  bool written = true;
  for (int i = 0; i < span_count && written; ++i)
    written = WriteTextWithLineEnds(writer.get(), spans[i].bytes, spans[i].length, eol_style);
  written = written && writer->SyncToDisk();
  writer.reset();  // closes the file
  if (!written || !ReplaceFileUtf8(temp_name.c_str(), path)) {
    RemoveFileUtf8(temp_name.c_str());
    return false;
  }
  return true;
}
