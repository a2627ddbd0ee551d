#include "display/utf8_decode.h"

char32_t NextCodePoint(const char* text, size_t length, size_t* at) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  const size_t i = *at;
  const unsigned lead = s[i];
  int extra = 0;
  char32_t cp = 0, least = 0;
  if (lead < 0x80) {
    *at = i + 1;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1; cp = lead & 0x1F; least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2; cp = lead & 0x0F; least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3; cp = lead & 0x07; least = 0x10000;
  } else {
    *at = i + 1;
    return kReplacementCharacter;
  }
  if (length - i <= static_cast<size_t>(extra)) {
    *at = i + 1;
    return kReplacementCharacter;
  }
  for (int k = 1; k <= extra; ++k) {
    const unsigned next = s[i + k];
    if ((next & 0xC0) != 0x80) {
      *at = i + 1;
      return kReplacementCharacter;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    *at = i + 1;
    return kReplacementCharacter;
  }
  *at = i + 1 + extra;
  return cp;
}
