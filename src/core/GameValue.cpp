#include "core/GameValue.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

namespace {

constexpr int DECK_POINTS = 240;
// A trick of 40 card points or more holds four aces or tens, and the deck has sixteen.
constexpr int MAX_DOPPELKOPFS = 4;
constexpr int FOXES = 2;
// What extra points bring of card points at least: each caught fox is an ace
// (11) in the catching party's tricks, Karlchen the jack of clubs (2), each
// Doppelkopf a trick of 40. A fox or Karlchen may lie in a Doppelkopf.
constexpr int FOX_POINTS = 11;
constexpr int KARLCHEN_POINTS = 2;
constexpr int DOPPELKOPF_POINTS = 40;

const char* const TIMES = "\xC3\x97";
// Marks an item or line that counts only by the table's house rules.
const char* const HOUSE = " (Hausregel)";

// An absage and what it rules out: the opponents stay below `limit` card
// points, or for "schwarz" (limit 0) take no trick at all.
struct Level {
    Absage absage;
    int limit;
    const char* name;
};
constexpr Level LEVELS[] = {
    {Absage::No90, 90, "keine 90"},
    {Absage::No60, 60, "keine 60"},
    {Absage::No30, 30, "keine 30"},
    {Absage::Schwarz, 0, "schwarz"},
};

const Level& levelOf(Absage absage) {
    return LEVELS[static_cast<int>(absage) - 1];
}

// Whether a party stayed within a level: below its limit, or without a trick.
bool heldTo(const Level& level, int points, bool tookNoTrick) {
    return level.limit == 0 ? tookNoTrick : points < level.limit;
}

bool hasAnnounced(const PartyPlay& p) {
    return p.announced || p.absage != Absage::None;
}

// One party seen from its own side.
struct Side {
    Party party;
    const PartyPlay& own;
    const PartyPlay& other;
    int points;
    int otherPoints;
};

// A party with an absage wins only by fulfilling it; against the other
// party's absage it wins by reaching what that ruled out; otherwise the plain
// card points decide.
bool wins(const Side& s, int plainNeed) {
    if (s.own.absage != Absage::None)
        return heldTo(levelOf(s.own.absage), s.otherPoints, s.other.tookNoTrick);
    if (s.other.absage != Absage::None)
        return !heldTo(levelOf(s.other.absage), s.points, s.own.tookNoTrick);
    return s.points >= plainNeed;
}

using Items = std::vector<ReckoningItem>;

void add(Items& items, Party party, std::string text, std::string shortText, int points = 1) {
    items.push_back({party, std::move(text), std::move(shortText), points});
}

// "unter 90 gespielt" … "schwarz gespielt": the levels the loser stayed within.
void addLosersLevels(Items& items, Party gainer, const Side& loser) {
    for (const Level& level : LEVELS) {
        if (!heldTo(level, loser.points, loser.own.tookNoTrick)) continue;
        if (level.limit == 0)
            add(items, gainer, "schwarz gespielt", "schwarz gespielt");
        else
            add(items, gainer, "unter " + std::to_string(level.limit) + " gespielt",
                "unter " + std::to_string(level.limit));
    }
}

void addAnnouncements(Items& items, Party gainer, const GamePlay& play,
                      const GameValueRules& rules) {
    // Doubling announcements are a factor, not items (see computeGameValue).
    if (!rules.announcementsDouble) {
        if (hasAnnounced(play.re))
            add(items, gainer, "Re angesagt", "Re", rules.announcementPoints);
        if (hasAnnounced(play.kontra))
            add(items, gainer, "Kontra angesagt", "Kontra", rules.announcementPoints);
    }
    // Each party's absagen, each level one point; named by party when both made some.
    const bool both = play.re.absage != Absage::None && play.kontra.absage != Absage::None;
    for (const Party party : {Party::Re, Party::Kontra}) {
        const Absage made = party == Party::Re ? play.re.absage : play.kontra.absage;
        const std::string by = both ? std::string(" von ") + partyName(party) : "";
        for (const Level& level : LEVELS) {
            if (level.absage > made) break;
            add(items, gainer, level.name + by + " abgesagt",
                level.name + (level.limit == 0 ? std::string(" abgesagt") : "") + by);
        }
    }
}

// "120 gegen keine 90 erreicht" …: a party 30 card points above the limit of
// the other party's absage, or with 30 against "schwarz", whoever won.
void addReachedAgainst(Items& items, const Side& s) {
    for (const Level& level : LEVELS) {
        if (level.absage > s.other.absage) break;
        if (s.points < level.limit + 30) continue;
        const std::string reached = std::to_string(level.limit + 30) + " gegen " + level.name;
        add(items, s.party, reached + " erreicht", reached);
    }
}

void addRepeated(Items& items, Party party, int count, const std::string& text,
                 const std::string& shortText) {
    for (int i = 0; i < count; ++i)
        add(items, party, text, shortText);
}

void addExtras(Items& items, const Side& s, const GameValueRules& rules) {
    if (rules.doppelkopf)
        addRepeated(items, s.party, s.own.doppelkopfs, "Doppelkopf", "Doppelkopf");
    if (rules.foxCaught) addRepeated(items, s.party, s.own.foxesCaught, "Fuchs gefangen", "Fuchs");
    if (rules.karlchen) addRepeated(items, s.party, s.own.karlchen, "Karlchen", "Karlchen");
    const std::string house = HOUSE;
    if (rules.karlchenCaught)
        addRepeated(items, s.party, s.own.karlchenCaught, "Karlchen gefangen" + house,
                    "Karlchen gefangen");
    if (rules.dulleCaught)
        addRepeated(items, s.party, s.own.dullenCaught, "Dulle gefangen" + house, "Dulle gefangen");
    if (rules.foxLastTrick)
        addRepeated(items, s.party, s.own.foxLastTrick, "Fuchs im letzten Stich" + house,
                    "Fuchs letzter Stich");
}

std::string points(int n) {
    return std::to_string(n) + (n == 1 ? " Auge" : " Augen");
}

std::string extrasProblem(const Side& s, bool solo) {
    const PartyPlay& p = s.own;
    const std::string party = std::string("Die ") + partyName(s.party) + "-Partei";
    const bool any = p.doppelkopfs > 0 || p.foxesCaught > 0 || p.karlchen > 0 ||
                     p.karlchenCaught > 0 || p.dullenCaught > 0 || p.foxLastTrick > 0;
    if (p.doppelkopfs < 0 || p.foxesCaught < 0 || p.karlchen < 0 || p.karlchenCaught < 0 ||
        p.dullenCaught < 0 || p.foxLastTrick < 0)
        return "Sonderpunkte lassen sich nicht abziehen.";
    if (any && solo) return "Im Solo gibt es keine Sonderpunkte.";
    if (any && p.tookNoTrick) return party + " hat keinen Stich und damit keine Sonderpunkte.";
    const int least = std::max({DOPPELKOPF_POINTS * p.doppelkopfs, FOX_POINTS * p.foxesCaught,
                                KARLCHEN_POINTS * p.karlchen});
    if (s.points < least)
        return party + " hat nur " + points(s.points) + ", ihre Sonderpunkte brauchen " +
               "mindestens " + points(least) + ".";
    return "";
}

std::string cardPointsProblem(const GamePlay& play) {
    const int re = play.reCardPoints;
    if (re < 0 || re > DECK_POINTS)
        return "Die Re-Partei hat 0 bis 240 Augen, nicht " + std::to_string(re) + ".";
    if (re == 1 || re == DECK_POINTS - 1)
        return std::string(re == 1 ? "Re" : "Kontra") +
               " h\xC3\xA4tte 1 Auge, aber keine Karte z\xC3\xA4hlt 1 Auge.";
    if (play.re.tookNoTrick && play.kontra.tookNoTrick)
        return "Beide Parteien ohne Stich geht nicht: jeder Stich geht an eine von beiden.";
    if (play.re.tookNoTrick && re > 0)
        return "Die Re-Partei hat keinen Stich, aber " + points(re) + ".";
    if (play.kontra.tookNoTrick && re < DECK_POINTS)
        return "Die Kontra-Partei hat keinen Stich, aber " + points(DECK_POINTS - re) + ".";
    return "";
}

std::string problem(const GamePlay& play, const Side& re, const Side& kontra) {
    std::string why = cardPointsProblem(play);
    if (why.empty()) why = extrasProblem(re, play.solo);
    if (why.empty()) why = extrasProblem(kontra, play.solo);
    if (!why.empty()) return why;
    if (play.re.foxesCaught + play.kontra.foxesCaught > FOXES)
        return "Es gibt nur zwei F\xC3\xBC"
               "chse.";
    if (play.re.karlchen + play.kontra.karlchen > 1)
        return "Karlchen kann nur einmal den letzten Stich machen.";
    if (play.re.karlchenCaught + play.kontra.karlchenCaught > 1 ||
        play.re.foxLastTrick + play.kontra.foxLastTrick > 1)
        return "Den letzten Stich macht nur eine Karte: Karlchen gefangen oder Fuchs im "
               "letzten Stich gibt es h\xC3\xB6"
               "chstens einmal.";
    if (play.re.karlchen + play.kontra.karlchen + play.re.foxLastTrick + play.kontra.foxLastTrick >
        1)
        return "Den letzten Stich macht entweder Karlchen oder ein Fuchs.";
    if (play.re.dullenCaught + play.kontra.dullenCaught > 1)
        return "Es gibt nur zwei Dullen: gefangen werden kann h\xC3\xB6"
               "chstens eine.";
    if (play.re.doppelkopfs + play.kontra.doppelkopfs > MAX_DOPPELKOPFS)
        return "Mehr als 4 Doppelk\xC3\xB6pfe gehen nicht: jeder braucht vier Asse oder Zehnen, "
               "und davon gibt es 16.";
    return "";
}

Winner findWinner(const GamePlay& play, const Side& re, const Side& kontra) {
    // With only "Kontra" announced the plain need changes sides: Re wins with 120.
    const bool onlyKontra = hasAnnounced(play.kontra) && !hasAnnounced(play.re);
    if (wins(re, onlyKontra ? 120 : 121)) return Winner::Re;
    if (wins(kontra, onlyKontra ? 121 : 120)) return Winner::Kontra;
    return Winner::None;
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : separator) + part;
    return out;
}

