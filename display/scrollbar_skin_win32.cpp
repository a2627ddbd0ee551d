// Loading the scrollbar skin image once per process. libpng reports errors by
// longjmp; every error, from a damaged, truncated or oversized file alike,
// ends in "no skin" and the flat look.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include "display/skinned_scrollbar_record_win32.h"
#include "display/skinned_scrollbar_win32.h"

ScrollbarSkin scrollbar_skin;

namespace {

constexpr png_uint_32 kMaxSkinSide = 4096;

std::wstring skin_folder;  // empty: the executable's folder

std::wstring ExecutableFolder() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return std::wstring();
  path.resize(n);
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void Warning(png_structp, png_const_charp) {}
void Error(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Everything between setjmp and a possible longjmp lives in the caller's
// frame or is plain data, so the jump skips no destructor.
struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
  FILE* file = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::vector<Pixel>* pixels = nullptr;
  std::vector<png_bytep>* rows = nullptr;
};

bool ReadAll(PngRead& r) {
  if (setjmp(png_jmpbuf(r.png))) return false;
  png_init_io(r.png, r.file);
  png_set_user_limits(r.png, kMaxSkinSide, kMaxSkinSide);
  png_read_info(r.png, r.info);
  r.width = png_get_image_width(r.png, r.info);
  r.height = png_get_image_height(r.png, r.info);
  if (r.width == 0 || r.height == 0 || r.width > kMaxSkinSide || r.height > kMaxSkinSide)
    return false;
  // Whatever the file's format, rows arrive as blue, green, red, alpha bytes.
  png_set_expand(r.png);
  png_set_strip_16(r.png);
  png_set_gray_to_rgb(r.png);
  png_set_bgr(r.png);
  png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  if (png_get_rowbytes(r.png, r.info) != r.width * 4) return false;
  r.pixels->resize(static_cast<size_t>(r.width) * r.height);
  r.rows->resize(r.height);
  for (png_uint_32 y = 0; y < r.height; ++y)
    (*r.rows)[y] = reinterpret_cast<png_bytep>(r.pixels->data() + static_cast<size_t>(y) * r.width);
  png_read_image(r.png, r.rows->data());
  png_read_end(r.png, nullptr);
  return true;
}

}  // namespace

bool ReadPngPixels(const wchar_t* path, Canvas* out) {
  PngRead r;
  std::vector<Pixel> pixels;
  std::vector<png_bytep> rows;
  r.pixels = &pixels;
  r.rows = &rows;
  r.file = _wfopen(path, L"rb");
  if (!r.file) return false;
  unsigned char signature[8] = {};
  bool ok = fread(signature, 1, 8, r.file) == 8 && png_sig_cmp(signature, 0, 8) == 0;
  if (ok) {
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Error, Warning);
    if (r.png) r.info = png_create_info_struct(r.png);
    ok = r.png && r.info;
  }
  if (ok) {
    png_set_sig_bytes(r.png, 8);
    ok = ReadAll(r);
  }
  if (r.png) png_destroy_read_struct(&r.png, r.info ? &r.info : nullptr, nullptr);
  fclose(r.file);
  if (!ok || !ResizeCanvas(*out, static_cast<int>(r.width), static_cast<int>(r.height)))
    return false;
  std::copy(pixels.begin(), pixels.end(), out->pixels);
  return true;
}

void SetScrollbarSkinFolder(const wchar_t* program_directory) {
  skin_folder = program_directory ? program_directory : L"";
}

void EnsureScrollbarSkin() {
  if (scrollbar_skin.tried) return;
  scrollbar_skin.tried = true;
  std::wstring folder = skin_folder.empty() ? ExecutableFolder() : skin_folder;
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  const std::wstring path = folder + L"skin\\faithful\\scrollbar.png";
  Canvas image;
  if (!ReadPngPixels(path.c_str(), &image)) return;
  scrollbar_skin.metrics = ReadSkinMarkers(image.pixels, image.width, image.height);
  // An image too small for the layout cannot be cut into pieces: draw flat.
  if (image.width < kSkinMinWidth || image.height < kSkinMinHeight) return;
  scrollbar_skin.image = std::move(image);
}
