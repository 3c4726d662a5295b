#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "view/Board.h"
#include "view/BoardCommands.h"
#include "view/ScoreChart.h"

namespace kx {

class PhoneView;

// "Die Tafel" on the room's screen: full-screen on a second monitor when
// there is one, else full-screen on top of everything; Escape closes it, V
// or Tab switches between the standings and the chart. It paints the board
// model (and, while the phone view is on, its address with a QR code).
class BoardWidget : public QWidget {
  public:
    BoardWidget();
    void setBoard(const Board& board, ScoreChart chart, const std::string& address);
    bool showsChart() const { return chart_; }
    const Board& board() const { return board_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab switches the view rather than the focus.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    void paintBoard(QPainter& painter);
    void paintCode(QPainter& painter, QRect area);

    Board board_;
    ScoreChart scoreChart_;
    std::string address_;
    std::vector<std::vector<bool>> code_;
    bool chart_ = false;
};

class QtBoard : public BoardHost {
  public:
    explicit QtBoard(QWidget* mainWindow) : main_(mainWindow) {}
    ~QtBoard() override;
    void showBoard(Program& p) override;
    void boardChanged(Program& p) override;
    // The window, once built (for tests and screenshots).
    BoardWidget* window() const { return widget_; }

  private:
    QWidget* main_;
    QPointer<BoardWidget> widget_;
};

}  // namespace kx
