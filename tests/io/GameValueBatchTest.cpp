// "--spielwert": the options read into a game, the text on standard output,
// and the refusals with their status.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/GameValueBatch.h"
#include "support/TestProgram.h"

namespace kx {
namespace {

using Options = std::map<std::string, std::string>;

struct Outcome {
    int status = 0;
    std::string out, err;
};

std::string readBack(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

Outcome run(const Options& options) {
    test::TestProgram t;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome r;
    r.status = gameValueCommand(*t.files, options, {out, err});
    r.out = readBack(out);
    r.err = readBack(err);
    return r;
}

TEST(GameValueBatch, OptionsDescribeTheGame) {
    const GameValueRequest r = parseGameValueOptions({{"augen", "75"},
                                                      {"re-ansagen", "90, RE"},
                                                      {"kontra-ansagen", "60,schwarz,30"},
                                                      {"re-sonderpunkte", "fuchs,doppelkopf,fuchs"},
                                                      {"kontra-sonderpunkte", "karlchen"},
                                                      {"kontra-ohne-stich", ""},
                                                      {"solo", ""}});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.play.reCardPoints, 75);
    EXPECT_TRUE(r.play.solo);
    EXPECT_EQ(
        r.play.re,
        (PartyPlay{.announced = true, .absage = Absage::No90, .doppelkopfs = 1, .foxesCaught = 2}));
    EXPECT_EQ(r.play.kontra,
              (PartyPlay{.absage = Absage::Schwarz, .tookNoTrick = true, .karlchen = 1}));
}

TEST(GameValueBatch, PrintsTheReckoningThenWinnerAndValue) {
    Outcome r = run({{"augen", "80"}, {"kontra-ansagen", "kontra"}});
    EXPECT_EQ(r.status, BATCH_OK) << r.err;
    EXPECT_EQ(r.out,
              "gewonnen 1\nunter 90 gespielt 1\nKontra angesagt 2\ngegen die Alten 1\n"
              "Spielwert 5\nGewinner: Kontra\nWert f\xC3\xBCr Re: -5\n");
    r = run({{"augen", "130"}, {"re-ansagen", "re,90"}, {"kontra-ansagen", "90"}, {"solo", ""}});
    EXPECT_EQ(r.out,
              "Re: 120 gegen keine 90 erreicht 1\nSpielwert 1 f\xC3\xBCr Re\n"
              "Solist: 3 \xC3\x97 1 = 3\nGewinner: keiner\nWert f\xC3\xBCr Re: 3\n");
}

TEST(GameValueBatch, RefusesWithTheReason) {
    const std::pair<Options, const char*> rows[] = {
        {{}, "Zu --spielwert geh\xC3\xB6ren die Augen der Re-Partei"},
        {{{"augen", "viel"}}, "\xE2\x80\x9Eviel\xE2\x80\x9C sind keine Augen"},
        {{{"augen", "241"}}, "Kartotrix: Die Re-Partei hat 0 bis 240 Augen, nicht 241."},
        {{{"augen", "100"}, {"re-ansagen", "kontra"}},
         "\xE2\x80\x9Ekontra\xE2\x80\x9C in --re-ansagen ist keine Ansage: re, 90"},
        {{{"augen", "100"}, {"re-ansagen", ""}}, "--re-ansagen hat eine leere Angabe."},
        {{{"augen", "100"}, {"kontra-sonderpunkte", "fuchs,dulle"}},
         "\xE2\x80\x9E"
         "dulle\xE2\x80\x9C in --kontra-sonderpunkte ist kein Sonderpunkt"},
    };
    for (const auto& [options, reason] : rows) {
        SCOPED_TRACE(reason);
        const Outcome r = run(options);
        EXPECT_EQ(r.status, BATCH_REFUSED);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace kx
