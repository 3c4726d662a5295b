#pragma once

#include <QPointer>
#include <functional>

#include "view/ValueWindow.h"

class QDialog;
class QWidget;

namespace kx {

class ValueDialog;

// The window "Spielwert" in Qt: one widget per field of the logic's model,
// beside the main window and not modal, so that "OK" on the panel stays at
// hand. It holds the inputs while it lives; closing it only hides it.
class QtValueWindow : public ValueWindowHost {
  public:
    // `panelChanged` mirrors the main window after "Übernehmen".
    QtValueWindow(QWidget* mainWindow, std::function<void()> panelChanged);
    void showValueWindow(Program& p) override;
    // The pad may have changed: the window follows it.
    void refresh();
    // The window once it has been opened (for tests).
    QDialog* window() const;

  private:
    QWidget* mainWindow_;
    std::function<void()> panelChanged_;
    QPointer<ValueDialog> dialog_;
};

}  // namespace kx
