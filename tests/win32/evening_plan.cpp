// A short evening for the test of the Windows program's window: plays it
// through the logic, writes the autosave file the logic writes for it, and
// prints what a user does on the screen for the same evening, one step a
// line, with the places taken from the window model:
//   menu T E          open the T-th menu of the bar and choose its E-th command (from 0)
//   click X Y         a click in the drawing area; ctrlclick X Y with Ctrl held
//   pick X Y I        open the list at X Y and choose its I-th item (from 0)
//   type X Y TEXT     replace the text of the field at X Y
//   answer TEXT       type TEXT into the input box that opens, then Enter
//   key KEYS          press keys (xdotool's names)
//   write TEXT        type TEXT where the keyboard is
//   window NAME       wait for a window of that name; gone NAME: until it is gone
// Usage: evening_plan FOLDER [START]   (START: seconds since midnight at "4 Spieler")
//        evening_plan --origin SCREENSHOT.ppm   (where the drawing area begins on
//            a screenshot of the window with its fresh 4-player pad)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/Correction.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/JournalWindow.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"
#include "view/QuickEntry.h"
#include "view/UserActions.h"
#include "view/ValueWindow.h"

using namespace kx;

namespace {

class Evening {
  public:
    explicit Evening(test::TestProgram& t) : t_(t), p_(t.p) {}

    void menu(int command) {
        menuKeys(command);
        frm0_MenuEvent(p_, command);
    }
    // "Protokoll…", then "Zurücknehmen" of the newest line (a correction)
    // and Escape; the window's model stands in for the window.
    void takeBackNewest() {
        menuKeys(CMD_JOURNAL);
        raw("window Protokoll");
        JournalWindow w = openJournalWindow(p_);
        check(w.canTakeBack);
        raw("key alt+z");
        check(takeBackSelected(p_, w));
        raw("key Escape");
        raw("gone Protokoll");
        closeJournalWindow(p_);
    }
    void menuKeys(int command) {
        int title = -1, entry = 0;
        for (int i : menuBarOrder(p_.ui)) {
            const MenuEntry& e = p_.ui.menu[static_cast<std::size_t>(i)];
            if (e.role == MenuRole::Title) {
                ++title;
                entry = 0;
            } else if (e.role == MenuRole::Command) {
                if (i == command) break;
                ++entry;
            }
        }
        std::printf("menu %d %d\n", title, entry);
    }
    void option(const std::string& group, int k) {
        say("click", group + "_" + std::to_string(k));
        check(clickOption(p_, group, k));
    }
    void item(const std::string& list, const std::string& text) {
        const Control& c = *p_.ui.find(list);
        int index = 0;
        while (c.items.at(static_cast<std::size_t>(index)) != text)
            ++index;
        say("pick", list, " " + std::to_string(index));
        check(pickItem(p_, list, index));
    }
    void name(int k, const std::string& text) {
        say("type", "NMS_" + std::to_string(k), " " + text);
        check(editName(p_, k, text));
    }
    void ok() {
        say("click", "OKB");
        check(pressOK(p_));
    }
    // Ctrl+click on a row's points or players, answered in input boxes.
    void correct(const std::string& column, int row, std::initializer_list<const char*> answers) {
        say("ctrlclick", column + "_" + std::to_string(row));
        for (const char* a : answers) {
            t_.dialogs.inputAnswers.emplace_back(a);
        }
        (column == "PKT" ? PKT_MouseDown : SPL_MouseDown)(p_, row, 1, CTRL_BIT, 5, 5);
        for (const char* a : answers)
            std::printf("answer %s\n", a);
        check(t_.dialogs.inputAnswers.empty());
    }
    // F2, the line typed into the quick-entry field, Enter; Escape closes it.
    void quick(const std::string& line) {
        key("F2", KEY_F2, 0);
        std::printf("write %s\n", line.c_str());
        quickEntryEdited(p_, line);
        raw("key Return");
        check(quickEntryEnter(p_));
        raw("key Escape");
        closeQuickEntry(p_);
    }
    // F3, the window "Spielwert" worked with Tab, Space (a tick) and digits
    // (a number), "Übernehmen" by Enter, Escape; then "OK" on the panel.
    void valueWindow(std::initializer_list<std::pair<const char*, const char*>> inputs) {
        key("F3", KEY_F3, 0);
        raw("window Spielwert");
        ValueInputs in = valueWindowOpened(p_);
        std::string at = tabStops(valueWindowView(p_, in)).front();
        for (const auto& [name, value] : inputs) {
            const std::vector<std::string> stops = tabStops(valueWindowView(p_, in));
            const auto index = [&](const std::string& n) {
                return std::find(stops.begin(), stops.end(), n) - stops.begin();
            };
            check(index(name) < static_cast<std::ptrdiff_t>(stops.size()));
            for (auto k = index(at); k < index(name); ++k)
                raw("key Tab");
            const bool tick = std::string(value) == "x";
            std::printf(tick ? "key space\n" : "write %s\n", value);
            const ValueField& field = *valueWindowView(p_, in).field(name);
            valueWindowInput(p_, in, name, tick ? 1 - field.value : std::atoi(value));
            at = name;
        }
        raw("key Return");
        check(takeOverValue(p_, in));
        raw("key Escape");
        ok();
    }
    void undo() { key("alt+BackSpace", KEY_BACKSPACE, ALT_BIT); }
    // A larger window and back to the original size, where the drawing area
    // must again be exactly as large as before.
    void zoomInAndBack() {
        key("ctrl+plus", KEY_PLUS, CTRL_BIT | SHIFT_BIT);
        key("ctrl+0", '0', CTRL_BIT);
    }
    void redo() { key("ctrl+y", 'Y', CTRL_BIT); }
    void raw(const char* line) { std::printf("%s\n", line); }

