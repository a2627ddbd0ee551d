#include "documents/document_commands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "documents/app_state.h"
#include "documents/document_io.h"
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
    ReportIfTooLarge(app, outcome, path);
    return true;
  }
  if (app->ui != nullptr && !IsUnnamedPath(path.c_str())) app->ui->ReportSaveFailure(path, outcome);
  return false;
}

// Steps shared by Save as and Save all: ask for a name, save, re-key.
void SaveWithDialog(AppState* app, Document* doc) {
  std::string old_path = StringData(doc->path);
  std::string new_path;
  if (app->ui == nullptr || !app->ui->ChooseSavePath(&new_path)) return;
  SaveOutcome outcome;
  if (!SaveDocumentAs(doc, new_path.c_str(), &outcome)) {
    app->ui->ReportSaveFailure(new_path, outcome);
    return;
  }
  if (IsRegistered(app->documents, old_path)) RekeyDocument(&app->documents, old_path, new_path);
  Activate(app, new_path);
  ReportIfTooLarge(app, outcome, new_path);
}

// Reads the file into a new document and shows it, in the place of any
// document under its key; false, changing nothing, when it is refused.
bool LoadAndShow(AppState* app, const std::string& path) {
  OwnedDocument doc(CreateDocument());
  if (doc == nullptr || !LoadDocument(doc.get(), path.c_str())) return false;
  RegisterDocument(&app->documents, path, std::move(doc));
  MakeCurrent(app, path);
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
  RegisterDocument(&app->documents, name, std::move(doc));
  MakeCurrent(app, name);
}

bool OpenOrActivate(AppState* app, const std::string& path) {
  if (!IsRegistered(app->documents, path)) return LoadAndShow(app, path);
  MakeCurrent(app, path);
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
  const std::string path = app->current_path;  // MakeCurrent changes it
  return LoadAndShow(app, path);
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
