#include "view/QuickEntry.h"

#include <algorithm>
#include <cstdlib>

#include "core/EntryPanel.h"
#include "core/GameValue.h"
#include "core/Program.h"
#include "view/Commands.h"
#include "view/UserActions.h"

namespace kx {

namespace {

constexpr const char* HINT =
    "\xE2\x80\x9E"
    "1 2 3\xE2\x80\x9C Paar \xC2\xB7 \xE2\x80\x9E"
    "2 -9\xE2\x80\x9C allein \xC2\xB7 \xE2\x80\x9Es 3 6 2\xE2\x80\x9C Solo \xC2\xB7 "
    "\xE2\x80\x9Ep 4\xE2\x80\x9C Strafpunkte \xC2\xB7 \xE2\x80\x9E"
    "1 2 re 160\xE2\x80\x9C Spielwert";
constexpr const char* NO_PAD =
    "Kein Block offen: im Men\xC3\xBC \xE2\x80\x9E"
    "Block\xE2\x80\x9C die Spielerzahl w\xC3\xA4hlen.";
constexpr const char* NOT_POSSIBLE = "So l\xC3\xA4sst sich nichts eintragen.";

std::string quoted(std::string_view s) {
    return "\xE2\x80\x9E" + std::string(s) + "\xE2\x80\x9C";
}

std::vector<std::string> splitParts(std::string_view text) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '/') {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

// Lower case for comparing names: ASCII and the Latin letters of Windows-1252
// (Ä, Ö, Ü, É …), which is all a stored name can hold.
std::string folded(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[i + 1] = static_cast<char>(next + 32);
            ++i;
        }
    }
    return out;
}

std::string nameOf(const PadState& pad, int k) {
    // As the name fields show it: a control character from a file is a blank.
    const std::string name = pad.shownName(k);
    return name.empty() ? "Spieler " + std::to_string(k) : name;
}

bool digitsOnly(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A whole number with an optional sign; nothing for any other text.
std::optional<int> wholeNumber(std::string_view s) {
    const std::string_view digits = !s.empty() && (s[0] == '-' || s[0] == '+') ? s.substr(1) : s;
    if (!digitsOnly(digits) || digits.size() > 4) return std::nullopt;
    const int value = std::atoi(std::string(digits).c_str());
    return s[0] == '-' ? -value : value;
}

std::string joinedNames(const PadState& pad, const std::vector<int>& players) {
    std::string out;
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (i > 0) out += i + 1 == players.size() ? " und " : ", ";
        out += nameOf(pad, players[i]);
    }
    return out;
}

struct Player {
    int number = 0;
    std::string error;
};

// A number 1..N, or the start of one player's name. A name that the text
// spells out whole wins over longer names that start with it.
Player resolvePlayer(const PadState& pad, const std::string& part) {
    const int n = pad.playerCount;
    if (digitsOnly(part)) {
        const int k = part.size() > 2 ? 0 : std::atoi(part.c_str());
        if (k >= 1 && k <= n) return {k, ""};
        return {0, "Spieler " + part + " gibt es nicht: am Tisch sitzen " + std::to_string(n) +
                       " Spieler."};
    }
    if (wholeNumber(part)) return {0, quoted(part) + " ist kein Spieler."};
    const std::string start = folded(part);
    std::vector<int> matches;
    for (int k = 1; k <= n; ++k) {
        const std::string name = folded(pad.playerNames[static_cast<std::size_t>(k)]);
        if (name == start) return {k, ""};
        if (name.starts_with(start)) matches.push_back(k);
    }
    if (matches.size() == 1) return {matches.front(), ""};
    if (matches.empty())
        return {0, "Kein Spieler hei\xC3\x9Ft " + quoted(part + "\xE2\x80\xA6") + "."};
    return {0, quoted(part) + " passt auf " + joinedNames(pad, matches) +
                   ": weiter tippen oder die Nummer nehmen."};
}

QuickParse fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

QuickParse tooMuch(const std::vector<std::string>& parts, std::size_t from) {
    std::string rest;
    for (std::size_t i = from; i < parts.size(); ++i)
        rest += (i > from ? " " : "") + parts[i];
    return fail("Zu viel eingegeben: " + quoted(rest) + ".");
}

