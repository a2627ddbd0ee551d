#include "documents/document_io.h"

#include <algorithm>
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
#include "engine/utf8.h"
#include "preferences/preferences.h"

namespace {

constexpr size_t kLoadChunk = 256 * 1024;

struct StreamCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// The tabs of the stream, which is then read again from its start; -1 when
// it cannot be read.
int64_t CountTabs(FILE* stream, char* chunk) {
  int64_t tabs = 0;
  size_t n;
  while ((n = std::fread(chunk, 1, kLoadChunk, stream)) > 0)
    for (const char* p = chunk; (p = static_cast<const char*>(std::memchr(
                                     p, '\t', static_cast<size_t>(chunk + n - p)))) != nullptr;
         ++p)
      ++tabs;
  if (std::ferror(stream) || std::fseek(stream, 0, SEEK_SET) != 0) return -1;
  return tabs;
}

// How many text bytes to make room for; -1 when the expanded text would
// pass its limit. Only a large tab size can make it pass: then the tabs are
// counted first, so that such a file is refused before its text takes the
// memory, and an accepted one gets its exact room at once.
int64_t TextRoom(FILE* stream, char* chunk, int64_t size, int32_t tab_size, int32_t lead) {
  if (lead + DecodedSizeBound(size, size, tab_size) <= kMaxTextLength) return size;
  int64_t tabs = CountTabs(stream, chunk);
  if (tabs < 0) return -1;
  int64_t room = DecodedSizeBound(size, tabs, tab_size);
  return lead + room <= kMaxTextLength ? room : -1;
}

// The 1-based line of the text byte at `offset`: the LFs before it, from
// the first text byte `lead`.
int64_t LineAt(const Document& doc, int32_t lead, int32_t offset) {
  const char* text = doc.text.data;
  return std::count(text + lead, text + offset, '\n') + 1;
}

LoadOutcome Refusal(LoadRefusal refusal, int64_t line = 0, int error = 0) {
  LoadOutcome o;
  o.refusal = refusal;
  o.line = line;
  o.error = error;
  return o;
}

// Checks the text from *checked up to `end` for valid UTF-8, right after it
// was decoded and while it is still in the cache; whole lines only, as no
// character spans a line end. A failure names the first line that breaks
// the rule.
bool CheckUtf8(Document* doc, int32_t lead, int32_t* checked, int32_t end, LoadOutcome* outcome) {
  const char* text = doc->text.data;
  if (CheckUtf8(text + *checked, static_cast<size_t>(end - *checked), Utf8Rule::kFileLoad) >= 0) {
    *checked = end;
    return true;
  }
  int32_t line = *checked;
  while (line < end) {
    const char* lf = static_cast<const char*>(std::memchr(text + line, '\n', static_cast<size_t>(end - line)));
    int32_t next = lf != nullptr ? static_cast<int32_t>(lf - text) + 1 : end;
    if (CheckUtf8(text + line, static_cast<size_t>(next - line), Utf8Rule::kFileLoad) < 0) break;
    line = next;
  }
  *outcome = Refusal(LoadRefusal::kNotUtf8, LineAt(*doc, lead, line));
  return false;
}

// Reads the whole stream into doc->text after `lead` bytes; false when it
// is refused, with the reason in *outcome.
bool ReadText(Document* doc, FILE* stream, int64_t size, int32_t lead, LoadOutcome* outcome) {
  *outcome = Refusal(LoadRefusal::kUnreadable);
  std::unique_ptr<char[]> chunk(new (std::nothrow) char[kLoadChunk]);
  if (chunk == nullptr) return false;
  int64_t room = TextRoom(stream, chunk.get(), size, doc->tab_size, lead);
  if (room < 0 && !std::ferror(stream)) *outcome = Refusal(LoadRefusal::kTextTooLarge);
  if (room < 0) return false;
  TextDecoder decoder;
  if (!BeginDecode(&decoder, &doc->text, room, doc->tab_size, doc->eol_style, lead))
    return false;
  int32_t checked = lead;
  size_t n;
  while ((n = std::fread(chunk.get(), 1, kLoadChunk, stream)) > 0) {
    if (!DecodeBytes(&decoder, chunk.get(), n)) {
      // The decoder stops at a NUL with the bytes before it in the text.
      if (std::memchr(chunk.get(), 0, n) != nullptr)
        *outcome = Refusal(LoadRefusal::kNulByte, LineAt(*doc, lead, decoder.length));
      else if (decoder.length + static_cast<int64_t>(n) > kMaxTextLength)
        *outcome = Refusal(LoadRefusal::kTextTooLarge);
      return false;
    }
    if (!CheckUtf8(doc, lead, &checked, decoder.piece_start, outcome)) return false;
  }
  if (std::ferror(stream) || !EndDecode(&decoder)) return false;
  if (!CheckUtf8(doc, lead, &checked, decoder.length, outcome)) return false;
  doc->eol_style = decoder.eol_style;
  return true;
}

// Writes the content: the text without the typing gap's free part. The
// gap stays where it is, so a save leaves the document as it was.
bool WriteDocument(const Document& doc, const char* path, SaveOutcome* outcome) {
  const char* text = StringData(doc.text);
  int32_t length = StringLength(doc.text);
  const TypingGap& gap = doc.gap;
  if (gap.gap_closed) {
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

bool LoadDocument(Document* doc, const char* path, LoadOutcome* outcome) {
  LoadOutcome ignored;
  if (outcome == nullptr) outcome = &ignored;
  *outcome = Refusal(LoadRefusal::kNotFound);
  if (path == nullptr) return false;
  // Held for the whole load; RebuildLines takes it again (it is recursive).
  std::lock_guard<decltype(doc->lock)> hold(doc->lock);
  SetString(&doc->path, path);
  // A folder or a device is refused before it is opened: reading a device
  // may never end, and an empty one would pass for an empty file.
  FileStatus status;
  if (StatUtf8(path, &status) && !status.is_regular) {
    *outcome = Refusal(status.is_directory ? LoadRefusal::kFolder : LoadRefusal::kDevice);
    return false;
  }
  int64_t size;
  {
    FileReader reader(path, 1, kReadBufferUnit);
    if (!reader.IsOpen()) {
      const int error = LastFileError();
      *outcome = Refusal(RefusalForOpenError(error), 0, error);
      return false;
    }
    size = reader.GetSize();
  }
  if (size >= kMaxFileSize) {
    *outcome = Refusal(LoadRefusal::kTooLarge);
    return false;
  }
  std::unique_ptr<FILE, StreamCloser> stream(OpenStreamUtf8(path, "rb"));
  if (stream == nullptr) {
    const int error = LastFileError();
    *outcome = Refusal(RefusalForOpenError(error), 0, error);
    return false;
  }
  // An empty file (what "New > Text document" makes) opens as a new empty
  // document would, its line ends those of the preference. The stream, not
  // the size, says it is empty: a size that could not be read is 0 too.
  if (size == 0 && std::fgetc(stream.get()) == EOF && !std::ferror(stream.get())) {
    InitNewDocument(doc, path);
    *outcome = LoadOutcome();
    return true;
  }
  if (std::fseek(stream.get(), 0, SEEK_SET) != 0) {
    *outcome = Refusal(LoadRefusal::kUnreadable);
    return false;
  }
  // On the first load the typing gap opens at offset 0: its filler goes in
  // front of the text as it is read rather than being inserted after.
  bool first_load = doc->gap.gap_text == nullptr;
  if (!ReadText(doc, stream.get(), size, first_load ? kGapSize : 0, outcome)) return false;
  // A file that grew past the limit while it was read is refused too.
  if (std::ftell(stream.get()) >= kMaxFileSize) {
    *outcome = Refusal(LoadRefusal::kTooLarge);
    return false;
  }
  stream.reset();
  if (first_load) {
    std::memset(StringData(&doc->text), kGapFiller, kGapSize);
    doc->gap.gap_text = &doc->text;
    doc->gap.gap_start = 0;
    doc->gap.gap_insert = 0;
    doc->gap.gap_closed = 0;
  }
  SetCaret(doc, 0, true);
  RebuildLines(doc);
  *outcome = LoadOutcome();
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
