#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "core/EntryPanel.h"
#include "core/Scoring.h"
#include "io/FileIo.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

// The pad state and everything on screen (padRunning aside) as text, so that a
// difference shows as a readable diff.
std::string snapshot(Program& p) {
    std::ostringstream s;
    const PadState& d = p.pad;
    for (int v : {d.playerCount, d.padStartTime, d.dealer, d.secondSitOut, d.nextGameRow,
                  d.nextSoloRow, d.nextPenaltyRow, d.lastGameRow, d.lastSoloRow,
                  int(d.gamesComplete), int(d.solosComplete), d.entryMode, d.lastEntryRow,
                  d.lastEntryValue, d.lastEntryPlayer1, d.lastEntryPlayer2, d.lastEntryDealer})
        s << v << ' ';
    for (std::size_t k = 1; k <= MAX_PLAYERS; ++k)
        s << "\nplayer " << d.playerNames[k] << ' ' << d.gamePoints[k] << ' ' << d.soloPoints[k]
          << ' ' << d.penaltyPoints[k];
    for (const GameRow& row : d.gameTable) {
        s << "\nrow";
        for (int c : row)
            s << ' ' << c;
    }
    for (const Control* c : p.ui.controls()) {
        s << '\n'
          << c->objectName() << " '" << c->text << "' " << c->visible << c->enabled << c->checked
          << ' ' << c->selection;
        if (c->background) s << " rgb " << c->background->red << ',' << c->background->green;
    }
    for (int k = 1; k <= 6; ++k)
        s << "\nstatus " << p.ui.status(k);
    // The entries of the original menu; "Bearbeiten" shows the run's history, not the pad.
    for (int k = 0; k < MENU_ENTRY_COUNT; ++k)
        s << ' ' << p.ui.menu[static_cast<std::size_t>(k)].enabled;
    return s.str();
}

std::size_t cellAt(int row, int column) {
    return PAD_HEADER_SIZE + 10 * row + column;
}

struct Evening {
    int n, games;
    std::vector<int> soloists, penalised;
};

// Solos first, then normal games (the second one a single-player game of the
// first soloist), then penalties; every entry must be accepted.
void playEvening(Program& p, const Evening& e) {
    const char* const names[] = {"", "Anna", "Bört", "Cäsar", "Dörte", "Emil", "Fräulein ß"};
    newPad(p, e.n);
    for (int k = 1; k <= e.n; ++k)
        ASSERT_TRUE(editName(p, k, names[k]));
    for (int s : e.soloists)
        ASSERT_TRUE(test::enterSolo(p, s, s % 2 ? 3 * s : -3 * s, e.n > 4 ? (s + 1) % e.n + 1 : 0));
    for (int i = 0; i < e.games; ++i) {
        if (i == 1) {
            ASSERT_TRUE(test::enterSingle(p, e.soloists.front(), -9));
            continue;
        }
        std::vector<int> in;  // the players who take part, pairs taken in turn
        for (int k = 1; k <= e.n; ++k)
            if (takesPart(e.n, k, p.pad.dealer, p.pad.secondSitOut)) in.push_back(k);
        const std::size_t m = in.size();
        const int a = in[i % m], b = in[(i + 1 + i / m % (m - 1)) % m];
        ASSERT_TRUE(enterPair(p, std::min(a, b), std::max(a, b), 1 + i * 7 % 18));
    }
    for (int k : e.penalised)
        ASSERT_TRUE(test::enterPenalty(p, k));
}

