#pragma once
// Writes a Document's text to a file: every LF becomes the line end of the
// style (0 LF, 1 CR LF, 2 CR); nothing else changes.
#include <cstdint>
#include <string>

class FileWriter;

// A run of text bytes; a text may come in several (around a typing gap).
struct TextSpan {
  const char* bytes;
  int32_t length;
};

// Returns false when the writer reported a failure.
bool WriteTextWithLineEnds(FileWriter* writer, const char* text, int32_t length,
                           uint32_t eol_style);

// What a save left on disk.
struct SaveOutcome {
  int64_t size = 0;       // bytes of the file written, when saved
  std::string kept_path;  // when not saved: a file that now holds the text
                          // because the original could not be put back
  int error = 0;          // when not saved: the code of the call that failed
                          // (see LastFileError), 0 when none is known
};

// Writes the spans, one after the other, to `path` safely: into a new file
// beside the file that `path` leads to (through links), flushed to the
// disk, which then replaces it; a link stays a link, and one whose file is
// missing gets that file when its folder exists. False when the text
// is not under `path` afterwards: the file there is then as it was and the
// new file removed, or, when neither could be put back, the new file keeps
// the text under the name in outcome->kept_path.
bool SaveTextToFile(const char* path, const TextSpan* spans, int span_count,
                    uint32_t eol_style, SaveOutcome* outcome = nullptr);
