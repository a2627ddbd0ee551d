#include "documents/text_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/grow_buffer.h"

namespace {

struct Decoded {
  bool ok;
  std::string text;
  uint32_t style;
};

// Decodes in pieces of `step` bytes so that lines cross the pieces.
Decoded Decode(const std::string& bytes, int32_t tab_size, uint32_t style, size_t step) {
  GrowString text;
  TextDecoder d;
  Decoded out{false, "", 0};
  if (!BeginDecode(&d, &text, static_cast<int64_t>(bytes.size()), tab_size, style)) return out;
  for (size_t at = 0; at < bytes.size(); at += step)
    if (!DecodeBytes(&d, bytes.data() + at, std::min(step, bytes.size() - at))) return out;
  if (!EndDecode(&d)) return out;
  out.ok = true;
  out.text.assign(StringData(text), static_cast<size_t>(StringLength(text)));
  out.style = d.eol_style;
  return out;
}

// The rules of the header, one byte at a time.
Decoded Reference(const std::string& in, int32_t tab_size, uint32_t style) {
  if (in.find('\0') != std::string::npos) return {false, "", 0};
  std::string text, line;
  bool saw_lf = false;
  for (char c : in) {
    if (c == '\n') {
      saw_lf = true;
      bool crlf = !line.empty() && line.back() == '\r';
      if (crlf) line.pop_back();
      style = crlf ? 1 : 0;
      text += line + "\n";
      line.clear();
    } else {
      line += c == '\t' ? std::string(static_cast<size_t>(tab_size), ' ') : std::string(1, c);
    }
  }
  if (!line.empty()) {
    if (line.back() == '\r') {
      line.pop_back();
      style = 2;
    }
    text += line + "\n";
  }
  if (in.find('\r') != std::string::npos) {
    if (!saw_lf) {
      for (char& c : text) c = c == '\r' ? '\n' : c;
      style = 2;
    } else if ((style == 0 && text.find("\r\n") != std::string::npos) ||
               (style == 2 && text.find('\r') != std::string::npos)) {
      style = 1;
    }
  }
  return {true, text, style};
}

}  // namespace

TEST(TextDecoder, MatchesTheRulesWhereverTheSpecialBytesFall) {
  // Line ends, tabs and NULs at every offset of the 16-byte blocks and of
  // the pieces, among plain and multi-byte characters; now and then a line
  // longer than many pieces, or tabs far wider than the size hint allows.
  const char* const parts[] = {"a", "bcdefgh", "\xCE\xB1", "\n", "\r", "\r\n", "\t", "0123456789abcdef"};
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (int round = 0; round < 3000; ++round) {
    std::string in;
    int count = static_cast<int>(next() % 40);
    for (int i = 0; i < count; ++i) in += parts[next() % 8];
    if (round % 97 == 0) in.insert(next() % (in.size() + 1), 1, '\0');
    if (round % 50 == 1) in.insert(next() % (in.size() + 1), 20000, 'q');
    int32_t tab_size = static_cast<int32_t>(round % 7 == 0 ? 128 : next() % 5);
    size_t step = 1 + next() % 40;
    Decoded got = Decode(in, tab_size, 7, step);
    Decoded want = Reference(in, tab_size, 7);
    ASSERT_EQ(got.ok, want.ok) << testing::PrintToString(in);
    if (!want.ok) continue;
    ASSERT_EQ(got.text, want.text) << testing::PrintToString(in) << " step " << step;
    ASSERT_EQ(got.style, want.style) << testing::PrintToString(in) << " step " << step;
  }
}

// A text too long to hold, or memory refused at the start or when the bytes
// outgrow the room first asked for, fails the decode, and it stays failed.
TEST(TextDecoder, RoomItCannotHaveFailsTheDecode) {
  GrowString text;
  TextDecoder d;
  EXPECT_FALSE(BeginDecode(&d, &text, kMaxTextLength, 4, 0));
  buffer_realloc = [](void*, size_t) -> void* { return nullptr; };
  EXPECT_FALSE(BeginDecode(&d, &text, 1000, 4, 0));
  buffer_realloc = std::realloc;
  ASSERT_TRUE(BeginDecode(&d, &text, 4, 4, 0));
  const std::string more(5000, 'x');
  buffer_realloc = [](void*, size_t) -> void* { return nullptr; };
  EXPECT_FALSE(DecodeBytes(&d, more.data(), more.size()));
  buffer_realloc = std::realloc;
  EXPECT_FALSE(DecodeBytes(&d, "x", 1));
}