TEST(PadFileWrite, FreshPadIsTheDocumentedBytes) {
    for (int n : {4, 5, 6}) {
        SCOPED_TRACE(n);
        TestProgram t;
        t.clock.setSeconds(72000);
        newPad(t.p, n);
        Bytes want{'K', 'a', 'r', 't', 'o', 't', 'r', 'i', 'x', '-', '-', '-', 0x02, 0x01};
        // player count, start time, flag word (every player still owes the solo), reserved
        for (std::uint32_t v : {std::uint32_t(n), 72000u, ((1u << n) - 1) << 26, 0u})
            for (int i = 0; i < 4; ++i)
                want.push_back(std::uint8_t(v >> (8 * i)));
        for (int v : {1, 6, 0, 0, 1, 1, 5 * n + 1, 6 * n + 1, 0, 0, 0})
            want.push_back(v);
        want.resize(84, 0);
        want.resize(90, 1);
        want.resize(490, EMPTY_BYTE);
        want.insert(want.end(),
                    {0x80, 0x80, 0, 0, 0, 0, 0, 0, 0x80, 0x80, '1', '2', '3', '4', '5', '6'});
        EXPECT_EQ(encodePadFile(t.p), want);
        ASSERT_TRUE(writePadFile(t.p, ""));
        EXPECT_EQ(test::fileBytes(t.file("autosave.hsc")), want);
    }
}

TEST(PadFileRoundTrip, WholeEveningsComeBackAsTheyWereLeft) {
    const Evening evenings[] = {
        {4, 9, {2}, {2}}, {5, 25, {3, 5, 1}, {4, 1}}, {6, 30, {3, 1, 2, 4, 5, 6}, {1, 2, 4}}};
    for (const Evening& e : evenings) {
        SCOPED_TRACE(e.n);
        TestProgram a, b;
        a.clock.setSeconds(68417);
        b.clock.setSeconds(82800);
        playEvening(a.p, e);
        ASSERT_TRUE(writePadFile(a.p, ""));
        checkOption(a.p.ui.MDS, 1);  // loading ends on normal-game entry
        MDS_Click(a.p, 1);
        b.p.shell.programFolder = a.folder;
        ASSERT_EQ(readPadFile(b.p, ""), "");
        EXPECT_EQ(snapshot(b.p), snapshot(a.p));
        EXPECT_TRUE(b.p.pad.padRunning);
        EXPECT_EQ(b.p.pad.entryMode, 1);
        const WindowModel& ui = b.p.ui;
        if (e.n == 4) {  // player 2 has played the mandatory solo, normal games remain
            EXPECT_FALSE(ui.WER2(2).visible);
            EXPECT_TRUE(ui.WER1(17).visible);
            EXPECT_TRUE(ui.WER2(1).visible);
            EXPECT_FALSE(ui.WER1(16).visible);
        } else {  // normal games complete
            EXPECT_FALSE(ui.MDS(1).enabled);
            for (const Control& c : ui.WER1)
                EXPECT_FALSE(c.visible) << c.index;
        }
    }
}

TEST(PadFileLoad, FilledThirdPenaltyRowTakesNoFourthPenalty) {
    TestProgram a, b;
    newPad(a.p, 4);
    ASSERT_TRUE(test::enterSolo(a.p, 1, -3));
    EXPECT_EQ(encodePadFile(a.p)[33], 0xFD);  // the last entry value's low byte ...
    for (int k : {1, 2, 3})
        ASSERT_TRUE(test::enterPenalty(a.p, k));
    ASSERT_EQ(readPadFile(b.p, a.file("autosave.hsc")), "");
    Program& p = b.p;
    EXPECT_EQ(p.pad.lastEntryValue, 253);  // ... read back unsigned
    EXPECT_FALSE(p.ui.MDS(3).enabled);
    for (const Control& c : p.ui.WER3)
        EXPECT_FALSE(c.visible) << c.index;
    const GameTable table = p.pad.gameTable;
    MDS_Click(p, 3);  // even with the choices forced, OK keeps the last row
    checkOption(p.ui.WER3, 4);
    WER3_Click(p, 4);
    OKB_Click(p);
    EXPECT_EQ(p.pad.gameTable, table);
}

