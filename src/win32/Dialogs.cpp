#include "Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "InputBox.h"
#include "platform/WinText.h"

namespace kx::win {

namespace {

// "Hsc-Files|*.hsc|All Files|*.*" in the API's form: pairs ended by NUL, then one more NUL.
constexpr wchar_t PAD_FILTER[] = L"Hsc-Files\0*.hsc\0All Files\0*.*\0";
// Room for long paths, which the dialogs return in full.
constexpr std::size_t NAME_BUFFER = 32768;

UINT iconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::Warning:
            return MB_ICONWARNING;
        case MessageIcon::Stop:
            return MB_ICONERROR;
        case MessageIcon::None:
            break;
    }
    return 0;
}

// Starts the folder dialog in the folder the program's files are in.
int CALLBACK folderDialogStarted(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

Dialogs::Dialogs(HWND owner, std::string startFolder)
    : owner_(owner), startFolder_(widen(startFolder)) {}

std::optional<std::string> Dialogs::inputBox(const std::string& caption,
                                             const std::string& prompt) {
    return runInputBox(owner_, caption, prompt);
}

MessageAnswer Dialogs::messageBox(const std::string& text, const std::string& caption,
                                  MessageButtons buttons, MessageIcon icon) {
    // A box without a caption of its own is still the program's.
    const std::wstring title = widen(caption.empty() ? std::string("Kartotrix") : caption);
    UINT flags = iconFlag(icon) | MB_SETFOREGROUND;
    flags |= buttons == MessageButtons::YesNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK;
    const int answer = MessageBoxW(owner_, widen(text).c_str(), title.c_str(), flags);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

std::string Dialogs::askFileName(bool save, const std::string& presetName) {
    std::vector<wchar_t> name(NAME_BUFFER, L'\0');
    const std::wstring preset = widen(presetName);
    preset.copy(name.data(), std::min(preset.size(), NAME_BUFFER - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = PAD_FILTER;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = startFolder_.empty() ? nullptr : startFolder_.c_str();
    dialog.lpstrTitle = save ? L"Speichern unter" : L"Laden";
    dialog.Flags = save ? SAVE_DIALOG_FLAGS : OPEN_DIALOG_FLAGS;
    // No default extension: the name is used as it comes back.
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return "";
    return narrow(name.data(), wcsnlen(name.data(), name.size()));
}

std::string Dialogs::openFileName() {
    return askFileName(false, "");
}

std::string Dialogs::saveFileName(const std::string& presetName) {
    return askFileName(true, presetName);
}

std::string Dialogs::saveFileNameFor(const std::string& caption, const std::string& presetName,
                                     const std::string& kind, const std::string& extension) {
    // "PNG-Bild (*.png)", "*.png", "Alle Dateien", "*.*", each ended by NUL, then one more.
    const std::wstring ending = widen(extension);
    std::wstring filter = widen(kind) + L" (*." + ending + L")" + L'\0' + L"*." + ending + L'\0' +
                          L"Alle Dateien" + L'\0' + L"*.*" + L'\0';
    std::vector<wchar_t> name(NAME_BUFFER, L'\0');
    const std::wstring preset = widen(presetName);
    preset.copy(name.data(), std::min(preset.size(), NAME_BUFFER - 1));
    const std::wstring title = widen(caption);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = startFolder_.empty() ? nullptr : startFolder_.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = ending.c_str();  // "verlauf" is saved as "verlauf.png"
    dialog.Flags = SAVE_DIALOG_FLAGS;
    if (!GetSaveFileNameW(&dialog)) return "";
    return narrow(name.data(), wcsnlen(name.data(), name.size()));
}

// The folder picker of Windows Vista and later (the file dialog choosing
// folders), where a typed path is taken as it is; nothing when it is missing
// or failed to start, so that the caller falls back to the old one.
std::optional<std::string> Dialogs::pickFolder(const std::wstring& title) {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(title.c_str());
    IShellItem* start = nullptr;
    if (!startFolder_.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(startFolder_.c_str(), nullptr, IID_IShellItem,
                                              reinterpret_cast<void**>(&start)))) {
        dialog->SetFolder(start);
        start->Release();
    }
    std::optional<std::string> folder;
    const HRESULT shown = dialog->Show(owner_);
    IShellItem* chosen = nullptr;
    if (SUCCEEDED(shown) && SUCCEEDED(dialog->GetResult(&chosen))) {
        PWSTR path = nullptr;
        if (SUCCEEDED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            folder = narrow(path, wcslen(path));
            CoTaskMemFree(path);
        }
        chosen->Release();
    } else if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        folder = "";
    }
    dialog->Release();
    return folder;
}

// The tree of folders of older Windows versions.
std::string Dialogs::browseFolder(const std::wstring& title) {
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = title.c_str();
    browse.ulFlags =
        BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON | BIF_EDITBOX;
    browse.lpfn = folderDialogStarted;
    // The folder without its closing backslash, as the dialog names folders.
    std::wstring start = startFolder_;
    if (start.size() > 3 && (start.back() == L'\\' || start.back() == L'/')) start.pop_back();
    browse.lParam = reinterpret_cast<LPARAM>(start.empty() ? nullptr : start.c_str());
    std::string folder;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse)) {
        std::vector<wchar_t> path(NAME_BUFFER, L'\0');
        if (SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()),
                                  GPFIDL_DEFAULT))
            folder = narrow(path.data(), wcsnlen(path.data(), path.size()));
        CoTaskMemFree(chosen);
    }
    return folder;
}

std::string Dialogs::folderName(const std::string& caption) {
    // Both dialogs need COM in this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring title = widen(caption);
    std::optional<std::string> folder = pickFolder(title);
    if (!folder) folder = browseFolder(title);
    if (SUCCEEDED(com)) CoUninitialize();
    return *folder;
}

}  // namespace kx::win
