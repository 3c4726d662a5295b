// The window on a laptop screen of 1280 × 720 (1920 × 1080 at 150 %): it
// does not fit at scale 1, so the drawing area shrinks until the whole window,
// totals line and status bar included, is on the screen.
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "AppFixture.h"
#include "view/WindowFit.h"

using namespace kx;
using namespace kx::test;

namespace {

// Everything the user needs lies inside the screen's available area.
void verifyAllVisible(AppFixture& app) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(app.window->frameGeometry()));
    const QRect client(app.window->mapToGlobal(QPoint(0, 0)), app.window->size());
    const QRect status(app.window->statusBar()->mapToGlobal(QPoint(0, 0)),
                       app.window->statusBar()->size());
    QVERIFY(client.contains(status));
    QVERIFY(screen.contains(status));
    for (int j = 1; j <= app.program.pad.playerCount; ++j) {
        const QByteArray total = QStringLiteral("SPsum_%1").arg(j).toLatin1();
        const QRect cell(app.pad()->mapToGlobal(app.place(total.constData()).topLeft()),
                         app.place(total.constData()).size());
        QVERIFY(cell.bottom() < status.top());
        QVERIFY(screen.contains(cell));
    }
    // The widgets shrink with the drawing area.
    const Control& choice = *app.program.ui.find("MDS_3");
    QCOMPARE(app.widget("MDS_3")->geometry(), app.pad()->placeOf(widgetRect(choice)));
}

}  // namespace

class SmallScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void everyPadFitsTheScreen() {
        AppFixture app;
        QVERIFY(app.program.shell.zoom < 1.0);
        for (int command : {10, 11, 12}) {
            app.menu(command)->trigger();
            QCoreApplication::processEvents();
            verifyAllVisible(app);
            QCOMPARE(app.pad()->height(), scaledLength(680, app.program.shell.zoom));
        }
    }

    void zoomCannotTakeTheWindowOffTheScreen() {
        AppFixture app;
        app.menu(12)->trigger();
        const double fitted = app.program.shell.zoom;
        QTest::keyClick(app.window.get(), Qt::Key_0, Qt::ControlModifier);
        QTest::keyClick(app.window.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(app.program.shell.zoom, fitted);
        verifyAllVisible(app);
        QTest::keyClick(app.window.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(app.program.shell.zoom, 0.9);
        verifyAllVisible(app);
    }
};

QTEST_MAIN(SmallScreenTest)
#include "small_screen_test.moc"
