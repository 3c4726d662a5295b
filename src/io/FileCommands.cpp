#include "io/FileCommands.h"

#include <cstdio>

#include "core/Program.h"
#include "io/PadFile.h"
#include "view/Journal.h"

namespace kx {

namespace {

void tell(Program& p, const std::string& text, const std::string& caption = "") {
    if (p.services.dialogs)
        p.services.dialogs->messageBox(text, caption, MessageButtons::Ok, MessageIcon::Warning);
}

bool endsWithSeparator(const std::string& name) {
    return !name.empty() && (name.back() == '\\' || name.back() == '/');
}

void load(Program& p) {
    const std::string name = p.services.dialogs ? p.services.dialogs->openFileName() : "";
    if (name.empty() || !p.services.files) return;
    const FileKind kind = p.services.files->kind(name);
    if (kind == FileKind::Missing) {
        tell(p, LOAD_ERROR_NOT_FOUND);
        return;
    }
    if (endsWithSeparator(name)) return;
    const std::string error = readPadFile(p, name);
    if (!error.empty()) tell(p, error, "Kartotrix");
}

}  // namespace

bool savePadAs(Program& p, const std::string& path, LinkRule links) {
    const FileResult written = writePadFile(p, path, links);
    if (written) {
        p.shell.changesSinceSave = 0;
        return true;
    }
    tell(p, "Fehler beim Speichern. " + writeFailureText(path, written));
    return false;
}

void fileCommand(Program& p, int mode) {
    if (mode == 1) {
        load(p);
        return;
    }
    const std::string name =
        p.services.dialogs ? p.services.dialogs->saveFileName("karto.hsc") : "";
    if (name.empty()) {
        tell(p, SAVE_ERROR_CANCELLED);
        return;
    }
    if (endsWithSeparator(name)) return;
    savePadAs(p, name);
}

std::string loadPadAtStart(Program& p, const std::string& path) {
    if (p.services.files && p.services.files->kind(path) == FileKind::Missing)
        return LOAD_ERROR_NOT_FOUND;
    const int journal = p.pad.journalId;
    const std::string error = readPadFile(p, path);
    if (error.empty() && p.pad.journalId != journal) noteLoaded(p);
    return error;
}

std::string stampedFileName(const std::string& folder, const LocalTime& time) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", time.day % 100, time.month % 100,
                  time.year % 10000);
    return folder + "save" + date + "_" + std::to_string(time.hour) + "_" +
           std::to_string(time.minute) + ".hsc";
}

void saveStamped(Program& p) {
    const std::string path = stampedFileName(p.shell.programFolder, p.now());
    if (!savePadAs(p, path, LinkRule::Refuse) || !p.shell.filesInDataFolder ||
        p.shell.filesFolderTold || !p.services.dialogs)
        return;
    p.shell.filesFolderTold = true;
    p.services.dialogs->messageBox(savedWhereText(p.shell.programFolder, fileNameOf(path)),
                                   "Kartotrix", MessageButtons::Ok, MessageIcon::Information);
}

std::string savedWhereText(const std::string& folder, const std::string& fileName) {
    return "Der Block wurde als \xE2\x80\x9E" + fileName +
           "\xE2\x80\x9C gespeichert, im Ordner \xE2\x80\x9E" + folder +
           "\xE2\x80\x9C. Dort legt Kartotrix alle seine Dateien ab (auch die automatische "
           "Sicherung \xE2\x80\x9Eautosave.hsc\xE2\x80\x9C), nicht im Ordner des Programms.";
}

}  // namespace kx
