// Cut, copy and paste through any Clipboard.
#include "engine/clipboard.h"

#include <algorithm>

#include "engine/document.h"
#include "engine/editing.h"

// Only the CRs are looked at one by one; the runs between them are copied
// whole, as a paste of megabytes of CR LF text needs.
std::string NormalizePastedLineEnds(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  bool had_pair = false;
  size_t from = 0;
  for (size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', cr + 1)) {
    if (cr + 1 < text.size() && text[cr + 1] == '\n') {
      out.append(text, from, cr - from);
      from = cr + 1;
      had_pair = true;
    }
  }
  out.append(text, from, std::string::npos);
  if (!had_pair) {
    for (size_t cr = out.find('\r'); cr != std::string::npos; cr = out.find('\r', cr + 1)) {
      out[cr] = '\n';
    }
  }
  return out;
}

bool CopySelection(Document* doc, Clipboard& clipboard) {
  // An empty selection copies nothing: putting "" on the clipboard would
  // throw away what the user copied before.
  if (!doc->has_selection || doc->sel_end <= doc->sel_start) return false;
  CloseGapAtCaret(doc);
  int32_t end = std::min(static_cast<int32_t>(doc->sel_end), TextLength(*doc));
  int32_t start = std::min(static_cast<int32_t>(doc->sel_start), end);
  std::string bytes(StringData(doc->text) + start, static_cast<size_t>(end - start));
  return clipboard.SetText(bytes);
}

bool CutSelection(Document* doc, Clipboard& clipboard) {
  if (!CopySelection(doc, clipboard)) return false;
  DeleteChars(doc, static_cast<int32_t>(doc->sel_end - doc->sel_start), true);
  return true;
}

PasteResult PasteClipboard(Document* doc, Clipboard& clipboard) {
  std::string text;
  if (!clipboard.GetText(&text)) return PasteResult::kNothing;
  // Text stops at its first NUL, as a C string on the clipboard would.
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  std::string pasted = text.find('\r') == std::string::npos ? std::move(text)
                                                            : NormalizePastedLineEnds(text);
  // Measured before the selection goes: a refused paste changes nothing.
  // The text's bytes include the typing gap's, so the limit holds with room
  // for the gap wherever it goes next.
  int64_t selected = doc->has_selection && doc->sel_end > doc->sel_start
                         ? int64_t{doc->sel_end} - doc->sel_start : 0;
  int64_t result = int64_t{StringLength(doc->text)} - selected + static_cast<int64_t>(pasted.size());
  if (result + kGapSize > kMaxTextLength) return PasteResult::kTooLarge;
  InsertText(doc, pasted.data(), static_cast<int32_t>(pasted.size()));
  return PasteResult::kPasted;
}
