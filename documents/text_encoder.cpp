#include "documents/text_encoder.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "documents/file_placement.h"
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

namespace {

// Creates a temporary file beside `path` that did not exist before.
bool CreateTemporary(const char* path, std::string* temp_name,
                     std::unique_ptr<FileWriter>* writer) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    std::string name = NextTemporarySaveName(path);
    std::unique_ptr<FileWriter> w(new FileWriter(name.c_str(), CreateMode::kCreateNew));
    if (w->IsOpen()) {
      *temp_name = name;
      *writer = std::move(w);
      return true;
    }
    FileStatus st;
    if (!StatUtf8(name.c_str(), &st)) return false;  // not a name clash: give up
  }
  return false;
}

// The file a save replaces: the one `path` leads to through links, so that
// the link stays and the temporary file shares the file's folder.
std::string SaveTarget(const char* path) {
  std::string final_path;
  return FinalPathUtf8(path, &final_path) ? final_path : std::string(path);
}

// Writes the spans and puts the file on the disk; the bytes written, or -1.
int64_t WriteSpans(FileWriter* writer, const TextSpan* spans, int span_count,
                   uint32_t eol_style) {
  bool written = true;
  for (int i = 0; i < span_count && written; ++i)
    written = WriteTextWithLineEnds(writer, spans[i].bytes, spans[i].length, eol_style);
  return written && writer->SyncToDisk() ? writer->End() : -1;
}

}  // namespace

bool SaveTextToFile(const char* path, const TextSpan* spans, int span_count,
                    uint32_t eol_style, SaveOutcome* outcome) {
  SaveOutcome ignored;
  if (outcome == nullptr) outcome = &ignored;
  *outcome = SaveOutcome();
  if (path == nullptr || *path == 0) return false;
  const std::string target = SaveTarget(path);
  FileStatus before;
  bool existed = StatUtf8(target.c_str(), &before);
  if (existed && !before.is_regular) return false;
  std::string temp_name;
  std::unique_ptr<FileWriter> writer;
  if (!CreateTemporary(target.c_str(), &temp_name, &writer)) return false;
  int64_t size = WriteSpans(writer.get(), spans, span_count, eol_style);
  writer.reset();  // closes the file
  if (size < 0) {
    RemoveFileUtf8(temp_name.c_str());
    return false;
  }
  switch (PutFileInPlace(temp_name.c_str(), target.c_str(), existed ? &before : nullptr)) {
    case PlaceResult::kPlaced:
      outcome->size = size;
      return true;
    case PlaceResult::kStranded:
      outcome->kept_path = temp_name;
      return false;
    case PlaceResult::kUnchanged:
      break;
  }
  return false;
}
