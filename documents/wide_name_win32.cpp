// UTF-8 names to wide Windows paths (long-path prefix included).
#include "documents/file_names.h"
#include "documents/wide_name.h"
#include "engine/utf8_win32.h"

bool WidePath(const char* utf8_name, std::wstring* out) {
  if (!Utf8ToWide(utf8_name, out)) return false;
  ApplyLongPathPrefix(*out);
  return true;
}
