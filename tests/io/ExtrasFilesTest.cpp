// The spreadsheet export and the statistics across a folder of pad files.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "io/CsvExport.h"
#include "io/ExtrasBatch.h"
#include "io/PadFile.h"
#include "io/Statistics.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/PadSheet.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

std::vector<std::string> csvLines(const Bytes& bytes) {
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "text after the last line end";
    return lines;
}

TEST(CsvExport, SmallPadWithUmlautsByteForByte) {
    TestProgram t;
    newPad(t.p, 5);
    const char* names[] = {"J\xC3\xBCrgen", "\xC3\x84nne", "\xC3\x96;zi", "=B\xC3\xB6se"};
    for (int k = 1; k <= 4; ++k)
        ASSERT_TRUE(editName(t.p, k, names[k - 1]));
    ASSERT_TRUE(enterPair(t.p, 2, 3, 4));
    ASSERT_TRUE(enterPair(t.p, 1, 4, 2));
    const std::vector<std::string> lines = csvLines(csvBytes(padSheet(t.p, t.clock.time)));
    ASSERT_EQ(lines.size(), 36u);  // head, 33 pad rows, totals, turnover
    EXPECT_EQ(lines[0],
              "\xEF\xBB\xBFZeile;Sp;Pk;J\xC3\xBCrgen;\xC3\x84nne;\"\xC3\x96;zi\";'=B\xC3\xB6se;"
              "Spieler 5;Setzt aus");
    EXPECT_EQ(lines[1], "1;2 / 3;4;;4;4;-4;-4;J\xC3\xBCrgen");
    EXPECT_EQ(lines[2], "2;1 / 4;2;2;;2;-2;-6;\xC3\x84nne");
    EXPECT_EQ(lines[3], "3;;;;;;;;\"\xC3\x96;zi\"");  // the sit-out the pad marks in advance
    EXPECT_EQ(lines[26], "S1;;;;;;;;");
    EXPECT_EQ(lines[31], "StP;;;;;;;;");
    EXPECT_EQ(lines[34], "Summe;;;2;4;2;-2;-6;");
    EXPECT_EQ(lines[35], "Umsatz;;8;;;;;;");
    EXPECT_EQ(csvField("say \"hi\"", true), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("-3", false), "-3");
    EXPECT_EQ(csvField("-3", true), "'-3");
}

// Writes a pad played by `play` into `path`.
template <typename Play>
void writePad(const std::string& path, int n, const std::vector<std::string>& names, Play play) {
    TestProgram t;
    t.p.pad.autosaveEnabled = false;
    newPad(t.p, n);
    for (std::size_t k = 0; k < names.size(); ++k)
        ASSERT_TRUE(editName(t.p, static_cast<int>(k) + 1, names[k]));
    ASSERT_TRUE(play(t.p));
    ASSERT_TRUE(writePadFile(t.p, path));
}

const PlayerStatistics* find(const Statistics& s, const std::string& name) {
    for (const auto* list : {&s.players, &s.seats})
        for (const PlayerStatistics& p : *list)
            if (p.name == name) return &p;
    return nullptr;
}

std::vector<std::string> names(const std::vector<PlayerStatistics>& list) {
    std::vector<std::string> order;
    for (const PlayerStatistics& p : list)
        order.push_back(p.name);
    return order;
}

TEST(Statistics, AcrossAFolderWithABrokenFile) {
    TestProgram t;
    const std::string folder = t.file("abende");
    std::filesystem::create_directory(folder);
    const std::string in = folder + "/";
    writePad(in + "a.hsc", 4, {"Anna", "Bert", "Carla", "Dieter"},
             [](Program& p) { return enterPair(p, 1, 2, 3) && enterPair(p, 1, 3, 2); });
    writePad(in + "b.hsc", 5, {" anna", "BERT", "J\xC3\xBCrgen", "4", ""},
             [](Program& p) { return enterPair(p, 2, 3, 4) && enterPair(p, 1, 3, 1); });
    writePad(in + "c.HSC", 4, {}, [](Program& p) { return enterPair(p, 3, 4, 2); });
    writePad(in + "leer.hsc", 4, {"Anna"}, [](Program&) { return true; });
    std::filesystem::copy_file(in + "a.hsc", in + "d-kopie.hsc");
    test::putFile(in + "kaputt.hsc", "Kartotrix---kein Block");
    test::putFile(in + "notizen.txt", "kein Block");

    const Statistics s = collectStatistics(*t.files, folder);
    ASSERT_TRUE(s.error.empty());
    EXPECT_EQ(s.evenings, 3);
    // Seats without a name are never ranked among the players.
    EXPECT_EQ(names(s.players),
              (std::vector<std::string>{"Anna", "Bert", "J\xC3\xBCrgen", "Carla", "Dieter"}));
    EXPECT_EQ(names(s.seats),
              (std::vector<std::string>{"Platz 1", "Platz 2", "Platz 3", "Platz 4", "Platz 5"}));
    const PlayerStatistics* anna = find(s, "Anna");
    ASSERT_TRUE(anna);
    EXPECT_EQ(anna->evenings, 2);
    EXPECT_EQ(anna->won, 1);
    EXPECT_EQ(anna->points, 6);
    EXPECT_EQ(anna->games, 3);  // she sat out the first game at five
    EXPECT_EQ(anna->pointsPerGame(), "2,0");
    EXPECT_EQ(anna->best, 5);
    EXPECT_EQ(anna->bestFile, "a.hsc");
    EXPECT_EQ(anna->worst, 1);
    EXPECT_EQ(find(s, "J\xC3\xBCrgen")->pointsPerGame(), "2,5");
    const PlayerStatistics* seat4 = find(s, "Platz 4");
    ASSERT_TRUE(seat4);
    EXPECT_TRUE(seat4->seat);
    EXPECT_EQ(seat4->evenings, 2);  // the default "4" of b and of c
    EXPECT_EQ(seat4->points, -3);
    EXPECT_EQ(seat4->won, 1);
    EXPECT_TRUE(find(s, "Platz 5")->seat);  // an empty name

    ASSERT_EQ(s.skipped.size(), 3u);
    EXPECT_EQ(s.skipped[0].file, "d-kopie.hsc");
    EXPECT_EQ(s.skipped[0].reason,
              "Derselbe Abend wie \xE2\x80\x9E"
              "a.hsc\xE2\x80\x9C, nur einmal gez\xC3\xA4hlt.");
    EXPECT_EQ(s.skipped[1].file, "kaputt.hsc");
    EXPECT_EQ(s.skipped[1].reason, LOAD_ERROR_INVALID);
    EXPECT_EQ(s.skipped[2].file, "leer.hsc");

    const std::string text = statisticsText(s);
    EXPECT_NE(text.find("Statistik \xC3\xBC"
                        "ber 3 Abende"),
              std::string::npos)
        << text;
    const std::size_t seats = text.find(SEATS_HEADING);
    EXPECT_LT(text.find("Dieter "), seats) << text;
    EXPECT_LT(seats, text.find("Platz 1 ")) << text;
    EXPECT_NE(text.find("  kaputt.hsc: Fehler beim Laden."), std::string::npos) << text;
    EXPECT_NE(
        text.find("Spieler  Abende  gewonnen  Punkte  Spiele  je Spiel  bester  schlechtester\n"
                  "Anna          2         1      +6       3       2,0      +5             +1\n"),
        std::string::npos)
        << text;
}

