#pragma once
// The program's open documents and which of them is shown. The main window
// adds its own fields later.
#include <cstdint>
#include <string>

#include "documents/document_registry.h"

class DocumentUi;
struct LoadOutcome;
struct SaveOutcome;

// Invariant: current_path is empty or a key of `documents`; previous_path
// may name a document that is gone, so every use checks it first.
struct AppState {
  std::string current_path;
  std::string previous_path;  // target of View > Previous
  DocumentRegistry documents;
  uint32_t untitled_counter = 0;  // N of the next "original-N.mem"
  DocumentUi* ui = nullptr;       // null while there is no main window
};

// The one instance, created and destroyed by the main window.
extern AppState* app_state;

// The main window's side of the document commands.
class DocumentUi {
 public:
  virtual ~DocumentUi() = default;
  // The File save as dialog: a path of at most 2,047 bytes, false when
  // cancelled.
  virtual bool ChooseSavePath(std::string* path) = 0;
  // Shows the current document in the main window's title.
  virtual void RefreshTitle() = 0;
  // A save to `path` that failed: the user must not be left believing the
  // text was saved. The outcome says why, and may name the file that holds
  // the text because the original could not be put back.
  virtual void ReportSaveFailure(const std::string& path, const SaveOutcome& outcome) {}
  // A save that wrote 16 MiB or more to `path`: saved, but too large to be
  // opened again.
  virtual void ReportSavedTooLarge(const std::string& path) {}
  // A file that was not opened (Open, Reopen, the Folders window, the
  // command line): `path` names it, the outcome says why.
  virtual void ReportOpenRefusal(const std::string& path, const LoadOutcome& outcome) {}
};