QuickParse notAValue(const std::string& part) {
    return fail(quoted(part) + " ist keine Punktzahl.");
}

QuickParse parseGame(const PadState& pad, const std::vector<std::string>& parts) {
    const Player a = resolvePlayer(pad, parts[0]);
    if (a.number == 0) return fail(a.error);
    const std::string first = nameOf(pad, a.number);
    if (parts.size() == 1)
        return fail(first + ": es fehlen die Punkte (allein) oder Partner und Punkte.");
    if (parts.size() > 3) return tooMuch(parts, 3);
    if (parts.size() == 2) {
        const std::optional<int> value = wholeNumber(parts[1]);
        // "1 2" is on its way to "1 2 3" unless 2 can be a single player's value.
        const bool partnerNext = value && digitsOnly(parts[1]) && *value % 3 != 0 && *value >= 1 &&
                                 *value <= pad.playerCount && *value != a.number;
        if (!value || partnerNext) {
            const Player b = resolvePlayer(pad, parts[1]);
            if (b.number == 0) return fail(b.error);
            return fail(first + " / " + nameOf(pad, b.number) + ": es fehlen die Punkte.");
        }
        return {QuickEntry{QuickKind::Single, a.number, 0, *value, 0}, ""};
    }
    const Player b = resolvePlayer(pad, parts[1]);
    if (b.number == 0) return fail(b.error);
    if (b.number == a.number) return fail("Zweimal " + first + ": ein Paar sind zwei Spieler.");
    const std::optional<int> value = wholeNumber(parts[2]);
    if (!value) return notAValue(parts[2]);
    return {QuickEntry{QuickKind::Pair, std::min(a.number, b.number), std::max(a.number, b.number),
                       *value, 0},
            ""};
}

QuickParse parseSolo(const PadState& pad, const std::vector<std::string>& parts) {
    if (parts.size() == 1)
        return fail("Solo: Solist, Wert und bei 5 oder 6 Spielern der Geber (" +
                    quoted("s 3 -6 2") + ").");
    if (parts.size() > 4) return tooMuch(parts, 4);
    const Player soloist = resolvePlayer(pad, parts[1]);
    if (soloist.number == 0) return fail(soloist.error);
    if (parts.size() == 2)
        return fail("Solo von " + nameOf(pad, soloist.number) + ": es fehlt der Wert.");
    const std::optional<int> value = wholeNumber(parts[2]);
    if (!value) return notAValue(parts[2]);
    QuickEntry entry{QuickKind::Solo, soloist.number, 0, *value, 0};
    if (parts.size() == 4) {
        const Player dealer = resolvePlayer(pad, parts[3]);
        if (dealer.number == 0) return fail(dealer.error);
        entry.dealer = dealer.number;
    }
    return {entry, ""};
}

QuickParse parsePenalty(const PadState& pad, const std::vector<std::string>& parts) {
    if (parts.size() == 1) return fail("Strafpunkte: f\xC3\xBCr wen? z. B. " + quoted("p 4") + ".");
    if (parts.size() > 2) return tooMuch(parts, 2);
    const Player player = resolvePlayer(pad, parts[1]);
    if (player.number == 0) return fail(player.error);
    return {QuickEntry{QuickKind::Penalty, player.number, 0, -12, 0}, ""};
}

// The game value calculator's words ------------------------------------------

void announce(PartyPlay& p) {
    p.announced = true;
}
template <Absage A>
void raise(PartyPlay& p) {
    p.absage = std::max(p.absage, A);
}
void fox(PartyPlay& p) {
    ++p.foxesCaught;
}
void doppelkopf(PartyPlay& p) {
    ++p.doppelkopfs;
}
void karlchen(PartyPlay& p) {
    ++p.karlchen;
}
void karlchenCaught(PartyPlay& p) {
    ++p.karlchenCaught;
}
void dulleCaught(PartyPlay& p) {
    ++p.dullenCaught;
}
void foxLastTrick(PartyPlay& p) {
    ++p.foxLastTrick;
}

