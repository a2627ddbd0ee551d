// The portable decisions of start-up and the settings they resolve.
#include "app/startup_paths.h"

#include <cstring>

#include "app/file_types.h"

std::string command_line;
std::string program_directory;
std::string config_directory;
std::string profile_path;

namespace {

// Appends the UTF-8 form of code point cp; false when it would pass max.
bool AppendCodePoint(std::string* out, uint32_t cp, size_t max_bytes) {
  char buf[4];
  size_t n;
  if (cp < 0x80) {
    buf[0] = static_cast<char>(cp);
    n = 1;
  } else if (cp < 0x800) {
    buf[0] = static_cast<char>(0xC0 | (cp >> 6));
    buf[1] = static_cast<char>(0x80 | (cp & 0x3F));
    n = 2;
  } else if (cp < 0x10000) {
    buf[0] = static_cast<char>(0xE0 | (cp >> 12));
    buf[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    buf[2] = static_cast<char>(0x80 | (cp & 0x3F));
    n = 3;
  } else {
    buf[0] = static_cast<char>(0xF0 | (cp >> 18));
    buf[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    buf[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    buf[3] = static_cast<char>(0x80 | (cp & 0x3F));
    n = 4;
  }
  if (out->size() + n > max_bytes) return false;
  out->append(buf, n);
  return true;
}

}  // namespace

std::string Utf16ToUtf8Bounded(const char16_t* text, size_t length, size_t max_bytes) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    if (!AppendCodePoint(&out, cp, max_bytes)) break;
  }
  return out;
}

std::string CommandLinePath(const char16_t* command_line, size_t length) {
  std::string path = Utf16ToUtf8Bounded(command_line, length, kCommandLineBytes - 1);
  std::string unquoted;
  unquoted.reserve(path.size());
  for (char c : path)
    if (c != '"') unquoted += c;
  return unquoted;
}

std::string ProgramDirectory(const std::string& module_file_name) {
  size_t cut = module_file_name.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : module_file_name.substr(0, cut + 1);
}

bool IsPortableMarker(const char* name, uint32_t attributes) {
  return (attributes & kDirectoryAttribute) != 0 && std::strcmp(name, "portable") == 0;
}

std::string ConfigDirectory(const std::string& program_directory, bool portable,
                            const std::string& roaming_folder) {
  if (portable) return program_directory + "portable\\";
  return roaming_folder + "\\Orvinale\\";
}

std::string ProfilePath(const std::string& config_directory) {
  return config_directory + "orvinale" + ".ini";
}

std::string PreferencesParseErrorText(const std::string& error_text, const std::string& user_file,
                                      const std::string& default_file) {
  std::string text = error_text + "\nin " + user_file +
                     "\n\nPress OK to try load the default file:\n\n" + default_file;
  return CutUtf8(text, 511);
}
