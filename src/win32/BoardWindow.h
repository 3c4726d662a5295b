#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ChartPainter.h"
#include "view/Board.h"
#include "view/BoardCommands.h"
#include "view/ScoreChart.h"

namespace kx::win {

// "Die Tafel" on the room's screen: a window without frame filling a second
// monitor when there is one, else the main window's monitor, on top. Escape
// closes it, V or Tab switches between the standings and the chart (drawn by
// the chart's own painter). Built when first opened.
class Win32Board : public BoardHost {
  public:
    explicit Win32Board(HWND mainWindow) : main_(mainWindow) {}
    ~Win32Board() override;
    Win32Board(const Win32Board&) = delete;
    Win32Board& operator=(const Win32Board&) = delete;

    void showBoard(Program& p) override;
    void boardChanged(Program& p) override;
    HWND handle() const { return window_; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc);
    void paintBoard(Gdiplus::Graphics& g, int width, int height);

    HWND main_;
    HWND window_ = nullptr;
    std::unique_ptr<GdiPlusSession> gdiPlus_;
    Board board_;
    ScoreChart chart_;
    std::string address_;
    bool showsChart_ = false;
};

}  // namespace kx::win
