#pragma once
// Writes a Document's text to a file: every LF becomes the line end of the
// style (0 LF, 1 CR LF, 2 CR); nothing else changes.
#include <cstdint>

class FileWriter;

// A run of text bytes; a text may come in several (around a typing gap).
struct TextSpan {
  const char* bytes;
  int32_t length;
};

// Returns false when the writer reported a failure.
bool WriteTextWithLineEnds(FileWriter* writer, const char* text, int32_t length,
                           uint32_t eol_style);

// Writes the spans, one after the other, to `path` safely: into a new file
// in the same folder, flushed to the disk, which then replaces `path`. On
// any failure the file at `path` is as it was, the new file is removed and
// false is returned.
bool SaveTextToFile(const char* path, const TextSpan* spans, int span_count,
                    uint32_t eol_style);

// The name of the n-th temporary file tried for a save of `path`: a short
// name in the same folder.
void TemporarySaveName(const char* path, int n, char* out, int out_size);
