#include "io/ProgramFiles.h"

#include "core/Program.h"
#include "io/EarlierStates.h"
#include "io/FileIo.h"

namespace kx {

namespace {

constexpr int MAX_COPIES = 99;

std::string autosaveBase(int copy) {
    return copy == 1 ? "autosave" : "autosave-" + std::to_string(copy);
}

}  // namespace

ProgramFilesClaim claimProgramFiles(Program& p) {
    ProgramFilesClaim claim;
    if (!p.services.files) return claim;
    FileSystem& fs = *p.services.files;
    const std::string& folder = p.shell.programFolder;
    // Every running copy holds this lock shared; whoever gets it alone is the only one.
    claim.running = fs.lock(folder + "kartotrix.lock", LockMode::Exclusive, false);
    if (claim.running) {
        removeTemporaries(fs, folder);
        removeTemporaries(fs, statesFolder(p));
        claim.running->makeShared();
    } else {
        claim.running = fs.lock(folder + "kartotrix.lock", LockMode::Shared, true);
    }
    for (int copy = 1; copy <= MAX_COPIES; ++copy) {
        const std::string base = autosaveBase(copy);
        claim.autosave = fs.lock(folder + base + ".lock", LockMode::Exclusive, false);
        if (!claim.autosave) continue;
        p.shell.autosaveBase = base;
        if (copy > 1) {
            claim.notice =
                "Kartotrix l\xC3\xA4uft schon in einem anderen Fenster. Dieses Fenster sichert "
                "seinen Block deshalb in \xE2\x80\x9E" +
                base + ".hsc\xE2\x80\x9C, der Textexport geht nach \xE2\x80\x9E" + base +
                ".txt\xE2\x80\x9C (im Ordner \xE2\x80\x9E" + folder + "\xE2\x80\x9C).";
        }
        return claim;
    }
    claim.notice =
        "Kartotrix konnte keine eigene Autosave-Datei belegen. Dieses Fenster sichert in "
        "\xE2\x80\x9E" +
        p.shell.autosaveBase + ".hsc\xE2\x80\x9C, das vielleicht auch ein anderes benutzt.";
    return claim;
}

}  // namespace kx
