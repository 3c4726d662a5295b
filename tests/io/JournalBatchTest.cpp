// The journal outside the window: "--protokoll" on the command line and the
// pad named on the command line at start-up.
#include <gtest/gtest.h>

#include "io/FileCommands.h"
#include "io/JournalBatch.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/Journal.h"
#include "view/PadLayout.h"

namespace kx {
namespace {

using test::enterPair;
using test::TestProgram;

std::string readBack(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

TEST(JournalBatch, PrintsEveryShownLineOrRefusesThePad) {
    TestProgram t;
    newPad(t.p, 4);
    ASSERT_TRUE(writePadFile(t.p, t.file("leer.hsc")));
    t.clock.time.hour = 21, t.clock.time.minute = 5;
    ASSERT_TRUE(enterPair(t.p, 1, 3, 4));
    // Text read from a file reaches the terminal without its control characters.
    noteLine(t.p, JournalKind::Rules, "Hausregel\x1B]0;x\x07\nBock");
    ASSERT_TRUE(writePadFile(t.p, t.file("abend.hsc")));
    test::putFile(t.file("kaputt.hsc"), "Kartotrix---kein Block");

    const struct {
        const char* file;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"abend.hsc", BATCH_OK, "21:05 Spiel 1: 1 / 3 gewinnen 4\n21:05 Hausregel ]0;x  Bock\n",
         ""},
        {"leer.hsc", BATCH_OK, "", ""},  // a pad without journal prints nothing
        {"kaputt.hsc", BATCH_REFUSED, "", "Fehler beim Laden."},
        {"fehlt.hsc", BATCH_REFUSED, "", LOAD_ERROR_NOT_FOUND},
    };
    for (const auto& c : cases) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(journalBatchCommand(*t.files, t.file(c.file), {out, err}), c.status) << c.file;
        EXPECT_EQ(readBack(out), c.out) << c.file;
        EXPECT_EQ(readBack(err).find(c.err), 0u) << c.file;
    }
}

TEST(JournalBatch, APadOpenedAtStartUpIsLoadedAsLadenLoadsIt) {
    TestProgram t;
    newPad(t.p, 5);
    ASSERT_TRUE(enterPair(t.p, 2, 3, 3));
    ASSERT_TRUE(writePadFile(t.p, t.file("abend.hsc")));

    TestProgram u;
    u.clock.time.hour = 23, u.clock.time.minute = 1;
    EXPECT_EQ(loadPadAtStart(u.p, t.file("fehlt.hsc")), LOAD_ERROR_NOT_FOUND);
    EXPECT_FALSE(u.p.pad.padOpen());
    EXPECT_EQ(loadPadAtStart(u.p, t.file("abend.hsc")), "");
    ASSERT_EQ(journalOf(u.p).size(), 2u);
    EXPECT_EQ(journalOf(u.p)[0].shown(), journalOf(t.p)[0].shown());
    EXPECT_EQ(journalOf(u.p)[1].shown(), "23:01 Block geladen");
    EXPECT_EQ(journalOf(u.p)[1].kind, JournalKind::Load);
}

}  // namespace
}  // namespace kx
