#include "documents/supported_extensions.h"

#include "documents/file_names.h"
#include "documents/no_case.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsQuote(char c) { return c == '"' || c == '\'' || c == '`'; }

}  // namespace

const char* SupportedExtensions() {
  return ".cpp .cc .cxx .hxx .hpp .hh .c .h .asm .s .S .bat .cmd .txt";
}

std::vector<std::string> TokenizeExtensions(const char* text) {
  std::vector<std::string> tokens;
  if (text == nullptr) return tokens;
  const char* p = text;
  for (;;) {
    while (IsBlank(*p)) ++p;
    if (*p == 0 || *p == '#' || *p == ';') break;
    const char* start = p;
    if (IsQuote(*p)) {
      char quote = *p++;
      start = p;
      while (*p != 0 && *p != quote) ++p;
      tokens.emplace_back(start, p);
      if (*p == quote) ++p;
    } else {
      while (*p != 0 && !IsBlank(*p)) ++p;
      tokens.emplace_back(start, p);
    }
  }
  return tokens;
}

bool HasListedExtension(const std::vector<std::string>& tokens, const char* path) {
  std::string extension = PathExtension(path);
  if (extension.empty()) return false;
  for (const std::string& token : tokens)
    if (EqualNoCase(token, extension)) return true;
  return false;
}
