#pragma once

#include <string>
#include <vector>

namespace kx {

// The game value calculator ("Spielwert"): who won a game of Doppelkopf and
// what it is worth, item by item, by the tournament rules of the German
// Doppelkopf association. It knows nothing of the pad: the quick entry and
// the command line turn its value into an entry or a line of text.
//
// Re is the party of the queens of clubs (two players, or one soloist),
// Kontra the other one. Both parties' card points ("Augen") add up to 240.

enum class Party { Re, Kontra };

// The highest absage a party made. A higher one includes the lower ones, as
// at the table: "keine 60" is also "keine 90".
enum class Absage { None, No90, No60, No30, Schwarz };

// What one party did in the game.
struct PartyPlay {
    bool announced = false;  // "Re" or "Kontra"; an absage implies it
    Absage absage = Absage::None;
    bool tookNoTrick = false;  // not the same as 0 card points: a trick of four nines is worth 0
    int doppelkopfs = 0;       // tricks of 40 card points or more
    int foxesCaught = 0;       // aces of diamonds of the other party
    int karlchen = 0;          // the jack of clubs took the last trick (0 or 1)
    // Extra points that only house rules count; 0 in every tournament game.
    int karlchenCaught = 0;  // the other party's jack of clubs taken in the last trick
    int dullenCaught = 0;    // tens of hearts of the other party taken by the second one
    int foxLastTrick = 0;    // a fox (ace of diamonds) took the last trick
    bool operator==(const PartyPlay&) const = default;
};

struct GamePlay {
    bool solo = false;     // Re is one soloist
    int reCardPoints = 0;  // Kontra has 240 minus these
    PartyPlay re, kontra;
    bool operator==(const GamePlay&) const = default;
};

// How a game is valued. Every field defaults to the tournament rules; a
// table's house rules (core/HouseRules.h) change them.
struct GameValueRules {
    int announcementPoints = 2;  // for "Re" and for "Kontra"
    int soloFactor = 3;          // the soloist wins or loses this times the value
    // "Re" and "Kontra" each double the value instead of adding their points.
    bool announcementsDouble = false;
    // "unter 120 gespielt": a point for the winner when the losers stayed below 120.
    bool below120Point = false;
    // The tournament's four extra points, each one switchable.
    bool againstQueens = true;
    bool doppelkopf = true;
    bool foxCaught = true;
    bool karlchen = true;
    // Common private extra points, off in the tournament rules.
    bool karlchenCaught = false;
    bool dulleCaught = false;
    bool foxLastTrick = false;
    bool operator==(const GameValueRules&) const = default;
};

enum class Winner { None, Re, Kontra };

// One item of the reckoning: what it is and whom it counts for.
struct ReckoningItem {
    Party party = Party::Re;
    std::string text;       // "unter 90 gespielt"
    std::string shortText;  // "unter 90"
    int points = 0;
    bool operator==(const ReckoningItem&) const = default;
};

struct GameValue {
    std::string error;  // why the game cannot have been so (German); nothing else is set then
    bool solo = false;
    int soloFactor = 1;
    Winner winner = Winner::None;
    // Each Re player's points: the items of Re minus those of Kontra,
    // negative when Kontra gains.
    int valueForRe = 0;
    // What the pad records for Re's side: valueForRe, and for a solo the
    // soloist's share, soloFactor times it.
    int padValue = 0;
    std::vector<ReckoningItem> items;
    // Under the house rule that announcements double: the factor (2 or 4) the
    // items' sum was multiplied by; 1 otherwise.
    int doubling = 1;

    // One German line per item ("unter 90 gespielt 1"), each naming its party
    // when both parties score or nobody won ("Kontra: Fuchs gefangen 1"), then
    // "Spielwert 5" ("Spielwert 1 für Kontra" when both scored) and for a solo
    // the soloist's share ("Solist: 3 × 5 = 15").
    std::vector<std::string> reckoning() const;
    // The items on one line: "gewonnen, unter 90, Kontra, gegen die Alten", or
    // "Re: gewonnen, Doppelkopf; Kontra: Fuchs" when both parties score.
    std::string shortReckoning() const;
    std::string itemsText() const;  // the same without the doubling
    // "Kontra gewinnt 5: gewonnen, unter 90, Kontra, gegen die Alten".
    std::string summary() const;
};

// Values a game. An impossible game (more card points than the deck holds, a
// party without a trick that has card points, three foxes …) gets its reason
// in `error` instead of a value.
GameValue computeGameValue(const GamePlay& play, const GameValueRules& rules = {});

const char* partyName(Party party);

}  // namespace kx