TEST(PadFileLoad, EveryRefusalLeavesTheOpenPadAsItWas) {
    TestProgram source;
    playEvening(source.p, {5, 7, {3}, {2}});  // rows 1..7, solo row 26, penalty row 31
    const Bytes good = encodePadFile(source.p);
    ASSERT_TRUE(decodePadFile(good).image);
    const std::size_t pair = cellAt(1, 0);
    const int flags = good[22];
    // clang-format off
    const struct { const char* what; std::size_t at; int value; } refusals[] = {
        {"marker", 0, 'k'}, {"3 players", 14, 3}, {"7 players", 14, 7}, {"count high byte", 17, 1},
        {"dealer 0", 30, 0}, {"dealer 6", 30, 6}, {"second sit-out 0", 31, 0},
        {"second sit-out 7", 31, 7}, {"next game row 0", 35, 0}, {"next game row 27", 35, 27},
        {"next solo row 25", 36, 25}, {"next solo row 32", 36, 32},
        {"next penalty row 30", 37, 30}, {"next penalty row 34", 37, 34},
        {"pair 2/2", pair, 22}, {"pair 1/6", pair, 16}, {"pair 3/0", pair, 30}, {"pair 7/2", pair, 72},
        {"pair in a solo row", cellAt(26, 0), 12}, {"game after the next game row", cellAt(9, 0), 12},
        {"games complete too early", 22, flags | 2},
        {"solos complete too early", 22, flags | 4},
        {"all games counted, flag missing", 35, 26},
        {"row past the penalties", cellAt(34, 3), 0}, {"row 39", cellAt(39, 9), 1},
        {"next penalty row already filled", 37, 31}, {"empty total in an entered row", cellAt(3, 2), 0x80},
        {"total of a seat above the table", cellAt(3, 7), 5}, {"solo worth no multiple of 3", cellAt(26, 1), 4},
        {"penalty not worth 12", cellAt(31, 1), 0xF3}, {"dealer of a game out of range", cellAt(2, 8), 9},
        {"row without players but with totals", cellAt(20, 3), 0}};
    // clang-format on
    TestProgram t;
    playEvening(t.p, {4, 9, {2}, {2}});
    const std::string before = snapshot(t.p);
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.what);
        Bytes bad = good;
        bad[r.at] = static_cast<std::uint8_t>(r.value);
        test::putFile(t.file("bad.hsc"), bad);
        EXPECT_EQ(readPadFile(t.p, t.file("bad.hsc")), LOAD_ERROR_INVALID);
        EXPECT_EQ(snapshot(t.p), before);
        EXPECT_TRUE(t.p.pad.padRunning);
    }
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(decodePadFile(Bytes(good.begin(), good.begin() + size)).image) << size;
    EXPECT_EQ(readPadFile(t.p, t.file("fehlt.hsc")), "");  // a missing file: no message either
    EXPECT_EQ(snapshot(t.p), before);
}

TEST(PadFileExactValues, TotalsBeyondTheByteRangeComeBackExactly) {
    TestProgram t, u;
    newPad(t.p, 4);
    for (int v : {18, 18, 18, 18, 18, 18, 18, 2, 16})
        ASSERT_TRUE(enterPair(t.p, 1, 2, v));
    ASSERT_EQ(t.p.pad.gameTable[8][4], -128);  // row 8: ±128, row 9 and totals: ±144
    journalOf(t.p).clear();
    const Bytes bytes = encodePadFile(t.p);
    const std::size_t base = 506;
    ASSERT_EQ(bytes.size(), base + 4 + 2 + 4 + 1640 + 4);
    // Readers without the extension find the low 8 bits: ±128 as 0x80, 144 as 0x90, -144 as 0x70.
    // clang-format off
    for (auto [at, want] : {std::pair{cellAt(8, 2), 0x80}, {cellAt(8, 4), 0x80}, {cellAt(9, 2), 0x90},
                            {cellAt(9, 4), 0x70}, {cellAt(40, 5), 0x70}})
        EXPECT_EQ(bytes[at], want) << at;
    // clang-format on
    ASSERT_EQ(readPadFile(u.p, t.file("autosave.hsc")), "");
    EXPECT_EQ(u.p.pad.gameTable, t.p.pad.gameTable);
    EXPECT_EQ(u.p.pad.gamePoints[3], -144);
    EXPECT_EQ(u.p.ui.SP[3](8).text, "-128");
    EXPECT_EQ(u.p.ui.SPsum(1).text, "144");
    // A damaged or cut block would leave only the wrapped bytes: refused.
    const std::size_t damage[] = {base + 3,  base + 4,         base + 6,
                                  base + 90, bytes.size() - 1, cellAt(9, 2)};
    for (std::size_t at : damage) {
        Bytes bad = bytes;
        bad[at] ^= 1;
        EXPECT_FALSE(decodePadFile(bad).image) << at;
    }
    for (std::size_t size = base + 1; size < bytes.size(); ++size)
        ASSERT_FALSE(decodePadFile(Bytes(bytes.begin(), bytes.begin() + size)).image) << size;
    // Bytes after the names that are no block are ignored, as readers of the plain format do.
    newPad(u.p, 4);
    ASSERT_TRUE(enterPair(u.p, 1, 2, 3));
    journalOf(u.p).clear();
    Bytes foreign = encodePadFile(u.p);
    for (char c : std::string("Kaffee"))
        foreign.push_back(static_cast<std::uint8_t>(c));
    ASSERT_TRUE(decodePadFile(foreign).image);
    EXPECT_EQ(decodePadFile(foreign).image->table, u.p.pad.gameTable);
    foreign.resize(foreign.size() - 4);  // "Ka" is no marker
    EXPECT_TRUE(decodePadFile(foreign).image);
    foreign.resize(foreign.size() - 1);  // "K" may be a block cut after one byte
    EXPECT_FALSE(decodePadFile(foreign).image);
    Bytes trailing = bytes;
    trailing.push_back('!');  // after a whole block
    EXPECT_EQ(decodePadFile(trailing).image->table, t.p.pad.gameTable);
}

