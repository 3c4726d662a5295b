// The fields of the window "Spielwert": where each stands, what it shows and
// whether it can be used, computed from the inputs and the pad.
#include <algorithm>

#include "core/Program.h"
#include "view/ValueWindow.h"

namespace kx {

namespace {

constexpr int MARGIN = 10;
constexpr int FIELD_LEFT = 100;  // right of the row captions
constexpr int PLAYER_STEP = 102;
constexpr int RE_LEFT = 150;  // the columns of the two parties
constexpr int KONTRA_LEFT = 284;
constexpr int COLUMN_WIDTH = 120;
constexpr int WIDTH = KONTRA_LEFT + COLUMN_WIDTH + MARGIN;
constexpr int LINE = 22;  // a check box or a caption
constexpr int BOX = 24;   // a number field or a list
constexpr int RECKONING_HEIGHT = 150;
constexpr int ENTRY_HEIGHT = 36;

std::string nameOf(const PadState& pad, int k) {
    const std::string name = pad.shownName(k);
    return name.empty() ? "Spieler " + std::to_string(k) : name;
}

std::string joinedNames(const PadState& pad, const std::vector<int>& players) {
    if (players.empty()) return "\xE2\x80\x93";
    std::string out;
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (i > 0) out += i + 1 == players.size() ? " und " : ", ";
        out += nameOf(pad, players[i]);
    }
    return out;
}

std::string reckoningText(const GameValue& value) {
    if (!value.error.empty()) return value.error;
    std::string text;
    for (const std::string& line : value.reckoning())
        text += line + "\n";
    const char* winner = value.winner == Winner::Re       ? "Re"
                         : value.winner == Winner::Kontra ? "Kontra"
                                                          : "keiner";
    return text + "Gewinner: " + winner;
}

class Builder {
  public:
    explicit Builder(ValueWindowView& view) : view_(view) {}
    ValueField& add(std::string name, FieldKind kind, std::string text, Rect rect) {
        ValueField& f = view_.fields.emplace_back();
        f.name = std::move(name);
        f.kind = kind;
        f.text = std::move(text);
        f.rect = rect;
        return f;
    }
    ValueField& caption(const std::string& name, std::string text, int top) {
        return add("lb_" + name, FieldKind::Label, std::move(text),
                   {MARGIN, top + 2, RE_LEFT - MARGIN - 4, LINE - 2});
    }
    // One field per party, in the columns of Re and Kontra.
    void pair(const std::string& name, FieldKind kind, const std::string& reText,
              const std::string& kontraText, int top, int width, int reValue, int kontraValue) {
        const int height = kind == FieldKind::Check ? LINE : BOX;
        add(name + "_re", kind, reText, {RE_LEFT, top, width, height}).value = reValue;
        add(name + "_kontra", kind, kontraText, {KONTRA_LEFT, top, width, height}).value =
            kontraValue;
    }
    void lastPair(int minimum, int maximum, bool enabled) {
        for (auto it = view_.fields.end() - 2; it != view_.fields.end(); ++it) {
            it->minimum = minimum;
            it->maximum = maximum;
            it->enabled = enabled;
        }
    }
    void lastPairEnabled(bool re, bool kontra) {
        view_.fields.end()[-2].enabled = re;
        view_.fields.end()[-1].enabled = kontra;
    }
    void lastPairVisible(bool visible) {
        view_.fields.end()[-2].visible = visible;
        view_.fields.end()[-1].visible = visible;
    }
    void lastPairItems(const std::vector<std::string>& items) {
        for (auto it = view_.fields.end() - 2; it != view_.fields.end(); ++it)
            it->items = items;
    }

