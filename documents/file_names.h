#pragma once
// Rules for UTF-8 file names that decide how they meet the platform: which
// names take the wide calls and how a long name is prefixed.
#include <cstddef>
#include <cstdint>

// Names this long or longer take the wide calls so that they can carry the
// long-path prefix.
constexpr int kLongNameBytes = 256;

// True when the name holds a multi-byte UTF-8 sequence or is 256 bytes or
// longer; false for a null or empty name.
bool NeedsWideName(const char* name);

// Rewrites a UTF-16 name in place when it is 256 units or longer:
// "C:..." gets "\\?\" in front, "\\server..." becomes "\\?\UNC\server...",
// and behind the prefix every '/' becomes '\'. Other forms (relative names,
// one leading backslash) are left as they are, and so is a name that has
// the prefix already ("\\?\C:..." and "\\?\UNC\..."): such a name is
// passed to the file system as it stands. Works on std::wstring and
// std::u16string alike.
template <class WideString>
void ApplyLongPathPrefix(WideString& name) {
  using Unit = typename WideString::value_type;
  if (name.size() < static_cast<size_t>(kLongNameBytes)) return;
  const Unit prefix[] = {Unit('\\'), Unit('\\'), Unit('?'), Unit('\\')};
  if (name.compare(0, 4, prefix, 4) == 0) return;
  size_t keep_from;  // first unit behind the prefix
  if (name[1] == Unit(':')) {
    name.insert(0, prefix, 4);
    keep_from = 4;
  } else if (name[0] == Unit('\\') && name[1] == Unit('\\')) {
    name.replace(0, 2, WideString{Unit('\\'), Unit('\\'), Unit('?'), Unit('\\'),
                                  Unit('U'), Unit('N'), Unit('C'), Unit('\\')});
    keep_from = 8;
  } else {
    return;
  }
  for (size_t i = keep_from; i < name.size(); ++i)
    if (name[i] == Unit('/')) name[i] = Unit('\\');
}

// The extension of a path: from the last '.' behind the last '\' or '/' to
// the end; "" when there is none.
const char* PathExtension(const char* path);
// True for names of documents that were never saved: extension ".mem" in
// any case.
bool IsUnnamedPath(const char* path);