// Pads whose bytes are each in range but do not fit together: the running
// totals must follow from the rows, the counters must not pass an empty row,
// and at six players the two who sit out are neighbours.
TEST(PadFileLoad, PadsThatContradictThemselvesAreRefused) {
    TestProgram t;
    newPad(t.p, 4);
    for (int v : {18, 18, 18, 18, 18, 18, 18, 2, 16})
        ASSERT_TRUE(enterPair(t.p, 1, 2, v));
    const Bytes exact = encodePadFile(t.p);
    const std::size_t base = 506;                    // header, table and the four names "1".."4"
    Bytes cut(exact.begin(), exact.begin() + base);  // the block gone: 144 would read as -112
    Bytes renamed = exact;
    renamed[base + 3] = 'Y';  // "KXEY" is no block, and the bytes alone wrap
    EXPECT_FALSE(decodePadFile(cut).image);
    EXPECT_FALSE(decodePadFile(renamed).image);

    TestProgram six;
    playEvening(six.p, {6, 5, {4}, {1}});  // rows 1..5, solo row 31, penalty row 37
    const Bytes good = encodePadFile(six.p);
    ASSERT_TRUE(decodePadFile(good).image);
    // clang-format off
    const struct { const char* what; std::vector<std::pair<std::size_t, int>> changes; } cases[] = {
        {"second sit-out not beside the dealer", {{31, good[31] % 6 + 1}}},
        {"a game row's sit-outs not neighbours", {{cellAt(2, 9), good[cellAt(2, 9)] % 6 + 1}}},
        {"one total moved, the row still balanced", {{cellAt(3, 2), good[cellAt(3, 2)] + 1},
                                                     {cellAt(3, 3), good[cellAt(3, 3)] - 1}}},
        {"a value that does not give the totals", {{cellAt(1, 1), good[cellAt(1, 1)] + 1}}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bad = good;
        for (auto [at, value] : c.changes)
            bad[at] = static_cast<std::uint8_t>(value);
        EXPECT_FALSE(decodePadFile(bad).image);
    }
    // An empty row below the next one to fill: a later correction of row 1
    // would add to the empty marker.
    Bytes gap = good;
    for (int c = 0; c < TABLE_COLUMNS; ++c)
        gap[cellAt(2, c)] = EMPTY_BYTE;
    EXPECT_FALSE(decodePadFile(gap).image);
}

// Blocks after the names and the exact values: one this program does not
// know is skipped whole; a cut or damaged one refuses the file.
TEST(PadFileBlocks, ALaterProgramsBlockIsSkippedWholeOrRefused) {
    for (const std::vector<int>& games :
         {std::vector<int>{3}, {18, 18, 18, 18, 18, 18, 18, 2, 16}}) {
        TestProgram t;
        newPad(t.p, 4);
        for (int v : games)
            ASSERT_TRUE(enterPair(t.p, 1, 2, v));
        journalOf(t.p).clear();
        const Bytes plain = encodePadFile(t.p);  // the second with exact values
        Bytes later = plain;
        appendBlock(later, {{'K', 'X', 'Z', 'Z'}, 3, Bytes(100, 7)});
        const auto read = decodePadFile(later);
        ASSERT_TRUE(read.image);
        EXPECT_EQ(read.image->table, t.p.pad.gameTable);
        EXPECT_TRUE(read.image->blocks.empty());
        for (std::size_t size = plain.size() + 1; size < later.size(); ++size)
            EXPECT_FALSE(decodePadFile(Bytes(later.begin(), later.begin() + size)).image) << size;
        for (std::size_t at :
             {plain.size() + 6, plain.size() + 9, plain.size() + 50, later.size() - 1}) {
            Bytes bad = later;
            bad[at] ^= 0x10;
            EXPECT_FALSE(decodePadFile(bad).image) << at;
        }
    }
}

// The fuzzer starts from these; a reader check that refused them would leave it
// stuck at the door.
TEST(PadFileCorpus, EveryCommittedPadIsValid) {
    int pads = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(KARTOTRIX_SOURCE_DIR "/fuzz/corpus")) {
        SCOPED_TRACE(entry.path().string());
        const auto bytes = test::fileBytes(entry.path().string());
        ASSERT_TRUE(bytes);
        EXPECT_TRUE(decodePadFile(*bytes).image);
        ++pads;
    }
    EXPECT_GE(pads, 9);
}

