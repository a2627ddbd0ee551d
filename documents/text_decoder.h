#pragma once
// Turns the bytes of a text file into a Document's text: line ends become
// LF (CR LF, LF, or CR at the very end of the file), tabs become tab_size
// spaces, every line, the last included, ends with LF. The last line end
// seen decides the style the file is written back with.
//
// Beyond that:
// - lines of any length stay whole;
// - a file with CR bytes but no LF at all has CR line ends;
// - a NUL byte refuses the file (the text could not show what follows it);
// - when the detected style could not write a CR of the text back as the
//   same byte (a CR just before a line end in LF style, any CR in CR style),
//   the style becomes CR LF, so that the saved file reads back to the same
//   text.
#include <cstddef>
#include <cstdint>

#include "engine/document.h"
#include "engine/grow_buffer.h"

// The most bytes `size` file bytes holding `tabs` TABs decode to, the final
// LF included.
int64_t DecodedSizeBound(int64_t size, int64_t tabs, int32_t tab_size);

// Invariants: lead <= piece_start <= length <= text->capacity - 1 between
// calls; piece_start is where the current line began in the text.
struct TextDecoder {
  GrowString* text = nullptr;
  int32_t lead = 0;  // bytes at the start of text that are not decoded
  int32_t length = 0;
  int32_t piece_start = 0;
  int32_t tab_size = 2;
  uint32_t eol_style = 0;
  bool saw_lf = false;
  bool saw_cr = false;
  int64_t kept_cr = 0;        // CRs in the text that are not line ends
  bool cr_before_lf = false;  // one of them right before an LF
  bool failed = false;
};

// Starts filling `text` (emptied) with room for `size_hint` file bytes. The
// first `lead` bytes are left for the caller (zeroed); decoded bytes follow.
bool BeginDecode(TextDecoder* d, GrowString* text, int64_t size_hint, int32_t tab_size,
                 uint32_t eol_style, int32_t lead = 0);
// Appends the next bytes of the file; false (and the decoder fails) on a NUL
// byte, on a text (with the bytes in front of it) beyond kMaxTextLength or
// when memory runs out.
bool DecodeBytes(TextDecoder* d, const char* bytes, size_t n);
// Ends the last line, applies the CR rules above and NUL-terminates.
bool EndDecode(TextDecoder* d);
