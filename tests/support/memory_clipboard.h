#pragma once
// A clipboard held in memory, for tests, benchmarks and fuzzers.
#include <string>

#include "engine/clipboard.h"

class MemoryClipboard : public Clipboard {
 public:
  bool SetText(const std::string& utf8) override {
    text_ = utf8;
    has_text_ = true;
    return true;
  }
  bool GetText(std::string* utf8) override {
    if (!has_text_) return false;
    *utf8 = text_;
    return true;
  }
  void Clear() {
    has_text_ = false;
    text_.clear();
  }
  const std::string& Text() const { return text_; }

 private:
  bool has_text_ = false;
  std::string text_;
};
