#include "ChartPainter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "QtServices.h"

namespace kx {

namespace {

QColor colourOf(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}
QRect rectOf(const Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

QPen seriesPen(const SeriesStyle& style, qreal width) {
    QPen pen(colourOf(style.colour), width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (style.dash) {
        case LineDash::Solid:
            pen.setStyle(Qt::SolidLine);
            break;
        case LineDash::Dash:
            pen.setDashPattern({4, 2});
            break;
        case LineDash::Dot:
            pen.setDashPattern({1.2, 1.6});
            break;
        case LineDash::DashDot:
            pen.setDashPattern({4, 1.6, 1.2, 1.6});
            break;
        case LineDash::DashDotDot:
            pen.setDashPattern({4, 1.6, 1.2, 1.6, 1.2, 1.6});
            break;
        case LineDash::LongDash:
            pen.setDashPattern({8, 2.4});
            break;
    }
    return pen;
}

// A filled marker with a white rim, so that markers on top of each other stay apart.
void drawMarker(QPainter& painter, Marker marker, QPointF at, qreal r, const QColor& colour) {
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(colour);
    QPainterPath path;
    switch (marker) {
        case Marker::Circle:
            path.addEllipse(at, r, r);
            break;
        case Marker::Square:
            path.addRect(QRectF(at.x() - r * 0.9, at.y() - r * 0.9, 1.8 * r, 1.8 * r));
            break;
        case Marker::TriangleUp:
        case Marker::TriangleDown: {
            const qreal s = marker == Marker::TriangleUp ? 1 : -1;
            path.moveTo(at.x(), at.y() - s * r * 1.2);
            path.lineTo(at.x() + r * 1.1, at.y() + s * r * 0.8);
            path.lineTo(at.x() - r * 1.1, at.y() + s * r * 0.8);
            path.closeSubpath();
            break;
        }
        case Marker::Diamond:
            path.moveTo(at.x(), at.y() - r * 1.25);
            path.lineTo(at.x() + r * 1.1, at.y());
            path.lineTo(at.x(), at.y() + r * 1.25);
            path.lineTo(at.x() - r * 1.1, at.y());
            path.closeSubpath();
            break;
        case Marker::Cross: {
            const qreal a = r * 0.45, b = r * 1.15;
            path.addRect(QRectF(at.x() - b, at.y() - a, 2 * b, 2 * a));
            path.addRect(QRectF(at.x() - a, at.y() - b, 2 * a, 2 * b));
            path.setFillRule(Qt::WindingFill);
            path = path.simplified();
            break;
        }
    }
    painter.drawPath(path);
}

QFont chartFont(int pixelSize, bool bold = false) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void paintGrid(QPainter& painter, const ChartGeometry& g) {
    const QRect plot = rectOf(g.plot);
    painter.setFont(chartFont(12));
    for (int value : g.ticks) {
        const int y = g.y(value);
        painter.setPen(
            QPen(value == 0 ? QColor(120, 120, 120) : QColor(225, 228, 232), value == 0 ? 1.5 : 1));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(QColor(70, 70, 70));
        painter.drawText(QRect(plot.left() - 60, y - 9, 52, 18), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value));
    }
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
}

// Bock games: a shaded band behind the point, its mark at the band's foot.
void paintBock(QPainter& painter, const ChartGeometry& g, const ScoreChart& chart) {
    painter.setFont(chartFont(11, true));
    for (const ChartBock& bock : chart.bock) {
        const Rect band = bockBand(g, bock.index, chart.pointCount());
        QColor shade = colourOf(bock.shade);
        shade.setAlpha(150);
        painter.fillRect(QRect(band.left, band.top, band.width, band.height), shade);
        const Rect mark = bockMarkRect(g, bock.index, chart.pointCount());
        painter.setPen(QColor(120, 70, 0));
        painter.drawText(QRect(mark.left, mark.top, mark.width, mark.height), Qt::AlignCenter,
                         qstr(bock.mark));
    }
}

void paintXLabels(QPainter& painter, const ChartGeometry& g, const ScoreChart& chart) {
    painter.setFont(chartFont(12));
    painter.setPen(QColor(70, 70, 70));
    const int n = chart.pointCount();
    const int top = g.plot.top + g.plot.height + 4;
    for (int i = 0; i < n; ++i) {
        // Every labelStep-th label and the last one, which the one before must not crowd.
        if (i != n - 1 && (i % g.labelStep != 0 || n - 1 - i < g.labelStep)) continue;
        const int x = g.x(i, n);
        painter.drawText(QRect(x - 30, top, 60, 18), Qt::AlignHCenter | Qt::AlignTop,
                         qstr(chart.xLabels[static_cast<std::size_t>(i)]));
    }
}

void paintBorders(QPainter& painter, const ChartGeometry& g, const ScoreChart& chart) {
    painter.setFont(chartFont(12, true));
    std::vector<int> widths;
    for (const ChartBorder& border : chart.borders)
        widths.push_back(painter.fontMetrics().horizontalAdvance(qstr(border.label)));
    const std::vector<ChartLabelPlace> places = borderLabelPlaces(g, chart, widths);
    for (std::size_t i = 0; i < chart.borders.size(); ++i) {
        const int x = g.x(chart.borders[i].index, chart.pointCount());
        QPen pen(QColor(90, 90, 90), 1.2, Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(x, g.plot.top, x, g.plot.top + g.plot.height - 1);
        painter.setPen(QColor(60, 60, 60));
        const Rect& r = places[i].rect;
        painter.drawText(QRect(r.left, r.top, r.width, r.height),
                         (places[i].rightOfLine ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop,
                         qstr(chart.borders[i].label));
    }
}

void paintSeries(QPainter& painter, const ChartGeometry& g, const ScoreChart& chart) {
    const int n = chart.pointCount();
    for (const ChartSeries& s : chart.series) {
        QPolygonF line;
        for (int i = 0; i < n; ++i)
            line << QPointF(g.x(i, n), g.y(s.values[static_cast<std::size_t>(i)]));
        painter.setPen(seriesPen(s.style, 2.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
        for (const QPointF& point : line)
            drawMarker(painter, s.style.marker, point, 4.2, colourOf(s.style.colour));
    }
}

void paintLegend(QPainter& painter, const ChartGeometry& g, const ScoreChart& chart) {
    const int players = static_cast<int>(chart.series.size());
    if (players == 0) return;
    const int perRow = std::max(1, g.legend.width / 150);
    const int entryWidth = g.legend.width / std::min(perRow, players);
    painter.setFont(chartFont(14));
    const QFontMetrics metrics(painter.font());
    for (int k = 0; k < players; ++k) {
        const ChartSeries& s = chart.series[static_cast<std::size_t>(k)];
        const int left = g.legend.left + (k % perRow) * entryWidth;
        const int mid = g.legend.top + (k / perRow) * 24 + 12;
        painter.setPen(seriesPen(s.style, 2.6));
        painter.drawLine(left, mid, left + 34, mid);
        drawMarker(painter, s.style.marker, QPointF(left + 17, mid), 4.2, colourOf(s.style.colour));
        painter.setPen(QColor(30, 30, 30));
        const QString name = metrics.elidedText(qstr(s.name), Qt::ElideRight, entryWidth - 50);
        painter.drawText(QRect(left + 42, mid - 10, entryWidth - 46, 20),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
    }
}

}  // namespace

void paintScoreChart(QPainter& painter, QSize size, const ScoreChart& chart) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const ChartGeometry g = chartGeometry(chart, size.width(), size.height());
    painter.setFont(chartFont(17, true));
    painter.setPen(QColor(31, 58, 95));
    painter.drawText(QRect(g.plot.left, 10, g.plot.width, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     qstr(chart.title));
    paintBock(painter, g, chart);
    paintGrid(painter, g);
    paintXLabels(painter, g, chart);
    paintBorders(painter, g, chart);
    if (chart.pointCount() <= 1) {
        painter.setFont(chartFont(15));
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(rectOf(g.plot), Qt::AlignCenter,
                         QStringLiteral("Noch kein Spiel eingetragen"));
    }
    painter.setClipRect(rectOf(g.plot).adjusted(-8, -8, 8, 8));
    paintSeries(painter, g, chart);
    painter.setClipping(false);
    paintLegend(painter, g, chart);
}

QByteArray chartPng(const ScoreChart& chart, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        paintScoreChart(painter, size, chart);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

ScoreChartWidget::ScoreChartWidget(ScoreChart chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)) {
    setObjectName(QStringLiteral("chart"));
    setMinimumSize(560, 360);
}

void ScoreChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintScoreChart(painter, size(), chart_);
}

}  // namespace kx