// File names reach a terminal: no escape sequence, no forged line; a FIFO
// or device is no folder.
TEST(Statistics, FileNamesAreShownCleanAndOddFilesNamedForWhatTheyAre) {
    TestProgram t;
    const std::string in = t.file("abende/");
    std::filesystem::create_directory(in);
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither FIFOs nor escape sequences in file names";
#else
    test::putFile(in + "\x1B[2Jweg\nAnna +99.hsc", "Kartotrix---kein Block");
    ASSERT_EQ(::mkfifo((in + "rohr.hsc").c_str(), 0600), 0);
    const Statistics s = collectStatistics(*t.files, in);
    ASSERT_EQ(s.skipped.size(), 2u);
    EXPECT_EQ(s.skipped[0].file, " [2Jweg Anna +99.hsc");
    EXPECT_EQ(s.skipped[1].reason,
              "Fehler beim Laden. Das ist keine gew\xC3\xB6hnliche Datei, sondern zum Beispiel "
              "ein Ger\xC3\xA4t oder eine Pipe.");
    const std::string text = statisticsText(s);
    EXPECT_EQ(text.find('\x1B'), std::string::npos) << text;
    EXPECT_EQ(text.find("\nAnna +99"), std::string::npos) << text;
#endif
}

TEST(Statistics, NamesMatchWithoutRegardToCase) {
    EXPECT_EQ(foldedName(" J\xC3\x9CRGEN "), foldedName("j\xC3\xBCrgen"));
    EXPECT_EQ(foldedName("\xC3\x84nne"), foldedName("\xC3\xA4NNE"));
    EXPECT_NE(foldedName("Anna"), foldedName("Anne"));
}

TEST(ExtrasBatch, StatusAndMessages) {
    TestProgram t;
    newPad(t.p, 4);
    ASSERT_TRUE(enterPair(t.p, 1, 2, 3));
    ASSERT_TRUE(writePadFile(t.p, t.file("gut.hsc")));
    {
        // Totals that follow from their row but do not add up: a penalty of
        // the player who sits out pays the other five.
        TestProgram six;
        newPad(six.p, 6);
        six.p.pad.gameTable[37] = {6, -12, 3, 3, 3, 3, 3, -12, 1, 6};
        six.p.pad.nextPenaltyRow = 38;
        ASSERT_TRUE(writePadFile(six.p, t.file("schief.hsc")));
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const BatchStreams streams{out, err};
    EXPECT_EQ(settlementCommand(*t.files, t.file("gut.hsc"), "10", streams), BATCH_OK);
    EXPECT_EQ(settlementCommand(*t.files, t.file("gut.hsc"), "zehn", streams), BATCH_REFUSED);
    EXPECT_EQ(settlementCommand(*t.files, t.file("schief.hsc"), "", streams), BATCH_REFUSED);
    EXPECT_EQ(csvCommand(*t.files, t.file("gut.hsc"), t.file("fehlt/x.csv"), streams),
              BATCH_WRITE_FAILED);
    EXPECT_EQ(statisticsCommand(*t.files, t.file("fehlt"), streams), BATCH_REFUSED);
    const auto read = [](std::FILE* f) {
        std::rewind(f);
        std::string text;
        for (int c; (c = std::fgetc(f)) != EOF;)
            text += static_cast<char>(c);
        std::fclose(f);
        return text;
    };
    EXPECT_NE(read(out).find("Spieler 3 zahlt Spieler 1 0,30 \xE2\x82\xAC\n"), std::string::npos);
    const std::string messages = read(err);
    EXPECT_NE(messages.find("\xE2\x80\x9Ezehn\xE2\x80\x9C ist kein Betrag"), std::string::npos)
        << messages;
    EXPECT_NE(messages.find(SETTLEMENT_REFUSED), std::string::npos) << messages;
    EXPECT_NE(messages.find("Fehler beim CSV-Export. Die Datei"), std::string::npos) << messages;
}

}  // namespace
}  // namespace kx