struct Word {
    const char* text;
    Party party;
    void (*apply)(PartyPlay&);
    // The extra point's switch in the house rules and its name; none for the rest.
    bool GameValueRules::*rule = nullptr;
    const char* ruleName = nullptr;
};
constexpr const char* FOX = "Fuchs gefangen";
constexpr const char* DOPPELKOPF = "Doppelkopf";
constexpr const char* KARLCHEN = "Karlchen";
constexpr const char* KARLCHEN_CAUGHT = "Karlchen gefangen";
constexpr const char* DULLE_CAUGHT = "Dulle gefangen";
constexpr const char* FOX_LAST_TRICK = "Fuchs im letzten Stich";
// clang-format off
constexpr Word WORDS[] = {
    {"re", Party::Re, announce},            {"kontra", Party::Kontra, announce},
    {"r90", Party::Re, raise<Absage::No90>}, {"k90", Party::Kontra, raise<Absage::No90>},
    {"r60", Party::Re, raise<Absage::No60>}, {"k60", Party::Kontra, raise<Absage::No60>},
    {"r30", Party::Re, raise<Absage::No30>}, {"k30", Party::Kontra, raise<Absage::No30>},
    {"rs", Party::Re, raise<Absage::Schwarz>}, {"ks", Party::Kontra, raise<Absage::Schwarz>},
    {"fuchs", Party::Re, fox, &GameValueRules::foxCaught, FOX},
    {"kfuchs", Party::Kontra, fox, &GameValueRules::foxCaught, FOX},
    {"dk", Party::Re, doppelkopf, &GameValueRules::doppelkopf, DOPPELKOPF},
    {"kdk", Party::Kontra, doppelkopf, &GameValueRules::doppelkopf, DOPPELKOPF},
    {"karlchen", Party::Re, karlchen, &GameValueRules::karlchen, KARLCHEN},
    {"kkarlchen", Party::Kontra, karlchen, &GameValueRules::karlchen, KARLCHEN},
    {"karlfang", Party::Re, karlchenCaught, &GameValueRules::karlchenCaught, KARLCHEN_CAUGHT},
    {"kkarlfang", Party::Kontra, karlchenCaught, &GameValueRules::karlchenCaught, KARLCHEN_CAUGHT},
    {"dulle", Party::Re, dulleCaught, &GameValueRules::dulleCaught, DULLE_CAUGHT},
    {"kdulle", Party::Kontra, dulleCaught, &GameValueRules::dulleCaught, DULLE_CAUGHT},
    {"fuchsletzt", Party::Re, foxLastTrick, &GameValueRules::foxLastTrick, FOX_LAST_TRICK},
    {"kfuchsletzt", Party::Kontra, foxLastTrick, &GameValueRules::foxLastTrick, FOX_LAST_TRICK},
};
// clang-format on
constexpr const char* NO_TRICK = "ohne";

const Word* wordOf(const std::string& folded) {
    for (const Word& word : WORDS) {
        if (folded == word.text) return &word;
    }
    return nullptr;
}

// Card points: up to three digits, with an "a" for "Augen" or without.
std::optional<int> cardPointsOf(const std::string& folded, bool plainToo) {
    const bool marked = folded.ends_with('a');
    const std::string digits = marked ? folded.substr(0, folded.size() - 1) : folded;
    if ((!marked && !plainToo) || !digitsOnly(digits) || digits.size() > 3) return std::nullopt;
    return std::atoi(digits.c_str());
}

// A word that makes a line the calculator's ("1 2 3" stays a pair's points).
bool isCalculatorWord(const std::string& part) {
    const std::string w = folded(part);
    return wordOf(w) || w == NO_TRICK || cardPointsOf(w, false);
}

bool anyCalculatorWord(const std::vector<std::string>& parts, std::size_t from) {
    return std::any_of(parts.begin() + static_cast<std::ptrdiff_t>(from), parts.end(),
                       isCalculatorWord);
}