  private:
    // The fields the Tab key stops at, in its order: every check box, number,
    // list and button that can be used, and a run of choices once.
    static std::vector<std::string> tabStops(const ValueWindowView& view) {
        std::vector<std::string> stops;
        FieldKind last = FieldKind::Label;
        for (const ValueField& f : view.fields) {
            const bool runGoesOn = f.kind == FieldKind::Choice && last == FieldKind::Choice;
            last = f.kind;
            if (!f.visible || !f.enabled || runGoesOn) continue;
            if (f.kind != FieldKind::Label && f.kind != FieldKind::Text) stops.push_back(f.name);
        }
        return stops;
    }
    void key(const char* keys, int code, int shift) {
        std::printf("key %s\n", keys);
        check(frm0_KeyDown(p_, code, shift));
    }
    void say(const char* what, const std::string& control, const std::string& rest = "") {
        const Control* c = p_.ui.find(control);
        check(c != nullptr);
        std::printf("%s %d %d%s\n", what, c->rect.left + c->rect.width / 2,
                    c->rect.top + c->rect.height / 2, rest.c_str());
    }
    static void check(bool accepted) {
        if (accepted) return;
        std::fprintf(stderr, "evening_plan: a step was refused\n");
        std::exit(1);
    }

    test::TestProgram& t_;
    Program& p_;
};

void play(Evening& e) {
    // The About window first: it opens and closes, the main window goes on.
    e.raw("key ctrl+v");
    e.raw(
        "window \xC3\x9C"
        "ber Kartotrix");
    e.raw("key Return");
    e.raw(
        "gone \xC3\x9C"
        "ber Kartotrix");
    e.zoomInAndBack();
    e.menu(CMD_PAD4);
    e.raw("origin");
    e.name(1, "Anna");
    e.name(2, "J\xC3\xBCrgen");
    e.name(3,
           "C\xC3\xA4"
           "cilie");
    e.name(4, "Dieter");
    e.option("WER1", 1);  // "1 / 2" for 3
    e.item("WAS1", "3");
    e.ok();
    e.option("WER1", 6);  // "3 / 4" for 5
    e.item("WAS1", "5");
    e.ok();
    e.quick("2 4 7");  // typed: Jürgen and Dieter win 7
    e.undo();          // taken back and made again
    e.redo();
    // Re were Jürgen and Cäcilie with 80; Kontra announced: Anna and Dieter win 5.
    e.valueWindow({{"re_2", "x"}, {"re_3", "x"}, {"augen_kontra", "160"}, {"ansage_kontra", "x"}});
    e.option("MDS", 2);  // Jürgen's solo, lost
    e.option("WER2", 2);
    e.item("WAS2", "-6");
    e.ok();
    e.option("MDS", 1);  // Jürgen alone, after his solo
    e.option("WER1", 17);
    e.item("WAS1s", "9");
    e.ok();
    e.option("WER1", 3);  // "1 / 4" for 0
    e.item("WAS1", "0");
    e.ok();
    e.option("MDS", 3);  // a penalty for Cäcilie
    e.option("WER3", 3);
    e.ok();
    e.correct("PKT", 2, {"7"});
    e.correct("SPL", 1, {"1", "3"});
    e.takeBackNewest();
}

// The first separator line of a fresh 4-player pad is the only long black
// line; its left end lies at a known place of the drawing area.
int findOrigin(const char* screenshot) {
    std::ifstream in(screenshot, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    const std::string pixels((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    if (magic != "P6" || maximum != 255 ||
        pixels.size() < static_cast<std::size_t>(width) * height * 3) {
        std::fprintf(stderr, "evening_plan: %s is no 8-bit PPM picture\n", screenshot);
        return 1;
    }
    test::TestProgram t;
    newPad(t.p, 4);
    const Line first = frm0_Paint(t.p).lines.front();
    const int length = first.x2 - first.x1 + 1;
    const auto black = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        return pixels[at] == 0 && pixels[at + 1] == 0 && pixels[at + 2] == 0;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0, run = 0; x < width; ++x) {
            run = black(x, y) ? run + 1 : 0;
            if (run == length && (x + 1 == width || !black(x + 1, y))) {
                std::printf("%d %d\n", x + 1 - length - first.x1, y - first.y1);
                return 0;
            }
        }
    }
    std::fprintf(stderr, "evening_plan: no separator line in %s\n", screenshot);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--origin") return findOrigin(argv[2]);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr,
                     "Aufruf: evening_plan ORDNER [START] | evening_plan --origin BILD.ppm\n");
        return 2;
    }
    test::TestProgram t;
    t.p.shell.programFolder = std::string(argv[1]) + "/";
    t.clock.setSeconds(argc == 3 ? std::atoi(argv[2]) : 20 * 3600);
    Evening evening(t);
    play(evening);
    return 0;
}
