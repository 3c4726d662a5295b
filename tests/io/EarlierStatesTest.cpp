// Earlier states of an evening and the interrupted evening offered back.
#include <gtest/gtest.h>

#include <filesystem>

#include "io/EarlierStates.h"
#include "io/FileIo.h"
#include "io/InterruptedEvening.h"
#include "io/PadFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/History.h"
#include "view/MainWindow.h"
#include "view/StatesWindow.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

constexpr std::uint64_t KB = 1024;

LocalTime at(int day, int hour, int minute, int second = 0) {
    return {2026, 12, day, hour, minute, second};
}

StoredState state(const LocalTime& kept, int eveningStart, std::uint64_t size = KB) {
    const StateName name{kept, eveningStart, 1};
    return {stateFileName(name), name, size};
}

std::vector<std::string> names(const std::vector<StoredState>& states) {
    std::vector<std::string> out;
    for (const StoredState& s : states)
        out.push_back(s.fileName);
    return out;
}

std::string statesPath(const TestProgram& t) {
    return t.file("Sicherungen/");
}

std::vector<StoredState> kept(TestProgram& t) {
    return storedStates(*t.files, statesPath(t));
}

// A new run on the same files, as after a crash (nothing of the old run ends
// properly) or a normal quit.
void restart(TestProgram& t) {
    const Services services = t.p.services;
    t.p = Program{};
    initProgram(t.p, t.folder);
    t.p.services = services;
    frm0_Load(t.p, ScreenMetrics{});
}

TEST(StateNames, SayWhenTheyWereKeptAndWhenTheEveningBegan) {
    const StateName name{at(7, 22, 41, 5), 20 * 3600 + 14 * 60 + 5, 9};
    EXPECT_EQ(stateFileName(name), "2026-12-07_22-41-05_Abend-20-14-05_9.hsc");
    const std::optional<StateName> back = parseStateFileName(stateFileName(name));
    ASSERT_TRUE(back);
    EXPECT_EQ(stateFileName(*back), stateFileName(name));
    // Only the program's own names count: anything else in the folder stays untouched.
    for (const char* other :
         {"autosave.hsc", "2026-12-07_22-41-05_Abend-20-14-05.txt",
          "2026-13-07_22-41-05_Abend-20-14-05.hsc", "2026-12-07_22-41-05_Abend-24-00-00.hsc",
          "2026-12-07_22-41-05_Abend-20-14-05_1.hsc", "2026-12-07_22-41-05_Abend-20-14-05_10.hsc"})
        EXPECT_FALSE(parseStateFileName(other)) << other;
}

TEST(StateRules, AtMostOneAMinuteExceptBeforeAReplacingCommand) {
    struct Case {
        std::optional<long long> last;
        long long now;
        bool beforeReplace, due;
    } cases[] = {
        {std::nullopt, 1000, false, true},  // the first of the run
        {1000, 1059, false, false},        {1000, 1060, false, true},
        {1000, 1001, true, true},  // before "Block löschen" always
        {1000, 900, false, true},  // the clock was set back
    };
    for (const Case& c : cases)
        EXPECT_EQ(stateDue(c.last, c.now, c.beforeReplace), c.due) << c.now;
    // Across midnight and a month's end the seconds count on.
    EXPECT_EQ(stateSeconds({2026, 12, 1, 0, 0, 30}) - stateSeconds({2026, 11, 30, 23, 59, 30}), 60);
}