// Today's forms win: "A B value" and "A value" keep their meaning.
bool isCalculatorGame(const PadState& pad, const std::vector<std::string>& parts) {
    if (parts.size() == 2 && wholeNumber(parts[1])) return false;
    if (parts.size() == 3 && wholeNumber(parts[2]) && resolvePlayer(pad, parts[1]).number != 0)
        return false;
    return anyCalculatorWord(parts, 1);
}

struct Calculation {
    GamePlay play;
    int dealer = 0;
    std::string error;
};

std::string readWord(const PadState& pad, const std::string& part, Calculation& c,
                     std::optional<int>& cardPoints, bool& noTrick, bool dealerAllowed) {
    const std::string w = folded(part);
    if (const Word* word = wordOf(w)) {
        if (word->rule && !(pad.houseRules.values.*word->rule))
            return quoted(part) + ": " + quoted(word->ruleName) +
                   " z\xC3\xA4hlt nach den Hausregeln dieses Blocks nicht.";
        word->apply(word->party == Party::Re ? c.play.re : c.play.kontra);
    } else if (const std::optional<int> points = cardPointsOf(w, true)) {
        if (cardPoints) return "Zweimal Augen: " + quoted(part) + ".";
        cardPoints = points;
    } else if (w == NO_TRICK) {
        noTrick = true;
    } else if (dealerAllowed && w.size() > 1 && w[0] == 'g') {
        const Player dealer = resolvePlayer(pad, part.substr(1));
        if (dealer.number == 0) return dealer.error;
        c.dealer = dealer.number;
    } else {
        return quoted(part) +
               " ist weder Ansage noch Augen noch Sonderpunkt (re, kontra, r90 \xE2\x80\xA6 ks, "
               "160, ohne, fuchs, dk, karlchen, kfuchs \xE2\x80\xA6).";
    }
    return "";
}

// The words from `from` on: announcements, card points, "ohne", extra points.
Calculation readWords(const PadState& pad, const std::vector<std::string>& parts, std::size_t from,
                      bool dealerAllowed) {
    Calculation c;
    std::optional<int> cardPoints;
    bool noTrick = false;
    for (std::size_t i = from; i < parts.size() && c.error.empty(); ++i)
        c.error = readWord(pad, parts[i], c, cardPoints, noTrick, dealerAllowed);
    if (!c.error.empty()) return c;
    if (!cardPoints) {
        c.error = "Es fehlen die Augen von Re, z. B. " + quoted("1 2 re 160") + ".";
        return c;
    }
    c.play.reCardPoints = *cardPoints;
    if (noTrick && *cardPoints != 0 && *cardPoints != 240)
        c.error = quoted(NO_TRICK) + ": ohne Stich bleibt nur eine Partei ohne Augen (0 oder 240).";
    c.play.re.tookNoTrick = noTrick && *cardPoints == 0;
    c.play.kontra.tookNoTrick = noTrick && *cardPoints == 240;
    return c;
}

// The items for the preview. Where the shown player is Re but Kontra won,
// the items say that they are Kontra's.
std::string previewItems(const GameValue& value, bool reShown) {
    std::string items = value.shortReckoning();
    const bool labelled = items.starts_with("Re: ") || items.starts_with("Kontra: ");
    if (reShown && !labelled && value.winner == Winner::Kontra) items = "Kontra: " + items;
    return (value.winner == Winner::None ? "kein Gewinner; " : "") + items;
}

std::string sitsOut(const PadState& pad, int k);

// Re's pair, or the other two taking part when Kontra gains.
QuickParse pairEntry(const PadState& pad, int a, int b, const GameValue& value) {
    const auto playing = [&pad](int k) {
        return takesPart(pad.playerCount, k, pad.dealer, pad.secondSitOut);
    };
    for (const int k : {a, b}) {
        if (!playing(k)) return fail(sitsOut(pad, k) + ".");
    }
    const std::string items = previewItems(value, false);
    const int gain = std::abs(value.valueForRe);
    std::vector<int> winners{std::min(a, b), std::max(a, b)};
    if (value.valueForRe < 0 || (value.valueForRe == 0 && value.winner == Winner::Kontra)) {
        winners.clear();
        for (int k = 1; k <= pad.playerCount; ++k) {
            if (k != a && k != b && playing(k)) winners.push_back(k);
        }
    }
    if (winners.size() != 2) return fail(NOT_POSSIBLE);
    return {QuickEntry{QuickKind::Pair, winners[0], winners[1], gain, 0, items}, ""};
}

