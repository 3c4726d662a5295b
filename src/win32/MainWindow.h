#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "NameCompletion.h"
#include "core/Program.h"

namespace kx::win {

class ModalWindow;
class Win32Board;
class Win32ValueWindow;

// The main window: one child window of the Windows API per control of the
// window model, the menu bar and the status bar. It forwards what the user
// does to the handlers and then mirrors the model back into the windows; it
// holds no state of its own beyond the windows.
//
// The model is laid out in pixels of a 96-dpi screen. The window is aware of
// each monitor's DPI and scales every rectangle to it, so it stays sharp;
// the frame, title bar and menu bar are the system's own at that DPI.
class MainWindow : public WindowHost {
  public:
    // services.host is set to this window; the other services come from the caller.
    MainWindow(HINSTANCE instance, Program& program, Services services, std::string makerHost);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    // Places the window centred at the top of the screen and shows it.
    void show(int showCommand);
    // Copies the window model into the windows.
    void mirror();
    // Dispatches events until the window has closed; gives the exit status.
    int run();

    // WindowHost
    void requestClose() override;
    void setBusy(bool busy) override;
    void runModal(SecondaryWindow window) override;
    void closeWindow(SecondaryWindow window) override;
    // The help page as text in a window of the program's own, when Windows
    // has no program that opens it.
    void showHelpWindow(const std::string& path) override;

  private:
    // A control and its window, with what the window shows now.
    struct Widget {
        Control* control = nullptr;
        HWND window = nullptr;
        std::optional<Control> shadow;
        std::string tip;       // the tooltip the window has
        bool dropped = false;  // a list shows its items
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK nameFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK helpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring helpText(const std::string& path);

    void createFonts();
    void applyFonts(BOOL redraw);
    void createMenu();
    void createControls();
    HWND createWidget(const Control& control, int id);

    void createQuickEntry();
    void mirrorControl(Widget& widget);
    void mirrorMenu();
    void mirrorStatus();
    void mirrorWindow();
    void mirrorQuickEntry();
    void showQuickPreview();
    void focusQuickEntry();
    void layoutStatusBar();
    void drawStatusPanel(const DRAWITEMSTRUCT& item);
    void setPanelTip(int panel, const std::wstring& tip);
    void createTips();
    void addTip(HWND tool);
    void setTip(Widget& widget, const std::string& tip);
    std::string tipOf(const Widget& widget);
    bool nameCut(HWND field, const std::wstring& name);
    void paintNameField(HWND field);
    bool showRowMenu(HWND clicked, LPARAM at);
    void layoutQuickEntry();
    void showTimeOfDay();

    // Keys wherever the focus is, the mouse over the window, Ctrl+clicks on rows.
    bool preTranslate(const MSG& message);
    bool keyDown(const MSG& message);
    bool typedIntoQuickEntry(const MSG& message);
    bool onQuickEntryCommand(int id, int code);
    void mouseDown(Widget& widget, const MSG& message);
    void onCommand(WPARAM wParam, LPARAM lParam);
    bool onListNotification(Widget& widget, int code);
    void paint(HDC dc);
    void paintLabel(HWND window, HDC dc);
    HBRUSH controlColours(HWND control, HDC dc);

    ScreenMetrics measure();
    RECT screenFrame() const;
    void applyFrameSize();
    void userResized();
    void applyZoom();
    POINT modelOrigin() const;
    void refit(bool display);
    void dpiChanged(UINT dpi, const RECT& suggested);

    Widget* widgetOf(HWND window);
    bool belongsHere(HWND window) const;
    HBRUSH brush(COLORREF colour);
    // A length of the drawing area on the screen: zoom and DPI applied.
    int px(int pixels) const;
    int systemMetric(int index) const;

    HINSTANCE instance_;
    Program& program_;
    std::string makerHost_;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HMENU menuBar_ = nullptr;
    // Quick entry: while open, these take the place of the status bar.
    HWND quickTitle_ = nullptr;
    HWND quickField_ = nullptr;
    HWND quickPreview_ = nullptr;
    HWND quickTip_ = nullptr;  // the whole preview when it is cut off
    HWND quickClose_ = nullptr;
    HRESULT com_ = E_FAIL;  // COM for this thread, which the name suggestions need
    std::unique_ptr<NameCompletion> completion_;
    std::unique_ptr<Win32Board> board_;  // "Die Tafel", built when first opened
    std::vector<std::string> suggestionsShown_;
    HWND tips_ = nullptr;  // tooltips of the pad's rows, the name fields and the status panels
    std::vector<std::wstring> panelTips_;  // the tooltip each status panel has
    COLORREF previewColour_ = 0;
    UINT dpi_ = 96;
    double appliedZoom_ = 1.0;  // the zoom the windows show
    double scale_ = 1.0;        // the drawing area's scale: the zoom times dpi_ / 96
    POINT monitorOrigin_{};     // the top left corner of the window's monitor
    Rect appliedFrame_{};       // the model's frame the window has
    bool userSized_ = false;    // its size is the user's, not the one the model computed
    bool applying_ = false;     // the window is being sized by the program
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    ScreenMetrics screen_;  // the metrics in device pixels at dpi_
    std::vector<Widget> widgets_;
    std::map<HWND, std::size_t> widgetIndex_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::vector<std::string> statusShadow_;
    std::vector<bool> menuItems_;            // which command numbers have an item
    std::vector<std::string> menuCaptions_;  // the captions the items show
    std::string captionShadow_;
    SIZE modelFrame_{};  // the outer size from the model and the system's metrics
    SIZE frameSize_{};   // the outer size the window has, corrected to the real frame
    bool mirroring_ = false;
    bool swallowAltUp_ = false;
    bool refuseKeyMenu_ = false;  // the Alt release of such a command is on its way
    int busyDepth_ = 0;
    HWND lastFocus_ = nullptr;
    ModalWindow* modal_ = nullptr;
    HWND help_ = nullptr;                            // the help window while it is open
    std::unique_ptr<Win32ValueWindow> valueWindow_;  // "Spielwert"
    HFONT helpFont_ = nullptr;
};

}  // namespace kx::win
