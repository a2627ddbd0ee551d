#pragma once
// Which open document a file name leads to. Windows gives one file many
// names (letter case, relative names, '/' for '\', doubled separators,
// trailing dots and spaces, 8.3 short names, the "\\?\" prefix, links), so
// a document is found by the file's identity, never by the string typed.
#include <cstdint>
#include <string>

// A file as the document registry knows it.
struct FileKey {
  std::string name;    // as the file system spells it: the document's path
  std::string folded;  // the full, normalised name with its case folded
  bool on_disk = false;   // volume and id below are the file's
  uint64_t volume = 0;
  uint64_t id_high = 0;  // the file id (128 bits on file systems that have them)
  uint64_t id_low = 0;
};

// True when the two keys lead to one file: the same volume and file id when
// both were on disk; otherwise, and also when a save has since replaced
// the file by a new one under its name, the same folded name.
bool SameFile(const FileKey& a, const FileKey& b);

// True when the key an open document holds (`held`, taken when it was
// opened or saved) and the key of a name given now lead to one file now.
// Where only one of the identity and the folded name agrees, the held key
// may be out of date (its file renamed away, or replaced, by another
// program), or the two may be a hard link, or two files whose names differ
// in letter case only (a case-sensitive folder): the held name, resolved
// again, decides.
bool HoldsSameFile(const FileKey& held, const FileKey& given);

// A key for a name that is not a file on disk (an unnamed document, or a
// name the platform could not resolve): the name itself, folded.
FileKey NameOnlyKey(const std::string& name);

// The full Windows name of `name` by the rules the file system applies to
// every name it is given: a relative name ("x", ".\x", "..\x", "\x", "C:x")
// is taken against `current_folder` (a full name); '/' becomes '\'; doubled
// separators, "." and ".." go; trailing dots and spaces of the last
// component go, unless the name ends in a separator (which it keeps);
// "\\?\C:\..." and "\\?\UNC\server\..." lose their prefix. Device names
// ("\\.\...") are returned as they are. A full name is its own full name.
std::string FullWindowsName(const std::string& name, const std::string& current_folder);

// The folded form two spellings of one name share: letters upper-cased as
// the file system compares them (ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic); other bytes as they are.
std::string FoldNameCase(const std::string& name);

// True for the names Windows takes as devices rather than files: the
// "\\.\" namespace, and CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 as the
// last component, with any extension and in any case.
bool IsWindowsDeviceName(const std::string& name);

// Platform half: the key of the file `name` leads to, taking a relative
// name against the current folder now. For a file on disk its identity and
// final name (links followed, letter case and long names as stored); for a
// name not on disk the folder's final name and the last component. False
// when the name cannot be resolved at all (null, empty, not UTF-8).
bool ResolveFileKey(const char* name, FileKey* out);

// The key of a name the user gave: resolved, or the name itself.
FileKey KeyForName(const std::string& name);