// The short texts of one party's items; repeated items once with their count.
std::string shortItems(const Items& items, Party party) {
    std::vector<std::string> parts;
    std::string last;
    int count = 0;
    const auto flush = [&] {
        if (count > 0)
            parts.push_back(last +
                            (count > 1 ? " " + std::string(TIMES) + std::to_string(count) : ""));
    };
    for (const ReckoningItem& item : items) {
        if (item.party != party) continue;
        if (item.shortText != last) {
            flush();
            last = item.shortText;
            count = 0;
        }
        ++count;
    }
    flush();
    return joined(parts, ", ");
}

bool bothScore(const Items& items) {
    return std::any_of(items.begin(), items.end(),
                       [&](const ReckoningItem& i) { return i.party != items.front().party; });
}

}  // namespace

const char* partyName(Party party) {
    return party == Party::Re ? "Re" : "Kontra";
}

GameValue computeGameValue(const GamePlay& play, const GameValueRules& rules) {
    const int rePoints = play.reCardPoints;
    const Side re{Party::Re, play.re, play.kontra, rePoints, DECK_POINTS - rePoints};
    const Side kontra{Party::Kontra, play.kontra, play.re, DECK_POINTS - rePoints, rePoints};
    GameValue value;
    value.error = problem(play, re, kontra);
    if (!value.error.empty()) return value;
    value.solo = play.solo;
    value.soloFactor = play.solo ? rules.soloFactor : 1;
    value.winner = findWinner(play, re, kontra);
    Items& items = value.items;
    if (value.winner == Winner::None) {
        // Both parties missed their own absagen: only the levels the other
        // party stayed within and the amounts reached against absagen count.
        addLosersLevels(items, Party::Re, kontra);
        addLosersLevels(items, Party::Kontra, re);
    } else {
        const bool reWon = value.winner == Winner::Re;
        const Side& winner = reWon ? re : kontra;
        add(items, winner.party, "gewonnen", "gewonnen");
        addLosersLevels(items, winner.party, reWon ? kontra : re);
        if (rules.below120Point && (reWon ? kontra : re).points < 120)
            add(items, winner.party, std::string("unter 120 gespielt") + HOUSE, "unter 120");
        addAnnouncements(items, winner.party, play, rules);
    }
    addReachedAgainst(items, re);
    addReachedAgainst(items, kontra);
    if (!play.solo) {
        if (value.winner == Winner::Kontra && rules.againstQueens)
            add(items, Party::Kontra, "gegen die Alten", "gegen die Alten");
        addExtras(items, re, rules);
        addExtras(items, kontra, rules);
    }
    for (const ReckoningItem& item : items)
        value.valueForRe += item.party == Party::Re ? item.points : -item.points;
    if (rules.announcementsDouble && value.winner != Winner::None) {
        for (const PartyPlay* party : {&play.re, &play.kontra})
            value.doubling *= hasAnnounced(*party) ? 2 : 1;
        value.valueForRe *= value.doubling;
    }
    value.padValue = value.soloFactor * value.valueForRe;
    return value;
}

