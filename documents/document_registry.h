#pragma once
// The open documents, kept sorted by key (the path each was registered
// under). Keys compare byte-wise as unsigned bytes, like strcmp: case,
// separators and relative forms all make different keys.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Document;

struct DocumentDestroyer {
  void operator()(Document* doc) const;  // DestroyDocument
};
using OwnedDocument = std::unique_ptr<Document, DocumentDestroyer>;

struct RegistryEntry {
  std::string key;
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
// Registers the document under key, destroying any document already there;
// returns its index.
int32_t RegisterDocument(DocumentRegistry* r, const std::string& key, OwnedDocument doc);
// Destroys the document registered under key, if any.
void UnregisterDocument(DocumentRegistry* r, const std::string& key);
void UnregisterDocumentAt(DocumentRegistry* r, int32_t index);
// Moves the document under old_key to new_key (destroying any other
// document registered there). Nothing happens when old_key is unknown.
void RekeyDocument(DocumentRegistry* r, const std::string& old_key, const std::string& new_key);
// True when the document is one of the registered ones.
bool HoldsDocument(const DocumentRegistry& r, const Document* doc);
// Checks the invariants above; for tests.
bool CheckInvariants(const DocumentRegistry& r, std::string* why);
