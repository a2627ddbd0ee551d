// The About window's credits: the list, its alternative forms and its gaps.
#include "app/about_animation.h"

#include "orv_version.h"

// Gaps (empty entries) separate the groups; the last gap leaves a long pause
// before the closing lines.
const char* const kCredits[kCreditCount] = {
    "Orvinale",  // 0
    "Version " ORV_VERSION " (x64)",
    "A fast text editor for source code",
    "Copyright (c) 2026 The Orvinale developers",
    "",
    "Design and programming",  // 5
    "Ilias Marantos",
    "",
    "Text engine and keyboard",
    "Hedda Sørlie",
    "Tomasz Wierzbicki",  // 10
    "",
    "Files and folders",
    "Amara Okafor",
    "",
    "Display and painting",  // 15
    "Lucía Ferrer",
    "Kenji Morimoto",
    "",
    "Console editor and preferences",
    "Ruth Abernethy",  // 20
    "Pavel Dvořák",
    "",
    "Built and tested with",
    "GCC and MinGW-w64",
    "CMake",  // 25
    "Ninja",
    "GoogleTest",
    "Google Benchmark",
    "Clang and libFuzzer",
    "AddressSanitizer",  // 30
    "UndefinedBehaviorSanitizer",
    "Wine",
    "Xvfb",
    "xdotool",
    "ImageMagick",  // 35
    "Liberation and DejaVu fonts",
    "Debian GNU/Linux",
    "Git",
    "GNU Make",
    "pkg-config",  // 40
    "GNU Binutils",
    "GNU Bash",
    "dpkg-dev",
    "",
    "Libraries",  // 45
    "cJSON by Dave Gamble and contributors",
    "libpng by Guy Eric Schalnat, Andreas Dilger,",
    "Glenn Randers-Pehrson, Cosmin Truta",
    "and the PNG Reference Library Authors",
    "",  // 50
    "zlib",
    "Jean-loup Gailly",
    "Mark Adler",
    "",
    "Icon and scrollbar skin",  // 55
    "Noor Haddad",
    "Mateus Pires",
    "",
    "Documentation",
    "Ruth Abernethy",  // 60
    "",
    "Thanks to",
    "everyone who tried the early builds",
    "and told us what broke,",
    "the Wine developers,",  // 65
    "the Debian maintainers",
    "of every package we build with,",
    "and the authors of the libraries",
    "and tools listed above",
    "for sharing their work.",  // 70
    "",
    "Orvinale is free software",
    "released under the MIT License",
    "",
    "Thank you for using",  // 75
    "Orvinale",
};

// The program's name and its first developer's, in Greek letters.
const CreditAlternative kCreditAlternatives[2] = {
    {0, "Ορβινάλε"},
    {6, "Ηλίας Μαράντος"},
};

const char* CreditText(int32_t index, bool alternative) {
  if (index < 0 || index >= kCreditCount) return "";
  if (alternative) {
    for (const CreditAlternative& a : kCreditAlternatives)
      if (a.index == index) return a.text;
  }
  return kCredits[index];
}

std::vector<int32_t> CollectGapIndices() {
  std::vector<int32_t> gaps;
  for (int32_t i = 0; i < kCreditCount; ++i)
    if (kCredits[i][0] == '\0') gaps.push_back(i);
  return gaps;
}
