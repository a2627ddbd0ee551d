#include "documents/document_io.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "documents/file_names.h"
#include "documents/file_reader.h"
#include "documents/text_decoder.h"
#include "documents/text_encoder.h"
#include "documents/utf8_fs.h"
#include "engine/document.h"
#include "preferences/preferences.h"

namespace {

constexpr size_t kLoadChunk = 256 * 1024;

struct StreamCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// Reads the whole stream into doc->text after `lead` bytes; false when it
// is refused.
bool ReadText(Document* doc, FILE* stream, int64_t size, int32_t lead) {
  std::unique_ptr<char[]> chunk(new (std::nothrow) char[kLoadChunk]);
  if (chunk == nullptr) return false;
  TextDecoder decoder;
  if (!BeginDecode(&decoder, &doc->text, size, doc->tab_size, doc->eol_style, lead))
    return false;
  size_t n;
  while ((n = std::fread(chunk.get(), 1, kLoadChunk, stream)) > 0)
    if (!DecodeBytes(&decoder, chunk.get(), n)) return false;
  if (std::ferror(stream) || !EndDecode(&decoder)) return false;
  doc->eol_style = decoder.eol_style;
  return true;
}

// Writes the content: the text without the typing gap's free part. The
// gap stays where it is, so a save leaves the document as it was.
bool WriteDocument(const Document& doc, const char* path, SaveOutcome* outcome) {
  const char* text = StringData(doc.text);
  int32_t length = StringLength(doc.text);
  const TypingGap& gap = doc.gap;
  if (gap.gap_closed || gap.gap_insert < 0 || gap.gap_start + gap.gap_size > length) {
    TextSpan whole{text, length};
    return SaveTextToFile(path, &whole, 1, doc.eol_style, outcome);
  }
  int32_t tail = gap.gap_start + gap.gap_size;
  TextSpan parts[2] = {{text, gap.gap_insert}, {text + tail, length - tail}};
  return SaveTextToFile(path, parts, 2, doc.eol_style, outcome);
}

}  // namespace

Document* CreateDocument() {
  Document* doc = new (std::nothrow) Document;
  if (doc == nullptr) return nullptr;
  doc->render_cache.reset(new (std::nothrow) RenderCache);
  if (doc->render_cache == nullptr || !SetString(&doc->text, "", 0)) {
    delete doc;
    return nullptr;
  }
  doc->tab_size = GetTabSize();
  doc->tabs_as_spaces = GetSpaces() ? 1 : 0;
  doc->eol_style = static_cast<uint32_t>(GetEndOfLine());
  return doc;
}

void DestroyDocument(Document* doc) { delete doc; }

void InitNewDocument(Document* doc, const char* name) {
  doc->eol_style = static_cast<uint32_t>(GetEndOfLine());
  SetString(&doc->path, name != nullptr ? name : "");
  SetString(&doc->text, "", 0);
  SetCaret(doc, 0, true);
  if (doc->gap.gap_text == nullptr) OpenGap(doc, 0);
  RebuildLines(doc);
}

bool LoadDocument(Document* doc, const char* path) {
  if (path == nullptr) return false;
  // Held for the whole load; RebuildLines takes it again (it is recursive).
  std::lock_guard<decltype(doc->lock)> hold(doc->lock);
  SetString(&doc->path, path);
  int64_t size;
  {
    FileReader reader(path, 1, kReadBufferUnit);
    if (!reader.IsOpen()) return false;
    size = reader.GetSize();
  }
  if (size <= 0 || size >= kMaxFileSize) return false;
  std::unique_ptr<FILE, StreamCloser> stream(OpenStreamUtf8(path, "rb"));
  if (stream == nullptr) return false;
  // On the first load the typing gap opens at offset 0: its filler goes in
  // front of the text as it is read rather than being inserted after.
  bool first_load = doc->gap.gap_text == nullptr;
  if (!ReadText(doc, stream.get(), size, first_load ? kGapSize : 0)) return false;
  // A file that grew past the limit while it was read is refused too.
  if (std::ftell(stream.get()) >= kMaxFileSize) return false;
  stream.reset();
  if (IsValidUtf8(StringData(doc->text), static_cast<size_t>(StringLength(doc->text))) < 0)
    return false;
  if (first_load) {
    std::memset(StringData(&doc->text), kGapFiller, kGapSize);
    doc->gap.gap_text = &doc->text;
    doc->gap.gap_start = 0;
    doc->gap.gap_insert = 0;
    doc->gap.gap_closed = 0;
  }
  SetCaret(doc, 0, true);
  RebuildLines(doc);
  return true;
}

bool SaveDocument(Document* doc, SaveOutcome* outcome) {
  const char* path = StringData(doc->path);
  if (IsUnnamedPath(path)) return false;
  return WriteDocument(*doc, path, outcome);
}

bool SaveDocumentAs(Document* doc, const char* new_path, SaveOutcome* outcome) {
  if (new_path == nullptr || *new_path == 0) return false;
  if (!WriteDocument(*doc, new_path, outcome)) return false;
  SetString(&doc->path, new_path);
  return true;
}
