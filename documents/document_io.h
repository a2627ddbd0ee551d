#pragma once
// Creating, loading, saving and destroying Documents.
// Calling order: CreateDocument, then exactly one of InitNewDocument or
// LoadDocument, then any number of saves, then DestroyDocument.
#include <cstdint>

#include "documents/open_refusal.h"

struct Document;
struct SaveOutcome;

// Files this large or larger are refused.
constexpr int64_t kMaxFileSize = 16 * 1024 * 1024;

// A new empty Document with the current preferences; null when memory runs
// out.
Document* CreateDocument();
void DestroyDocument(Document* doc);
// Makes a fresh document an empty, unnamed one called `name`.
void InitNewDocument(Document* doc, const char* name);
// True when the file was read and accepted: up to 16 MiB - 1, valid UTF-8,
// no NUL byte. An empty file gives an empty document with the preference's
// line ends. A refused document keeps `path` and is destroyed by the
// caller; *outcome says why it was refused.
bool LoadDocument(Document* doc, const char* path, LoadOutcome* outcome = nullptr);
// Saves under the document's own path; false for an unnamed ".mem" document
// and when the file could not be written (the file on disk is then as it
// was, unless *outcome names the file that kept the text). A save through
// a symbolic link writes the file the link leads to.
bool SaveDocument(Document* doc, SaveOutcome* outcome = nullptr);
// Saves under `new_path`; on success the document takes that path.
bool SaveDocumentAs(Document* doc, const char* new_path, SaveOutcome* outcome = nullptr);
