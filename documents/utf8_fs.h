#pragma once
// UTF-8 wrappers over the platform's file calls. Every file name inside the
// program is UTF-8; these are the only places where such a name meets the
// platform (on Windows: the wide calls, with the long-path prefix when the
// name is long, and the narrow calls as the fallback).
#include <cstdint>
#include <cstdio>
#include <string>

#include "documents/open_refusal.h"

// What StatUtf8 reports about a file or folder.
struct FileStatus {
  int64_t size = 0;           // bytes; 0 for a folder
  int64_t modified_time = 0;  // seconds since 1970-01-01 UTC
  bool is_directory = false;
  bool is_regular = false;    // a plain file
  bool is_read_only = false;  // no write permission (Windows: read-only attribute)
};

// fopen with a UTF-8 name; null on failure.
FILE* OpenStreamUtf8(const char* path, const char* mode);
// Fills *out and returns true when the name exists.
bool StatUtf8(const char* path, FileStatus* out);
bool SetCurrentDirectoryUtf8(const char* path);
bool CreateDirectoryUtf8(const char* path);
// What a replace did to the two names.
enum class ReplaceResult {
  kReplaced,       // the replacement has the target's name, the original the backup's
  kNotReplaced,    // both files keep their names (or the target did not exist)
  kOriginalMoved,  // the original has the backup's name, the replacement its own
};
// Replaces target with the complete file at replacement (same folder),
// keeping the target's attributes where the platform has them; the original
// passes through the unused name `backup` beside it (Windows). A read-only
// target is not replaced.
ReplaceResult ReplaceFileUtf8(const char* replacement_path, const char* target_path,
                              const char* backup_path);
// Renames `from` to `to` in the same folder, replacing a file there.
bool MoveFileUtf8(const char* from, const char* to);
// The file's own name, with every symbolic link, junction and mount point
// on the way followed; false when the name leads to nothing.
bool FinalPathUtf8(const char* path, std::string* out);
bool RemoveFileUtf8(const char* path);
// This process's id: it keeps apart the temporary names of two instances
// saving beside one file (the profile they share, say).
uint32_t CurrentProcessId();

// Error codes of the file calls: Windows system error codes, errno values
// elsewhere; 0 when none is known. A caller that reports a failure takes
// the code right after the failed call, before any other call replaces it.
int LastFileError();
// The codes of the refusals the program makes before the platform would:
// a file marked read-only, and a name that is a folder or a device.
int AccessDeniedError();
int NotAFileError();
// What a failed open's code means: not found, access denied, in use by
// another program, a folder; kUnreadable for any other code.
LoadRefusal RefusalForOpenError(int code);
// The system's own words for a code, without a line end; "" for 0.
std::string FileErrorText(int code);
