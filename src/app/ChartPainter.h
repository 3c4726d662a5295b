#pragma once

#include <QByteArray>
#include <QSize>
#include <QWidget>

#include "view/ScoreChart.h"

class QPainter;

namespace kx {

// The score chart drawn with QPainter from the chart's data and geometry:
// no chart library is loaded, so nothing of it costs time before the chart
// is opened.
void paintScoreChart(QPainter& painter, QSize size, const ScoreChart& chart);

inline constexpr QSize CHART_IMAGE_SIZE{1200, 720};
// The chart as PNG bytes; empty when the image could not be encoded.
QByteArray chartPng(const ScoreChart& chart, QSize size = CHART_IMAGE_SIZE);

class ScoreChartWidget : public QWidget {
  public:
    ScoreChartWidget(ScoreChart chart, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ScoreChart chart_;
};

}  // namespace kx
