#pragma once

#include <QWidget>

namespace kx {

struct Program;

// The drawing area of the main window: the pad's background and separator
// lines, with one child widget per control on top.
class PadArea : public QWidget {
    Q_OBJECT
public:
    PadArea(const Program& program, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Program& program_;
};

}  // namespace kx
