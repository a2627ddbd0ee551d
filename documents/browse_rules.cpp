#include "documents/browse_rules.h"

#include <algorithm>

#include "documents/no_case.h"

bool FilterMatches(const std::string& path, const std::string& filter) {
  const size_t n = filter.size();
  if (n == 0) return true;
  if (n > path.size()) return false;
  for (size_t start = 0; start + n <= path.size(); ++start)
    if (EqualNoCase(path.data() + start, filter.data(), n)) return true;
  return false;
}

std::string FileNamePart(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

int32_t NextSwitchRow(int32_t current, int32_t count) {
  if (count <= 0) return -1;
  return current >= 0 && current + 1 < count ? current + 1 : 0;
}

int32_t PreviousSwitchRow(int32_t current, int32_t count) {
  return (current >= 1 ? std::min(current, count) : count) - 1;  // -1 for no rows too
}
