// Reading the scrollbar skin PNG: the shipped image, and files that are
// damaged, truncated, oversized or not there at all.
#include <windows.h>

#include <gtest/gtest.h>

#include <png.h>

#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "display/skinned_scrollbar_record_win32.h"

namespace {

std::wstring Widen(const char* s) {
  std::wstring w;
  for (; *s; ++s) w += static_cast<wchar_t>(*s == '/' ? '\\' : *s);
  return w;
}

// The shipped skin, reached through Wine's Z: drive.
std::wstring ShippedSkin() {
  return L"Z:" + Widen(ORV_SOURCE_DIR) + L"\\data\\skin\\faithful\\scrollbar.png";
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
  std::vector<unsigned char> bytes;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return bytes;
  int c;
  while ((c = fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
  fclose(f);
  return bytes;
}

std::wstring WriteTemp(const wchar_t* name, const std::vector<unsigned char>& bytes) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + name;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (f) {
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  return path;
}

TEST(DisplaySkinWin, ShippedSkinHasMarkersAndTheLayoutSize) {
  Canvas image;
  ASSERT_TRUE(ReadPngPixels(ShippedSkin().c_str(), &image));
  EXPECT_GE(image.width, kSkinMinWidth);
  EXPECT_GE(image.height, kSkinMinHeight);
  EXPECT_EQ(kSkinMarker, CanvasPixelAt(image, 0, 35));
  const SkinMetrics m = ReadSkinMarkers(image.pixels, image.width, image.height);
  EXPECT_TRUE(m.has_markers);
  EXPECT_GT(m.pieces.thumb_top, 0);
  EXPECT_GT(m.pieces.thumb_grip, 0);
  EXPECT_GT(m.pieces.track_top, 0);
}

TEST(DisplaySkinWin, BrokenFilesAreRefusedWithoutHarm) {
  Canvas image;
  EXPECT_FALSE(ReadPngPixels(L"Z:\\no\\such\\folder\\scrollbar.png", &image));
  const std::vector<unsigned char> good = ReadBytes(ShippedSkin());
  ASSERT_GT(good.size(), 200u);
  // Cut short in the middle of the image data.
  std::vector<unsigned char> cut(good.begin(), good.begin() + good.size() / 2);
  EXPECT_FALSE(ReadPngPixels(WriteTemp(L"orv_skin_cut.png", cut).c_str(), &image));
  // Image data scrambled (the header stays valid).
  std::vector<unsigned char> scrambled = good;
  for (size_t k = 60; k < scrambled.size() - 20; k += 7) scrambled[k] ^= 0x5A;
  EXPECT_FALSE(ReadPngPixels(WriteTemp(L"orv_skin_scrambled.png", scrambled).c_str(), &image));
  // A header claiming 100000 x 100000 pixels.
  std::vector<unsigned char> huge = good;
  const unsigned char big[4] = {0x00, 0x01, 0x86, 0xA0};
  for (int k = 0; k < 4; ++k) huge[16 + k] = huge[20 + k] = big[k];
  // With a correct checksum, so it is the size that is refused.
  const uLong crc = crc32(0, huge.data() + 12, 17);
  for (int k = 0; k < 4; ++k) huge[29 + k] = static_cast<unsigned char>(crc >> (24 - 8 * k));
  EXPECT_FALSE(ReadPngPixels(WriteTemp(L"orv_skin_huge.png", huge).c_str(), &image));
  // Not a PNG at all, and empty.
  EXPECT_FALSE(ReadPngPixels(WriteTemp(L"orv_skin_text.png", {'h', 'e', 'l', 'l', 'o'}).c_str(), &image));
  EXPECT_FALSE(ReadPngPixels(WriteTemp(L"orv_skin_empty.png", {}).c_str(), &image));
  EXPECT_EQ(nullptr, image.pixels);
}

}  // namespace
