#pragma once
// The File and View commands that create, open, activate, reload, close
// and save documents. None of them asks before discarding changes: a
// Document has no modified flag.
#include <string>

struct AppState;
struct Document;

// The document registered under current_path, or null.
Document* GetCurrentDocument(const AppState& app);

// File > New: an empty document named "original-N.mem".
void NewDocument(AppState* app);
// Shows the document that holds the file `path` leads to (by the file's
// identity, whatever the spelling; a relative name is taken against the
// current folder now), or loads it under the name the file system gives
// it; false when the file is refused (nothing changes then, and the user is
// told why through the ui).
bool OpenOrActivate(AppState* app, const std::string& path);
// Shows a registered document; nothing for an unknown path.
void Activate(AppState* app, const std::string& path);
// File > Reopen: reads the current file again, discarding what is in
// memory. False when the file cannot be read any more (deleted, refused):
// the document then stays as it was, text, caret and all, and the user is
// told why.
bool ReopenCurrent(AppState* app);
bool IsReopenable(const AppState& app);
// View > Previous: exchanges the current and previous documents.
void SwitchToPrevious(AppState* app);
bool CanSwitchToPrevious(const AppState& app);
// File > Close: the document after it in key order (or the last) is shown.
void CloseCurrent(AppState* app);
// File > Close the rest.
void CloseOthers(AppState* app);
// File > Save; falls back to Save as when the save in place fails. Every
// save that fails is reported, before any Save as dialog.
void SaveCurrent(AppState* app);
void SaveCurrentAs(AppState* app);
// File > Save all: every document once, Save as for those that need it.
void SaveAll(AppState* app);
