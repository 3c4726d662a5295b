#include "BoardWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "ChartPainter.h"
#include "core/Program.h"
#include "net/PhoneServer.h"

namespace kx {

namespace {

QString qstr(const std::string& s) {
    return QString::fromStdString(s);
}

QColor colour(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

const QColor BOARD_BACK(0x1d, 0x2b, 0x36);
const QColor BOARD_INK(0xf2, 0xf2, 0xea);

}  // namespace

BoardWidget::BoardWidget() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("board_window"));
    setWindowTitle(QStringLiteral("Kartotrix \u2013 Tafel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardWidget::setBoard(const Board& board, ScoreChart chart, const std::string& address) {
    // Every change of the pad changes the board's totals or texts.
    if (board == board_ && address == address_) return;
    if (address != address_) code_ = address.empty() ? decltype(code_){} : qrModules(address);
    board_ = board;
    scoreChart_ = std::move(chart);
    address_ = address;
    update();
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            return;
        case Qt::Key_V:
        case Qt::Key_Tab:
            chart_ = !chart_;
            update();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void BoardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (chart_) {
        painter.fillRect(rect(), Qt::white);
        paintScoreChart(painter, size(), scoreChart_);
        return;
    }
    painter.fillRect(rect(), BOARD_BACK);
    paintBoard(painter);
}

void BoardWidget::paintBoard(QPainter& p) {
    const int w = width(), h = height();
    const int margin = h / 30;
    const int n = static_cast<int>(board_.players.size());
    // Lines of text: the progress, a row per player, three lines below.
    const int lineH = h / (std::max(n, 4) + 5);
    QFont font = p.font();
    const auto sized = [&](double factor, bool bold) {
        font.setPixelSize(std::max(8, static_cast<int>(lineH * factor)));
        font.setBold(bold);
        p.setFont(font);
    };
    const int codeSide = address_.empty() ? 0 : std::min(w / 4, h / 2);
    const int textRight = w - margin - (codeSide ? codeSide + margin : 0);
    p.setPen(BOARD_INK);
    sized(0.6, true);
    if (!board_.padOpen) {
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Noch kein Block"));
        return;
    }
    int y = margin;
    p.drawText(QRect(margin, y, textRight - margin, lineH), Qt::AlignLeft | Qt::AlignVCenter,
               qstr(board_.progress));
    p.setPen(QColor(0xff, 0xc0, 0x60));
    p.drawText(QRect(margin, y, textRight - margin, lineH), Qt::AlignRight | Qt::AlignVCenter,
               qstr(board_.bock));
    y += lineH;
    for (const BoardPlayer& pl : board_.players) {
        const QRect band(margin, y + lineH / 12, textRight - margin, lineH - lineH / 6);
        p.setPen(Qt::NoPen);
        p.setBrush(colour(pl.colour));
        p.drawRoundedRect(band, lineH / 8, lineH / 8);
        p.setPen(Qt::black);
        const int pad = lineH / 4;
        QRect inner = band.adjusted(pad, 0, -pad, 0);
        sized(0.45, false);
        p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, qstr(pl.place));
        inner.setLeft(inner.left() + lineH);
        sized(0.55, true);
        const QString total = QString::number(pl.total);
        p.drawText(inner, Qt::AlignRight | Qt::AlignVCenter, total);
        const int totalWidth = p.fontMetrics().horizontalAdvance(QStringLiteral("-0000"));
        QRect nameRect = inner.adjusted(0, 0, -totalWidth - pad, 0);
        sized(0.5, false);
        const QString name =
            p.fontMetrics().elidedText(qstr(pl.name), Qt::ElideRight, nameRect.width() * 2 / 3);
        p.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
        sized(0.3, false);
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.drawText(nameRect, Qt::AlignRight | Qt::AlignVCenter, qstr(pl.marks));
        y += lineH;
    }
    p.setPen(BOARD_INK);
    sized(0.42, false);
    const QStringList lines{
        qstr(board_.dealer +
             (board_.sitsOut.empty() || board_.dealer.empty() ? "" : "   \xC2\xB7   ") +
             board_.sitsOut),
        board_.lastGame.empty() ? QString() : QStringLiteral("Zuletzt: ") + qstr(board_.lastGame)};
    y += lineH / 3;
    for (const QString& line : lines) {
        p.drawText(QRect(margin, y, textRight - margin, lineH), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(line, Qt::ElideRight, textRight - margin));
        y += lineH;
    }
    if (codeSide) paintCode(p, QRect(w - margin - codeSide, margin, codeSide, h - 2 * margin));
}

void BoardWidget::paintCode(QPainter& p, QRect area) {
    const int modules = static_cast<int>(code_.size());
    const int side = area.width();
    if (modules > 0) {
        // Four modules of quiet zone on each side.
        const int cell = side / (modules + 8);
        const int codeSide = cell * (modules + 8);
        const QRect square(area.left(), area.top(), codeSide, codeSide);
        p.fillRect(square, Qt::white);
        for (int y = 0; y < modules; ++y)
            for (int x = 0; x < modules; ++x)
                if (code_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])
                    p.fillRect(square.left() + (x + 4) * cell, square.top() + (y + 4) * cell, cell,
                               cell, Qt::black);
        area.setTop(square.bottom() + side / 20);
    }
    QFont font = p.font();
    font.setPixelSize(std::max(8, side / 16));
    font.setBold(false);
    p.setFont(font);
    p.setPen(BOARD_INK);
    p.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere,
               QStringLiteral("Auf dem Handy:\n") + qstr(address_));
}

QtBoard::~QtBoard() {
    delete widget_;
}

void QtBoard::showBoard(Program& p) {
    if (!widget_) {
        widget_ = new BoardWidget;
        // The second monitor when there is one, else the main window's, on top.
        const QList<QScreen*> screens = QGuiApplication::screens();
        QScreen* here = main_->screen();
        QScreen* target = here;
        for (QScreen* s : screens)
            if (s != here) target = s;
        if (target == here) widget_->setWindowFlag(Qt::WindowStaysOnTopHint);
        widget_->setGeometry(target->geometry());
    }
    boardChanged(p);
    widget_->showFullScreen();
    widget_->raise();
    widget_->activateWindow();
}

void QtBoard::boardChanged(Program& p) {
    if (!widget_) return;
    widget_->setBoard(boardOf(p), scoreChart(p.pad), p.shell.phoneAddress);
}

}  // namespace kx
