#pragma once

#include <QDialog>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

#include "core/Program.h"

class QAbstractButton;
class QAction;
class QButtonGroup;
class QKeyEvent;

class QLabel;

namespace kx {

class PadArea;
class QtExtras;
class QuickEntryBar;

// The main window: one Qt widget per control of the window model, the menu
// bar and the status bar. It forwards what the user does to the handlers and
// then mirrors the model back into the widgets; it holds no state of its own
// beyond the widgets.
class MainWindow : public QMainWindow, public WindowHost {
    Q_OBJECT
public:
    // services.host is set to this window; the other services come from the caller.
    MainWindow(Program& program, Services services, QString makerHost);
    ~MainWindow() override;

    // Copies the window model into the widgets.
    void mirror();
    // Places the window centred at the top of its screen.
    void placeOnScreen();

    // WindowHost
    void requestClose() override;
    void setBusy(bool busy) override;
    void runModal(SecondaryWindow window) override;
    void closeWindow(SecondaryWindow window) override;

    // The secondary window on screen, if any (for tests).
    QDialog* secondaryWindow() const { return secondary_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createMenu();
    void createStatusBar();
    void createControls();
    QWidget* createWidget(Control& control);
    void connectWidget(Control& control, QWidget* widget);
    void mirrorControl(const Control& control, QWidget* widget, std::optional<Control>& shadow);
    void mirrorMenu();
    void mirrorStatus();
    void mirrorWindow();
    void mirrorQuickEntry();
    void focusQuickEntry();
    bool typedIntoQuickEntry(QObject* receiver, const QKeyEvent& key);
    ScreenMetrics measure() const;
    bool belongsHere(QObject* object) const;
    QDialog* buildAbout();
    QDialog* buildQuitConfirmation();

    Program& program_;
    QString makerHost_;
    PadArea* padArea_ = nullptr;
    std::vector<Control*> controls_;
    std::vector<QWidget*> widgets_;
    std::vector<std::optional<Control>> shadows_;  // what the widgets show
    QHash<QObject*, Control*> controlOf_;
    QHash<QString, QButtonGroup*> groups_;
    std::vector<QAction*> actions_;
    std::vector<QLabel*> panels_;
    QuickEntryBar* quickBar_ = nullptr;
    QPointer<QDialog> secondary_;
    int busyDepth_ = 0;
    std::unique_ptr<QtExtras> extras_;  // the windows of "Extras"
};

}  // namespace kx
