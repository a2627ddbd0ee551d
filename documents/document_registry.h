#pragma once
// The open documents, kept sorted by key (the path each was registered
// under: the file's name as the file system spells it). Keys compare
// byte-wise as unsigned bytes, like strcmp; whether two names are one file
// is asked of the file keys (FindSameFile), never of the strings.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "documents/file_identity.h"

struct Document;

struct DocumentDestroyer {
  void operator()(Document* doc) const;  // DestroyDocument
};
using OwnedDocument = std::unique_ptr<Document, DocumentDestroyer>;

struct RegistryEntry {
  std::string key;
  FileKey file;  // file.name == key
  OwnedDocument document;
};

// Invariants: entries sorted by key with strcmp, keys unique, every
// document non-null and owned by exactly one entry.
struct DocumentRegistry {
  std::vector<RegistryEntry> entries;
};

int32_t DocumentCount(const DocumentRegistry& r);
bool IsRegistered(const DocumentRegistry& r, const std::string& key);
// Index of the key, or -1.
int32_t IndexOfDocument(const DocumentRegistry& r, const std::string& key);
// The document at an index in key order, or null outside 0..count-1.
Document* DocumentAt(const DocumentRegistry& r, int32_t index);
// The key at an index, or "" outside 0..count-1.
const std::string& KeyAt(const DocumentRegistry& r, int32_t index);
// Registers the document under file.name, destroying any document already
// there; returns its index.
int32_t RegisterDocument(DocumentRegistry* r, const FileKey& file, OwnedDocument doc);
// The index of the document that holds the same file now, or -1.
int32_t FindSameFile(const DocumentRegistry& r, const FileKey& file);
// Destroys the document registered under key, if any.
void UnregisterDocument(DocumentRegistry* r, const std::string& key);
void UnregisterDocumentAt(DocumentRegistry* r, int32_t index);
// Moves the document under old_key to file.name (destroying any other
// document registered there). Nothing happens when old_key is unknown.
void RekeyDocument(DocumentRegistry* r, const std::string& old_key, const FileKey& file);
// True when the document is one of the registered ones.
bool HoldsDocument(const DocumentRegistry& r, const Document* doc);
// Checks the invariants above; for tests.
bool CheckInvariants(const DocumentRegistry& r, std::string* why);
