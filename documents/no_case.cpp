#include "documents/no_case.h"

namespace {

unsigned char Lower(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

}  // namespace

int CompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = Lower(*a), y = Lower(*b);
    if (x != y || x == 0) return static_cast<int>(x) - static_cast<int>(y);
  }
}

bool EqualNoCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EqualNoCase(a.data(), b.data(), a.size());
}

bool PathLessNoCase(const std::string& a, const std::string& b) {
  return CompareNoCase(a.c_str(), b.c_str()) < 0;
}
