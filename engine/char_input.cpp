// WM_CHAR code units to UTF-8.
#include "engine/char_input.h"

#include "engine/editing.h"

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsHigh(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::string CharUnitToUtf8(CharInput* input, uint32_t unit) {
  std::string out;
  unit &= 0xFFFF;
  // Control codes are never text: they come from Ctrl+letter chords (Ctrl+Z
  // gives 0x1A) or from keys the key table owns (Backspace, an Enter that
  // the table let through).
  if (unit < 0x20 || unit == 0x7F) return out;
  uint32_t pending = input->high_surrogate;
  input->high_surrogate = 0;
  if (IsLow(unit) && pending != 0) {
    AppendUtf8(0x10000 + ((pending - 0xD800) << 10) + (unit - 0xDC00), &out);
    return out;
  }
  if (pending != 0) AppendUtf8(kReplacement, &out);  // a first half left alone
  if (IsHigh(unit)) {
    input->high_surrogate = unit;
  } else {
    AppendUtf8(IsLow(unit) ? kReplacement : unit, &out);
  }
  return out;
}

void TypeCharUnit(Document* doc, CharInput* input, uint32_t unit) {
  std::string bytes = CharUnitToUtf8(input, unit);
  if (!bytes.empty()) InsertText(doc, bytes.data(), static_cast<int32_t>(bytes.size()));
}
