#pragma once
// Helpers for tests that load, save and command documents.
#include <deque>
#include <string>
#include <vector>

#include "documents/app_state.h"
#include "documents/document_io.h"
#include "documents/text_encoder.h"
#include "documents/utf8_fs.h"
#include "engine/document.h"
#include "tests/support/engine_test_document.h"

struct DocumentDeleter {
  void operator()(Document* d) const { DestroyDocument(d); }
};
using DocumentPtr = std::unique_ptr<Document, DocumentDeleter>;

// The file loaded with that tab size; null when the load refuses it.
inline DocumentPtr Load(const std::string& path, int32_t tab_size = 2) {
  DocumentPtr doc(CreateDocument());
  doc->tab_size = tab_size;
  if (!LoadDocument(doc.get(), path.c_str())) doc.reset();
  return doc;
}

// The main window's side: answers the Save as dialog from a queue ("" or an
// empty queue cancels) and records what the user is told.
class ScriptedUi : public DocumentUi {
 public:
  bool ChooseSavePath(std::string* path) override {
    ++dialogs;
    if (answers.empty()) return false;
    *path = answers.front();
    answers.pop_front();
    return !path->empty();
  }
  void RefreshTitle() override { ++titles; }
  void ReportSaveFailure(const std::string& path, const SaveOutcome& o) override { reports.push_back(path + ": " + FileErrorText(o.error)); kept.push_back(o.kept_path); }
  void ReportSavedTooLarge(const std::string& path) override { too_large.push_back(path); }
  void ReportOpenRefusal(const std::string& path, const LoadOutcome& o) override { refusals.push_back({path, o}); }

  std::deque<std::string> answers;
  int dialogs = 0, titles = 0;
  std::vector<std::string> reports, kept, too_large;  // one entry per report
  std::vector<std::pair<std::string, LoadOutcome>> refusals;
};
