// The window on a 1280 × 1024 desktop: geometry at scale 1, placement, zoom
// and resizing, the status panels, menu letters, help without a browser, a
// large desktop font and what assistive technology sees.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>

#include "AppFixture.h"
#include "StatusStrip.h"
#include "view/UserActions.h"
#include "view/WindowFit.h"

using namespace kx;
using namespace kx::test;

namespace {

QRect qrect(const Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// The accessible child of the drawing area that stands for a painted label.
QAccessibleInterface* labelInterface(AppFixture& app, const char* name) {
    const auto& labels = app.pad()->labels();
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (labels[i]->objectName() == name) return app.pad()->labelInterface(static_cast<int>(i));
    return nullptr;
}

QRect localRect(AppFixture& app, QAccessibleInterface* iface) {
    const QRect global = iface->rect();
    return QRect(app.pad()->mapFromGlobal(global.topLeft()), global.size());
}

int panelWidth(AppFixture& app, int k) {
    return app.widget(QStringLiteral("STB_%1").arg(k).toLatin1().constData())->width();
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void atScaleOneEveryControlStandsAtItsRectangle() {
        AppFixture app;
        QCOMPARE(app.program.shell.zoom, 1.0);
        for (int command : {10, 11, 12}) {
            app.menu(command)->trigger();
            const int n = command - 6;
            QCOMPARE(app.pad()->size(), QSize(660 + 80 * (n - 4), 680));
            for (Control* c : app.program.ui.controls()) {
                const QByteArray name = QByteArray::fromStdString(c->objectName());
                if (c->kind != ControlKind::Label) {
                    // The player choices take their whole 50-pixel column.
                    QCOMPARE(app.widget(name.constData())->geometry(), qrect(widgetRect(*c)));
                    continue;
                }
                QAccessibleInterface* iface = labelInterface(app, name.constData());
                QVERIFY2(iface, name.constData());
                QCOMPARE(iface->state().invisible, !c->visible);
                if (c->visible) QCOMPARE(localRect(app, iface), qrect(c->rect));
            }
            // Every fixed panel has its width; panel 3 takes the rest.
            const int widths[] = {130, 130, 15 + 80 * (n - 4), 95, 90, 60, 80, 60};
            int left = 0;
            for (int k = 1; k <= 8; ++k) {
                QWidget* panel = app.widget(QStringLiteral("STB_%1").arg(k).toLatin1().constData());
                QCOMPARE(panel->x(), left);
                QCOMPARE(panel->width(), widths[k - 1]);
                left += widths[k - 1];
            }
        }
    }

    void theFrameStandsAtTheTopCentredByTheDrawingArea() {
        AppFixture app;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(app.window->frameGeometry().topLeft(), QPoint((screen.width() - 660) / 2, 0));
        // The metrics are the real window's.
        const ScreenMetrics& m = app.program.shell.metrics;
        QCOMPARE(m.frameWidth, (app.window->frameGeometry().width() - app.window->width()) / 2);
        QCOMPARE(m.menuBarHeight, app.window->menuBar()->height());
        QCOMPARE(m.statusBarHeight, app.window->statusBar()->height());
        QCOMPARE(app.program.ui.frm0.frame.width, app.window->frameGeometry().width());

        // A wider pad grows to the right; at the right edge it moves left to stay on screen.
        app.menu(12)->trigger();
        QCOMPARE(app.window->frameGeometry().topLeft(), QPoint((screen.width() - 660) / 2, 0));
        app.menu(10)->trigger();
        app.window->move(600, 0);
        QCoreApplication::processEvents();
        app.menu(12)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(app.window->frameGeometry().right(), screen.right());
        QCOMPARE(app.window->frameGeometry().top(), 0);
    }

    void zoomScalesControlsFontsAndLinesTogether() {
        AppFixture app;
        app.menu(10)->trigger();
        const int fontAtOne = app.pad()->padFont().pixelSize();
        QTest::keyClick(app.window.get(), Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(app.window.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(app.program.shell.zoom, 1.25);
        QCOMPARE(app.pad()->size(), QSize(825, 850));
        QCOMPARE(app.widget("MDS_3")->geometry(), QRect(50, 669, 113, 45));
        QCOMPARE(app.place("SP4_27"),
                 QRect(scaledLength(562, 1.25), scaledLength(556, 1.25), 100, 25));
        QCOMPARE(app.pad()->padFont().pixelSize(), int(fontAtOne * 1.25));
        QCOMPARE(panelWidth(app, 1), 163);
        // The separator lines are drawn at the scaled gaps: black under row 4 at y 104.
        QCOMPARE(app.pad()->grab().toImage().pixelColor(400, scaledLength(104, 1.25)),
                 QColor(Qt::black));

        QTest::keyClick(app.window.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(app.pad()->size(), QSize(660, 680));
        QCOMPARE(app.widget("MDS_3")->geometry(), QRect(40, 535, 90, 36));
        QTest::keyClick(app.window.get(), Qt::Key_Minus, Qt::ControlModifier);
        app.menu(33)->trigger();  // "Ansicht" › "Verkleinern"
        QCOMPARE(app.program.shell.zoom, 0.8);
        QCOMPARE(app.pad()->size(), QSize(528, 544));
        QCOMPARE(app.window->frameGeometry().top(), 0);

        // Ctrl+click still corrects the game that the click hits.
        QVERIFY(enterPair(app.program, 1, 2, 2));
        app.window->mirror();
        app.dialogs.inputAnswers.push_back(std::string("5"));
        app.clickLabel("PKT_1", Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(app.text("SP1_1"), QStringLiteral("5"));
    }

    void resizingTheWindowScalesTheDrawingArea() {
        AppFixture app;
        app.menu(10)->trigger();
        const QSize chrome = app.window->size() - app.pad()->size();
        app.window->resize(chrome + QSize(825, 850));
        QCoreApplication::processEvents();
        QCOMPARE(app.program.shell.zoom, 1.25);
        QCOMPARE(app.widget("OKB")->geometry(), QRect(38, 313, 137, 62));
        QCOMPARE(app.place("SPsum_4"), QRect(703, 723, 100, 25));
        // Wider than the pad: the height limits, the status bar's filler grows.
        app.window->resize(chrome + QSize(1100, 850));
        QCoreApplication::processEvents();
        QCOMPARE(app.program.shell.zoom, 1.25);
        QCOMPARE(panelWidth(app, 3), 1100 - scaledLength(645, 1.25));
    }

    void aStatusTextThatDoesNotFitIsElidedAndWholeInItsTooltip() {
        AppFixture app;
        app.menu(10)->trigger();
        auto* dealer = app.widget<StatusPanelLabel>("STB_2");
        QVERIFY(!dealer->elided());
        QVERIFY(dealer->toolTip().isEmpty());
        QVERIFY(editName(app.program, 1, "Maximiliane von Hohenberg"));
        app.window->mirror();
        QCOMPARE(dealer->text(), QStringLiteral("Geber: Maximiliane von Hohenberg"));
        QVERIFY(dealer->elided());
        QCOMPARE(dealer->toolTip(), dealer->text());
        QCOMPARE(dealer->width(), 130);
    }

    void aLargeDesktopFontLeavesThePadAsLaidOut() {
        const QFont desktop = QApplication::font();
        QFont large = desktop;
        large.setPointSize(14);
        QApplication::setFont(large);
        {
            AppFixture app;
            app.menu(10)->trigger();
            QVERIFY(app.pad()->padFont().pixelSize() <= 13);
            auto* strafpunkte = app.widget<QRadioButton>("MDS_3");
            const int indicator =
                strafpunkte->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                strafpunkte->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
            QVERIFY(strafpunkte->fontMetrics().horizontalAdvance(strafpunkte->text()) + indicator <=
                    strafpunkte->width());
            auto* pair = app.widget<QRadioButton>("WER1_1");
            QVERIFY(pair->fontMetrics().horizontalAdvance(pair->text()) + indicator <=
                    pair->width());
            for (int k = 1; k <= 7; ++k) {
                auto* panel = app.widget<StatusPanelLabel>(
                    QStringLiteral("STB_%1").arg(k).toLatin1().constData());
                QVERIFY2(!panel->elided(), qPrintable(panel->text()));
            }
            QCOMPARE(app.pad()->size(), QSize(660, 680));
        }
        QApplication::setFont(desktop);
    }

    void menusOpenByTheirAltLettersAndF10() {
        AppFixture app;
        QCOMPARE(app.window->findChild<QMenu*>(QStringLiteral("menu_0"))->title(),
                 QStringLiteral("&Datei"));
        QTest::keyClick(app.window.get(), Qt::Key_D, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QCOMPARE(popup->objectName(), QStringLiteral("menu_0"));
        popup->close();
        QTest::keyClick(app.window.get(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("menu_16"));
        QApplication::activePopupWidget()->close();
        QTest::keyClick(app.widget("OKB"), Qt::Key_F10);
        QVERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("menu_0"));
        QApplication::activePopupWidget()->close();
        QVERIFY(app.program.pad.autosaveEnabled);  // Alt+letters toggle nothing

        // Mirroring the model keeps the letters of the entries.
        auto* load = app.window->findChild<QAction*>(QStringLiteral("menu_1"));
        const QString withLetter = load->text();
        QVERIFY(withLetter.contains(QLatin1Char('&')));
        app.window->mirror();
        QCOMPARE(load->text(), withLetter);
    }

    void f1OpensTheHelpAndTheOwnViewerWhenTheDesktopCannot() {
        AppFixture app;
        QTest::keyClick(app.window.get(), Qt::Key_F1);
        QCOMPARE(app.desktop.opened.size(), std::size_t(1));
        QVERIFY(!app.window->helpWindow());

        QFile page(qstr(app.program.shell.helpFile));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><h1>Kartotrix-Hilfe</h1></body></html>");
        page.close();
        app.desktop.refuse = true;
        QTest::keyClick(app.widget("OKB"), Qt::Key_F1);
        QWidget* viewer = app.window->helpWindow();
        QVERIFY(viewer && viewer->isVisible());
        auto* browser = viewer->findChild<QTextBrowser*>(QStringLiteral("help_browser"));
        QCOMPARE(browser->source(), QUrl::fromLocalFile(page.fileName()));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Kartotrix-Hilfe")));

        page.remove();
        app.menu(22)->trigger();
        QVERIFY(browser->toPlainText().contains(QStringLiteral("wurde nicht gefunden")));
        QCOMPARE(app.desktop.opened.size(), std::size_t(3));

        // Escape and Ctrl+W close it.
        viewer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
        app.menu(22)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QTest::keyClick(browser, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!viewer->isVisible());
    }

    void assistiveTechnologyReadsCellsAndFields() {
        AppFixture app;
        app.menu(11)->trigger();
        QVERIFY(editName(app.program, 3, "Anna"));
        QVERIFY(enterPair(app.program, 3, 4, 2));
        app.window->mirror();
        QAccessibleInterface* area = QAccessible::queryAccessibleInterface(app.pad());
        QAccessibleInterface* found = nullptr;
        for (int i = 0; i < area->childCount(); ++i) {
            QAccessibleInterface* child = area->child(i);
            QCOMPARE(area->indexOfChild(child), i);
            if (child->text(QAccessible::Name) == QStringLiteral("Spiel 1, Anna: 2")) found = child;
        }
        QVERIFY(found);
        QCOMPARE(area->childAt(found->rect().center().x(), found->rect().center().y()), found);
        QVERIFY(labelInterface(app, "CNT_34")->state().invisible);
        QCOMPARE(app.widget("NMS_3")->accessibleName(), QStringLiteral("Spieler 3"));
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(app.widget("NMS_3"));
        QCOMPARE(field->text(QAccessible::Value), QStringLiteral("Anna"));
        for (QWidget* w : app.pad()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