// A single player's game or a mandatory solo: the soloist's threefold value.
QuickParse aloneEntry(QuickKind kind, int player, int dealer, const GameValue& value) {
    const std::string items = previewItems(value, true);
    return {QuickEntry{kind, player, 0, value.padValue, dealer, items}, ""};
}

// "A [B] words…" and "s A words…": the game the words describe, entered with its value.
QuickParse parseCalculator(const PadState& pad, const std::vector<std::string>& parts,
                           bool mandatorySolo) {
    const std::size_t first = mandatorySolo ? 1 : 0;
    const Player a = resolvePlayer(pad, parts[first]);
    if (a.number == 0) return fail(a.error);
    std::size_t from = first + 1;
    int b = 0;
    // A second player, or the words of a single player's game ("2 re 130").
    const Player partner =
        mandatorySolo || isCalculatorWord(parts[1]) ? Player{} : resolvePlayer(pad, parts[1]);
    if (partner.number != 0) {
        if (partner.number == a.number)
            return fail("Zweimal " + nameOf(pad, a.number) + ": ein Paar sind zwei Spieler.");
        b = partner.number;
        ++from;
    }
    Calculation c = readWords(pad, parts, from, mandatorySolo);
    if (!c.error.empty()) return fail(c.error);
    c.play.solo = b == 0;
    const GameValue value = computeGameValue(c.play, pad.houseRules.values);
    if (!value.error.empty()) return fail(value.error);
    QuickParse entry = b != 0 ? pairEntry(pad, a.number, b, value)
                              : aloneEntry(mandatorySolo ? QuickKind::Solo : QuickKind::Single,
                                           a.number, c.dealer, value);
    if (entry.entry) entry.entry->reckoned = Reckoning{a.number, b != 0 ? b : a.number, c.play};
    return entry;
}

int wer1Choice(const WindowModel& ui, const std::string& caption) {
    for (const Control& c : ui.WER1) {
        if (c.text == caption) return c.index;
    }
    return 0;
}

bool perform(Program& p, const PanelAction& a) {
    if (a.control == "OK") return pressOK(p);
    if (a.control == BEYOND_LISTS) return chooseValueBeyondList(p, textValue(a.item));
    if (a.control == "MDS" || a.control.starts_with("WER"))
        return clickOption(p, a.control, a.choice);
    return pickItemText(p, a.control, a.item);
}

struct Outcome {
    bool entered = false;
    std::optional<PanelAction> refused;  // the action the panel did not take
};

// Every entry starts from an empty panel, as a switch of the mode does.
Outcome run(Program& p, const QuickEntry& entry) {
    clearEntry(p);
    const GameTable before = p.pad.gameTable;
    for (const PanelAction& action : panelActions(p.ui, entry)) {
        // The calculator's inputs go with the entry that "OK" makes.
        if (action.control == "OK" && entry.reckoned) setPendingReckoning(p, *entry.reckoned);
        if (!perform(p, action)) return {false, action};
    }
    return {p.pad.gameTable != before, std::nullopt};
}

std::string signedResult(int value) {
    return value >= 0 ? "gewinnt " + std::to_string(value) : "verliert " + std::to_string(-value);
}

std::string describeEntry(const PadState& pad, const QuickEntry& e) {
    const std::string player = nameOf(pad, e.player);
    switch (e.kind) {
        case QuickKind::Pair:
            return "Spiel " + std::to_string(pad.nextGameRow) + ": " + player + " / " +
                   nameOf(pad, e.partner) + " gewinnen " + std::to_string(e.value);
        case QuickKind::Single:
            return "Spiel " + std::to_string(pad.nextGameRow) + ": " + player + " allein " +
                   signedResult(e.value);
        case QuickKind::Solo:
            return "Solo " + std::to_string(pad.nextSoloRow - pad.lastGameRow) + ": " + player +
                   " " + signedResult(e.value) +
                   (e.dealer ? ", Geber " + nameOf(pad, e.dealer) : "");
        case QuickKind::Penalty:
            break;
    }
    return "Strafpunkte: " + player + " bekommt -12";
}

