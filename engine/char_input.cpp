// WM_CHAR code units to UTF-8.
#include "engine/char_input.h"

#include "engine/editing.h"
#include "engine/utf8.h"

std::string CharUnitToUtf8(CharInput* input, uint32_t unit) {
  std::string out;
  unit &= 0xFFFF;
  // Control codes are never text: they come from Ctrl+letter chords (Ctrl+Z
  // gives 0x1A) or from keys the key table owns (Backspace, an Enter that
  // the table let through).
  if (unit < 0x20 || unit == 0x7F) return out;
  uint32_t pending = input->high_surrogate;
  input->high_surrogate = 0;
  if (IsLowSurrogate(unit) && pending != 0) return EncodeUtf8(CodePointOfPair(pending, unit));
  if (pending != 0) out = EncodeUtf8(kReplacementCharacter);  // a first half left alone
  if (IsHighSurrogate(unit)) {
    input->high_surrogate = unit;
  } else {
    out += EncodeUtf8(IsLowSurrogate(unit) ? kReplacementCharacter : unit);
  }
  return out;
}

void TypeCharUnit(Document* doc, CharInput* input, uint32_t unit) {
  std::string bytes = CharUnitToUtf8(input, unit);
  if (doc != nullptr && !bytes.empty()) InsertText(doc, bytes.data(), static_cast<int32_t>(bytes.size()));
}