  private:
    ValueWindowView& view_;
};

void addKinds(Builder& b, const Program& p, const ValueInputs& in) {
    b.caption("spiel", "Spiel", MARGIN);
    const char* kinds[] = {"Normalspiel", "Solo", "Pflichtsolo"};
    for (int k = 1; k <= 3; ++k) {
        ValueField& f = b.add("spiel_" + std::to_string(k), FieldKind::Choice, kinds[k - 1],
                              {FIELD_LEFT + PLAYER_STEP * (k - 1), MARGIN, PLAYER_STEP - 4, LINE});
        f.value = static_cast<int>(in.kind) == k ? 1 : 0;
        f.enabled = valueKindOffered(p, static_cast<ValueKind>(k));
    }
}

// Re's players, Kontra's, and the dealer of a mandatory solo; returns the next top.
int addPlayers(Builder& b, const Program& p, const ValueInputs& in) {
    const PadState& pad = p.pad;
    int top = MARGIN + LINE + 8;
    b.caption("re", in.play.solo ? "Solist (Re)" : "Re", top);
    for (int k = 1; k <= 6; ++k) {
        ValueField& f = b.add("re_" + std::to_string(k), FieldKind::Check, nameOf(pad, k),
                              {FIELD_LEFT + PLAYER_STEP * ((k - 1) % 3),
                               top + (LINE + 2) * ((k - 1) / 3), PLAYER_STEP - 4, LINE});
        f.visible = k <= pad.playerCount;
        f.enabled = mayPlayRe(p, in, k);
        f.value = std::count(in.re.begin(), in.re.end(), k) > 0 ? 1 : 0;
    }
    top += 2 * (LINE + 2) + 4;
    b.caption("kontra", "Kontra", top);
    // Kontra follows once Re is complete.
    const bool reComplete = in.re.size() == (in.play.solo ? 1u : 2u);
    b.add("kontra", FieldKind::Label,
          joinedNames(pad, reComplete ? kontraPlayers(p, in) : std::vector<int>{}),
          {FIELD_LEFT, top + 2, WIDTH - FIELD_LEFT - MARGIN, LINE - 2});
    top += LINE + 4;
    const bool dealer =
        in.kind == ValueKind::MandatorySolo && pad.padOpen() && pad.playerCount >= 5;
    b.caption("geber", "Geber", top).visible = dealer;
    ValueField& list =
        b.add("geber", FieldKind::List, "Geber", {FIELD_LEFT, top, 2 * PLAYER_STEP - 4, BOX});
    list.visible = dealer;
    for (int k = 1; k <= pad.playerCount; ++k)
        list.items.push_back(nameOf(pad, k));
    list.value = in.dealer - 1;
    return top + BOX + 10;
}

// The columns of the two parties; returns the next top.
int addParties(Builder& b, const Program& p, const ValueInputs& in, int top) {
    const GamePlay& play = in.play;
    const GameValueRules& rules = p.pad.houseRules.values;
    b.add("kopf_re", FieldKind::Label, "Re", {RE_LEFT, top, COLUMN_WIDTH, LINE - 2});
    b.add("kopf_kontra", FieldKind::Label, "Kontra", {KONTRA_LEFT, top, COLUMN_WIDTH, LINE - 2});
    top += LINE;
    b.caption("augen", "Augen", top);
    b.pair("augen", FieldKind::Number, "Augen Re", "Augen Kontra", top, 70, play.reCardPoints,
           240 - play.reCardPoints);
    b.lastPair(0, 240, true);
    top += BOX + 4;
    const auto announced = [](const PartyPlay& party) {
        return party.announced || party.absage != Absage::None ? 1 : 0;
    };
    b.pair("ansage", FieldKind::Check, "Re angesagt", "Kontra angesagt", top, COLUMN_WIDTH,
           announced(play.re), announced(play.kontra));
    // An absage includes the announcement, which then cannot be taken back.
    b.lastPairEnabled(play.re.absage == Absage::None, play.kontra.absage == Absage::None);
    top += LINE + 4;
    b.caption("absage", "Absage", top);
    b.pair("absage", FieldKind::List, "Absage Re", "Absage Kontra", top, COLUMN_WIDTH - 10,
           static_cast<int>(play.re.absage), static_cast<int>(play.kontra.absage));
    b.lastPairItems({"\xE2\x80\x93", "keine 90", "keine 60", "keine 30", "schwarz"});
    top += BOX + 4;
    b.pair("ohne_stich", FieldKind::Check, "keinen Stich", "keinen Stich", top, COLUMN_WIDTH,
           play.re.tookNoTrick, play.kontra.tookNoTrick);
    top += LINE + 8;
    // Extra points count in normal games only, each as far as the rules count it.
    const bool extras = !play.solo;
    b.caption("doppelkopf", "Doppelk\xC3\xB6pfe", top);
    b.pair("doppelkopf", FieldKind::Number, "Doppelk\xC3\xB6pfe Re", "Doppelk\xC3\xB6pfe Kontra",
           top, 56, play.re.doppelkopfs, play.kontra.doppelkopfs);
    b.lastPair(0, 4, extras && rules.doppelkopf);
    top += BOX + 4;
    b.caption("fuchs",
              "F\xC3\xBC"
              "chse gefangen",
              top);
    b.pair("fuchs", FieldKind::Number,
           "F\xC3\xBC"
           "chse Re",
           "F\xC3\xBC"
           "chse Kontra",
           top, 56, play.re.foxesCaught, play.kontra.foxesCaught);
    b.lastPair(0, 2, extras && rules.foxCaught);
    top += BOX + 4;
    b.pair("karlchen", FieldKind::Check, "Karlchen", "Karlchen", top, COLUMN_WIDTH,
           play.re.karlchen, play.kontra.karlchen);
    b.lastPair(0, 1, extras && rules.karlchen);
    top += LINE + 2;
    // The private extra points take a row only when the house rules count them.
    const struct {
        const char* name;
        const char* text;
        bool on;
        int PartyPlay::*points;
    } privates[] = {
        {"karlfang", "Karlchen gefangen", rules.karlchenCaught, &PartyPlay::karlchenCaught},
        {"dulle", "Dulle gefangen", rules.dulleCaught, &PartyPlay::dullenCaught},
        {"fuchsletzt", "Fuchs im letzten Stich", rules.foxLastTrick, &PartyPlay::foxLastTrick},
    };
    for (const auto& extra : privates) {
        b.caption(extra.name, extra.text, top).visible = extra.on;
        b.pair(extra.name, FieldKind::Check, "Re", "Kontra", top, COLUMN_WIDTH,
               play.re.*extra.points, play.kontra.*extra.points);
        b.lastPair(0, 1, extras);
        b.lastPairVisible(extra.on);
        if (extra.on) top += LINE + 2;
    }
    return top + 8;
}

}  // namespace

