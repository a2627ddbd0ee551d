#pragma once
// Typed characters as the text pane receives them (UTF-16 code units, one
// per WM_CHAR) turned into UTF-8 for InsertText.
#include <cstdint>
#include <string>

struct Document;

// Holds the first half of a surrogate pair until the second arrives.
struct CharInput {
  uint32_t high_surrogate = 0;  // 0 = none pending
};

// The UTF-8 bytes one code unit adds: empty for control codes (below 0x20
// and 0x7F, which Ctrl chords and the table's own keys produce) and while the first half of a pair waits; a pair gives the
// character's 4-byte sequence; a half without its partner gives U+FFFD so
// the text stays valid UTF-8.
std::string CharUnitToUtf8(CharInput* input, uint32_t unit);

// Inserts the character at the caret (through InsertText). With no document
// the unit still pairs with the next one and then goes nowhere.
void TypeCharUnit(Document* doc, CharInput* input, uint32_t unit);
