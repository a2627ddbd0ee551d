#include "documents/preferences_files.h"

#include <cstring>
#include <memory>

#include "documents/file_reader.h"
#include "documents/file_writer.h"
#include "documents/text_encoder.h"
#include "preferences/default_text.h"
#include "preferences/preferences.h"

void WriteDefaultFiles(const std::string& config_directory) {
  std::string defaults = config_directory + kDefaultPreferencesFileName;
  std::string user = config_directory + kPreferencesFileName;
  // Replaced as a whole, so that a failed write cannot leave a damaged
  // reference file behind.
  const char* text = DefaultPreferencesText();
  TextSpan all{text, static_cast<int32_t>(std::strlen(text))};
  SaveTextToFile(defaults.c_str(), &all, 1, 0);
  // Create-new: a file that exists but cannot be read keeps the user's
  // settings instead of being replaced by the template.
  FileWriter writer(user.c_str(), CreateMode::kCreateNew);
  if (writer.IsOpen()) {
    const char* user_text = UserTemplateText();
    writer.Write(user_text, static_cast<int64_t>(std::strlen(user_text)));
    writer.Flush(true);
  }
}

bool LoadPreferences(Preferences* p, const std::string& config_directory,
                     bool use_default_file) {
  std::string path = config_directory +
                     (use_default_file ? kDefaultPreferencesFileName : kPreferencesFileName);
  std::unique_ptr<char[]> bytes;
  int64_t length = 0;
  if (!ReadWholeFile(path.c_str(), &bytes, &length)) {
    char empty[1] = {0};
    return ParsePreferencesText(p, empty);
  }
  return ParsePreferencesText(p, bytes.get());
}
