#include "io/InterruptedEvening.h"

#include <cstdio>

#include "core/Program.h"
#include "io/EarlierStates.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "view/History.h"

namespace kx {

namespace {

constexpr const char* MARKER_TEXT = "Kartotrix: Dieser Abend ist noch nicht beendet.\n";

int entriesOf(const PadImage& image) {
    int count = 0;
    for (int r = 1; r <= LAST_PAD_ROW; ++r)
        count += image.table[static_cast<std::size_t>(r)][0] != EMPTY_CELL;
    return count;
}

bool complete(const PadImage& image) {
    return (image.flags & FLAG_GAMES_COMPLETE) && (image.flags & FLAG_SOLOS_COMPLETE);
}

bool playOn(Program& p, const InterruptedEvening& evening) {
    const MessageAnswer answer =
        p.services.dialogs->messageBox(interruptedEveningQuestion(evening), "Kartotrix",
                                       MessageButtons::YesNo, MessageIcon::Question);
    if (answer != MessageAnswer::Yes) return false;
    std::string error;
    recordChange(p, "Laden", [&p, &error] { error = readPadFile(p, ""); });
    if (error.empty()) return true;
    p.services.dialogs->messageBox(error, "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

}  // namespace

std::string runMarkerPath(const Program& p) {
    return p.shell.programFolder + p.shell.autosaveBase + ".offen";
}

void markEveningRunning(Program& p) {
    if (p.shell.kept.runMarked || !p.services.files) return;
    const std::string text = MARKER_TEXT;
    p.shell.kept.runMarked = static_cast<bool>(replaceFile(
        *p.services.files, runMarkerPath(p), Bytes(text.begin(), text.end()), LinkRule::Refuse));
}

void markEveningClosed(Program& p) {
    p.shell.kept.runMarked = false;
    if (!p.services.files) return;
    const std::string marker = runMarkerPath(p);
    if (p.services.files->kind(marker) == FileKind::Regular) p.services.files->remove(marker);
}

std::string interruptedEveningQuestion(const InterruptedEvening& evening) {
    std::string text = "Der letzte Abend wurde nicht ordentlich beendet (" +
                       std::to_string(evening.entries) +
                       (evening.entries == 1 ? " Spiel" : " Spiele");
    if (evening.lastChange) {
        char time[16];
        std::snprintf(time, sizeof time, "%d:%02d", evening.lastChange->hour % 100,
                      evening.lastChange->minute % 100);
        text += std::string(", zuletzt um ") + time;
    }
    return text + "). Weiterspielen?";
}

bool offerInterruptedEvening(Program& p, bool ask) {
    if (!p.services.files) return false;
    FileSystem& fs = *p.services.files;
    if (fs.kind(runMarkerPath(p)) != FileKind::Regular) return false;
    const std::string autosave = padFilePath(p, "");
    Bytes bytes;
    std::optional<PadImage> image;
    if (readFile(fs, autosave, MAX_PAD_FILE_SIZE, bytes)) image = decodePadFile(bytes).image;
    if (image && entriesOf(*image) > 0) {
        const std::optional<FileStamp> stamp = fs.stamp(autosave);
        const InterruptedEvening evening{entriesOf(*image),
                                         stamp ? std::optional(stamp->modified) : std::nullopt};
        if (ask && !complete(*image) && p.services.dialogs && playOn(p, evening)) {
            // This run plays the evening on: the marker stays until it ends.
            p.shell.kept.runMarked = true;
            return true;
        }
        keepPadBytes(p, bytes, evening.lastChange.value_or(p.now()), image->startTime);
    }
    markEveningClosed(p);
    return false;
}

}  // namespace kx
