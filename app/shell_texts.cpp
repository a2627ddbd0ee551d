// The texts the program shows, and the shell wrapper's choice of call.
#include "app/shell_texts.h"

#include <cstdio>

#include "engine/utf8.h"
#include "orv_version.h"

const char kProductTitle[] = "Orvinale " ORV_VERSION " (x64)";
const char kWebsiteAddress[] = "https://orvinale.example.org/";
const char kWelcomeCaption[] = "Release for testing purposes";
const char kVersionCaption[] = "Version details";

namespace {

// snprintf into a buffer of `size` bytes, as the window texts are bounded.
template <typename... Args>
std::string Bounded(size_t size, const char* format, Args... args) {
  std::string out(size, '\0');
  int n = std::snprintf(&out[0], size, format, args...);
  if (n < 0) return std::string();
  out.resize(static_cast<size_t>(n) < size ? static_cast<size_t>(n) : size - 1);
  return out;
}

}  // namespace

std::string LastPathComponent(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string MainTitleText(const std::string& title, bool show_filename, const char* document_path) {
  if (!show_filename || document_path == nullptr) return title;
  std::string name = LastPathComponent(document_path);
  return Bounded(2048, "%s - %s", name.c_str(), title.c_str());
}

std::string ChangeCountTitle(const std::string& title, int32_t count) {
  if (count == 0) return std::string();
  return Bounded(512, count == 1 ? "%s | %d change" : "%s | %d changes", title.c_str(),
                 static_cast<int>(count));
}

std::string WelcomeText(double startup_seconds) {
  return Bounded(1024,
                 "Welcome to Orvinale (the \"Software\").\n"
                 "\n"
                 "THIS IS AN UNSTABLE RELEASE STILL IN DEVELOPEMENT PHASE\n"
                 "AND IS PROVIDED ON AN \"AS IS\" BASIS AND IS BELIEVED\n"
                 "TO CONTAIN DEFECTS AND A PRIMARY PURPOSE OF THIS\n"
                 "RELEASE IS TO OBTAIN FEEDBACK ON SOFTWARE PERFORMANCE\n"
                 "AND THE IDENTIFICATION OF DEFECTS.\n"
                 "\n"
                 "IT IS ADVISED TO USE CAUTION AND NOT TO RELY IN ANY WAY\n"
                 "ON THE CORRECT FUNCTIONING OF THIS RELEASE.\n"
                 "\n"
                 "Orvinale version: " ORV_VERSION " (x64)\n"
                 "\n"
                 "For the latest production release visit: %s\n"
                 "\n"
                 "Startup time: %.3f sec\n"
                 "\n"
                 "Press OK to start editing.",
                 kWebsiteAddress, startup_seconds);
}

std::string SaveFailureText(const std::string& path, const std::string& reason,
                            const std::string& kept_path) {
  std::string text = "Orvinale cannot save the file:\n" + path;
  if (!reason.empty()) text += "\n\n" + reason;
  if (!kept_path.empty()) text += "\n\nYour text is safe in this file:\n" + kept_path;
  return text;
}

std::string TooLargeResultText(const std::string& action) {
  return action + ": the text would be larger than 1 GB, the most Orvinale holds.\n\nNothing was changed.";
}

std::string SavedTooLargeText(const std::string& path) {
  return "The file was saved:\n" + path +
         "\n\nIt is now 16 MB or larger, too large for Orvinale to open again.";
}

std::string VersionBoxText(const char* timestamp, const char* commit) {
  return std::string("Orvinale version: " ORV_VERSION " (x64)\n\nBuild timestamp: ") + timestamp +
         "\nGit commit: " + commit;
}

bool ShellNeedsWide(std::initializer_list<const char*> strings) {
  for (const char* s : strings)
    if (s != nullptr && IsValidUtf8(s) != 0) return true;
  return false;
}
