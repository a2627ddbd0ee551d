#pragma once
// Helpers for tests that load and save documents.
#include <string>

#include "documents/document_io.h"
#include "engine/document.h"

// The document's content without the typing gap's filler.
inline std::string Content(const Document& doc) {
  std::string text(StringData(doc.text), static_cast<size_t>(StringLength(doc.text)));
  if (doc.gap.gap_closed) return text;
  size_t free_at = static_cast<size_t>(doc.gap.gap_insert);
  size_t free_bytes = static_cast<size_t>(doc.gap.gap_start + doc.gap.gap_size - doc.gap.gap_insert);
  return text.erase(free_at, free_bytes);
}

struct DocumentDeleter {
  void operator()(Document* d) const { DestroyDocument(d); }
};
using DocumentPtr = std::unique_ptr<Document, DocumentDeleter>;
