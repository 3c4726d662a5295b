#pragma once

#include <QDialog>
#include <QElapsedTimer>
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
class QStringListModel;

namespace kx {

class HelpBrowser;
class NetPhoneView;
class QtBoard;
class PadArea;
class QtExtras;
class QtValueWindow;
class QuickEntryBar;
class StatusPanelLabel;
class StatusStrip;

// The main window: the menu bar, the drawing area (which paints the model's
// labels itself) with one Qt widget per other control of the window model,
// and the status bar. It forwards what the user does to the handlers and then
// mirrors the model back into the widgets; it holds no state of its own
// beyond the widgets and what it last applied of the window's geometry.
//
// Geometry: the window is sized and placed before it is first shown; once the
// window manager has put its frame around it, the real frame, title-bar and
// menu-bar metrics are read and the frame (not the client area) is put at the
// place the model gives.
class MainWindow : public QMainWindow, public WindowHost {
    Q_OBJECT
  public:
    // services.host is set to this window; the other services come from the caller.
    MainWindow(Program& program, Services services, QString makerHost);
    ~MainWindow() override;

    // Copies the window model into the widgets.
    void mirror();
    PadArea* padArea() const { return padArea_; }
    // "Die Tafel", once opened.
    QWidget* boardWindow() const;

    // WindowHost
    void requestClose() override;
    void setBusy(bool busy) override;
    void runModal(SecondaryWindow window) override;
    void closeWindow(SecondaryWindow window) override;
    void showHelpWindow(const std::string& path) override;

    // The secondary window on screen, if any (for tests).
    QDialog* secondaryWindow() const { return secondary_; }
    // The program's own help window, once shown.
    QWidget* helpWindow() const { return helpWindow_; }
    // The window "Spielwert", once opened.
    QDialog* valueWindow() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
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
    void mirrorNameSuggestions();
    void showRowMenu(int row, QPoint at);
    void focusQuickEntry();
    bool typedIntoQuickEntry(QObject* receiver, const QKeyEvent& key);
    ScreenMetrics measure() const;
    QPoint screenOrigin() const;
    void applyGeometry(bool move);
    void setPadScale(double s);
    void padResized();
    void windowMoved();
    void settleFrame();
    bool sizeOnItsWay();
    bool keyPressed(QObject* watched, const QKeyEvent& key);
    bool isNameField(const QObject* object) const;
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
    QuickEntryBar* quickBar_ = nullptr;
    StatusStrip* statusStrip_ = nullptr;
    QStringListModel* nameSuggestions_ = nullptr;  // what the name fields complete from
    std::vector<StatusPanelLabel*> panels_;
    QPointer<QDialog> secondary_;
    QPointer<QWidget> helpWindow_;
    HelpBrowser* helpBrowser_ = nullptr;
    int busyDepth_ = 0;
    std::unique_ptr<QtExtras> extras_;  // the windows of "Extras"
    std::unique_ptr<QtValueWindow> valueWindow_;
    std::unique_ptr<QtBoard> board_;           // "Die Tafel"
    std::unique_ptr<NetPhoneView> phoneView_;  // "Auf Handys zeigen…"
    Rect appliedFrame_;                        // the model's frame as last applied or reported
    double statusScale_ = -1.0;                // the zoom the status bar's font was chosen for
    bool applying_ = false;      // the program itself is resizing or moving the window
    bool framePending_ = false;  // the window manager's frame is not known yet
    QSize requested_;            // the client size last asked for, until it arrives
    QElapsedTimer requestedAt_;
};

}  // namespace kx