const ValueField* ValueWindowView::field(const std::string& name) const {
    const auto it = std::find_if(fields.begin(), fields.end(),
                                 [&](const ValueField& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

ValueWindowView valueWindowView(const Program& p, const ValueInputs& in) {
    ValueWindowView view;
    Builder b(view);
    addKinds(b, p, in);
    int top = addPlayers(b, p, in);
    top = addParties(b, p, in, top);
    const ValueTakeOver takeOver = valueTakeOver(p, in);
    const int wide = WIDTH - 2 * MARGIN;
    b.add("abrechnung", FieldKind::Text, reckoningText(takeOver.value),
          {MARGIN, top, wide, RECKONING_HEIGHT});
    top += RECKONING_HEIGHT + 6;
    b.add("eintrag", FieldKind::Label, takeOver.entry, {MARGIN, top, wide, ENTRY_HEIGHT}).warning =
        takeOver.actions.empty();
    top += ENTRY_HEIGHT + 6;
    b.add("uebernehmen", FieldKind::Button,
          "\xC3\x9C"
          "bernehmen",
          {WIDTH - MARGIN - 200, top, 100, 26})
        .enabled = !takeOver.actions.empty();
    b.add("schliessen", FieldKind::Button,
          "Schlie\xC3\x9F"
          "en",
          {WIDTH - MARGIN - 94, top, 94, 26});
    view.width = WIDTH;
    view.height = top + 26 + MARGIN;
    return view;
}

}  // namespace kx