TEST(StateRules, RotationKeepsTheLimitsOldestFirstButNeverTheOpenEveningsLastDay) {
    const int evening = 20 * 3600, other = 18 * 3600;
    const LocalTime now = at(10, 22, 0);
    std::vector<StoredState> many;
    for (int i = 0; i < 202; ++i)
        many.push_back(state(at(9, 10 + i / 60, i % 60), other));
    // Over the count: the two oldest go.
    EXPECT_EQ(statesToRemove(many, now, evening), names({many[0], many[1]}));

    struct Case {
        const char* what;
        std::vector<StoredState> states;
        std::vector<std::size_t> removed;  // indices into states
    } cases[] = {
        {"within the limits", {state(at(1, 20, 0), other), state(at(9, 20, 0), evening)}, {}},
        {"over 5 MB: the oldest until it fits",
         {state(at(9, 21, 0), other, 2048 * KB), state(at(9, 20, 0), other, 2048 * KB),
          state(at(9, 22, 0), other, 2048 * KB)},
         {1}},
        {"the open evening's last day stays, its older states and other evenings go",
         {state(at(8, 21, 0), evening, 3000 * KB), state(at(9, 22, 30), evening, 3000 * KB),
          state(at(10, 21, 0), other, 3000 * KB), state(at(10, 21, 30), evening, 3000 * KB)},
         {0, 2}},
        {"even beyond the limits", {state(at(10, 20, 0), evening, 6000 * KB)}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (std::size_t i : c.removed)
            expected.push_back(c.states[i].fileName);
        EXPECT_EQ(statesToRemove(c.states, now, evening), expected) << c.what;
    }
    // With no pad open no evening is protected.
    EXPECT_EQ(statesToRemove({state(at(10, 21, 0), evening, 6000 * KB)}, now, std::nullopt).size(),
              1u);
}

TEST(EarlierStates, KeptAfterChangesOnceAMinuteAndAlwaysBeforeTheCommandThatReplacesThePad) {
    TestProgram t;
    const int evening = 20 * 3600;
    t.clock.setSeconds(evening);
    frm0_MenuEvent(t.p, CMD_PAD4);
    EXPECT_TRUE(kept(t).empty());  // an empty pad is nothing to go back to
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    EXPECT_EQ(kept(t).size(), 1u);
    t.clock.setSeconds(evening + 30);
    ASSERT_TRUE(enterPair(t.p, 3, 4, 1));
    EXPECT_EQ(kept(t).size(), 1u);

    // "Block löschen" within the same minute: the pad before it is kept.
    t.clock.setSeconds(evening + 40);
    const Bytes before = encodePadFile(t.p);
    frm0_MenuEvent(t.p, CMD_CLEAR_PAD);
    std::vector<StoredState> states = kept(t);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(test::fileBytes(statesPath(t) + states[0].fileName), before);
    EXPECT_EQ(states[0].name.eveningStart, evening);
    // Nothing changed since: "4 Spieler" keeps nothing more.
    frm0_MenuEvent(t.p, CMD_PAD4);
    EXPECT_EQ(kept(t).size(), 2u);
    // The state before the command counts for the minute.
    t.clock.setSeconds(evening + 60);
    ASSERT_TRUE(enterPair(t.p, 1, 3, 2));
    EXPECT_EQ(kept(t).size(), 2u);
    t.clock.setSeconds(evening + 100);
    ASSERT_TRUE(enterPair(t.p, 1, 3, 2));
    states = kept(t);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].name.eveningStart, evening + 40);

    // With "Autosave" off nothing is written without being asked.
    frm0_MenuEvent(t.p, CMD_AUTOSAVE);
    t.clock.setSeconds(21 * 3600);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    frm0_MenuEvent(t.p, CMD_CLEAR_PAD);
    EXPECT_EQ(kept(t).size(), 3u);
}

TEST(EarlierStates, AFailedWriteKeepsTheOldStatesSaysSoOnceAndTheCommandGoesOn) {
    for (FileStep step : {FileStep::Open, FileStep::Write, FileStep::Flush, FileStep::Sync,
                          FileStep::Close, FileStep::Rename}) {
        TestProgram t;
        t.clock.setSeconds(20 * 3600);
        frm0_MenuEvent(t.p, CMD_PAD4);
        ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
        t.clock.setSeconds(20 * 3600 + 10);
        ASSERT_TRUE(enterPair(t.p, 3, 4, 1));  // not kept yet: within the minute
        const std::vector<StoredState> old = kept(t);
        ASSERT_EQ(old.size(), 1u);
        const std::optional<Bytes> oldBytes = test::fileBytes(statesPath(t) + old[0].fileName);

        test::FaultyFileSystem faulty(*t.files);
        faulty.failAt = step;
        faulty.error = FileError::DiskFull;
        t.p.services.files = &faulty;
        t.dialogs.messages.clear();
        frm0_MenuEvent(t.p, CMD_CLEAR_PAD);
        ASSERT_TRUE(enterPair(t.p, 3, 4, 2));  // its autosave fails too, and says so
        frm0_MenuEvent(t.p, CMD_CLEAR_PAD);
        EXPECT_EQ(t.p.pad.entryCount(), 0);  // both commands went through

        int told = 0;
        for (const auto& m : t.dialogs.messages)
            told += m.text.find("fr\xC3\xBCherer Stand") != std::string::npos;
        EXPECT_EQ(told, 1) << static_cast<int>(step);
        t.p.services.files = t.files.get();
        EXPECT_EQ(names(kept(t)), names(old));
        EXPECT_EQ(test::fileBytes(statesPath(t) + old[0].fileName), oldBytes);
        for (const auto& entry : std::filesystem::directory_iterator(statesPath(t)))
            EXPECT_FALSE(isTemporaryName(entry.path().filename().string()));
    }
}

