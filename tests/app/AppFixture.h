#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "MainWindow.h"
#include "QtServices.h"
#include "support/TestProgram.h"
#include "platform/PlatformFileSystem.h"
#include "view/MainWindow.h"

namespace kx::test {

// The real main window offscreen, with the clock, the questions and the
// shell answered by fakes.
struct AppFixture {
    QTemporaryDir dir;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    std::unique_ptr<FileSystem> files = makePlatformFileSystem();
    Program program;
    std::unique_ptr<MainWindow> window;

    AppFixture() {
        initProgram(program, stdstr(dir.path()) + "/");
        program.shell.helpFile = stdstr(dir.path()) + "/KartotrixHilfe.html";
        Services services;
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.desktop = &desktop;
        services.files = files.get();
        window = std::make_unique<MainWindow>(program, services, QStringLiteral("www.example.org"));
        window->show();
        QCoreApplication::processEvents();
    }

    template <typename T = QWidget>
    T* widget(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QAction* menu(int entry) const { return window->findChild<QAction*>(QStringLiteral("menu_%1").arg(entry)); }
    QString text(const char* label) const { return widget<QLabel>(label)->text(); }

    void click(const char* name) const {
        QWidget* w = widget(name);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
    }
    // Steps through a list with the Down key until `item` is chosen.
    void choose(const char* list, const QString& item) const {
        auto* box = widget<QComboBox>(list);
        const int target = box->findText(item);
        box->setFocus();
        while (box->currentIndex() < target) QTest::keyClick(box, Qt::Key_Down);
    }
    // The colour a widget is painted with, a few pixels inside its left edge.
    QColor paintedColour(const char* name) const {
        return widget(name)->grab().toImage().pixelColor(4, 8);
    }
};

}  // namespace kx::test
