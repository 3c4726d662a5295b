// "Die Tafel" in the Qt program: opened by F11, following the pad, switched
// to the chart and closed by keys.
#include <QTest>

#include "AppFixture.h"
#include "BoardWindow.h"
#include "view/BoardCommands.h"
#include "view/PadLayout.h"

using namespace kx;
using namespace kx::test;

class BoardTest : public QObject {
    Q_OBJECT
  private slots:
    void openedByF11FollowsThePadAndClosesWithEscape() {
        AppFixture app;
        newPad(app.program, 4);
        app.window->mirror();
        QVERIFY(!app.window->boardWindow());  // built on first use only
        QTest::keyClick(app.window.get(), Qt::Key_F11);
        auto* board = dynamic_cast<BoardWidget*>(app.window->boardWindow());
        QVERIFY(board);
        QVERIFY(board->isVisible());
        QVERIFY(board->isFullScreen());
        QCOMPARE(board->board().progress, std::string("Spiel 1 von 20"));

        QVERIFY(enterPair(app.program, 1, 3, 4));
        app.window->mirror();
        QCOMPARE(board->board().progress, std::string("Spiel 2 von 20"));
        QCOMPARE(board->board().players[0].total, 4);

        QVERIFY(!board->showsChart());
        QTest::keyClick(board, Qt::Key_V);
        QVERIFY(board->showsChart());
        QTest::keyClick(board, Qt::Key_Tab);
        QVERIFY(!board->showsChart());
        QTest::keyClick(board, Qt::Key_Escape);
        QTRY_VERIFY(!app.window->boardWindow());
    }
};

QTEST_MAIN(BoardTest)
#include "board_test.moc"
