#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "MainWindow.h"
#include "PadArea.h"
#include "QtServices.h"
#include "platform/PlatformFileSystem.h"
#include "support/TestProgram.h"
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
    QAction* menu(int entry) const {
        return window->findChild<QAction*>(QStringLiteral("menu_%1").arg(entry));
    }
    // A menu entry's text as the user reads it, without the marker of its letter.
    QString caption(int entry) const { return menu(entry)->text().remove(QLatin1Char('&')); }
    PadArea* pad() const { return window->padArea(); }

    // A label the drawing area paints (a pad cell, heading or caption).
    Control& label(const char* name) {
        Control* c = program.ui.find(name);
        if (!c || c->kind != ControlKind::Label) qFatal("no painted label %s", name);
        return *c;
    }
    // The text of a status panel or of a painted label.
    QString text(const char* name) {
        if (auto* panel = widget<QLabel>(name)) return panel->text();
        return qstr(label(name).text);
    }
    // Whether a widget or a painted label is on screen.
    bool shown(const char* name) {
        if (QWidget* w = widget(name)) return w->isVisible();
        return label(name).visible && pad()->isVisible();
    }
    // Where a painted label stands in the drawing area.
    QRect place(const char* name) { return pad()->placeOf(label(name).rect); }
    // A click where the drawing area shows the label.
    void clickLabel(const char* name, Qt::MouseButton button,
                    Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(pad(), button, modifiers, place(name).center());
    }

    void click(const char* name) const {
        QWidget* w = widget(name);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
    }
    // Steps through a list with the Down key until `item` is chosen.
    void choose(const char* list, const QString& item) const {
        auto* box = widget<QComboBox>(list);
        const int target = box->findText(item);
        box->setFocus();
        while (box->currentIndex() < target)
            QTest::keyClick(box, Qt::Key_Down);
    }
    // The colour a widget or label is painted with, a few pixels inside its left edge.
    QColor paintedColour(const char* name) {
        if (QWidget* w = widget(name)) return w->grab().toImage().pixelColor(4, 8);
        return pad()->grab(place(name)).toImage().pixelColor(4, 8);
    }
};

}  // namespace kx::test