std::vector<std::string> GameValue::reckoning() const {
    std::vector<std::string> lines;
    // Without a winner even one party's items say whose they are.
    const bool both = bothScore(items) || winner == Winner::None;
    for (const ReckoningItem& item : items)
        lines.push_back((both ? std::string(partyName(item.party)) + ": " : "") + item.text + " " +
                        std::to_string(item.points));
    if (doubling > 1)
        lines.push_back(std::string("angesagt: ") + TIMES + std::to_string(doubling) + HOUSE);
    std::string total = "Spielwert " + std::to_string(std::abs(valueForRe));
    if (both && valueForRe != 0)
        total += std::string(" f\xC3\xBCr ") + (valueForRe > 0 ? "Re" : "Kontra");
    lines.push_back(total);
    if (solo)
        lines.push_back("Solist: " + std::to_string(soloFactor) + " " + TIMES + " " +
                        std::to_string(valueForRe) + " = " + std::to_string(padValue));
    return lines;
}

std::string GameValue::shortReckoning() const {
    std::string text = itemsText();
    if (doubling > 1)
        text += std::string(text.empty() ? "" : ", ") + TIMES + std::to_string(doubling);
    return text;
}

std::string GameValue::itemsText() const {
    if (items.empty()) return "";
    const std::string re = shortItems(items, Party::Re);
    const std::string kontra = shortItems(items, Party::Kontra);
    if (winner != Winner::None && !bothScore(items)) return re.empty() ? kontra : re;
    if (kontra.empty()) return "Re: " + re;
    if (re.empty()) return "Kontra: " + kontra;
    return "Re: " + re + "; Kontra: " + kontra;
}

std::string GameValue::summary() const {
    const int gain = winner == Winner::Kontra ? -valueForRe : valueForRe;
    std::string head;
    if (winner != Winner::None) {
        head =
            std::string(partyName(winner == Winner::Re ? Party::Re : Party::Kontra)) + " gewinnt";
        if (gain > 0) head += " " + std::to_string(gain);
    } else {
        head = "Kein Gewinner";
    }
    if (winner == Winner::None || gain <= 0) {
        if (valueForRe == 0)
            head += ", Wert 0";
        else
            head += std::string(", ") + (valueForRe > 0 ? "Re" : "Kontra") + " bekommt " +
                    std::to_string(std::abs(valueForRe));
    }
    if (solo) head += " (Solist " + std::to_string(padValue) + ")";
    return head + ": " + shortReckoning();
}

}  // namespace kx
