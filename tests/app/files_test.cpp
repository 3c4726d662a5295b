// Corrections by Ctrl+click and pad files through the real window.
#include <QFile>
#include <QLineEdit>

#include "AppFixture.h"
#include "io/PadFile.h"
#include "view/UserActions.h"

using namespace kx;
using namespace kx::test;

class FilesTest : public QObject {
    Q_OBJECT

  private slots:
    void ctrlClickOnPointsCorrectsTheGame() {
        AppFixture app;
        app.menu(10)->trigger();
        QVERIFY(enterPair(app.program, 1, 2, 2));
        QVERIFY(enterPair(app.program, 3, 4, 1));
        app.window->mirror();

        // A plain click asks nothing.
        app.clickLabel("PKT_1", Qt::LeftButton);
        QVERIFY(app.dialogs.prompts.empty());

        app.dialogs.inputAnswers.push_back(std::string("5"));
        app.clickLabel("PKT_1", Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(app.dialogs.prompts.back(), std::string("Ergebnis des 1. Spieles \xC3\xA4ndern"));
        QCOMPARE(app.text("PKT_1"), QStringLiteral("5"));
        QCOMPARE(app.text("SP1_1"), QStringLiteral("5"));
        QCOMPARE(app.text("SP3_1"), QStringLiteral("-5"));
        QCOMPARE(app.text("SP1_2"), QStringLiteral("4"));  // the later row moves too
        QCOMPARE(app.text("SP4_2"), QStringLiteral("-4"));
        QCOMPARE(app.text("SPsum_1"), QStringLiteral("4"));
        QCOMPARE(app.text("STB_4"), QStringLiteral("Umsatz: 8"));
    }

    void ctrlClickOnPlayersAsksForBoth() {
        AppFixture app;
        app.menu(10)->trigger();
        QVERIFY(enterPair(app.program, 1, 2, 3));
        app.window->mirror();
        app.dialogs.inputAnswers = {std::string("4"), std::string("3")};
        app.clickLabel("SPL_1", Qt::RightButton, Qt::ControlModifier);
        QCOMPARE(app.text("SPL_1"), QStringLiteral("3 / 4"));
        QCOMPARE(app.text("SP1_1"), QStringLiteral("-3"));
        QCOMPARE(app.text("SP4_1"), QStringLiteral("3"));
    }

    void loadsASavedPadThroughTheDialog() {
        QTemporaryDir shared;
        const std::string path = stdstr(shared.path()) + "/abend.hsc";
        {
            AppFixture first;
            first.menu(12)->trigger();
            editName(first.program, 3,
                     "Gr\xC3\xA4"
                     "fin");
            QVERIFY(enterPair(first.program, 2, 3, 4));
            QVERIFY(enterSolo(first.program, 5, -9, 2));
            first.dialogs.saveAnswers.push_back(path);
            first.menu(3)->trigger();  // "Speichern unter"
            QCOMPARE(first.dialogs.savePresets.back(), std::string("karto.hsc"));
        }

        AppFixture app;
        app.menu(10)->trigger();
        app.dialogs.openAnswers.push_back(path);
        QTest::keyClick(app.window.get(), Qt::Key_O, Qt::ControlModifier);

        QCOMPARE(app.window->centralWidget()->width(), 820);
        QCOMPARE(app.widget<QLineEdit>("NMS_3")->text(), QStringLiteral("Gräfin"));
        QCOMPARE(app.text("SPL_1"), QStringLiteral("2 / 3"));
        QCOMPARE(app.text("SP1_1"), QStringLiteral("xxx"));
        QCOMPARE(app.text("SP3_1"), QStringLiteral("4"));
        QCOMPARE(app.text("SP2_31"), QStringLiteral("xxx"));
        QCOMPARE(app.text("SP5_31"), QStringLiteral("-9"));
        QCOMPARE(app.text("STB_5"), QStringLiteral("Gespielt: 1"));
        QCOMPARE(app.text("STB_6"), QStringLiteral("Soli: 1"));
        QCOMPARE(app.text("STB_2"), QStringLiteral("Geber: 2"));
        QVERIFY(!app.widget("WER2_5")->isVisible());
        QVERIFY(app.dialogs.messages.empty());
    }

    void brokenFileLeavesThePadAsItWas() {
        AppFixture app;
        app.menu(10)->trigger();
        QVERIFY(enterPair(app.program, 1, 2, 2));
        app.window->mirror();
        const QString broken = app.dir.path() + QStringLiteral("/kaputt.hsc");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Kartotrix---\x02\x01", 14).append(600, '\x07'));
        file.close();
        app.dialogs.openAnswers.push_back(stdstr(broken));
        app.menu(1)->trigger();  // asks about the unsaved entry (Yes), then refuses the file
        QCOMPARE(app.dialogs.messages.size(), std::size_t(2));
        QCOMPARE(app.dialogs.messages.back().text, std::string(LOAD_ERROR_INVALID));
        QCOMPARE(app.text("SP1_1"), QStringLiteral("2"));
        QCOMPARE(app.window->centralWidget()->width(), 660);
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
