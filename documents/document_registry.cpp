#include "documents/document_registry.h"

#include <algorithm>
#include <cstring>

#include "documents/document_io.h"

void DocumentDestroyer::operator()(Document* doc) const { DestroyDocument(doc); }

namespace {

bool KeyLess(const RegistryEntry& e, const std::string& key) {
  return std::strcmp(e.key.c_str(), key.c_str()) < 0;
}

std::vector<RegistryEntry>::const_iterator LowerBound(const DocumentRegistry& r,
                                                      const std::string& key) {
  return std::lower_bound(r.entries.begin(), r.entries.end(), key, KeyLess);
}

}  // namespace

int32_t DocumentCount(const DocumentRegistry& r) {
  return static_cast<int32_t>(r.entries.size());
}

int32_t IndexOfDocument(const DocumentRegistry& r, const std::string& key) {
  auto it = LowerBound(r, key);
  if (it == r.entries.end() || it->key != key) return -1;
  return static_cast<int32_t>(it - r.entries.begin());
}

bool IsRegistered(const DocumentRegistry& r, const std::string& key) {
  return IndexOfDocument(r, key) >= 0;
}

Document* DocumentAt(const DocumentRegistry& r, int32_t index) {
  if (index < 0 || index >= DocumentCount(r)) return nullptr;
  return r.entries[static_cast<size_t>(index)].document.get();
}

const std::string& KeyAt(const DocumentRegistry& r, int32_t index) {
  static const std::string kNone;
  if (index < 0 || index >= DocumentCount(r)) return kNone;
  return r.entries[static_cast<size_t>(index)].key;
}

int32_t RegisterDocument(DocumentRegistry* r, const FileKey& file, OwnedDocument doc) {
  const std::string& key = file.name;
  auto it = LowerBound(*r, key);
  size_t at = static_cast<size_t>(it - r->entries.begin());
  if (it != r->entries.end() && it->key == key) {
    r->entries[at].document = std::move(doc);  // destroys the old document
    r->entries[at].file = file;
  } else {
    r->entries.insert(r->entries.begin() + static_cast<std::ptrdiff_t>(at),
                      RegistryEntry{key, file, std::move(doc)});
  }
  return static_cast<int32_t>(at);
}

int32_t FindSameFile(const DocumentRegistry& r, const FileKey& file) {
  for (size_t i = 0; i < r.entries.size(); ++i)
    if (HoldsSameFile(r.entries[i].file, file)) return static_cast<int32_t>(i);
  return -1;
}

void UnregisterDocumentAt(DocumentRegistry* r, int32_t index) {
  if (index < 0 || index >= DocumentCount(*r)) return;
  r->entries.erase(r->entries.begin() + index);
}

void UnregisterDocument(DocumentRegistry* r, const std::string& key) {
  UnregisterDocumentAt(r, IndexOfDocument(*r, key));
}

void RekeyDocument(DocumentRegistry* r, const std::string& old_key, const FileKey& file) {
  int32_t index = IndexOfDocument(*r, old_key);
  if (index < 0) return;
  OwnedDocument doc = std::move(r->entries[static_cast<size_t>(index)].document);
  r->entries.erase(r->entries.begin() + index);
  RegisterDocument(r, file, std::move(doc));
}

bool HoldsDocument(const DocumentRegistry& r, const Document* doc) {
  for (const RegistryEntry& e : r.entries)
    if (e.document.get() == doc) return true;
  return false;
}

bool CheckInvariants(const DocumentRegistry& r, std::string* why) {
  for (size_t i = 0; i < r.entries.size(); ++i) {
    if (r.entries[i].file.name != r.entries[i].key) {
      *why = "file key and registry key differ at " + std::to_string(i);
      return false;
    }
    if (r.entries[i].document == nullptr) {
      *why = "null document at " + std::to_string(i);
      return false;
    }
    if (i > 0 && std::strcmp(r.entries[i - 1].key.c_str(), r.entries[i].key.c_str()) >= 0) {
      *why = "keys out of order at " + std::to_string(i);
      return false;
    }
    for (size_t j = 0; j < i; ++j)
      if (r.entries[j].document == r.entries[i].document) {
        *why = "document held twice";
        return false;
      }
  }
  return true;
}
