// The Open file, File save as and Open folder dialogs: the shell's common
// item dialog, or the older common dialogs when it cannot be created.
#include "app/file_dialogs_win32.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "app/file_types.h"
#include "documents/utf8_fs.h"
#include "engine/utf8.h"
#include "engine/utf8_win32.h"

namespace {

enum class DialogKind { Open, Save, Folder };

// What a dialog returned: the path, and for File save as the text of its name
// box (empty when it is not known).
struct Chosen {
  std::string path;
  std::string typed;
};

const wchar_t* CaptionOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::Open: return L"Open file";
    case DialogKind::Save: return L"File save as";
    case DialogKind::Folder: return L"Open folder";
  }
  return L"";
}

std::string CurrentDirectory() {
  std::vector<wchar_t> wide(4096);
  DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(wide.size()), wide.data());
  std::string utf8;
  if (n > 0 && n < wide.size() && WideToUtf8(wide.data(), &utf8)) return CutUtf8(utf8, 2047);
  char narrow[2048] = {};
  n = GetCurrentDirectoryA(sizeof narrow, narrow);
  return n > 0 && n < sizeof narrow ? std::string(narrow) : std::string();
}

// The owner's top-level ancestors are disabled while the dialog runs, so the
// dialog is modal to the whole chain.
class ModalOwners {
 public:
  explicit ModalOwners(HWND owner) {
    HWND w = owner != nullptr ? GetParent(owner) : nullptr;
    for (int step = 0; w != nullptr && step < 20 && count_ < 10; ++step) {
      bool child = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) != 0;
      if (!child && w != GetDesktopWindow() && IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        disabled_[count_++] = w;
      }
      w = GetParent(w);
    }
  }
  ~ModalOwners() {
    for (int i = count_ - 1; i >= 0; --i) EnableWindow(disabled_[i], TRUE);
  }
  ModalOwners(const ModalOwners&) = delete;
  ModalOwners& operator=(const ModalOwners&) = delete;

 private:
  HWND disabled_[10] = {};
  int count_ = 0;
};

// The event sink attached while a dialog shows. It keeps the name box's text
// as the user typed it: dialogs differ in when they append the default
// extension (Wine adds it to "notes.txt" too), and once Show has returned
// Wine no longer answers GetFileName.
class DialogEvents : public IFileDialogEvents {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IFileDialogEvents) {
      *out = static_cast<IFileDialogEvents*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override {
    PWSTR name = nullptr;
    if (SUCCEEDED(dialog->GetFileName(&name)) && name != nullptr) {
      try {
        typed = name;
      } catch (...) {
        typed.clear();
      }
      CoTaskMemFree(name);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*,
                                             FDE_SHAREVIOLATION_RESPONSE*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*,
                                        FDE_OVERWRITE_RESPONSE*) override {
    return E_NOTIMPL;
  }

  std::wstring typed;  // the name box at OK

 private:
  ULONG refs_ = 1;
};

using CreateItemFn = HRESULT(WINAPI*)(PCWSTR, IBindCtx*, REFIID, void**);

CreateItemFn CreateItemFromParsingName() {
  static CreateItemFn fn = reinterpret_cast<CreateItemFn>(reinterpret_cast<void*>(
      GetProcAddress(LoadLibraryW(L"shell32.dll"), "SHCreateItemFromParsingName")));
  return fn;
}

template <typename T>
struct ComRelease {
  T* p = nullptr;
  ~ComRelease() {
    if (p != nullptr) p->Release();
  }
};

void SetFileTypes(IFileDialog* dialog, DialogKind kind) {
  std::vector<std::wstring> texts;
  for (const FileType& t : kFileTypes) {
    std::wstring label, patterns;
    Utf8ToWide(t.label, &label);
    Utf8ToWide(t.patterns, &patterns);
    texts.push_back(label);
    texts.push_back(patterns);
  }
  COMDLG_FILTERSPEC specs[kFileTypeCount];
  for (int i = 0; i < kFileTypeCount; ++i) specs[i] = {texts[2 * i].c_str(), texts[2 * i + 1].c_str()};
  dialog->SetFileTypes(kFileTypeCount, specs);
  dialog->SetDefaultExtension(L"cpp");
  int index = kind == DialogKind::Open ? OpenDialogTypeIndex() : SaveDialogTypeIndex();
  if (index >= 0) dialog->SetFileTypeIndex(static_cast<UINT>(index + 1));  // 1-based
}

bool ReadResult(IFileDialog* dialog, const DialogEvents& events, Chosen* chosen) {
  ComRelease<IShellItem> item;
  if (FAILED(dialog->GetResult(&item.p)) || item.p == nullptr) return false;
  PWSTR name = nullptr;
  if (FAILED(item.p->GetDisplayName(SIGDN_FILESYSPATH, &name)) || name == nullptr) return false;
  bool converted = WideToUtf8(name, &chosen->path);
  CoTaskMemFree(name);
  if (!WideToUtf8(events.typed.c_str(), &chosen->typed)) chosen->typed.clear();
  return converted && !chosen->path.empty();
}

// 1 chosen, 0 cancelled, -1 no common item dialog.
int RunItemDialog(HWND owner, DialogKind kind, const std::string& start, Chosen* chosen) {
  ComRelease<IFileDialog> dialog;
  const CLSID& clsid = kind == DialogKind::Save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                              reinterpret_cast<void**>(&dialog.p))) ||
      dialog.p == nullptr)
    return -1;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.p->GetOptions(&options);
  if (kind == DialogKind::Open) options |= FOS_FILEMUSTEXIST;
  if (kind == DialogKind::Save) options |= FOS_DONTADDTORECENT;
  if (kind == DialogKind::Folder) options |= FOS_PICKFOLDERS;
  dialog.p->SetOptions(options);
  dialog.p->SetTitle(CaptionOf(kind));
  if (kind != DialogKind::Folder) SetFileTypes(dialog.p, kind);
  std::wstring wide_start;
  CreateItemFn create_item = CreateItemFromParsingName();
  if (create_item != nullptr && !start.empty() && Utf8ToWide(start.c_str(), &wide_start)) {
    ComRelease<IShellItem> folder;
    if (SUCCEEDED(create_item(wide_start.c_str(), nullptr, IID_IShellItem,
                              reinterpret_cast<void**>(&folder.p))))
      dialog.p->SetFolder(folder.p);
  }
  DialogEvents events;
  DWORD cookie = 0;
  bool advised = SUCCEEDED(dialog.p->Advise(&events, &cookie));
  HRESULT shown = dialog.p->Show(owner);
  if (advised) dialog.p->Unadvise(cookie);
  if (FAILED(shown)) return 0;
  return ReadResult(dialog.p, events, chosen) ? 1 : 0;
}