std::string describe(const PadState& pad, const QuickEntry& e) {
    const std::string text = describeEntry(pad, e);
    return e.reckoning.empty() ? text : text + " (" + e.reckoning + ")";
}

std::string soloValueProblem(int value) {
    if (value == 0) return "Kein Solo-Ergebnis: der Wert darf nicht 0 sein.";
    if (value % 3 != 0) return "Kein Solo-Ergebnis: der Wert muss durch 3 teilbar sein.";
    return "Kein Solo-Ergebnis: der Wert liegt zwischen -999 und 999.";
}

std::string sectionFull(int mode) {
    if (mode == 1) return "Alle Spiele sind eingetragen.";
    if (mode == 2) return "Alle Pflichtsoli sind eingetragen.";
    return "Alle drei Strafpunkte sind eingetragen.";
}

std::string sitsOut(const PadState& pad, int k) {
    return nameOf(pad, k) + " setzt in diesem Spiel aus";
}

// OK was pressed and the panel entered nothing.
std::string okRefused(const Program& p, const QuickEntry& e) {
    const PadState& pad = p.pad;
    if (e.kind == QuickKind::Solo) {
        if (e.dealer == 0 && p.ui.WIE2.visible)
            return "Bei " + std::to_string(pad.playerCount) +
                   " Spielern geh\xC3\xB6rt zum Solo der Geber, z. B. " +
                   quoted("s " + std::to_string(e.player) + " " + std::to_string(e.value) + " 2") +
                   ".";
        return sitsOut(pad, e.player) + " (Geber: " + nameOf(pad, e.dealer) + ").";
    }
    if (e.kind == QuickKind::Penalty) {
        if (e.player == pad.secondSitOut) return sitsOut(pad, e.player) + ".";
        return sectionFull(3);
    }
    return NOT_POSSIBLE;
}

// Why the panel refused an action, read from its state at that moment.
std::string refusal(const Program& p, const QuickEntry& e, const PanelAction& a) {
    const WindowModel& ui = p.ui;
    if (!ui.frm0.enabled)
        return "Gerade nicht m\xC3\xB6glich: erst das andere Fenster schlie\xC3\x9F"
               "en.";
    if (a.control == "MDS") return sectionFull(a.choice);
    if (a.control == "WER1" && a.choice >= 1) {
        if (!ui.WER1(a.choice).visible && e.kind == QuickKind::Single)
            return nameOf(p.pad, e.player) + " spielt allein erst nach dem Pflichtsolo (" +
                   quoted("s " + std::to_string(e.player) + " \xE2\x80\xA6") + ").";
        for (const int k : {e.player, e.partner}) {
            if (k >= 1 && !ui.WER1(15 + k).enabled) return sitsOut(p.pad, k) + ".";
        }
    }
    if (e.kind == QuickKind::Pair && (a.control == "WAS1" || a.control == BEYOND_LISTS))
        return "Ein Paar bekommt 0 bis 999 Punkte.";
    if (a.control == "WAS1s" || a.control == "WAS2" || a.control == BEYOND_LISTS)
        return soloValueProblem(e.value);
    if (a.control == "WER2")
        return nameOf(p.pad, e.player) + " hat das Pflichtsolo schon gespielt.";
    if (a.control == "WIE2") return "Bei 4 Spielern hat das Solo keinen Geber.";
    return NOT_POSSIBLE;
}

// A copy of the program to try an entry on: no services, no autosave, no history.
Program scratchCopy(const Program& p) {
    Program scratch;
    scratch.pad = p.pad;
    scratch.pad.autosaveEnabled = false;
    scratch.ui = p.ui;
    scratch.shell = p.shell;
    return scratch;
}

}  // namespace

