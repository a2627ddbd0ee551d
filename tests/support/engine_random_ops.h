#pragma once
// Random operation sequences run on the engine and on the plain model side by
// side; shared by the seeded unit test and the fuzzer.
#include <cstdint>
#include <functional>
#include <string>

#include "engine/clipboard.h"
#include "engine/comment.h"
#include "engine/document.h"
#include "engine/editing.h"
#include "engine/movement.h"
#include "engine/search.h"
#include "tests/support/engine_reference_model.h"
#include "tests/support/memory_clipboard.h"
#include "tests/support/engine_test_document.h"

// Returns a number below `bound` (bound >= 1).
using PickFn = std::function<uint32_t(uint32_t)>;

inline std::string RandomPiece(const PickFn& pick, bool with_cr) {
  static const char* const kPieces[] = {"a", "b", "x", "A", " ", " ", "\n", "\t", "/", "$",
                                        "\xC3\xA9", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "foo", "ab",
                                        "\xC3", "\x80"};  // and broken UTF-8
  constexpr uint32_t kCount = sizeof(kPieces) / sizeof(kPieces[0]);
  if (with_cr && pick(6) == 0) return pick(2) ? "\r\n" : "\r";
  return kPieces[pick(kCount)];
}

inline std::string RandomText(const PickFn& pick, uint32_t max_pieces, bool with_cr) {
  std::string text;
  uint32_t n = pick(max_pieces + 1);
  for (uint32_t i = 0; i < n; ++i) text += RandomPiece(pick, with_cr);
  return text;
}

inline std::string RandomNeedle(const PickFn& pick) {
  static const char* const kNeedles[] = {"a", "ab", "foo", "A", "x", "\xC3\xA9", "$", "b a", "//"};
  return kNeedles[pick(sizeof(kNeedles) / sizeof(kNeedles[0]))];
}

// Applies one random operation to both; returns a short name of it.
inline std::string RandomStep(Document* doc, ModelDoc* model, MemoryClipboard* clip,
                              const PickFn& pick) {
  switch (pick(21)) {
    case 20: {
      // The Go-to dialog: column 0 of a line, also past the last one, with
      // the gap left as it is.
      int32_t line = static_cast<int32_t>(pick(static_cast<uint32_t>(model->LineCount()) + 2));
      GoToLineColumn(doc, line, 0);
      model->GoToLineColumn(line, 0);
      return "go to line";
    }
    case 0: case 1: case 2: {
      std::string piece = RandomPiece(pick, false);
      InsertText(doc, piece.data(), static_cast<int32_t>(piece.size()));
      model->InsertText(piece);
      return "type";
    }
    case 3: {
      std::string text = RandomText(pick, 12, false);
      InsertText(doc, text.data(), static_cast<int32_t>(text.size()));
      model->InsertText(text);
      return "insert run";
    }
    case 4:
      InsertText(doc, "\n", 1);
      model->InsertText("\n");
      return "enter";
    case 5: case 6:
      DeleteChars(doc, 1, false);
      model->DeleteChars(1, false);
      return "backspace";
    case 7:
      DeleteChars(doc, 1, true);
      model->DeleteChars(1, true);
      return "delete";
    case 8: {
      bool forward = pick(2) == 1;
      DeleteWord(doc, forward);
      model->DeleteWord(forward);
      return forward ? "ctrl+delete" : "ctrl+backspace";
    }
    case 9: case 10: case 11: {
      int which = static_cast<int>(pick(12));
      bool extend = pick(2) == 1;
      int32_t page = static_cast<int32_t>(pick(6));
      using MoveFn = void (*)(Document*, bool);
      static const MoveFn kMoves[] = {MoveLeft, MoveRight, MoveWordLeft, MoveWordRight, MoveHome,
                                      MoveEnd, MoveTextStart, MoveTextEnd, MoveUp, MoveDown};
      if (which == 10) MovePageUp(doc, extend, page);
      else if (which == 11) MovePageDown(doc, extend, page);
      else kMoves[which](doc, extend);
      model->Move(which, extend, page);
      return "move " + std::to_string(which) + (extend ? " shift" : "");
    }
    case 12:
      if (pick(2)) { IndentLines(doc); model->IndentLines(); return "tab"; }
      UnindentLines(doc);
      model->UnindentLines();
      return "shift+tab";
    case 13:
      if (pick(2)) { CommentLines(doc); model->CommentLines(); return "comment"; }
      UncommentLines(doc);
      model->UncommentLines();
      return "uncomment";
    case 14: {
      std::string text = RandomText(pick, 8, true);
      clip->SetText(text);
      model->clipboard = text;
      PasteClipboard(doc, *clip);
      model->Paste(text);
      return "paste";
    }
    case 15: {
      // Copy and cut take the selected bytes as they are, whatever the line
      // ends of the file; an empty selection is neither copied nor cut.
      bool had = model->has_selection && model->sel_end > model->sel_start;
      if (had) {
        model->clipboard =
            model->text.substr(static_cast<size_t>(model->sel_start),
                               static_cast<size_t>(model->sel_end - model->sel_start));
      }
      if (pick(2)) {
        CopySelection(doc, *clip);
        return "copy";
      }
      CutSelection(doc, *clip);
      if (had) model->DeleteChars(model->sel_end - model->sel_start, true);
      return "cut";
    }
    case 16:
      ToggleOverwrite(doc);
      model->overwrite = !model->overwrite;
      return "insert key";
    case 17: {
      uint32_t kind = pick(3);
      if (kind == 0) {
        std::string needle = RandomNeedle(pick);
        bool mc = pick(2), ww = pick(2);
        Find(doc, needle, mc, ww, true, false);
        model->Find(needle, mc, ww, true, false);
        return "find";
      }
      if (kind == 1) { FindNext(doc); model->FindNext(); return "f3"; }
      FindPrevious(doc);
      model->FindPrevious();
      return "shift+f3";
    }
    case 18: {
      std::string needle = RandomNeedle(pick);
      // Replacements that hold the find text grow the text geometrically;
      // past a few KiB only shrinking replacements run.
      std::string replacement = model->text.size() > 4096 ? "" : RandomText(pick, 3, false);
      bool mc = pick(2), ww = pick(2);
      ReplaceAll(doc, needle, replacement, mc, ww);
      model->ReplaceAll(needle, replacement, mc, ww);
      return "replace all";
    }
    default:
      SelectAll(doc);
      model->Move(6, false, 0);
      model->Move(7, true, 0);
      return "select all";
  }
}

