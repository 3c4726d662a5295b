// The menu "Extras" drawn and shown by Qt, offscreen: the chart as PNG, the
// score sheet as PDF, and the windows of the settlement, the chart and the
// statistics. The windows are modal; the test acts in them from a timer.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "AppFixture.h"
#include "ChartPainter.h"
#include "SheetPainter.h"
#include "io/PadFile.h"
#include "view/Extras.h"
#include "view/PadLayout.h"
#include "view/PadSheet.h"
#include "view/UserActions.h"

using namespace kx;
using namespace kx::test;

namespace {

// A six-player evening with games, two solos and a penalty.
void playSixPlayers(Program& p) {
    newPad(p, 6);
    const char* names[] = {"Anna", "Bert", "Carla", "Dieter", "Erika", "Frank"};
    for (int k = 1; k <= 6; ++k)
        editName(p, k, names[k - 1]);
    const int games[][3] = {{2, 3, 2}, {3, 4, 1}, {1, 5, 3}, {1, 2, 4},
                            {2, 6, 2}, {1, 3, 0}, {2, 5, 5}, {3, 6, 2}};
    for (const auto& g : games)
        QVERIFY(enterPair(p, g[0], g[1], g[2]));
    QVERIFY(enterSolo(p, 1, 15, 3));
    QVERIFY(enterSolo(p, 5, -9, 2));
    QVERIFY(enterPenalty(p, 2));
}

// Once a modal window is on screen, runs `act` on it (once) and closes it.
void whenShown(const char* name, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, name, act] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || !window->isVisible() || window->objectName() != QLatin1String(name)) return;
        timer->stop();
        timer->deleteLater();
        act(window);
        window->close();
    });
    timer->start(5);
}

bool near(QRgb pixel, const Rgb& colour) {
    return std::abs(qRed(pixel) - colour.red) <= 10 &&
           std::abs(qGreen(pixel) - colour.green) <= 10 &&
           std::abs(qBlue(pixel) - colour.blue) <= 10;
}

}  // namespace

class ExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    void chartImageShowsEveryPlayersLine() {
        TestProgram t;
        playSixPlayers(t.p);
        const ScoreChart chart = scoreChart(t.p.pad);
        const QImage image = QImage::fromData(chartPng(chart), "PNG");
        QCOMPARE(image.size(), CHART_IMAGE_SIZE);
        const ChartGeometry g = chartGeometry(chart, image.width(), image.height());
        // Pixels in each player's colour inside the plot (the legend lies below it).
        for (const ChartSeries& s : chart.series) {
            int count = 0;
            for (int y = g.plot.top; y < g.plot.top + g.plot.height; ++y)
                for (int x = g.plot.left; x < g.plot.left + g.plot.width; ++x)
                    count += near(image.pixel(x, y), s.style.colour);
            QVERIFY2(count > 150,
                     qPrintable(qstr(s.name) + QStringLiteral(": %1 pixels").arg(count)));
        }
        // Nothing is drawn in a colour of a player outside the plot but the legend.
        int outside = 0;
        for (int y = 0; y < g.plot.top - 8; ++y)
            for (int x = 0; x < image.width(); ++x)
                outside += near(image.pixel(x, y), chart.series[0].style.colour);
        QCOMPARE(outside, 0);
    }

    void pdfSheetHoldsNamesTotalsAndTurnover() {
        TestProgram t;
        playSixPlayers(t.p);
        const QByteArray pdf = sheetPdf(padSheet(t.p, t.clock.time));
        QVERIFY(pdf.startsWith("%PDF-"));
        const QString path = QString::fromStdString(t.file("blatt.pdf"));
        putFile(t.file("blatt.pdf"), Bytes(pdf.begin(), pdf.end()));
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY2(pdftotext.waitForFinished(20000), "pdftotext (poppler-utils) is needed");
        QCOMPARE(pdftotext.exitCode(), 0);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const char* name : {"Anna", "Bert", "Carla", "Dieter", "Erika", "Frank"})
            QVERIFY2(text.contains(QLatin1String(name)), name);
        // Each total with its place beside it.
        QString totals = QStringLiteral("Summe");
        for (int k = 1; k <= 6; ++k)
            totals += QStringLiteral("\\s+[1-6]\\.\\s+") + QString::number(t.p.pad.overallScore(k));
        QVERIFY2(text.contains(QRegularExpression(totals)), qPrintable(text));
        QVERIFY(text.contains(qstr(t.p.ui.status(4))));  // "Umsatz: …"
        QVERIFY(text.contains(QStringLiteral("Montag, 7. Dezember 2026")));
        QVERIFY(text.contains(QStringLiteral("Abrechnung bei 5 ct je Punkt")));
        QVERIFY(text.contains(QStringLiteral(" zahlt ")));
        QCOMPARE(text.count(QLatin1Char('\f')), 1);  // one page
    }

    void settlementWindowFollowsTheRateAndCopies() {
        AppFixture app;
        QVERIFY(!app.menu(CMD_SETTLEMENT)->isEnabled());
        app.menu(10)->trigger();
        QVERIFY(app.menu(CMD_SETTLEMENT)->isEnabled());
        QVERIFY(enterPair(app.program, 1, 2, 3));
        app.window->mirror();
        QString shown, afterRate;
        whenShown("abrechnung", [&](QWidget* window) {
            auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("abrechnung_text"));
            shown = text->toPlainText();
            window->findChild<QSpinBox*>(QStringLiteral("abrechnung_cent"))->setValue(20);
            afterRate = text->toPlainText();
            window->findChild<QPushButton*>(QStringLiteral("abrechnung_copy"))->click();
        });
        app.menu(CMD_SETTLEMENT)->trigger();
        QVERIFY2(shown.contains(QStringLiteral("Spieler 3 zahlt Spieler 1 0,15 \u20ac")),
                 qPrintable(shown));
        QVERIFY2(afterRate.contains(QStringLiteral("Spieler 3 zahlt Spieler 1 0,60 \u20ac")),
                 qPrintable(afterRate));
        QCOMPARE(QGuiApplication::clipboard()->text(), afterRate);
        QCOMPARE(app.program.shell.centsPerPoint, 20);  // kept for the sheet, for this run
    }

    void chartWindowSavesItsImage() {
        AppFixture app;
        playSixPlayers(app.program);
        app.window->mirror();
        const std::string path = stdstr(app.dir.path()) + "/verlauf.png";
        app.dialogs.saveAnswers.push_back(path);
        whenShown("verlauf", [](QWidget* window) {
            window->findChild<QPushButton*>(QStringLiteral("verlauf_save"))->click();
        });
        app.menu(CMD_CHART)->trigger();
        QCOMPARE(app.dialogs.saveExtensions, std::vector<std::string>{"png"});
        QCOMPARE(QImage(qstr(path)).size(), CHART_IMAGE_SIZE);
    }

    void statisticsWindowSortsByNumbers() {
        AppFixture app;
        const QString folder = app.dir.path() + QStringLiteral("/abende");
        QVERIFY(QDir().mkpath(folder));
        {
            TestProgram t;
            newPad(t.p, 4);
            editName(t.p, 1, "Anna");
            editName(t.p, 2, "Bert");
            editName(t.p, 3, "Carla");  // seat 4 keeps its default name
            for (int i = 0; i < 5; ++i)
                QVERIFY(enterPair(t.p, 1, 2, 2));  // Anna +10, a two-digit score
            QVERIFY(enterPair(t.p, 1, 3, 1));
            QVERIFY(writePadFile(t.p, stdstr(folder) + "/abend.hsc"));
        }
        app.dialogs.folderAnswers.push_back(stdstr(folder));
        QStringList byPoints, byPointsAscending, seats;
        whenShown("statistik", [&](QWidget* window) {
            auto* table = window->findChild<QTableWidget*>(QStringLiteral("statistik_table"));
            for (int row = 0; row < table->rowCount(); ++row)
                byPoints << table->item(row, 3)->text();
            table->sortItems(3, Qt::AscendingOrder);
            for (int row = 0; row < table->rowCount(); ++row)
                byPointsAscending << table->item(row, 3)->text();
            auto* apart = window->findChild<QTableWidget*>(QStringLiteral("statistik_seats"));
            for (int row = 0; apart && row < apart->rowCount(); ++row)
                seats << apart->item(row, 0)->text() + u' ' + apart->item(row, 3)->text();
        });
        app.menu(CMD_STATISTICS)->trigger();
        QCOMPARE(byPoints,
                 (QStringList{QStringLiteral("+11"), QStringLiteral("+9"), QStringLiteral("-9")}));
        QCOMPARE(byPointsAscending,
                 (QStringList{QStringLiteral("-9"), QStringLiteral("+9"), QStringLiteral("+11")}));
        QCOMPARE(seats, QStringList{QStringLiteral("Platz 4 -11")});
    }
};

QTEST_MAIN(ExtrasTest)
#include "extras_test.moc"