QuickParse parseQuickEntry(const PadState& pad, std::string_view text) {
    const std::vector<std::string> parts = splitParts(text);
    if (parts.empty()) return fail(HINT);
    const std::string keyword = folded(parts[0]);
    if (keyword == "s")
        return parts.size() > 2 && anyCalculatorWord(parts, 2) ? parseCalculator(pad, parts, true)
                                                               : parseSolo(pad, parts);
    if (keyword == "p" || keyword == "x") return parsePenalty(pad, parts);
    if (parts.size() > 1 && isCalculatorGame(pad, parts)) return parseCalculator(pad, parts, false);
    return parseGame(pad, parts);
}

std::vector<PanelAction> panelActions(const WindowModel& ui, const QuickEntry& e) {
    const std::string value = std::to_string(e.value);
    // A value the lists cannot hold is chosen beyond them.
    const bool beyond = e.kind == QuickKind::Pair ? e.value > LARGEST_LISTED_PAIR_VALUE
                                                  : std::abs(e.value) > LARGEST_LISTED_SINGLE_VALUE;
    const auto list = [&](const char* name) { return beyond ? BEYOND_LISTS : name; };
    switch (e.kind) {
        case QuickKind::Pair: {
            const int choice =
                wer1Choice(ui, std::to_string(e.player) + " / " + std::to_string(e.partner));
            return {{"MDS", 1, ""}, {"WER1", choice, ""}, {list("WAS1"), 0, value}, {"OK", 0, ""}};
        }
        case QuickKind::Single:
            return {{"MDS", 1, ""},
                    {"WER1", wer1Choice(ui, std::to_string(e.player)), ""},
                    {list("WAS1s"), 0, value},
                    {"OK", 0, ""}};
        case QuickKind::Solo: {
            std::vector<PanelAction> actions{
                {"MDS", 2, ""}, {"WER2", e.player, ""}, {list("WAS2"), 0, value}};
            if (e.dealer != 0) actions.push_back({"WIE2", 0, std::to_string(e.dealer)});
            actions.push_back({"OK", 0, ""});
            return actions;
        }
        case QuickKind::Penalty:
            break;
    }
    return {{"MDS", 3, ""}, {"WER3", e.player, ""}, {"OK", 0, ""}};
}

QuickPreview previewQuickEntry(const Program& p, std::string_view text) {
    if (p.pad.lastGameRow == 0) return {false, NO_PAD};
    const QuickParse parsed = parseQuickEntry(p.pad, text);
    if (!parsed.entry) return {false, parsed.error};
    Program scratch = scratchCopy(p);
    const Outcome outcome = run(scratch, *parsed.entry);
    if (outcome.entered) return {true, describe(p.pad, *parsed.entry)};
    if (outcome.refused) return {false, refusal(scratch, *parsed.entry, *outcome.refused)};
    return {false, okRefused(scratch, *parsed.entry)};
}

bool enterQuickEntry(Program& p, std::string_view text) {
    if (!previewQuickEntry(p, text).admissible) return false;
    return run(p, *parseQuickEntry(p.pad, text).entry).entered;
}

bool opensQuickEntry(std::string_view typed, int shift) {
    if ((shift & (CTRL_BIT | ALT_BIT)) != 0 || typed.empty()) return false;
    const auto c = static_cast<unsigned char>(typed[0]);
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
    // Umlauts and the other Latin letters of Windows-1252 (not × and ÷).
    if (c != 0xC3 || typed.size() < 2) return false;
    const auto next = static_cast<unsigned char>(typed[1]);
    return next >= 0x80 && next <= 0xBF && next != 0x97 && next != 0xB7;
}

void openQuickEntry(Program& p, std::string text) {
    QuickEntryField& field = p.ui.quickEntry;
    if (field.open)
        field.text += text;
    else
        field.text = std::move(text);
    field.open = true;
}

void quickEntryEdited(Program& p, std::string text) {
    p.ui.quickEntry.text = std::move(text);
}

bool quickEntryEnter(Program& p) {
    QuickEntryField& field = p.ui.quickEntry;
    if (!field.open || !enterQuickEntry(p, field.text)) return false;
    field.text.clear();
    return true;
}

void closeQuickEntry(Program& p) {
    p.ui.quickEntry.open = false;
    p.ui.quickEntry.text.clear();
}

}  // namespace kx
