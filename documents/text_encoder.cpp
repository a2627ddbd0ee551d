#include "documents/text_encoder.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "documents/byte_blocks.h"
#include "documents/file_placement.h"
#include "documents/file_writer.h"
#include "documents/utf8_fs.h"

namespace {

// Copies 16 bytes or up to the first LF, which goes out as CR LF; returns
// how many bytes of text were taken. Writes at most 17 bytes at `*out`.
size_t PutCrLf(const char* p, char** out) {
  Bytes16 v = LoadBytes16(p);
  StoreBytes16(*out, v);
  int plain = FirstHit(Equal(v, '\n'));
  *out += plain;
  if (plain == 16) return 16;
  *(*out)++ = '\r';
  *(*out)++ = '\n';
  return static_cast<size_t>(plain) + 1;
}

// 16 bytes with every LF written as CR.
void PutCr(const char* p, char** out) {
  Bytes16 v = LoadBytes16(p);
  StoreBytes16(*out, v + (Equal(v, '\n') & ('\r' - '\n')));
  *out += 16;
}

}  // namespace

bool WriteTextWithLineEnds(FileWriter* writer, const char* text, int32_t length,
                           uint32_t eol_style) {
  if (length <= 0) return !writer->Failed();
  if (eol_style != 1 && eol_style != 2) {
    writer->Write(text, length);
    return !writer->Failed();
  }
  // The output is gathered into a block so that the writer sees few, large
  // writes; the block has room for the last 16 bytes and one CR more.
  constexpr size_t kBlock = kMaxDirectWrite;
  std::unique_ptr<char[]> owned(new (std::nothrow) char[kBlock + 32]);
  if (owned == nullptr) return false;
  char* block = owned.get();
  char* out = block;
  const char* p = text;
  const char* end = text + length;
  while (end - p >= 16) {
    if (eol_style == 1) {
      p += PutCrLf(p, &out);
    } else {
      PutCr(p, &out);
      p += 16;
    }
    if (out - block >= static_cast<ptrdiff_t>(kBlock)) {
      writer->Write(block, out - block);
      out = block;
    }
  }
  for (; p < end; ++p) {
    if (*p == '\n' && eol_style == 1) *out++ = '\r';
    *out++ = *p == '\n' && eol_style == 2 ? '\r' : *p;
  }
  writer->Write(block, out - block);
  return !writer->Failed();
}

namespace {

// Creates a temporary file beside `path` that did not exist before; false
// with the code of the failed creation.
bool CreateTemporary(const char* path, std::string* temp_name,
                     std::unique_ptr<FileWriter>* writer, int* error) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    std::string name = NextTemporarySaveName(path);
    std::unique_ptr<FileWriter> w(new FileWriter(name.c_str(), CreateMode::kCreateNew));
    if (w->IsOpen()) {
      *temp_name = name;
      *writer = std::move(w);
      return true;
    }
    *error = w->Error();
    FileStatus st;
    if (!StatUtf8(name.c_str(), &st)) return false;  // not a name clash: give up
  }
  return false;
}

// The file a save replaces: the one `path` leads to through links, so that
// the link stays and the temporary file shares the file's folder. A name
// that leads nowhere may still be a link whose file is missing, and not
// every platform lets a program see such a link (under Wine it looks like
// no file at all): opening the name with creation makes the file the link
// names, as any open follows links, or else the file of that name. Once
// that file has a final path, *created tells the caller to remove it again
// should the save fail. "" with the code of the failed creation when no
// file can be made (its folder is missing); a link then stays as it was.
std::string SaveTarget(const char* path, bool* created, int* error) {
  std::string final_path;
  *created = false;
  if (FinalPathUtf8(path, &final_path)) return final_path;
  {
    FileWriter placeholder(path, CreateMode::kOpenAlways);
    if (!placeholder.IsOpen()) {
      *error = placeholder.Error();
      return std::string();
    }
  }
  *created = FinalPathUtf8(path, &final_path);
  return *created ? final_path : std::string(path);
}

// Writes the spans and puts the file on the disk; the bytes written, or -1.
int64_t WriteSpans(FileWriter* writer, const TextSpan* spans, int span_count,
                   uint32_t eol_style) {
  bool written = true;
  for (int i = 0; i < span_count && written; ++i)
    written = WriteTextWithLineEnds(writer, spans[i].bytes, spans[i].length, eol_style);
  return written && writer->SyncToDisk() ? writer->End() : -1;
}

// Writes the new file beside `target` and puts it in place; false with
// what the outcome says.
bool WriteAndPlace(const std::string& target, const TextSpan* spans, int span_count,
                   uint32_t eol_style, SaveOutcome* outcome) {
  FileStatus before;
  bool existed = StatUtf8(target.c_str(), &before);
  if (existed && !before.is_regular) {
    outcome->error = NotAFileError();
    return false;
  }
  std::string temp_name;
  std::unique_ptr<FileWriter> writer;
  if (!CreateTemporary(target.c_str(), &temp_name, &writer, &outcome->error)) return false;
  int64_t size = WriteSpans(writer.get(), spans, span_count, eol_style);
  outcome->error = writer->Error();
  writer.reset();  // closes the file
  if (size < 0) {
    RemoveFileUtf8(temp_name.c_str());
    return false;
  }
  switch (PutFileInPlace(temp_name.c_str(), target.c_str(), existed ? &before : nullptr,
                         &outcome->error)) {
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

}  // namespace

bool SaveTextToFile(const char* path, const TextSpan* spans, int span_count,
                    uint32_t eol_style, SaveOutcome* outcome) {
  SaveOutcome ignored;
  if (outcome == nullptr) outcome = &ignored;
  *outcome = SaveOutcome();
  if (path == nullptr || *path == 0) return false;
  bool created = false;
  const std::string target = SaveTarget(path, &created, &outcome->error);
  if (target.empty()) return false;
  if (WriteAndPlace(target, spans, span_count, eol_style, outcome)) return true;
  // The empty file made for the save goes again (the file itself: a link
  // to it stays).
  FileStatus now;
  if (created && StatUtf8(target.c_str(), &now) && now.size == 0) RemoveFileUtf8(target.c_str());
  return false;
}