TEST(PadFileNames, StoredOneWindows1252BytePerCharacter) {
    std::string umlauts;
    for (int i = 0; i < 255; ++i)
        umlauts += "ä";
    const struct {
        std::string typed, stored, readBack;
    } cases[] = {{"Jürgen", "J\xFCrgen", "Jürgen"},
                 {"Groß", "Gro\xDF", "Groß"},
                 {"€", "\x80", "€"},
                 {"Łukasz", "?ukasz", "?ukasz"},
                 {"A😀", "A?", "A?"},
                 {umlauts, std::string(255, '\xE4'), umlauts},
                 {std::string(300, 'x'), std::string(255, 'x'), std::string(255, 'x')}};
    TestProgram t;
    newPad(t.p, 6);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.readBack.substr(0, 12));
        ASSERT_TRUE(editName(t.p, 2, c.typed));
        const Bytes b = encodePadFile(t.p);
        ASSERT_EQ(b.size(), 505 + c.stored.size());
        EXPECT_EQ(b[85], c.stored.size());
        EXPECT_EQ(std::string(b.begin() + 501, b.end() - 4), c.stored);
        EXPECT_EQ(decodePadFile(b).image.value().names[2], c.readBack);
    }
}

TEST(PadFileWrite, ReplacesWholeAndFailsWithoutHarm) {
    TestProgram t;
    newPad(t.p, 4);
    test::putFile(t.file("pad.hsc"), Bytes(5000, 0x55));
    ASSERT_TRUE(writePadFile(t.p, t.file("pad.hsc")));
    const auto written = test::fileBytes(t.file("pad.hsc"));
    EXPECT_EQ(written, encodePadFile(t.p));  // no tail of the longer old file
    test::putFile(t.file("plain"), Bytes{1, 2, 3});
    std::set<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(t.folder))
        files.insert(e.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"pad.hsc", "plain"}));  // no temporary files left
    ASSERT_TRUE(enterPair(t.p, 1, 2, 5));
    for (const std::string& bad : {t.file("no/such/folder/pad.hsc"), t.file("plain/pad.hsc")}) {
        EXPECT_FALSE(writePadFile(t.p, bad)) << bad;
        EXPECT_EQ(test::fileBytes(t.file("pad.hsc")), written);
        EXPECT_EQ(test::fileBytes(t.file("plain")), (Bytes{1, 2, 3}));
    }
}

}  // namespace
}  // namespace kx
