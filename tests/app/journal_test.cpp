// The window "Protokoll" shown by Qt, offscreen: its list, the row it shades
// on the pad, "Zurücknehmen" and Escape. The window is modal; the test acts
// in it from a timer.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "AppFixture.h"
#include "core/Correction.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"

using namespace kx;
using namespace kx::test;

namespace {

// Once the window "Protokoll" is on screen, runs `act` on it (once); closes
// it when `act` left it open.
void whenJournalShown(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || !window->isVisible() || window->objectName() != QLatin1String("protokoll"))
            return;
        timer->stop();
        timer->deleteLater();
        act(window);
        if (window->isVisible()) window->close();
    });
    timer->start(5);
}

void correctValue(Program& p, FakeDialogs& dialogs, int row, const std::string& answer) {
    dialogs.inputAnswers = {answer};
    PKT_MouseDown(p, row, 1, CTRL_BIT, 0, 0);
}

// The colour the drawing area shows inside a cell, beside its centred text.
QRgb cellColour(AppFixture& app, const char* cell) {
    QCoreApplication::processEvents();
    const QRect r = app.place(cell);
    return app.pad()->grab().toImage().pixel(r.left() + 4, r.top() + r.height() / 2);
}

bool isColour(QRgb pixel, const Rgb& colour) {
    return qRed(pixel) == colour.red && qGreen(pixel) == colour.green &&
           qBlue(pixel) == colour.blue;
}

}  // namespace

class JournalTest : public QObject {
    Q_OBJECT

  private slots:
    void windowShadesTheRowAndTakesACorrectionBack() {
        AppFixture app;
        QVERIFY(!app.menu(CMD_JOURNAL)->isEnabled());
        app.menu(10)->trigger();
        QVERIFY(app.menu(CMD_JOURNAL)->isEnabled());
        QVERIFY(enterPair(app.program, 1, 2, 3));
        QVERIFY(enterPair(app.program, 3, 4, 2));
        correctValue(app.program, app.dialogs, 1, "6");
        app.window->mirror();
        QVERIFY(isColour(cellColour(app, "PKT_1"), padBackColour));

        int linesBefore = 0, linesAfter = 0, currentAfter = -1;
        bool shaded = false, enabledBefore = false, enabledOnEntry = true;
        QString points, reason, tip;
        whenJournalShown([&](QWidget* window) {
            auto* list = window->findChild<QListWidget*>(QStringLiteral("protokoll_list"));
            auto* takeBack =
                window->findChild<QPushButton*>(QStringLiteral("protokoll_zuruecknehmen"));
            linesBefore = list->count();
            shaded = list->currentRow() == linesBefore - 1 &&
                     isColour(cellColour(app, "PKT_1"), COLOUR_HIGHLIGHT) &&
                     isColour(cellColour(app, "PKT_2"), padBackColour);
            enabledBefore = takeBack->isEnabled();
            takeBack->click();
            linesAfter = list->count();
            currentAfter = list->currentRow();
            points = app.text("PKT_1");  // the pad follows while the window is open
            list->setCurrentRow(1);
            enabledOnEntry = takeBack->isEnabled();
            reason = window->findChild<QLabel*>(QStringLiteral("protokoll_status"))->text();
            tip = takeBack->toolTip();
            QTest::keyClick(list, Qt::Key_Escape);
        });
        app.menu(CMD_JOURNAL)->trigger();
        QCOMPARE(linesBefore, 3);
        QVERIFY(shaded);
        QVERIFY(enabledBefore);
        QCOMPARE(linesAfter, 4);
        QCOMPARE(currentAfter, 3);
        QCOMPARE(points, QStringLiteral("3"));
        QVERIFY(!enabledOnEntry);
        QVERIFY2(reason.startsWith(QStringLiteral("Nur eine Korrektur")), qPrintable(reason));
        QCOMPARE(tip, reason);
        QVERIFY(!QApplication::activeModalWidget());  // Escape closed it
        QCOMPARE(app.program.ui.highlightedRow, 0);
        QVERIFY(isColour(cellColour(app, "PKT_1"), padBackColour));
        QCOMPARE(app.program.pad.gameTable[1][1], 3);
    }
};

QTEST_MAIN(JournalTest)
#include "journal_test.moc"
