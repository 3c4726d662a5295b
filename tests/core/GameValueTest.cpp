// The game value calculator against the tournament rules: who wins, what
// each item is worth, solos, games without a winner and impossible games.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GameValue.h"

namespace kx {
namespace {

using enum Absage;
using W = Winner;

PartyPlay says(Absage absage) {
    return {.announced = true, .absage = absage};
}
const PartyPlay ANNOUNCED{.announced = true};
const PartyPlay SILENT{};
const PartyPlay NO_TRICK{.tookNoTrick = true};

GamePlay game(int reCardPoints, PartyPlay re = {}, PartyPlay kontra = {}) {
    return {.solo = false, .reCardPoints = reCardPoints, .re = re, .kontra = kontra};
}
GamePlay solo(int reCardPoints, PartyPlay re = {}, PartyPlay kontra = {}) {
    GamePlay g = game(reCardPoints, re, kontra);
    g.solo = true;
    return g;
}

struct ValueRow {
    const char* what;
    GamePlay play;
    Winner winner;
    int valueForRe;
};

TEST(GameValue, WinnerAndValueByTheRules) {
    const ValueRow rows[] = {
        // The worked examples of the rules' commentary.
        {"Kontra angesagt, 160", game(80, SILENT, ANNOUNCED), W::Kontra, -5},
        {"Re keine 60, 130", game(130, says(No60)), W::Kontra, -7},
        {"Re keine 90, Kontra 110", game(130, says(No90)), W::Kontra, -5},
        {"Re keine 60 gegen Kontra, 70", game(170, says(No60), ANNOUNCED), W::Kontra, -8},
        {"beide keine 60, Re 170", game(170, says(No60), says(No60)), W::None, 3},
        {"Re keine 90 gegen Kontra schwarz", game(75, says(No90), says(Schwarz)), W::None, 0},
        {"beide schwarz, Re 57", game(57, says(Schwarz), says(Schwarz)), W::None, -5},
        // Without absagen: 121 for Re, 120 for Kontra; the other way round
        // when only Kontra was announced.
        {"121", game(121), W::Re, 1},
        {"120", game(120), W::Kontra, -2},
        {"Re, 120", game(120, ANNOUNCED), W::Kontra, -4},
        {"nur Kontra, 120", game(120, SILENT, ANNOUNCED), W::Re, 3},
        {"nur Kontra, 119", game(119, SILENT, ANNOUNCED), W::Kontra, -4},
        {"Re und Kontra, 120", game(120, ANNOUNCED, ANNOUNCED), W::Kontra, -6},
        // An own absage must be fulfilled.
        {"Re keine 90, 151", game(151, says(No90)), W::Re, 5},
        {"Re keine 90, 150", game(150, says(No90)), W::Kontra, -5},
        {"Re keine 30, 211", game(211, says(No30)), W::Re, 9},
        {"Re keine 30, 210", game(210, says(No30)), W::Kontra, -7},
        {"Re schwarz, Kontra ohne Stich", game(240, says(Schwarz), NO_TRICK), W::Re, 11},
        {"Re schwarz, Kontra ein Stich zu 0", game(240, says(Schwarz)), W::Kontra, -8},
        {"Re ohne Ansage, absage zählt als Ansage", game(151, {.absage = No90}), W::Re, 5},
        // Against the other party's absage the ruled-out amount wins.
        {"Kontra keine 90, Re 90", game(90, SILENT, says(No90)), W::Re, 4},
        {"Kontra keine 90, Re 89", game(89, SILENT, says(No90)), W::Kontra, -6},
        {"Kontra schwarz, Re ein Stich zu 0", game(0, SILENT, says(Schwarz)), W::Re, 7},
        {"Kontra schwarz, Re ohne Stich", game(0, NO_TRICK, says(Schwarz)), W::Kontra, -12},
        // 120 / 90 / 60 / 30 reached against absagen count for the winner too.
        {"Kontra keine 90, Re 130", game(130, SILENT, says(No90)), W::Re, 5},
        {"Re keine 90, Kontra 125", game(115, says(No90)), W::Kontra, -6},
        // Extra points, netted.
        {"Kontra zwei Doppelköpfe", game(121, SILENT, {.doppelkopfs = 2}), W::Re, -1},
        {"Re Fuchs und Karlchen", game(121, {.foxesCaught = 1, .karlchen = 1}), W::Re, 3},
        {"Kontra gewinnt, Re Fuchs", game(120, {.foxesCaught = 1}), W::Kontra, -1},
        {"kein Gewinner, Sonderpunkte zählen",
         game(170, says(No60), {.announced = true, .absage = No60, .doppelkopfs = 1}), W::None, 2},
        // Solo: no extra points, no "gegen die Alten".
        {"Solo 121", solo(121), W::Re, 1},
        {"Solo 120", solo(120), W::Kontra, -1},
        {"Solo Re, 200", solo(200, ANNOUNCED), W::Re, 5},
        {"Solo ohne Gewinner", solo(130, says(No90), says(No90)), W::None, 1},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.what);
        const GameValue v = computeGameValue(row.play);
        ASSERT_EQ(v.error, "");
        EXPECT_EQ(v.winner, row.winner);
        EXPECT_EQ(v.valueForRe, row.valueForRe);
        EXPECT_EQ(v.padValue, row.play.solo ? 3 * row.valueForRe : row.valueForRe);
    }
}

struct TextRow {
    GamePlay play;
    std::vector<std::string> lines;
    const char* summary;
};

TEST(GameValue, ReckoningNamesThePartiesWhereBothScore) {
    const TextRow rows[] = {
        {game(80, SILENT, ANNOUNCED),
         {"gewonnen 1", "unter 90 gespielt 1", "Kontra angesagt 2", "gegen die Alten 1",
          "Spielwert 5"},
         "Kontra gewinnt 5: gewonnen, unter 90, Kontra, gegen die Alten"},
        {game(160, says(No90), says(No90)),
         {"gewonnen 1", "unter 90 gespielt 1", "Re angesagt 2", "Kontra angesagt 2",
          "keine 90 von Re abgesagt 1", "keine 90 von Kontra abgesagt 1",
          "120 gegen keine 90 erreicht 1", "Spielwert 9"},
         "Re gewinnt 9: gewonnen, unter 90, Re, Kontra, keine 90 von Re, keine 90 von Kontra, "
         "120 gegen keine 90"},
        {game(75, says(No90), says(Schwarz)),
         {"Kontra: unter 90 gespielt 1", "Re: 60 gegen keine 30 erreicht 1",
          "Re: 30 gegen schwarz erreicht 1", "Kontra: 120 gegen keine 90 erreicht 1",
          "Spielwert 0"},
         "Kein Gewinner, Wert 0: Re: 60 gegen keine 30, 30 gegen schwarz; Kontra: unter 90, "
         "120 gegen keine 90"},
        {game(121, SILENT, {.doppelkopfs = 2}),
         {"Re: gewonnen 1", "Kontra: Doppelkopf 1", "Kontra: Doppelkopf 1",
          "Spielwert 1 f\xC3\xBCr Kontra"},
         "Re gewinnt, Kontra bekommt 1: Re: gewonnen; Kontra: Doppelkopf \xC3\x97"
         "2"},
        {solo(100, ANNOUNCED),
         {"gewonnen 1", "Re angesagt 2", "Spielwert 3", "Solist: 3 \xC3\x97 -3 = -9"},
         "Kontra gewinnt 3 (Solist -9): gewonnen, Re"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.summary);
        const GameValue v = computeGameValue(row.play);
        EXPECT_EQ(v.reckoning(), row.lines);
        EXPECT_EQ(v.summary(), row.summary);
    }
}

struct ImpossibleRow {
    GamePlay play;
    const char* reason;  // a part of it
};

TEST(GameValue, ImpossibleGamesGetAReason) {
    const ImpossibleRow rows[] = {
        {game(241), "0 bis 240 Augen, nicht 241"},
        {game(1), "Re h\xC3\xA4tte 1 Auge"},
        {game(239), "Kontra h\xC3\xA4tte 1 Auge"},
        {game(0, NO_TRICK, NO_TRICK), "Beide Parteien ohne Stich"},
        {game(10, NO_TRICK), "Die Re-Partei hat keinen Stich, aber 10 Augen."},
        {game(200, SILENT, NO_TRICK), "Die Kontra-Partei hat keinen Stich, aber 40 Augen."},
        {game(100, {.foxesCaught = 2}, {.foxesCaught = 1}), "nur zwei F\xC3\xBC"},
        {game(100, {.karlchen = 1}, {.karlchen = 1}), "nur einmal den letzten Stich"},
        {game(120, {.doppelkopfs = 3}, {.doppelkopfs = 2}), "Mehr als 4 Doppelk"},
        {solo(130, {.foxesCaught = 1}), "Im Solo gibt es keine Sonderpunkte."},
        {game(240, SILENT, {.tookNoTrick = true, .karlchen = 1}), "keinen Stich und damit keine"},
        {game(79, {.doppelkopfs = 2}),
         "Re-Partei hat nur 79 Augen, ihre Sonderpunkte brauchen "
         "mindestens 80 Augen."},
        {game(230, SILENT, {.foxesCaught = 1}), "Kontra-Partei hat nur 10 Augen"},
        {game(0, {.karlchen = 1}), "mindestens 2 Augen"},
        {game(21, {.foxesCaught = 2}), "mindestens 22 Augen"},
        {game(100, {.doppelkopfs = -1}), "nicht abziehen"},
    };
    for (const ImpossibleRow& row : rows) {
        SCOPED_TRACE(row.reason);
        const GameValue v = computeGameValue(row.play);
        EXPECT_NE(v.error.find(row.reason), std::string::npos) << v.error;
        EXPECT_TRUE(v.items.empty());
    }
    // The least that is possible is not refused.
    for (const GamePlay& possible :
         {game(22, {.foxesCaught = 2}), game(2, {.karlchen = 1}), game(0),
          game(160, {.doppelkopfs = 4}), game(240, says(Schwarz), NO_TRICK)})
        EXPECT_EQ(computeGameValue(possible).error, "");
}

}  // namespace
}  // namespace kx
