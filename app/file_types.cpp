// The file types the file dialogs offer, and the rules for the names they
// return.
#include "app/file_types.h"

#include <cctype>

#include "documents/browse_rules.h"

const FileType kFileTypes[kFileTypeCount] = {
    {"All supported files", "*.cpp;*.cc;*.cxx;*.hxx;*.hpp;*.hh;*.c;*.h;*.asm;*.s;*.S;*.bat;*.cmd;*.txt"},
    {"C++ files (*.cpp;*.cc;*.h;*.cxx;*.hxx;*.hpp;*.hh)", "*.cpp;*.cc;*.h;*.cxx;*.hxx;*.hpp;*.hh"},
    {"C files (*.c;*.h)", "*.c;*.h"},
    {"Assembly files (*.asm;*.s;*.S)", "*.asm;*.s;*.S"},
    {"Batch files (*.bat;*.cmd)", "*.bat;*.cmd"},
    {"Text files (*.txt)", "*.txt"},
    {"All files (*.*)", "*.*"},
};

const char kDefaultExtension[] = "cpp";

namespace {

std::string Lower(const char* text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string FileTypeFilter() {
  std::string out;
  for (const FileType& t : kFileTypes) {
    out.append(t.label).push_back('\0');
    out.append(t.patterns).push_back('\0');
  }
  out.push_back('\0');
  return out;
}

int OpenDialogTypeIndex() {
  for (int i = 0; i < kFileTypeCount; ++i)
    if (Lower(kFileTypes[i].patterns).find(kDefaultExtension) != std::string::npos) return i;
  return -1;
}

int SaveDialogTypeIndex() {
  for (int i = 0; i < kFileTypeCount; ++i) {
    std::string patterns = Lower(kFileTypes[i].patterns);
    size_t dot = patterns.rfind('.');
    if (dot != std::string::npos && patterns.compare(dot + 1, std::string::npos, kDefaultExtension) == 0)
      return i;
  }
  return -1;
}

std::string WithTypedName(const std::string& result, const std::string& typed) {
  const std::string name = FileNamePart(typed);
  if (name.empty()) return result;
  return result.substr(0, result.size() - FileNamePart(result).size()) + name;
}

std::string SaveNameWithExtension(const std::string& path) {
  if (FileNamePart(path).find('.') != std::string::npos) return path;
  return path + "." + kDefaultExtension;
}

std::string ReplaceQuestion(const std::string& path) {
  return FileNamePart(path) + " already exists.\nDo you want to replace it?";
}
