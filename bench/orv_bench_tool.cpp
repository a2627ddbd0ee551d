// Runs the program's own load, replace-all and save code on a file, so that
// it can be timed against another editor as a whole process:
//   orv-bench load-save IN OUT [--tab-size N]
//   orv-bench replace IN FIND REPLACEMENT OUT [--ignore-case] [--whole-word]
//                                             [--tab-size N]  (prints the count)
//   orv-bench generate OUT                      (a C++-like test file)
// --tab-size loads with that tab size instead of the default one.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "documents/document_io.h"
#include "engine/document.h"
#include "engine/search.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: orv-bench load-save IN OUT [--tab-size N]\n"
               "       orv-bench replace IN FIND REPLACEMENT OUT [--ignore-case] [--whole-word]\n"
               "                         [--tab-size N]\n"
               "       orv-bench generate OUT\n");
  return 2;
}

// 0 keeps the tab size a new document gets.
Document* LoadOrReport(const char* path, int32_t tab_size) {
  Document* doc = CreateDocument();
  if (doc != nullptr && tab_size > 0) doc->tab_size = tab_size;
  if (doc == nullptr || !LoadDocument(doc, path)) {
    std::fprintf(stderr, "orv-bench: cannot open %s\n", path);
    if (doc != nullptr) DestroyDocument(doc);
    return nullptr;
  }
  return doc;
}

int SaveAndClose(Document* doc, const char* path) {
  bool saved = SaveDocumentAs(doc, path);
  DestroyDocument(doc);
  if (!saved) {
    std::fprintf(stderr, "orv-bench: cannot save %s\n", path);
    return 1;
  }
  return 0;
}

// About 400,000 lines, just under 16 MiB, CR LF line ends, some tabs and
// about 145,000 occurrences of "foo".
int Generate(const char* path) {
  FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return 1;
  const char* const lines[] = {
      "static int foo_counter = 0;  // shared by every caller of it",
      "\tfor (int i = 0; i < limit; ++i) total += values[i] * weight;",
      "  if (foo(value) != expected) return report_failure(value);",
      "#include \"common/header_file.h\"",
      "\t\treturn std::string(buffer, length) + suffix_text;",
      "void foo_bar_baz(const Widget& widget, int flags);",
      "}",
      "",
      "  int result = compute_total(first_value, second, third);",
      "  // foo is what the older code called the cache",
      "namespace orvinale {",
  };
  const unsigned kCount = sizeof(lines) / sizeof(lines[0]);
  const long kLimit = 16 * 1024 * 1024 - 100;
  long written = 0;
  for (unsigned i = 0;; ++i) {
    const char* line = lines[i % kCount];
    long n = static_cast<long>(std::strlen(line)) + 2;
    if (written + n > kLimit) break;
    std::fputs(line, out);
    std::fputs("\r\n", out);
    written += n;
  }
  return std::fclose(out) == 0 ? 0 : 1;
}

struct Options {
  bool match_case = true;
  bool whole_word = false;
  int32_t tab_size = 0;
};

// The options from argv[first] on; false on one it does not know.
bool ReadOptions(int argc, char** argv, int first, bool search, Options* options) {
  for (int i = first; i < argc; ++i) {
    std::string option = argv[i];
    if (search && option == "--ignore-case") {
      options->match_case = false;
    } else if (search && option == "--whole-word") {
      options->whole_word = true;
    } else if (option == "--tab-size" && i + 1 < argc) {
      options->tab_size = static_cast<int32_t>(std::strtol(argv[++i], nullptr, 10));
      if (options->tab_size < 1) return false;
    } else {
      return false;
    }
  }
  return true;
}

// Load, ReplaceAll with the search options given after the four arguments,
// save.
int Replace(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv, 6, true, &options)) return Usage();
  Document* doc = LoadOrReport(argv[2], options.tab_size);
  if (doc == nullptr) return 1;
  int32_t count = ReplaceAll(doc, argv[3], argv[4], options.match_case, options.whole_word);
  std::printf("%d\n", count);
  return SaveAndClose(doc, argv[5]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string command = argv[1];
  if (command == "generate" && argc == 3) return Generate(argv[2]);
  if (command == "load-save" && argc >= 4) {
    Options options;
    if (!ReadOptions(argc, argv, 4, false, &options)) return Usage();
    Document* doc = LoadOrReport(argv[2], options.tab_size);
    return doc == nullptr ? 1 : SaveAndClose(doc, argv[3]);
  }
  if (command == "replace" && argc >= 6) return Replace(argc, argv);
  return Usage();
}