TEST(StatesWindowModel, ListsNewestFirstAndRestoresAsLoadingTheFileDoes) {
    TestProgram t;
    t.clock.setSeconds(20 * 3600 + 14 * 60);
    frm0_MenuEvent(t.p, CMD_PAD4);
    editName(t.p, 1, "Anna");
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    t.clock.setSeconds(21 * 3600 + 5 * 60);
    ASSERT_TRUE(enterPair(t.p, 1, 3, 2));
    const std::string turnover = t.p.ui.status(4);
    frm0_MenuEvent(t.p, CMD_CLEAR_PAD);  // kept the same: nothing new
    ASSERT_TRUE(enterPair(t.p, 2, 4, 7));

    StatesWindow w = statesWindow(t.p);
    ASSERT_EQ(w.rows.size(), 2u);
    EXPECT_EQ(w.rows[0].time, "07.12.2026 21:05");
    EXPECT_EQ(w.rows[0].players, "Anna, 2, 3, 4");
    EXPECT_EQ(w.rows[0].games, "2");
    EXPECT_EQ(w.rows[0].totals, "5 / 1 / -1 / -5");
    EXPECT_EQ(w.preview.back(), turnover);
    EXPECT_EQ(w.preview[3].substr(0, 17), "1     1 / 2     3");
    selectState(t.p, w, 1);

    // Restoring asks about the unsaved entry, keeps the pad it replaces, and
    // gives what "Laden" of the same file gives, as one undoable "Laden".
    t.dialogs.messages.clear();
    ASSERT_TRUE(restoreState(t.p, w));
    EXPECT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(kept(t).size(), 3u);
    EXPECT_EQ(t.p.history.undoLabel(), "Laden");
    EXPECT_GT(t.p.shell.changesSinceSave, 0);  // a file the rotation may remove
    const Snapshot restored = takeSnapshot(t.p);
    ASSERT_TRUE(undoChange(t.p));
    EXPECT_EQ(t.p.pad.gameTable[1][1], 7);
    t.dialogs.openAnswers.push_back(w.rows[1].path);
    frm0_MenuEvent(t.p, CMD_LOAD);
    // Each load gives the pad a journal of its own; its lines are the same.
    const Snapshot loaded = takeSnapshot(t.p);
    EXPECT_FALSE(padDiffers(restored.pad, loaded.pad));
    EXPECT_TRUE(restored.controls == loaded.controls && restored.status == loaded.status);
    const auto lines = [](const Journal& journal) {
        std::vector<std::string> shown;
        for (const JournalLine& line : journal)
            shown.push_back(line.shown());
        return shown;
    };
    EXPECT_EQ(lines(t.p.journals.of(restored.pad.journalId)), lines(journalOf(t.p)));
    EXPECT_EQ(kept(t).size(), 3u);
}

TEST(InterruptedEvening, TheQuestionNamesTheGamesAndTheLastChange) {
    EXPECT_EQ(interruptedEveningQuestion({17, at(7, 22, 41)}),
              "Der letzte Abend wurde nicht ordentlich beendet (17 Spiele, zuletzt um 22:41). "
              "Weiterspielen?");
    EXPECT_EQ(interruptedEveningQuestion({1, at(7, 9, 5)}),
              "Der letzte Abend wurde nicht ordentlich beendet (1 Spiel, zuletzt um 9:05). "
              "Weiterspielen?");
}

TEST(InterruptedEvening, OfferedOnceAfterACrashAndNeverAfterANormalQuit) {
    TestProgram t;
    frm0_MenuEvent(t.p, CMD_PAD4);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    const Bytes autosaved = *test::fileBytes(t.file("autosave.hsc"));
    ASSERT_TRUE(test::fileExists(runMarkerPath(t.p)));

    // Yes: the autosave is loaded as a load of it is, and counts as unsaved.
    restart(t);
    t.dialogs.messages.clear();
    EXPECT_TRUE(offerInterruptedEvening(t.p, true));
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].caption, "Kartotrix");
    EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(t.dialogs.messages[0].text.rfind(
                  "Der letzte Abend wurde nicht ordentlich beendet (3 Spiele, zuletzt um ", 0),
              0u);
    const std::optional<PadImage> image = decodePadFile(autosaved).image;
    ASSERT_TRUE(image);
    EXPECT_EQ(t.p.pad.gameTable, image->table);
    EXPECT_EQ(t.p.pad.playerNames, image->names);
    EXPECT_EQ(t.p.pad.dealer, image->dealer);
    EXPECT_EQ(t.p.shell.changesSinceSave, 3);

    // Crashed again before another entry: asked again. No: the evening goes
    // among the earlier states and the start is as usual.
    restart(t);
    t.dialogs.messageAnswers = {MessageAnswer::No};
    EXPECT_FALSE(offerInterruptedEvening(t.p, true));
    EXPECT_FALSE(t.p.pad.padOpen());
    const std::vector<StoredState> states = kept(t);
    ASSERT_EQ(states.size(), 2u);  // the first entry's, and the autosave
    EXPECT_TRUE(test::fileBytes(statesPath(t) + states[0].fileName) == autosaved ||
                test::fileBytes(statesPath(t) + states[1].fileName) == autosaved);
    restart(t);
    t.dialogs.messages.clear();
    EXPECT_FALSE(offerInterruptedEvening(t.p, true));
    EXPECT_TRUE(t.dialogs.messages.empty());

    // A normal quit asks nothing at the next start.
    frm0_MenuEvent(t.p, CMD_PAD4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    EXPECT_FALSE(frm0_Close(t.p));
    restart(t);
    EXPECT_FALSE(offerInterruptedEvening(t.p, true));
    EXPECT_TRUE(t.dialogs.messages.empty());
}

}  // namespace
}  // namespace kx
