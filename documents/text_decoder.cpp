#include "documents/text_decoder.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "documents/byte_blocks.h"

namespace {

bool Reserve(TextDecoder* d, int64_t more) {
  int64_t need = static_cast<int64_t>(d->length) + more + 1;  // with the NUL
  if (need - 1 > kMaxTextLength) return false;
  if (need <= d->text->capacity) return true;
  int32_t keep = d->text->size;
  if (!ResizeBuffer(d->text, static_cast<int32_t>(need))) return false;
  d->text->size = keep;
  return true;
}

// Bytes written past the decoded ones by a 16-byte store.
constexpr int64_t kOverrun = 16;

bool IsSpecial(char c) { return c == '\n' || c == '\r' || c == '\t' || c == 0; }

// Copies the bytes before the first LF, CR, TAB or NUL (or the end) to
// `out`, 16 at a time, and returns how many; up to 15 more may be written.
size_t CopyPlain(const char* p, const char* end, char* out) {
  const char* start = p;
  while (end - p >= 16) {
    Bytes16 v = LoadBytes16(p);
    StoreBytes16(out, v);
    int plain = FirstHit(Equal(v, '\n') | Equal(v, '\r') | Equal(v, '\t') | Equal(v, 0));
    p += plain;
    out += plain;
    if (plain < 16) return static_cast<size_t>(p - start);
  }
  while (p < end && !IsSpecial(*p)) *out++ = *p++;
  return static_cast<size_t>(p - start);
}

// Notes a CR that stays right before the LF about to be written.
void NoteCrBeforeLf(TextDecoder* d) {
  if (d->length > d->piece_start && d->text->data[d->length - 1] == '\r') d->cr_before_lf = true;
}

bool Fail(TextDecoder* d) {
  d->failed = true;
  return false;
}

// A TAB becomes tab_size spaces, with room made for them and for the `rest`
// of the piece; a NUL refuses the file (the text could not show what
// follows it).
bool PutTab(TextDecoder* d, char c, int64_t rest) {
  if (c != '\t' || !Reserve(d, d->tab_size + rest + kOverrun)) return false;
  std::memset(d->text->data + d->length, ' ', static_cast<size_t>(d->tab_size));
  d->length += d->tab_size;
  return true;
}

// The NUL's place at the end of the text's room.
char* RoomEnd(const TextDecoder& d) { return d.text->data + d.text->capacity - 1; }

// The state of DecodeBytes in locals, which the compiler keeps in registers
// (a store through a char pointer could change any field of the decoder).
struct DecodeState {
  char* base;
  char* out;
  char* piece;  // where the current piece began
  int64_t kept_cr;
  uint32_t eol_style;
  bool saw_lf, saw_cr, cr_before_lf;
};

// The piece ends with the LF just read; a CR right before it, even one from
// the previous piece, goes with it and makes the style CR LF.
inline void EndLine(DecodeState* s) {
  bool crlf = s->out > s->piece && s->out[-1] == '\r';
  if (crlf) {
    --s->out;
    --s->kept_cr;
  }
  s->eol_style = crlf ? 1 : 0;
  if (s->out > s->piece && s->out[-1] == '\r') s->cr_before_lf = true;
  *s->out++ = '\n';
  s->piece = s->out;
  s->saw_lf = true;
}

DecodeState LoadState(const TextDecoder& d) {
  char* base = d.text->data;
  return {base,        base + d.length, base + d.piece_start, d.kept_cr,
          d.eol_style, d.saw_lf,        d.saw_cr,            d.cr_before_lf};
}

void StoreState(const DecodeState& s, TextDecoder* d) {
  d->length = static_cast<int32_t>(s.out - s.base);
  d->piece_start = static_cast<int32_t>(s.piece - s.base);
  d->kept_cr = s.kept_cr;
  d->eol_style = s.eol_style;
  d->saw_lf = s.saw_lf;
  d->saw_cr = s.saw_cr;
  d->cr_before_lf = s.cr_before_lf;
}

}  // namespace

int64_t DecodedSizeBound(int64_t size, int64_t tabs, int32_t tab_size) {
  return size + tabs * (std::max(tab_size, 0) - 1) + 1;
}

bool BeginDecode(TextDecoder* d, GrowString* text, int64_t size_hint, int32_t tab_size,
                 uint32_t eol_style, int32_t lead) {
  *d = TextDecoder();
  d->text = text;
  d->tab_size = std::max(tab_size, 0);
  d->eol_style = eol_style;
  text->size = 0;
  size_hint = std::max<int64_t>(size_hint, 0);
  lead = std::max(lead, 0);
  // The lead, the file, a final LF and the NUL.
  if (!Reserve(d, lead + size_hint + 1)) return Fail(d);
  std::memset(text->data, 0, static_cast<size_t>(lead));
  d->lead = lead;
  d->length = lead;
  d->piece_start = lead;
  return true;
}

bool DecodeBytes(TextDecoder* d, const char* bytes, size_t n) {
  if (d->failed) return false;
  if (n == 0) return true;
  // Room for the bytes as they are; only a tab makes more, and makes its own.
  if (!Reserve(d, static_cast<int64_t>(n) + kOverrun)) return Fail(d);
  const char* p = bytes;
  const char* end = bytes + n;
  DecodeState s = LoadState(*d);
  char* room_end = RoomEnd(*d);
  while (p < end) {
    size_t plain = CopyPlain(p, end, s.out);
    p += plain;
    s.out += plain;
    if (p == end) break;
    char c = *p++;
    if (c == '\n') {
      EndLine(&s);
    } else if (c == '\r') {
      s.saw_cr = true;
      ++s.kept_cr;
      *s.out++ = '\r';
      if (p < end && *p == '\n') {  // CR LF, the common case, at once
        ++p;
        EndLine(&s);
      }
    } else if (c == '\t' && s.out + d->tab_size + (end - p) + kOverrun < room_end) {
      std::memset(s.out, ' ', static_cast<size_t>(d->tab_size));
      s.out += d->tab_size;
    } else {
      StoreState(s, d);
      if (!PutTab(d, c, end - p)) return Fail(d);
      s = LoadState(*d);
      room_end = RoomEnd(*d);
    }
  }
  StoreState(s, d);
  return true;
}

bool EndDecode(TextDecoder* d) {
  if (d->failed) return false;
  if (d->length > d->piece_start) {
    // A last line without LF: a CR there is its line end.
    if (d->text->data[d->length - 1] == '\r') {
      --d->length;
      --d->kept_cr;
      d->eol_style = 2;
    }
    if (!Reserve(d, 1)) return Fail(d);
    NoteCrBeforeLf(d);
    d->text->data[d->length++] = '\n';
  }
  char* t = d->text->data;
  t[d->length] = 0;
  if (d->saw_cr && !d->saw_lf) {
    // CR line ends: every CR ends a line.
    for (int32_t i = d->lead; i < d->length; ++i)
      if (t[i] == '\r') t[i] = '\n';
    d->eol_style = 2;
  } else if ((d->eol_style == 0 && d->cr_before_lf) || (d->eol_style == 2 && d->kept_cr > 0)) {
    d->eol_style = 1;
  }
  d->text->size = d->length + 1;
  return true;
}
