#pragma once
// The Windows clipboard as UTF-8 text: CF_UNICODETEXT and CF_TEXT out;
// CF_UNICODETEXT preferred in, else CF_TEXT (UTF-8 as is, or ANSI converted).
#include <windows.h>

#include <string>

#include "engine/clipboard.h"

class Win32Clipboard : public Clipboard {
 public:
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}
  bool SetText(const std::string& utf8) override;
  bool GetText(std::string* utf8) override;

 private:
  HWND owner_;
};
