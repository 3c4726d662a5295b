#pragma once

#include <windows.h>
// The common dialogs need the types of windows.h first.
#include <commdlg.h>

#include "core/Services.h"

namespace kx::win {

// The program's questions in the Windows way: message boxes, the input box,
// and the common open and save dialogs, all owned by the main window so that
// it takes no input meanwhile.
class Dialogs : public kx::Dialogs {
  public:
    Dialogs(HWND owner, std::string startFolder);
    std::optional<std::string> inputBox(const std::string& caption,
                                        const std::string& prompt) override;
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string openFileName() override;
    std::string saveFileName(const std::string& presetName) override;
    // Files of the menu "Extras": the dialog offers their kind and adds the ending.
    std::string saveFileNameFor(const std::string& caption, const std::string& presetName,
                                const std::string& kind, const std::string& extension) override;
    std::string folderName(const std::string& caption) override;

  private:
    std::string askFileName(bool save, const std::string& presetName);
    std::optional<std::string> pickFolder(const std::wstring& title);
    std::string browseFolder(const std::wstring& title);

    HWND owner_;
    std::wstring startFolder_;
};

// The flags of the two file dialogs. The save dialog asks before it replaces a
// file; it does not insist on an existing file, which would refuse every new name.
inline constexpr DWORD OPEN_DIALOG_FLAGS = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
inline constexpr DWORD SAVE_DIALOG_FLAGS =
    OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST | OPEN_DIALOG_FLAGS;

}  // namespace kx::win
