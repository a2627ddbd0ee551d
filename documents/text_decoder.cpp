#include "documents/text_decoder.h"

#include <climits>
#include <cstring>

namespace {

bool Reserve(TextDecoder* d, int64_t more) {
  int64_t need = static_cast<int64_t>(d->length) + more + 1;
  if (need > kMaxDecodedLength) return false;
  if (need <= d->text->capacity) return true;
  int32_t keep = d->text->size;
  if (!ResizeBuffer(d->text, static_cast<int32_t>(need))) return false;
  d->text->size = keep;
  return true;
}

void Put(TextDecoder* d, const char* bytes, size_t n) {
  std::memcpy(d->text->data + d->length, bytes, n);
  d->length += static_cast<int32_t>(n);
}

// Appends the bytes of one line, without its LF, expanding tabs. `tab` is
// the first TAB at or after p in the current chunk (or null), kept between
// lines so that each TAB is searched for once.
bool PutLineBytes(TextDecoder* d, const char* p, size_t n, const char** tab, const char* end) {
  const char* stop = p + n;
  while (p < stop) {
    if (*tab != nullptr && *tab < p)
      *tab = static_cast<const char*>(std::memchr(p, '\t', static_cast<size_t>(end - p)));
    const char* t = *tab != nullptr && *tab < stop ? *tab : stop;
    size_t plain = static_cast<size_t>(t - p);
    if (plain > 0) {
      if (!Reserve(d, static_cast<int64_t>(plain))) return false;
      Put(d, p, plain);
    }
    if (t == stop) return true;
    if (!Reserve(d, d->tab_size)) return false;
    std::memset(d->text->data + d->length, ' ', static_cast<size_t>(d->tab_size));
    d->length += d->tab_size;
    p = t + 1;
  }
  return true;
}

// The current piece ended with an LF.
bool EndLine(TextDecoder* d) {
  char* t = d->text->data;
  if (d->length > d->piece_start && t[d->length - 1] == '\r') {
    --d->length;
    d->eol_style = 1;
  } else {
    d->eol_style = 0;
  }
  if (!Reserve(d, 1)) return false;
  t = d->text->data;
  t[d->length++] = '\n';
  d->piece_start = d->length;
  return true;
}

// Whether [p, end) holds a CR, and a CR right before an LF.
void FindCarriageReturns(const char* p, const char* end, bool* any, bool* before_lf) {
  while ((p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))) !=
         nullptr) {
    *any = true;
    if (p + 1 < end && p[1] == '\n') *before_lf = true;
    ++p;
  }
}

bool Fail(TextDecoder* d) {
  d->failed = true;
  return false;
}

}  // namespace

int64_t DecodedSizeBound(int64_t size, int64_t tabs, int32_t tab_size) {
  int64_t per_tab = tab_size > 0 ? tab_size : 0;
  return size + tabs * (per_tab - 1) + 1;
}

bool BeginDecode(TextDecoder* d, GrowString* text, int64_t size_hint, int32_t tab_size,
                 uint32_t eol_style, int32_t lead) {
  *d = TextDecoder();
  d->text = text;
  d->tab_size = tab_size < 0 ? 0 : tab_size;
  d->eol_style = eol_style;
  text->size = 0;
  if (size_hint < 0) size_hint = 0;
  if (lead < 0) lead = 0;
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
  if (std::memchr(bytes, 0, n) != nullptr) return Fail(d);
  if (!d->saw_cr && std::memchr(bytes, '\r', n) != nullptr) d->saw_cr = true;
  const char* p = bytes;
  const char* end = bytes + n;
  const char* tab = static_cast<const char*>(std::memchr(p, '\t', n));
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* stop = lf != nullptr ? lf : end;
    if (!PutLineBytes(d, p, static_cast<size_t>(stop - p), &tab, end)) return Fail(d);
    if (lf == nullptr) break;
    d->saw_lf = true;
    if (!EndLine(d)) return Fail(d);
    p = lf + 1;
  }
  return true;
}

bool EndDecode(TextDecoder* d) {
  if (d->failed) return false;
  char* t = d->text->data;
  if (d->length > d->piece_start) {
    // A last line without LF: a CR there is its line end.
    if (t[d->length - 1] == '\r') {
      --d->length;
      d->eol_style = 2;
    }
    if (!Reserve(d, 1)) return Fail(d);
    t = d->text->data;
    t[d->length++] = '\n';
  }
  t[d->length] = 0;
  if (d->saw_cr && !d->saw_lf) {
    // CR line ends: every CR ends a line.
    for (int32_t i = d->lead; i < d->length; ++i)
      if (t[i] == '\r') t[i] = '\n';
    d->eol_style = 2;
  } else if (d->saw_cr) {
    bool cr_before_lf = false, any_cr = false;
    FindCarriageReturns(t + d->lead, t + d->length, &any_cr, &cr_before_lf);
    if ((d->eol_style == 0 && cr_before_lf) || (d->eol_style == 2 && any_cr)) d->eol_style = 1;
  }
  d->text->size = d->length + 1;
  return true;
}
