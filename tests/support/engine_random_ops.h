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

// The engine's insert, taking the model's argument.
inline void InsertText(Document* doc, const std::string& bytes) {
  InsertText(doc, bytes.data(), static_cast<int32_t>(bytes.size()));
}

// The engine's moves in the model's numbering (see ModelDoc::Move).
inline void Move(Document* doc, int which, bool extend, int32_t page) {
  using MoveFn = void (*)(Document*, bool);
  static const MoveFn kMoves[] = {MoveLeft, MoveRight, MoveWordLeft, MoveWordRight, MoveHome,
                                  MoveEnd, MoveTextStart, MoveTextEnd, MoveUp, MoveDown};
  if (which == 10) MovePageUp(doc, extend, page);
  else if (which == 11) MovePageDown(doc, extend, page);
  else kMoves[which](doc, extend);
}

// Puts `text` on the clipboard and pastes it into both.
inline void PasteOnBoth(Document* doc, ModelDoc* model, MemoryClipboard* clip,
                        const std::string& text) {
  clip->SetText(text);
  model->clipboard = text;
  PasteClipboard(doc, *clip);
  model->Paste(text);
}

// One step on both sides: the engine's function `op` on `doc`, then the
// model's method of the same name with the same arguments; yields `name`.
// The arguments are evaluated twice, so they are values, never draws.
#define ORV_STEP(name, op, ...) (op(doc, ##__VA_ARGS__), model->op(__VA_ARGS__), std::string(name))

// Applies one random operation to both; returns a short name of it.
inline std::string RandomStep(Document* doc, ModelDoc* model, MemoryClipboard* clip,
                              const PickFn& pick) {
  switch (pick(21)) {
    case 20: {
      // The Go-to dialog: column 0 of a line, also past the last one, with
      // the gap left as it is.
      int32_t line = static_cast<int32_t>(pick(static_cast<uint32_t>(model->LineCount()) + 2));
      return ORV_STEP("go to line", GoToLineColumn, line, 0);
    }
    case 0: case 1: case 2: {
      std::string piece = RandomPiece(pick, false);
      return ORV_STEP("type", InsertText, piece);
    }
    case 3: {
      std::string text = RandomText(pick, 12, false);
      return ORV_STEP("insert run", InsertText, text);
    }
    case 4:
      return ORV_STEP("enter", InsertText, "\n");
    case 5: case 6:
      return ORV_STEP("backspace", DeleteChars, 1, false);
    case 7:
      return ORV_STEP("delete", DeleteChars, 1, true);
    case 8: {
      bool forward = pick(2) == 1;
      return ORV_STEP(forward ? "ctrl+delete" : "ctrl+backspace", DeleteWord, forward);
    }
    case 9: case 10: case 11: {
      int which = static_cast<int>(pick(12));
      bool extend = pick(2) == 1;
      int32_t page = static_cast<int32_t>(pick(6));
      return ORV_STEP("move " + std::to_string(which) + (extend ? " shift" : ""), Move, which,
                      extend, page);
    }
    case 12:
      if (pick(2)) return ORV_STEP("tab", IndentLines);
      return ORV_STEP("shift+tab", UnindentLines);
    case 13:
      if (pick(2)) return ORV_STEP("comment", CommentLines);
      return ORV_STEP("uncomment", UncommentLines);
    case 14:
      PasteOnBoth(doc, model, clip, RandomText(pick, 8, true));
      return "paste";
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
      return ORV_STEP("insert key", ToggleOverwrite);
    case 17: {
      uint32_t kind = pick(3);
      if (kind == 1) return ORV_STEP("f3", FindNext);
      if (kind == 2) return ORV_STEP("shift+f3", FindPrevious);
      std::string needle = RandomNeedle(pick);
      bool mc = pick(2), ww = pick(2);
      return ORV_STEP("find", Find, needle, mc, ww, true, false);
    }
    case 18: {
      std::string needle = RandomNeedle(pick);
      // Replacements that hold the find text grow the text geometrically;
      // past a few KiB only shrinking replacements run.
      std::string replacement = model->text.size() > 4096 ? "" : RandomText(pick, 3, false);
      bool mc = pick(2), ww = pick(2);
      return ORV_STEP("replace all", ReplaceAll, needle, replacement, mc, ww);
    }
    default:
      return ORV_STEP("select all", SelectAll);
  }
}
#undef ORV_STEP

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
