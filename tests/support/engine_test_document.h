#pragma once
// A Document set up the way a new or loaded document is, for engine tests.
#include <memory>
#include <string>

#include "engine/document.h"

inline std::unique_ptr<Document> MakeTestDocument(const std::string& text = "",
                                                  int32_t tab_size = 2,
                                                  bool tabs_as_spaces = true) {
  auto doc = std::make_unique<Document>();
  doc->render_cache = std::make_unique<RenderCache>();
  doc->tab_size = tab_size;
  doc->tabs_as_spaces = tabs_as_spaces ? 1 : 0;
  SetString(&doc->text, text.data(), static_cast<int32_t>(text.size()));
  SetCaret(doc.get(), 0);
  doc->gap.gap_text = &doc->text;
  OpenGap(doc.get(), 0);
  RebuildLines(doc.get());
  return doc;
}

// The content without the gap's free part.
inline std::string Content(const Document& doc) {
  std::string text(StringData(doc.text), static_cast<size_t>(TextLength(doc)));
  if (!doc.gap.gap_closed) {
    int32_t free_bytes = doc.gap.gap_start + doc.gap.gap_size - doc.gap.gap_insert;
    text.erase(static_cast<size_t>(doc.gap.gap_insert), static_cast<size_t>(free_bytes));
  }
  return text;
}

inline std::string LineText(const Document& doc, int32_t k) {
  LineRef line = doc.lines[k];
  return std::string(line.start, line.length);
}
