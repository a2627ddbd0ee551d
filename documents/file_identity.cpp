#include "documents/file_identity.h"

#include <cstring>
#include <vector>

namespace {

bool SameId(const FileKey& a, const FileKey& b) {
  return a.on_disk && b.on_disk && a.volume == b.volume && a.id_high == b.id_high &&
         a.id_low == b.id_low;
}

}  // namespace

bool SameFile(const FileKey& a, const FileKey& b) {
  return SameId(a, b) || a.folded == b.folded;
}

bool HoldsSameFile(const FileKey& held, const FileKey& given) {
  const bool same_id = SameId(held, given), same_name = held.folded == given.folded;
  if (!held.on_disk || !given.on_disk || same_id == same_name) return same_id || same_name;
  return SameId(KeyForName(held.name), given);
}

FileKey NameOnlyKey(const std::string& name) {
  FileKey key;
  key.name = name;
  key.folded = FoldNameCase(name);
  return key;
}

FileKey KeyForName(const std::string& name) {
  FileKey key;
  if (ResolveFileKey(name.c_str(), &key)) return key;
  return NameOnlyKey(name);
}

namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

bool IsDriveName(const std::string& s) {
  return s.size() >= 2 && s[1] == ':' &&
         ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

// The root of a full name: "C:\" or "\\server\share\"; "" when it has none.
std::string RootOf(const std::string& full) {
  if (IsDriveName(full)) return full.substr(0, 2) + "\\";
  if (full.size() >= 2 && IsSlash(full[0]) && IsSlash(full[1])) {
    // "\\server\share\", or as much of it as there is, with one separator after it.
    size_t server_end = full.find_first_of("\\/", 2);
    if (server_end == std::string::npos || server_end + 1 == full.size())
      return full.substr(0, server_end) + "\\";
    size_t share_end = full.find_first_of("\\/", server_end + 1);
    return full.substr(0, share_end == std::string::npos ? full.size() : share_end) + "\\";
  }
  return "";
}

}  // namespace

std::string FullWindowsName(const std::string& given, const std::string& current_folder) {
  std::string name = given;
  for (char& c : name)
    if (c == '/') c = '\\';
  if (name.compare(0, 4, "\\\\.\\") == 0) return name;
  for (;;) {  // every prefix goes, should there be more than one
    if (name.compare(0, 8, "\\\\?\\UNC\\") == 0)
      name = "\\\\" + name.substr(8);
    else if (name.compare(0, 4, "\\\\?\\") == 0)
      name = name.substr(4);
    else
      break;
  }
  std::string folder = current_folder;
  for (char& c : folder)
    if (c == '/') c = '\\';
  // The root the name starts from and the rest of it, to be walked.
  std::string root, rest;
  if (IsDriveName(name) && name.size() > 2 && name[2] == '\\') {
    root = name.substr(0, 2) + "\\";
    rest = name.substr(3);
  } else if (IsDriveName(name)) {  // "C:x": against the current folder when it is on C:
    bool same_drive = IsDriveName(folder) && (folder[0] | 0x20) == (name[0] | 0x20);
    root = name.substr(0, 2) + "\\";
    rest = (same_drive ? folder.substr(3) + "\\" : std::string()) + name.substr(2);
  } else if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') {
    root = RootOf(name);
    rest = root.size() < name.size() ? name.substr(root.size()) : std::string();
  } else if (!name.empty() && name[0] == '\\') {
    root = RootOf(folder);
    rest = name.substr(1);
  } else {
    root = RootOf(folder);
    rest = folder.size() > root.size() ? folder.substr(root.size()) + "\\" + name : name;
  }
  std::vector<std::string> parts;
  size_t at = 0;
  while (at <= rest.size()) {
    size_t end = rest.find('\\', at);
    if (end == std::string::npos) end = rest.size();
    std::string part = rest.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  // The file system drops trailing dots and spaces of the last component,
  // unless the name ends in a separator; a component of dots and spaces
  // alone goes whole, and the one before it is then the last.
  while (!parts.empty() && !rest.empty() && rest.back() != '\\') {
    std::string& last = parts.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    if (!last.empty()) break;
    parts.pop_back();
  }
  std::string full = root;
  for (size_t i = 0; i < parts.size(); ++i) full += (i == 0 ? "" : "\\") + parts[i];
  // A name that ends in a separator keeps it, and with it the trailing
  // dots and spaces that the separator protects.
  if (!parts.empty() && !rest.empty() && rest.back() == '\\') full += '\\';
  return full;
}

namespace {

// Upper case of one code point, for the ranges the folding covers.
uint32_t UpperOf(uint32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  // U+0130, U+0131 (the Turkish dotted and dotless i), U+0138 and U+0149
  // have no case pair; U+017F (long s) is left as it is.
  if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    bool odd_pairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (odd_pairs ? (c % 2 == 0) : (c % 2 == 1)) return c - 1;
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c >= 0x3AC && c <= 0x3AF) {
    static const uint32_t kTonos[] = {0x386, 0x388, 0x389, 0x38A};
    return kTonos[c - 0x3AC];
  }
  if (c >= 0x3CA && c <= 0x3CE) {  // dialytika and tonos
    static const uint32_t kMarked[] = {0x3AA, 0x3AB, 0x38C, 0x38E, 0x38F};
    return kMarked[c - 0x3CA];
  }
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  // Cyrillic pairs beyond the basic letters (Ukrainian ghe with upturn
  // among them): upper case even, but odd from U+04C1 to U+04CE.
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return c % 2 == 1 ? c - 1 : c;
  if (c >= 0x4C1 && c <= 0x4CE) return c % 2 == 0 ? c - 1 : c;
  if (c == 0x4CF) return 0x4C0;
  return c;
}

void AppendUtf8(uint32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | (c >> 6));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (c >> 12));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string FoldNameCase(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name.data());
  const size_t n = name.size();
  for (size_t i = 0; i < n;) {
    // Only two-byte forms hold letters the folding changes; everything else
    // is copied byte for byte.
    if (p[i] >= 0xC2 && p[i] <= 0xDF && i + 1 < n && (p[i + 1] & 0xC0) == 0x80) {
      AppendUtf8(UpperOf(((p[i] & 0x1Fu) << 6) | (p[i + 1] & 0x3Fu)), &out);
      i += 2;
    } else {
      out += static_cast<char>(p[i] < 0x80 ? UpperOf(p[i]) : p[i]);
      ++i;
    }
  }
  return out;
}

bool IsWindowsDeviceName(const std::string& name) {
  if (name.compare(0, 4, "\\\\.\\") == 0) return true;
  size_t slash = name.find_last_of("\\/:");
  std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
  last = last.substr(0, last.find('.'));
  while (!last.empty() && last.back() == ' ') last.pop_back();
  std::string upper = FoldNameCase(last);
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
         upper[3] >= '1' && upper[3] <= '9';
}
