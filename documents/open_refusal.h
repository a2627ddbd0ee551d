#pragma once
// Why a file was not opened, and the box that tells the user so.
#include <cstdint>
#include <string>

enum class LoadRefusal {
  kNone,          // opened
  kNotFound,      // no such file or folder on the way
  kAccessDenied,  // the file system refuses this user
  kFolder,        // the name is a folder
  kInUse,         // another program holds the file so that it cannot be read
  kDevice,        // the name is a device (CON, NUL, COM1, ...)
  kTooLarge,      // 16 MiB or more
  kNotUtf8,       // a byte sequence that is not UTF-8 (at `line`)
  kNulByte,       // a NUL byte (at `line`)
  kTextTooLarge,  // its tabs, expanded, would pass the largest text held
  kUnreadable,    // a read failed or memory ran out (`error` says why when known)
};

struct LoadOutcome {
  LoadRefusal refusal = LoadRefusal::kNone;
  int error = 0;     // the platform's code (see utf8_fs.h), 0 when none
  int64_t line = 0;  // 1-based line of a kNotUtf8 or kNulByte refusal
};

extern const char kOpenRefusalCaption[];  // "Open file"

// The box for a refused open: the file's name, then the reason in words.
// `system_reason` is the system's own text for outcome.error ("" for none),
// used when the refusal has no words of its own.
std::string OpenRefusalText(const std::string& path, const LoadOutcome& outcome,
                            const std::string& system_reason);
