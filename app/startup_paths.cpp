// The portable decisions of start-up and the settings they resolve.
#include "app/startup_paths.h"

#include <algorithm>
#include <cstring>

#include "engine/utf8.h"

std::string command_line;
std::string program_directory;
std::string config_directory;
std::string profile_path;

std::string CommandLinePath(const char16_t* command_line, size_t length) {
  std::string path = Utf16ToUtf8(command_line, length, kCommandLineBytes - 1);
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
  const std::string tail = "\nin " + user_file + "\n\nPress OK to try load the default file:\n\n" + default_file;
  std::string message = error_text;
  const bool line_end = !message.empty() && message.back() == '\n';
  if (line_end) message.pop_back();
  // Only the quoted remainder gives way: the sentence before it, the names
  // and the sentences after them are what the user needs to act. The quote
  // is minified, one word without a space, and the box grows to its width:
  // a long one would push the names past the screen's edges.
  const size_t quote = message.find(": ");
  const size_t keep = quote == std::string::npos ? 0 : quote + 2;
  const size_t room = std::min(kParseErrorBoxBytes - std::min(tail.size() + line_end, kParseErrorBoxBytes),
                               keep + kParseErrorQuoteBytes);
  if (message.size() > room) message = CutUtf8(message, std::max(keep, room > 3 ? room - 3 : 0)) + "...";
  return message + (line_end ? "\n" : "") + tail;
}
