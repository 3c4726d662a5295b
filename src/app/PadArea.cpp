#include "PadArea.h"

#include <QPainter>

#include "core/Program.h"
#include "view/PadRender.h"

namespace kx {

PadArea::PadArea(const Program& program, QWidget* parent) : QWidget(parent), program_(program) {
    setObjectName(QStringLiteral("frm0"));
}

void PadArea::paintEvent(QPaintEvent*) {
    const PaintPlan plan = frm0_Paint(program_);
    QPainter painter(this);
    const QColor back(plan.backColour.red, plan.backColour.green, plan.backColour.blue);
    painter.fillRect(QRect(plan.background.left, plan.background.top, plan.background.width,
                           plan.background.height),
                     back);
    painter.setPen(QPen(Qt::black, 1));
    for (const Line& line : plan.lines) painter.drawLine(line.x1, line.y1, line.x2, line.y2);
}

}  // namespace kx