// Empty when the engine agrees with the model (and the clipboard, when
// given, holds what the model copied), else what differs.
inline std::string CompareWithModel(const Document& doc, const ModelDoc& model,
                                    const MemoryClipboard* clip = nullptr) {
  std::string why;
  if (!CheckInvariants(doc, &why)) return "invariant: " + why;
  if (Content(doc) != model.text) return "text";
  if (clip != nullptr && clip->Text() != model.clipboard) return "clipboard";
  std::vector<std::string> lines = model.Lines();
  if (doc.lines.Count() != static_cast<int32_t>(lines.size())) return "line count";
  for (int32_t k = 0; k < doc.lines.Count(); ++k) {
    if (LineText(doc, k) != lines[static_cast<size_t>(k)]) return "line " + std::to_string(k);
  }
  // The caret is a raw offset: past an open gap it also counts the filler.
  int32_t caret = static_cast<int32_t>(doc.caret);
  if (!doc.gap.gap_closed && caret > doc.gap.gap_insert) {
    caret -= doc.gap.gap_start + doc.gap.gap_size - doc.gap.gap_insert;
  }
  const std::pair<const char*, bool> same[] = {
      {"caret", caret == model.caret},
      {"caret_line", static_cast<int32_t>(doc.caret_line) == model.caret_line},
      {"caret_column", static_cast<int32_t>(doc.caret_column) == model.caret_column},
      {"has_selection", (doc.has_selection != 0) == model.has_selection},
      {"selection offsets", static_cast<int32_t>(doc.sel_anchor) == model.sel_anchor &&
                                static_cast<int32_t>(doc.sel_start) == model.sel_start &&
                                static_cast<int32_t>(doc.sel_end) == model.sel_end},
      {"selection lines", doc.anchor_column == model.anchor_column &&
                              doc.anchor_line == model.anchor_line &&
                              doc.sel_caret_column == model.sel_caret_column &&
                              doc.sel_caret_line == model.sel_caret_line},
      {"overwrite", (doc.overwrite != 0) == model.overwrite},
      {"search texts", StringData(doc.find_text) == model.find_text &&
                           StringData(doc.replace_text) == model.replace_text},
      {"find_pos", doc.find_pos == model.find_pos && (doc.find_wrapped != 0) == model.find_wrapped},
      {"search options",
       (doc.match_case != 0) == model.match_case && (doc.whole_word != 0) == model.whole_word},
  };
  for (const auto& field : same)
    if (!field.second) return field.first;
  return "";
}

// Starts both from the same text and settings.
inline void StartBoth(const std::string& text, int32_t tab_size, bool spaces,
                      std::unique_ptr<Document>* doc, ModelDoc* model) {
  *doc = MakeTestDocument(text, tab_size, spaces);
  *model = ModelDoc();
  model->text = text;
  model->tab_size = tab_size;
  model->tabs_as_spaces = spaces;
  model->SetCaret(0);
}
