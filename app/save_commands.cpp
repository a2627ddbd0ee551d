#include "app/save_commands.h"

#include <string>
#include <vector>

#include "documents/app_state.h"
#include "documents/document_commands.h"
#include "documents/document_io.h"
#include "engine/document.h"
#include "engine/grow_buffer.h"

namespace {

// Ask for a name, save, re-key; a cancelled dialog is no failure.
void SaveWithDialog(AppState* app, Document* doc, const SaveFailureReport& report) {
  std::string old_path = StringData(doc->path);
  std::string new_path;
  if (app->ui == nullptr || !app->ui->ChooseSavePath(&new_path)) return;
  if (!SaveDocumentAs(doc, new_path.c_str())) {
    if (report) report();
    return;
  }
  if (IsRegistered(app->documents, old_path)) RekeyDocument(&app->documents, old_path, new_path);
  Activate(app, new_path);
}

}  // namespace

void SaveCurrentReported(AppState* app, const SaveFailureReport& report) {
  Document* doc = GetCurrentDocument(*app);
  if (doc == nullptr) return;
  if (SaveDocument(doc)) return;
  SaveWithDialog(app, doc, report);
}

void SaveCurrentAsReported(AppState* app, const SaveFailureReport& report) {
  Document* doc = GetCurrentDocument(*app);
  if (doc == nullptr) return;
  SaveWithDialog(app, doc, report);
}

void SaveAllReported(AppState* app, const SaveFailureReport& report) {
  // Save as re-keys documents and may replace one, so the walk goes over the
  // documents present at the start, skipping any that went meanwhile.
  std::vector<Document*> order;
  for (const RegistryEntry& e : app->documents.entries) order.push_back(e.document.get());
  for (Document* doc : order) {
    if (!HoldsDocument(app->documents, doc)) continue;
    if (!SaveDocument(doc)) SaveWithDialog(app, doc, report);
  }
}
