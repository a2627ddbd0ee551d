#pragma once
// The system clipboard as UTF-8 text, and the cut, copy and paste commands.
#include <string>

struct Document;

// The system clipboard as UTF-8 text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool SetText(const std::string& utf8) = 0;  // replaces the clipboard's content
  virtual bool GetText(std::string* utf8) = 0;        // false when it holds no text
};

// Puts the selected bytes on the clipboard; false (the clipboard untouched)
// without a selection, with an empty one, or when the clipboard refuses them.
bool CopySelection(Document* doc, Clipboard& clipboard);
// Copies, then deletes the selection when the copy succeeded.
bool CutSelection(Document* doc, Clipboard& clipboard);
enum class PasteResult { kNothing, kPasted, kTooLarge };
// Inserts the clipboard text at the caret (replacing a selection), with CR LF
// turned into LF, or lone CRs into LF when there is no CR LF. kTooLarge, with
// the document unchanged, when the text would pass the largest text held.
PasteResult PasteClipboard(Document* doc, Clipboard& clipboard);

// The line-end conversion of a paste.
std::string NormalizePastedLineEnds(const std::string& text);