bool RunOldFileDialog(HWND owner, DialogKind kind, bool preserve, const std::string& start,
                      std::string* path) {
  std::wstring filter, initial;
  std::string narrow_filter = FileTypeFilter();
  filter.reserve(narrow_filter.size());
  for (char c : narrow_filter) filter.push_back(static_cast<unsigned char>(c));  // ASCII table
  Utf8ToWide(start.c_str(), &initial);
  std::vector<wchar_t> file(4096, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size() - 1);
  ofn.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
  ofn.lpstrTitle = CaptionOf(kind);
  ofn.lpstrDefExt = L"cpp";
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  BOOL chosen;
  if (kind == DialogKind::Open) {
    ofn.Flags |= OFN_FILEMUSTEXIST | (preserve ? OFN_NOCHANGEDIR : 0);
    chosen = GetOpenFileNameW(&ofn);
  } else {
    ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    chosen = GetSaveFileNameW(&ofn);
  }
  return chosen && WideToUtf8(file.data(), path) && !path->empty();
}

bool RunOldFolderDialog(HWND owner, std::string* path) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = CaptionOf(DialogKind::Folder);
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (list == nullptr) return false;
  wchar_t wide[MAX_PATH] = {};
  bool ok = SHGetPathFromIDListW(list, wide) && WideToUtf8(wide, path) && !path->empty();
  CoTaskMemFree(list);
  return ok;
}

bool Choose(HWND owner, DialogKind kind, bool restore_directory, bool preserve, Chosen* chosen) {
  std::string start = CurrentDirectory();
  bool ok;
  bool old_folder_dialog = false;
  {
    ModalOwners modal(owner);
    int item = RunItemDialog(owner, kind, start, chosen);
    if (item >= 0) {
      ok = item == 1;
    } else if (kind == DialogKind::Folder) {
      ok = RunOldFolderDialog(owner, &chosen->path);
      old_folder_dialog = true;
    } else {
      ok = RunOldFileDialog(owner, kind, preserve, start, &chosen->path);
    }
  }
  if (restore_directory && !old_folder_dialog && !start.empty())
    SetCurrentDirectoryUtf8(start.c_str());
  return ok;
}

bool ChoosePath(HWND owner, DialogKind kind, bool preserve, size_t limit, std::string* path) {
  Chosen chosen;
  if (!Choose(owner, kind, preserve, preserve, &chosen)) return false;
  *path = CutUtf8(chosen.path, limit);
  return true;
}

// The dialog asked about replacing the path it returned; a name that differs
// from it is asked about here. No shows the dialog again.
bool MayReplace(HWND owner, const std::string& path) {
  FileStatus status;
  if (!StatUtf8(path.c_str(), &status)) return true;
  std::wstring question;
  if (!Utf8ToWide(ReplaceQuestion(path).c_str(), &question)) return false;
  return MessageBoxW(owner, question.c_str(), CaptionOf(DialogKind::Save),
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

bool ChooseFileForOpen(HWND owner, bool preserve_directory, std::string* path) {
  return ChoosePath(owner, DialogKind::Open, preserve_directory, kOpenResultBytes, path);
}

bool ChooseFileForSave(HWND owner, std::string* path) {
  for (;;) {
    Chosen chosen;
    if (!Choose(owner, DialogKind::Save, true, true, &chosen)) return false;
    const std::string named = SaveNameWithExtension(WithTypedName(chosen.path, chosen.typed));
    if (named == chosen.path || MayReplace(owner, named)) {
      *path = CutUtf8(named, kSaveResultBytes);
      return true;
    }
  }
}

bool ChooseFolder(HWND owner, bool preserve_directory, std::string* path) {
  return ChoosePath(owner, DialogKind::Folder, preserve_directory, kFolderResultBytes, path);
}
