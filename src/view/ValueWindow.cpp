#include "view/ValueWindow.h"

#include <algorithm>
#include <cstdlib>

#include "core/EntryPanel.h"
#include "core/Program.h"
#include "core/Reckoning.h"
#include "view/UserActions.h"

namespace kx {

namespace {

constexpr int DECK_POINTS = 240;
constexpr int OPENING_RE_POINTS = 121;
constexpr const char* NO_PAD =
    "Kein Block offen: im Men\xC3\xBC \xE2\x80\x9E"
    "Block\xE2\x80\x9C die Spielerzahl w\xC3\xA4hlen.";
constexpr const char* NOT_POSSIBLE = "So l\xC3\xA4sst sich nichts eintragen.";

std::string nameOf(const PadState& pad, int k) {
    const std::string name = pad.shownName(k);
    return name.empty() ? "Spieler " + std::to_string(k) : name;
}

std::array<int, 4> padMark(const PadState& pad) {
    return {pad.playerCount, pad.nextGameRow, pad.nextSoloRow, pad.dealer};
}

bool soloKind(ValueKind kind) {
    return kind != ValueKind::Game;
}

bool contains(const std::vector<int>& players, int k) {
    return std::find(players.begin(), players.end(), k) != players.end();
}

bool takesPartNext(const PadState& pad, int k) {
    return takesPart(pad.playerCount, k, pad.dealer, pad.secondSitOut);
}

void setKind(const Program& p, ValueInputs& in, ValueKind kind) {
    if (kind == in.kind) return;
    in.kind = kind;
    in.dealer = 0;
    in.play.solo = soloKind(kind);
    std::erase_if(in.re, [&](int k) { return !mayPlayRe(p, in, k); });
    if (in.play.solo && in.re.size() > 1) in.re.clear();
    // A solo has no extra points.
    if (in.play.solo) {
        for (PartyPlay* party : {&in.play.re, &in.play.kontra})
            party->doppelkopfs = party->foxesCaught = party->karlchen = party->karlchenCaught =
                party->dullenCaught = party->foxLastTrick = 0;
    }
}

// Ticking a third player for Re unticks the first; a soloist replaces another.
void tickRe(ValueInputs& in, int k, bool on) {
    std::erase(in.re, k);
    if (!on) return;
    if (in.play.solo)
        in.re.clear();
    else if (in.re.size() == 2)
        in.re.erase(in.re.begin());
    in.re.push_back(k);
}

void setNoTrick(ValueInputs& in, bool kontra, bool on) {
    (kontra ? in.play.kontra : in.play.re).tookNoTrick = on;
    // Without a trick a party has no card points: the other has them all.
    if (on) in.play.reCardPoints = kontra ? DECK_POINTS : 0;
}

// Why the players or the dealer cannot be taken over; empty when they can.
std::string playersProblem(const Program& p, const ValueInputs& in) {
    const PadState& pad = p.pad;
    const std::size_t wanted = in.play.solo ? 1 : 2;
    if (in.re.size() != wanted)
        return in.play.solo ? "Den Solisten ankreuzen." : "F\xC3\xBCr Re zwei Spieler ankreuzen.";
    for (const int k : in.re) {
        if (mayPlayRe(p, in, k)) continue;
        if (in.kind == ValueKind::MandatorySolo)
            return nameOf(pad, k) + " hat das Pflichtsolo schon gespielt.";
        if (!takesPartNext(pad, k)) return nameOf(pad, k) + " setzt in diesem Spiel aus.";
        return nameOf(pad, k) + " spielt allein erst nach dem Pflichtsolo.";
    }
    if (in.kind != ValueKind::MandatorySolo || pad.playerCount < 5) return "";
    if (in.dealer == 0)
        return "Bei " + std::to_string(pad.playerCount) +
               " Spielern geh\xC3\xB6rt zum Pflichtsolo der Geber.";
    const int soloist = in.re.front();
    if (!takesPart(pad.playerCount, soloist, in.dealer, previousSeat(in.dealer)))
        return nameOf(pad, soloist) + " setzt aus, wenn " + nameOf(pad, in.dealer) + " gibt.";
    return "";
}

std::string kindProblem(const Program& p, ValueKind kind) {
    if (!p.pad.padOpen()) return NO_PAD;
    if (valueKindOffered(p, kind)) return "";
    if (kind == ValueKind::MandatorySolo) return "Alle Pflichtsoli sind eingetragen.";
    if (kind == ValueKind::Single && p.ui.MDS(1).enabled)
        return "Allein spielt erst, wer sein Pflichtsolo hinter sich hat.";
    return "Alle Spiele sind eingetragen.";
}

int wer1Choice(const WindowModel& ui, const std::string& caption) {
    for (const Control& c : ui.WER1) {
        if (c.text == caption) return c.index;
    }
    return 0;
}

// The list item, or the value beyond the list.
PanelAction valueAction(const char* list, int value, int largestListed) {
    return {std::abs(value) <= largestListed ? list : BEYOND_LISTS, 0, std::to_string(value)};
}

std::string signedResult(int value) {
    return value >= 0 ? "gewinnt " + std::to_string(value) : "verliert " + std::to_string(-value);
}

struct Plan {
    std::vector<PanelAction> actions;
    std::string entry;  // what the panel will hold, or why nothing
};

Plan pairPlan(const Program& p, const ValueInputs& in, const GameValue& value) {
    const PadState& pad = p.pad;
    std::vector<int> winners = value.valueForRe >= 0 ? in.re : kontraPlayers(p, in);
    if (winners.size() != 2) return {{}, NOT_POSSIBLE};
    std::sort(winners.begin(), winners.end());
    const int gain = std::abs(value.valueForRe);
    const int choice =
        wer1Choice(p.ui, std::to_string(winners[0]) + " / " + std::to_string(winners[1]));
    return {{{"MDS", 1, ""},
             {"WER1", choice, ""},
             valueAction("WAS1", gain, LARGEST_LISTED_PAIR_VALUE)},
            "Spiel " + std::to_string(pad.nextGameRow) + ": " + nameOf(pad, winners[0]) + " / " +
                nameOf(pad, winners[1]) + " gewinnen " + std::to_string(gain)};
}

Plan alonePlan(const Program& p, const ValueInputs& in, const GameValue& value) {
    const PadState& pad = p.pad;
    const int soloist = in.re.front();
    const int v = value.padValue;
    if (v == 0) return {{}, "Spielwert 0: allein tr\xC3\xA4gt der Block keine 0 ein."};
    const std::string result = nameOf(pad, soloist) + " " + signedResult(v);
    if (in.kind == ValueKind::Single)
        return {{{"MDS", 1, ""},
                 {"WER1", wer1Choice(p.ui, std::to_string(soloist)), ""},
                 valueAction("WAS1s", v, LARGEST_LISTED_SINGLE_VALUE)},
                "Spiel " + std::to_string(pad.nextGameRow) + ": " + nameOf(pad, soloist) +
                    " allein " + signedResult(v)};
    Plan plan{{{"MDS", 2, ""},
               {"WER2", soloist, ""},
               valueAction("WAS2", v, LARGEST_LISTED_SINGLE_VALUE)},
              "Solo " + std::to_string(pad.nextSoloRow - pad.lastGameRow) + ": " + result};
    if (pad.playerCount >= 5) {
        plan.actions.push_back({"WIE2", 0, std::to_string(in.dealer)});
        plan.entry += ", Geber " + nameOf(pad, in.dealer);
    }
    return plan;
}

bool perform(Program& p, const PanelAction& a) {
    if (a.control == "OK") return pressOK(p);
    if (a.control == BEYOND_LISTS) return chooseValueBeyondList(p, textValue(a.item));
    if (a.control == "MDS" || a.control.starts_with("WER"))
        return clickOption(p, a.control, a.choice);
    return pickItemText(p, a.control, a.item);
}

// A copy of the program to try the choices on: no services, no autosave, no history.
Program scratchCopy(const Program& p) {
    Program scratch;
    scratch.pad = p.pad;
    scratch.pad.autosaveEnabled = false;
    scratch.ui = p.ui;
    scratch.shell = p.shell;
    return scratch;
}

// The game as the pad's rules see it: extra points they do not count are
// left out, so that inputs made before a rule was switched off neither count
// nor stand in the way.
GamePlay playUnder(const GameValueRules& rules, const ValueInputs& in) {
    GamePlay play = in.play;
    play.solo = soloKind(in.kind);
    for (PartyPlay* party : {&play.re, &play.kontra}) {
        if (!rules.doppelkopf) party->doppelkopfs = 0;
        if (!rules.foxCaught) party->foxesCaught = 0;
        if (!rules.karlchen) party->karlchen = 0;
        if (!rules.karlchenCaught) party->karlchenCaught = 0;
        if (!rules.dulleCaught) party->dullenCaught = 0;
        if (!rules.foxLastTrick) party->foxLastTrick = 0;
    }
    return play;
}

// The inputs as the row keeps them: the Re players, or the soloist twice.
Reckoning reckoningOf(const Program& p, const ValueInputs& in) {
    const GamePlay play = playUnder(p.pad.houseRules.values, in);
    const int first = in.re.empty() ? 0 : in.re.front();
    return {first, in.re.size() > 1 ? in.re[1] : first, play};
}

// The panel's choices, then the inputs for the entry "OK" makes; false when
// the panel refused a choice.
bool choose(Program& p, const ValueInputs& in, const std::vector<PanelAction>& actions) {
    // Every entry starts from an empty panel, as a switch of the mode does.
    clearEntry(p);
    for (const PanelAction& a : actions) {
        if (!perform(p, a)) return false;
    }
    setPendingReckoning(p, reckoningOf(p, in));
    return true;
}

// Makes the choices on a copy and presses "OK" there: empty when the panel
// takes them and enters the game, else why not.
std::string tryOnCopy(const Program& p, const ValueInputs& in,
                      const std::vector<PanelAction>& actions) {
    if (!p.ui.frm0.enabled)
        return "Gerade nicht m\xC3\xB6glich: erst das andere Fenster schlie\xC3\x9F"
               "en.";
    Program scratch = scratchCopy(p);
    if (!choose(scratch, in, actions)) return NOT_POSSIBLE;
    const GameTable before = scratch.pad.gameTable;
    pressOK(scratch);
    return scratch.pad.gameTable != before ? "" : NOT_POSSIBLE;
}

}  // namespace

bool valueKindOffered(const Program& p, ValueKind kind) {
    if (!p.pad.padOpen()) return true;
    const WindowModel& ui = p.ui;
    switch (kind) {
        case ValueKind::Game:
            return ui.MDS(1).enabled;
        case ValueKind::Single:
            for (int k = 1; k <= p.pad.playerCount; ++k) {
                if (ui.MDS(1).enabled && ui.WER1(15 + k).visible) return true;
            }
            return false;
        case ValueKind::MandatorySolo:
            return ui.MDS(2).enabled;
    }
    return false;
}

bool mayPlayRe(const Program& p, const ValueInputs& in, int k) {
    const PadState& pad = p.pad;
    if (k < 1 || k > pad.playerCount) return false;
    if (!pad.padOpen()) return true;
    switch (in.kind) {
        case ValueKind::Game:
            return takesPartNext(pad, k);
        case ValueKind::Single:
            return takesPartNext(pad, k) && p.ui.WER1(15 + k).visible;
        case ValueKind::MandatorySolo:
            return p.ui.WER2(k).visible;
    }
    return false;
}

std::vector<int> kontraPlayers(const Program& p, const ValueInputs& in) {
    const PadState& pad = p.pad;
    const int n = pad.playerCount;
    std::vector<int> kontra;
    const bool solo = in.kind == ValueKind::MandatorySolo;
    if (solo && n >= 5 && in.dealer == 0) return kontra;
    for (int k = 1; k <= n; ++k) {
        if (contains(in.re, k)) continue;
        const bool plays = solo ? takesPart(n, k, in.dealer, previousSeat(in.dealer))
                                : !pad.padOpen() || takesPartNext(pad, k);
        if (plays) kontra.push_back(k);
    }
    return kontra;
}

ValueInputs valueWindowOpened(const Program& p) {
    ValueInputs in;
    const bool soloMode = p.pad.entryMode == 2;
    if ((soloMode || !valueKindOffered(p, ValueKind::Game)) &&
        valueKindOffered(p, ValueKind::MandatorySolo))
        in.kind = ValueKind::MandatorySolo;
    in.play.solo = soloKind(in.kind);
    in.play.reCardPoints = OPENING_RE_POINTS;
    in.padMark = padMark(p.pad);
    return in;
}

bool valueWindowFollowPad(const Program& p, ValueInputs& in) {
    if (in.padMark != padMark(p.pad)) {
        in = valueWindowOpened(p);
        return true;
    }
    if (!valueKindOffered(p, in.kind)) {
        for (const ValueKind kind :
             {ValueKind::Game, ValueKind::MandatorySolo, ValueKind::Single}) {
            if (valueKindOffered(p, kind)) {
                setKind(p, in, kind);
                break;
            }
        }
    }
    return false;
}

void valueWindowInput(const Program& p, ValueInputs& in, const std::string& name, int value) {
    const ValueWindowView view = valueWindowView(p, in);
    const ValueField* field = view.field(name);
    if (!field || !field->visible || !field->enabled) return;
    const bool kontra = name.ends_with("_kontra");
    PartyPlay& party = kontra ? in.play.kontra : in.play.re;
    const int number = std::clamp(value, field->minimum, field->maximum);
    const int index = std::atoi(name.substr(name.find('_') + 1).c_str());
    if (name.starts_with("spiel_")) {
        if (value != 0) setKind(p, in, static_cast<ValueKind>(index));
    } else if (name.starts_with("re_")) {
        tickRe(in, index, value != 0);
    } else if (name == "geber") {
        in.dealer = value >= 0 && value < static_cast<int>(field->items.size()) ? value + 1 : 0;
    } else if (name.starts_with("augen_")) {
        in.play.reCardPoints = kontra ? DECK_POINTS - number : number;
    } else if (name.starts_with("ansage_")) {
        party.announced = value != 0;
    } else if (name.starts_with("absage_")) {
        party.absage = static_cast<Absage>(std::clamp(value, 0, static_cast<int>(Absage::Schwarz)));
    } else if (name.starts_with("ohne_stich_")) {
        setNoTrick(in, kontra, value != 0);
    } else if (name.starts_with("doppelkopf_")) {
        party.doppelkopfs = number;
    } else if (name.starts_with("fuchs_")) {
        party.foxesCaught = number;
    } else if (name.starts_with("karlchen_")) {
        party.karlchen = value != 0 ? 1 : 0;
    } else if (name.starts_with("karlfang_")) {
        party.karlchenCaught = value != 0 ? 1 : 0;
    } else if (name.starts_with("dulle_")) {
        party.dullenCaught = value != 0 ? 1 : 0;
    } else if (name.starts_with("fuchsletzt_")) {
        party.foxLastTrick = value != 0 ? 1 : 0;
    }
}

ValueTakeOver valueTakeOver(const Program& p, const ValueInputs& in) {
    ValueTakeOver out;
    const GamePlay play = playUnder(p.pad.houseRules.values, in);
    out.value = computeGameValue(play, p.pad.houseRules.values);
    if (!out.value.error.empty()) {
        out.entry = out.value.error;
        return out;
    }
    out.entry = kindProblem(p, in.kind);
    if (out.entry.empty()) out.entry = playersProblem(p, in);
    if (!out.entry.empty()) return out;
    Plan plan = play.solo ? alonePlan(p, in, out.value) : pairPlan(p, in, out.value);
    if (plan.actions.empty()) {
        out.entry = plan.entry;
        return out;
    }
    const std::string refused = tryOnCopy(p, in, plan.actions);
    if (!refused.empty()) {
        out.entry = refused;
        return out;
    }
    out.actions = std::move(plan.actions);
    out.entry =
        "\xC3\x9C"
        "bernehmen w\xC3\xA4hlt " +
        plan.entry + ".";
    return out;
}

bool takeOverValue(Program& p, const ValueInputs& in) {
    const ValueTakeOver takeOver = valueTakeOver(p, in);
    return !takeOver.actions.empty() && choose(p, in, takeOver.actions);
}

Rect valueWindowPlace(const Rect& main, int width, int height, const ScreenMetrics& m) {
    const bool known = m.workWidth > 0 && m.workHeight > 0;
    const int workLeft = known ? m.workLeft : 0;
    const int workRight = known ? m.workLeft + m.workWidth : m.screenWidth;
    const int workTop = known ? m.workTop : 0;
    const int workBottom = known ? m.workTop + m.workHeight : main.top + height;
    const int roomRight = workRight - (main.left + main.width);
    const int roomLeft = main.left - workLeft;
    int left = 0;
    if (roomRight >= width)
        left = main.left + main.width;
    else if (roomLeft >= width)
        left = main.left - width;
    else
        left = workRight - width;  // over the pad's last columns, never over the panel
    const int top = std::max(workTop, std::min(main.top, workBottom - height));
    return {std::max(workLeft, left), top, width, height};
}

void valueWindowCommand(Program& p) {
    if (p.services.valueWindow) {
        p.services.valueWindow->showValueWindow(p);
        return;
    }
    if (p.services.dialogs)
        p.services.dialogs->messageBox(
            "Das bietet diese Oberfl\xC3\xA4"
            "che nicht an.",
            "Kartotrix", MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace kx
