#include "documents/document_commands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "documents/app_state.h"
#include "documents/document_io.h"
#include "documents/file_identity.h"
#include "documents/file_names.h"
#include "documents/text_encoder.h"
#include "engine/document.h"

namespace {

void RefreshTitle(AppState* app) {
  if (app->ui != nullptr) app->ui->RefreshTitle();
}

// Shows a registered document; the one shown before becomes the previous.
void MakeCurrent(AppState* app, const std::string& path) {
  if (!app->current_path.empty()) app->previous_path = app->current_path;
  app->current_path = path;
  RefreshTitle(app);
}

// A save puts a new file in the place of the old one: the document's file
// key takes the new file's identity (a hard link to the old file is another
// file from now on).
void RefreshFileKey(AppState* app, const std::string& path) {
  int32_t index = IndexOfDocument(app->documents, path);
  if (index < 0) return;
  FileKey key = KeyForName(path);
  key.name = path;  // the key stays: the name is the same file's
  app->documents.entries[static_cast<size_t>(index)].file = key;
}

void ReportIfTooLarge(AppState* app, const SaveOutcome& outcome, const std::string& path) {
  if (app->ui != nullptr && outcome.size >= kMaxFileSize) app->ui->ReportSavedTooLarge(path);
}

// Save in place; a failure is reported before the Save as dialog that
// follows. An unnamed document has no file to fail on: it only gets the
// dialog.
bool SaveInPlace(AppState* app, Document* doc) {
  SaveOutcome outcome;
  const std::string path = StringData(doc->path);
  if (SaveDocument(doc, &outcome)) {
    RefreshFileKey(app, path);
    ReportIfTooLarge(app, outcome, path);
    return true;
  }
  if (app->ui != nullptr && !IsUnnamedPath(path.c_str())) app->ui->ReportSaveFailure(path, outcome);
  return false;
}

// Steps shared by Save as and Save all: ask for a name, save, re-key. The
// file is written under the name the file system gives it (trailing dots
// gone, the folder as it is spelled), and a document that holds the file
// now under that name is replaced. Which file that is, is asked after the
// save: a safe save puts a new file in place, so a hard link to the file
// that was there keeps the old file, and its document stays.
void SaveWithDialog(AppState* app, Document* doc) {
  std::string old_path = StringData(doc->path);
  std::string chosen;
  if (app->ui == nullptr || !app->ui->ChooseSavePath(&chosen)) return;
  const FileKey target = KeyForName(chosen);
  SaveOutcome outcome;
  if (!SaveDocumentAs(doc, target.name.c_str(), &outcome)) {
    app->ui->ReportSaveFailure(target.name, outcome);
    return;
  }
  FileKey saved = KeyForName(target.name);
  SetString(&doc->path, saved.name.c_str());
  for (int32_t i = DocumentCount(app->documents) - 1; i >= 0; --i) {
    const RegistryEntry& e = app->documents.entries[static_cast<size_t>(i)];
    if (e.document.get() != doc && HoldsSameFile(e.file, saved))
      UnregisterDocumentAt(&app->documents, i);
  }
  if (IsRegistered(app->documents, old_path)) RekeyDocument(&app->documents, old_path, saved);
  Activate(app, saved.name);
  ReportIfTooLarge(app, outcome, saved.name);
}

// Reads the file into a new document and shows it, in the place of any
// document under its key; false, changing nothing but telling the user
// why, when it is refused.
bool LoadAndShow(AppState* app, const FileKey& file) {
  OwnedDocument doc(CreateDocument());
  if (doc == nullptr) return false;
  LoadOutcome outcome;
  if (!LoadDocument(doc.get(), file.name.c_str(), &outcome)) {
    if (app->ui != nullptr) app->ui->ReportOpenRefusal(file.name, outcome);
    return false;
  }
  RegisterDocument(&app->documents, file, std::move(doc));
  MakeCurrent(app, file.name);
  return true;
}

}  // namespace

Document* GetCurrentDocument(const AppState& app) {
  return DocumentAt(app.documents, IndexOfDocument(app.documents, app.current_path));
}

void NewDocument(AppState* app) {
  OwnedDocument doc(CreateDocument());
  if (doc == nullptr) return;
  char name[256];
  std::snprintf(name, sizeof(name), "original-%u.mem", app->untitled_counter++);
  InitNewDocument(doc.get(), name);
  RegisterDocument(&app->documents, NameOnlyKey(name), std::move(doc));
  MakeCurrent(app, name);
}

bool OpenOrActivate(AppState* app, const std::string& path) {
  const FileKey file = KeyForName(path);
  int32_t index = FindSameFile(app->documents, file);
  if (index < 0) return LoadAndShow(app, file);
  MakeCurrent(app, KeyAt(app->documents, index));
  return true;
}

void Activate(AppState* app, const std::string& path) {
  if (!IsRegistered(app->documents, path)) return;
  MakeCurrent(app, path);
}

bool IsReopenable(const AppState& app) {
  return !IsUnnamedPath(app.current_path.c_str()) && IsRegistered(app.documents, app.current_path);
}

bool ReopenCurrent(AppState* app) {
  if (!IsReopenable(*app)) return true;
  // The document keeps its name; the file under it may be a new one.
  FileKey file = KeyForName(app->current_path);
  file.name = app->current_path;
  return LoadAndShow(app, file);
}

bool CanSwitchToPrevious(const AppState& app) {
  return IsRegistered(app.documents, app.previous_path) && DocumentCount(app.documents) >= 2;
}

void SwitchToPrevious(AppState* app) {
  if (!CanSwitchToPrevious(*app)) return;
  std::swap(app->current_path, app->previous_path);
  RefreshTitle(app);
}

void CloseCurrent(AppState* app) {
  int32_t index = IndexOfDocument(app->documents, app->current_path);
  if (index < 0) return;
  UnregisterDocumentAt(&app->documents, index);
  // The key now at the index, else the last; "" when none is left.
  app->current_path = KeyAt(app->documents, std::min(index, DocumentCount(app->documents) - 1));
  RefreshTitle(app);
}

void CloseOthers(AppState* app) {
  int32_t i = 0;
  while (i < DocumentCount(app->documents)) {
    if (KeyAt(app->documents, i) == app->current_path)
      ++i;
    else
      UnregisterDocumentAt(&app->documents, i);
  }
}

void SaveCurrent(AppState* app) {
  Document* doc = GetCurrentDocument(*app);
  if (doc == nullptr) return;
  if (SaveInPlace(app, doc)) return;
  SaveWithDialog(app, doc);
}

void SaveCurrentAs(AppState* app) {
  Document* doc = GetCurrentDocument(*app);
  if (doc == nullptr) return;
  SaveWithDialog(app, doc);
}

void SaveAll(AppState* app) {
  // Save as re-keys documents (and may replace one), so the walk goes over
  // the documents present at the start, each once, skipping any that a
  // Save as replaced meanwhile.
  std::vector<Document*> order;
  for (const RegistryEntry& e : app->documents.entries) order.push_back(e.document.get());
  for (Document* doc : order) {
    if (!HoldsDocument(app->documents, doc)) continue;
    if (!SaveInPlace(app, doc)) SaveWithDialog(app, doc);
  }
}
