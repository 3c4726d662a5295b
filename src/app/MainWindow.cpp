#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTime>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

#include "BoardWindow.h"
#include "ExtrasWindows.h"
#include "HelpBrowser.h"
#include "PadArea.h"
#include "QtServices.h"
#include "QuickEntryBar.h"
#include "StatusStrip.h"
#include "ValueWindow.h"
#include "core/Correction.h"
#include "net/NetPhoneView.h"
#include "view/Accessibility.h"
#include "view/Commands.h"
#include "view/MainWindow.h"
#include "view/QuickEntry.h"
#include "view/RowMenu.h"
#include "view/SecondaryWindows.h"
#include "view/UserActions.h"
#include "view/WindowFit.h"

namespace kx {

namespace {

int shiftBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= SHIFT_BIT;
    if (modifiers & Qt::ControlModifier) bits |= CTRL_BIT;
    if (modifiers & Qt::AltModifier) bits |= ALT_BIT;
    return bits;
}

// The virtual-key code of a Qt key, or 0 for a key the program does not know.
// Letters and digits are the same in both.
int virtualKey(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return KEY_F1 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return KEY_BACKSPACE;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return KEY_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return KEY_RETURN;
        case Qt::Key_Escape:
            return KEY_ESCAPE;
        // The key that carries "+" (and "=" on US layouts) is one virtual key.
        case Qt::Key_Plus:
            return keypad ? KEY_NUMPAD_ADD : KEY_PLUS;
        case Qt::Key_Equal:
            return KEY_PLUS;
        case Qt::Key_Minus:
            return keypad ? KEY_NUMPAD_SUBTRACT : KEY_MINUS;
        default:
            return 0;
    }
}

QColor colourOf(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// A player's name above the pad: paper-coloured (or in the place colour) with
// a rule below. Entering it selects the name, so typing replaces it. Without
// the focus a name too long for the field shows its beginning, ended with
// "…", and whole in the tooltip.
class NameField : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

    // Whether the name is too long to show whole.
    bool cut() const { return fontMetrics().horizontalAdvance(text()) > textRoom().width(); }

  protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return QLineEdit::event(event);
        if (!cut()) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        const Qt::FocusReason reason = event->reason();
        // A click places the cursor after focusing; the selection follows it.
        selectOnPress_ = reason == Qt::MouseFocusReason;
        if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason)
            selectAll();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        // The name is shown from its beginning again, not from where typing ended.
        if (event->reason() != Qt::PopupFocusReason) setCursorPosition(0);
    }
    void mousePressEvent(QMouseEvent* event) override {
        QLineEdit::mousePressEvent(event);
        if (selectOnPress_) selectAll();
        selectOnPress_ = false;
    }
    void paintEvent(QPaintEvent* event) override {
        if (hasFocus() || !cut()) {
            QLineEdit::paintEvent(event);
        } else {
            QPainter painter(this);
            painter.fillRect(rect(), palette().brush(QPalette::Base));
            painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::Text));
            const QRect room = textRoom();
            painter.drawText(room, Qt::AlignCenter,
                             fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
        }
        QPainter painter(this);
        const int rule = std::max(1, height() / 10);
        painter.fillRect(0, height() - rule, width(), rule, QColor(0x22, 0x22, 0x22));
    }

  private:
    // Where the line edit puts its text (it keeps 2 pixels at either side).
    QRect textRoom() const {
        QStyleOptionFrame option;
        initStyleOption(&option);
        return style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, this)
            .marginsRemoved(textMargins())
            .adjusted(2, 0, -2, 0);
    }

    bool selectOnPress_ = false;
};

// A secondary window whose Escape key means its cancel button, if it has one.
class SecondaryDialog : public QDialog {
  public:
    using QDialog::QDialog;
    QAbstractButton* cancelButton = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && cancelButton) {
            cancelButton->click();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

}  // namespace

MainWindow::MainWindow(Program& program, Services services, QString makerHost)
    : program_(program),
      makerHost_(std::move(makerHost)),
      extras_(std::make_unique<QtExtras>(this)),
      valueWindow_(std::make_unique<QtValueWindow>(this, [this] { mirror(); })),
      board_(std::make_unique<QtBoard>(this)),
      phoneView_(std::make_unique<NetPhoneView>()) {
    services.host = this;
    services.board = board_.get();
    services.phone = phoneView_.get();
    services.extras = extras_.get();
    services.valueWindow = valueWindow_.get();
    program_.services = services;
    setObjectName(QStringLiteral("frm0_window"));
    padArea_ = new PadArea(program_, this);
    padArea_->setMouseTracking(true);
    setCentralWidget(padArea_);

    frm0_Load(program_, measure());
    createMenu();
    createControls();
    createStatusBar();
    // The bars exist now: their real heights replace the estimate.
    frm0_WinIniChange(program_, measure());
    qApp->installEventFilter(this);
    // A new resolution or a panel that comes or goes refits the window.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        connect(s, &QScreen::availableGeometryChanged, this, [this] {
            frm0_DisplayChange(program_, measure());
            applyGeometry(false);
        });
    }
    applyGeometry(true);
    framePending_ = true;
    mirror();
}

MainWindow::~MainWindow() {
    program_.services.extras = nullptr;
    program_.services.valueWindow = nullptr;
    program_.services.board = nullptr;
    program_.services.phone = nullptr;
    // The widgets go after this body; a name field that loses the focus then
    // must not reach a half-destroyed window.
    qApp->removeEventFilter(this);
    for (QWidget* widget : widgets_)
        widget->disconnect(this);
    delete helpWindow_;
}

void MainWindow::createMenu() {
    QMenu* menu = nullptr;
    actions_.assign(program_.ui.menu.size(), nullptr);
    const std::vector<int> mnemonics = menuMnemonics(program_.ui);
    for (int i : menuBarOrder(program_.ui)) {
        const MenuEntry& entry = program_.ui.menu[static_cast<std::size_t>(i)];
        const QString caption =
            qstr(captionWithMnemonic(entry.caption, mnemonics[static_cast<std::size_t>(i)]));
        switch (entry.role) {
            case MenuRole::Title:
                menu = menuBar()->addMenu(caption);
                menu->setObjectName(QStringLiteral("menu_%1").arg(i));
                break;
            case MenuRole::Separator:
                if (menu) menu->addSeparator();
                break;
            case MenuRole::End:
                menu = nullptr;
                break;
            case MenuRole::Unused:
                break;
            case MenuRole::Command: {
                if (!menu) break;
                QString text = caption;
                if (!entry.hint.empty()) text += QLatin1Char('\t') + qstr(entry.hint);
                QAction* action = menu->addAction(text);
                action->setObjectName(QStringLiteral("menu_%1").arg(i));
                action->setCheckable(entry.checkable);
                connect(action, &QAction::triggered, this, [this, i] {
                    frm0_MenuEvent(program_, i);
                    mirror();
                    if (i == CMD_QUICK_ENTRY) focusQuickEntry();
                });
                actions_[static_cast<std::size_t>(i)] = action;
                break;
            }
        }
    }
}

void MainWindow::createStatusBar() {
    statusStrip_ = new StatusStrip(this);
    setStatusBar(statusStrip_);
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& model = program_.ui.STB[static_cast<std::size_t>(k)];
        auto* panel = new StatusPanelLabel(statusStrip_);
        panel->setObjectName(QStringLiteral("STB_%1").arg(k));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        // Panel 1's own display setting: the version stands centred.
        panel->setAlignment(k == 1 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        panel->setFitsText(model.fitsText);
        statusStrip_->addPanel(panel);
        panels_.push_back(panel);
        if (model.clock) {
            auto* timer = new QTimer(panel);
            const auto tick = [panel] {
                panel->setPanelText(QTime::currentTime().toString(QStringLiteral("H:mm:ss")));
            };
            connect(timer, &QTimer::timeout, panel, tick);
            // The clock's tick brings the elapsed time up to date as well.
            connect(timer, &QTimer::timeout, this, [this] {
                STB_Tick(program_);
                mirrorStatus();
            });
            timer->start(500);
            tick();
        }
    }
    statusStrip_->places = [this](int width) {
        return statusPanelPlaces(program_.ui, width, program_.shell.zoom);
    };
    statusStrip_->setPanelFont(padArea_->padFontAt(program_.shell.zoom));
    statusScale_ = program_.shell.zoom;

    quickBar_ = new QuickEntryBar(program_, statusStrip_);
    quickBar_->hide();
    statusStrip_->setOverlay(quickBar_);
    connect(quickBar_, &QuickEntryBar::modelChanged, this, [this] { mirror(); });
}

void MainWindow::createControls() {
    for (Control* control : program_.ui.controls()) {
        if (control->kind == ControlKind::Label) continue;  // the drawing area paints these
        QWidget* widget = createWidget(*control);
        widget->setObjectName(qstr(control->objectName()));
        widget->setAccessibleName(qstr(kx::accessibleName(program_, *control)));
        widget->setStyle(padArea_->controlStyle());
        widget->setMouseTracking(true);
        controlOf_.insert(widget, control);
        controls_.push_back(control);
        widgets_.push_back(widget);
        connectWidget(*control, widget);
        shadows_.emplace_back();  // nothing mirrored yet
    }
    for (auto it = groups_.begin(); it != groups_.end(); ++it) {
        const std::string group = stdstr(it.key());
        connect(it.value(), &QButtonGroup::idClicked, this, [this, group](int id) {
            clickOption(program_, group, id);
            mirror();
        });
    }
    padArea_->adoptLabels();
    padArea_->onLabelPressed = [this](Control& label, int button, int shift, int x, int y) {
        if (label.name == "PKT")
            PKT_MouseDown(program_, label.index, button, shift, x, y);
        else if (label.name == "SPL")
            SPL_MouseDown(program_, label.index, button, shift, x, y);
        else
            return;
        mirror();
    };
    padArea_->onRowMenu = [this](int row, QPoint at) { showRowMenu(row, at); };
    padArea_->onResized = [this] { padResized(); };
}

// The row's corrections as a popup menu; the one chosen runs as a Ctrl+click would.
void MainWindow::showRowMenu(int row, QPoint at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("rowMenu"));
    std::vector<std::pair<QAction*, RowMenuCommand>> commands;
    for (const RowMenuEntry& entry : rowMenu(program_, row)) {
        QAction* action = menu.addAction(qstr(entry.caption));
        action->setObjectName(entry.command == RowMenuCommand::Points
                                  ? QStringLiteral("rowMenu_points")
                                  : QStringLiteral("rowMenu_players"));
        action->setEnabled(entry.enabled);
        commands.emplace_back(action, entry.command);
    }
    QAction* chosen = menu.exec(at);
    for (const auto& [action, command] : commands) {
        if (action != chosen) continue;
        rowMenuChosen(program_, row, command);
        mirror();
    }
}

QWidget* MainWindow::createWidget(Control& control) {
    switch (control.kind) {
        case ControlKind::OptionButton: {
            auto* button = new QRadioButton(padArea_);
            QButtonGroup*& group = groups_[qstr(control.name)];
            if (!group) group = new QButtonGroup(this);
            group->addButton(button, control.index);
            return button;
        }
        case ControlKind::PushButton:
            return new QPushButton(padArea_);
        case ControlKind::DropDown: {
            auto* list = new QComboBox(padArea_);
            list->setMaxVisibleItems(26);
            return list;
        }
        case ControlKind::TextField: {
            auto* field = new NameField(padArea_);
            field->setMaxLength(255);
            // Names of earlier evenings, offered as the user types, most recent first.
            if (!nameSuggestions_) nameSuggestions_ = new QStringListModel(this);
            auto* completer = new QCompleter(nameSuggestions_, field);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            completer->setModelSorting(QCompleter::UnsortedModel);
            completer->setMaxVisibleItems(8);
            field->setCompleter(completer);
            field->setAlignment(Qt::AlignCenter);
            field->setFrame(false);
            QFont bold;  // only the weight: family and size come from the drawing area
            bold.setBold(true);
            field->setFont(bold);
            return field;
        }
        case ControlKind::Label:
            break;
    }
    return nullptr;
}

void MainWindow::connectWidget(Control& control, QWidget* widget) {
    const std::string name = control.name;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this] {
            pressOK(program_);
            mirror();
        });
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        connect(list, &QComboBox::activated, this, [this, name](int item) {
            pickItem(program_, name, item);
            mirror();
        });
    } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        const int index = control.index;
        connect(field, &QLineEdit::textEdited, this, [this, index](const QString& text) {
            editName(program_, index, stdstr(text));
            mirror();
        });
        // A suggestion chosen or stepped to in the list is typed in.
        const auto suggested = [this, index](const QString& text) {
            editName(program_, index, stdstr(text));
            mirror();
        };
        connect(field->completer(), qOverload<const QString&>(&QCompleter::highlighted), this,
                suggested);
        connect(field->completer(), qOverload<const QString&>(&QCompleter::activated), this,
                suggested);
        // Leaving the field completes the rename: one step for undo.
        connect(field, &QLineEdit::editingFinished, this, [this] {
            finishNameEdit(program_);
            mirror();
        });
    }
}

void MainWindow::mirror() {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        mirrorControl(*controls_[i], widgets_[i], shadows_[i]);
    mirrorMenu();
    mirrorStatus();
    mirrorQuickEntry();
    mirrorNameSuggestions();
    mirrorWindow();
    padArea_->sync();
    valueWindow_->refresh();
    publishBoard(program_);
}

QWidget* MainWindow::boardWindow() const {
    return board_->window();
}

QDialog* MainWindow::valueWindow() const {
    return valueWindow_->window();
}

void MainWindow::mirrorNameSuggestions() {
    QStringList names;
    for (const std::string& name : program_.ui.nameSuggestions)
        names.append(qstr(name));
    if (nameSuggestions_ && nameSuggestions_->stringList() != names)
        nameSuggestions_->setStringList(names);
}

void MainWindow::mirrorControl(const Control& c, QWidget* w, std::optional<Control>& shadow) {
    const bool fresh = !shadow;
    if (fresh || c.rect != shadow->rect) w->setGeometry(padArea_->placeOf(widgetRect(c)));
    if (fresh || c.enabled != shadow->enabled) w->setEnabled(c.enabled);
    if (fresh || c.background != shadow->background) {
        QPalette pal = PadArea::paperPalette();
        if (c.background) pal.setColor(QPalette::Base, colourOf(*c.background));
        w->setPalette(pal);
    }
    const bool textChanged = fresh || c.text != shadow->text;
    switch (c.kind) {
        case ControlKind::OptionButton: {
            auto* button = static_cast<QRadioButton*>(w);
            if (textChanged) button->setText(qstr(c.text));
            if (button->isChecked() != c.checked) {
                // An exclusive group does not let its last choice be unchecked.
                QButtonGroup* group = button->group();
                group->setExclusive(false);
                button->setChecked(c.checked);
                group->setExclusive(true);
            }
            break;
        }
        case ControlKind::PushButton:
            if (textChanged) static_cast<QPushButton*>(w)->setText(qstr(c.text));
            break;
        case ControlKind::Label:
            break;
        case ControlKind::TextField: {
            auto* field = static_cast<QLineEdit*>(w);
            if (field->text() != qstr(c.text)) field->setText(qstr(c.text));
            break;
        }
        case ControlKind::DropDown: {
            auto* list = static_cast<QComboBox*>(w);
            if (fresh || c.items != shadow->items) {
                list->clear();
                for (const std::string& item : c.items)
                    list->addItem(qstr(item));
            }
            if (list->currentIndex() != c.selection) list->setCurrentIndex(c.selection);
            break;
        }
    }
    if (fresh || c.visible != shadow->visible) w->setVisible(c.visible);
    shadow = c;
}

void MainWindow::mirrorMenu() {
    // A caption that changes ("Rückgängig: Spiel 7") keeps its menu letter.
    const std::vector<int> mnemonics = menuMnemonics(program_.ui);
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        QAction* action = actions_[i];
        if (!action) continue;
        const MenuEntry& entry = program_.ui.menu[i];
        QString text = qstr(captionWithMnemonic(entry.caption, mnemonics[i]));
        if (!entry.hint.empty()) text += QLatin1Char('\t') + qstr(entry.hint);
        if (action->text() != text) action->setText(text);
        action->setEnabled(entry.enabled);
        if (entry.checkable) action->setChecked(entry.checked);
    }
}

void MainWindow::mirrorStatus() {
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& model = program_.ui.STB[static_cast<std::size_t>(k)];
        if (model.clock) continue;
        panels_[static_cast<std::size_t>(k - 1)]->setPanelText(qstr(model.text));
    }
}

// While open, the quick-entry bar takes the place of the status panels.
void MainWindow::mirrorQuickEntry() {
    const bool open = program_.ui.quickEntry.open;
    const bool wasOpen = !quickBar_->isHidden();
    quickBar_->mirror();
    if (open == wasOpen) return;
    quickBar_->setVisible(open);
    statusStrip_->placePanels();
    if (open)
        focusQuickEntry();
    else if (!focusWidget() || !focusWidget()->isVisible())
        padArea_->setFocus();
}

void MainWindow::focusQuickEntry() {
    if (!program_.ui.quickEntry.open) return;
    QLineEdit* field = quickBar_->field();
    field->setFocus(Qt::ShortcutFocusReason);
    field->deselect();
    field->end(false);
}

// A letter or digit typed while no text field has the focus opens quick
// entry with it.
bool MainWindow::typedIntoQuickEntry(QObject* receiver, const QKeyEvent& key) {
    if (qobject_cast<QLineEdit*>(receiver) ||
        qobject_cast<QLineEdit*>(QApplication::focusWidget()) || !program_.ui.frm0.enabled)
        return false;
    const std::string typed = stdstr(key.text());
    if (!opensQuickEntry(typed, shiftBits(key.modifiers()))) return false;
    openQuickEntry(program_, typed);
    mirror();
    focusQuickEntry();
    return true;
}

void MainWindow::mirrorWindow() {
    const MainWindowState& frm0 = program_.ui.frm0;
    setWindowTitle(qstr(frm0.caption));
    if (frm0.frame != appliedFrame_ || padArea_->scale() != program_.shell.zoom)
        applyGeometry(false);
    if (isEnabled() != frm0.enabled) setEnabled(frm0.enabled);
}

QPoint MainWindow::screenOrigin() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().topLeft() : QPoint();
}

ScreenMetrics MainWindow::measure() const {
    ScreenMetrics m;
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        m.screenWidth = s->geometry().width();
        const QRect work = s->availableGeometry().translated(-s->geometry().topLeft());
        m.workLeft = work.left();
        m.workTop = work.top();
        m.workWidth = work.width();
        m.workHeight = work.height();
    }
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    m.frameWidth = std::max(0, (outer.width() - inner.width()) / 2);
    m.frameHeight = std::max(0, outer.bottom() - inner.bottom());
    m.titleBarHeight = std::max(0, inner.top() - outer.top() - m.frameHeight);
    // Until a window manager has framed the window, its title bar is estimated.
    if (m.titleBarHeight == 0) m.titleBarHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    m.menuBarHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    m.statusBarHeight = statusStrip_ ? statusStrip_->height() : 0;
    return m;
}

void MainWindow::setPadScale(double s) {
    if (padArea_->scale() == s) return;
    padArea_->setScale(s);
    for (std::size_t i = 0; i < controls_.size(); ++i)
        widgets_[i]->setGeometry(padArea_->placeOf(widgetRect(*controls_[i])));
    statusStrip_->placePanels();
}

// Gives the window the frame the model asks for; `move` also puts it there.
void MainWindow::applyGeometry(bool move) {
    applying_ = true;
    if (program_.shell.zoom != statusScale_) {
        statusScale_ = program_.shell.zoom;
        statusStrip_->setPanelFont(padArea_->padFontAt(statusScale_));
        if (statusStrip_->height() != program_.shell.metrics.statusBarHeight) {
            program_.shell.metrics.statusBarHeight = statusStrip_->height();
            fitMainWindow(program_);
        }
    }
    setPadScale(program_.shell.zoom);
    const Rect& f = program_.ui.frm0.frame;
    const ScreenMetrics& m = program_.shell.metrics;
    const QSize client(f.width - 2 * m.frameWidth, f.height - m.titleBarHeight - 2 * m.frameHeight);
    if (size() != client) {
        resize(client);
        requested_ = client;
        requestedAt_.start();
    }
    if (move || f.left != appliedFrame_.left || f.top != appliedFrame_.top)
        QWidget::move(screenOrigin() + QPoint(f.left, f.top));
    appliedFrame_ = f;
    applying_ = false;
}

// The drawing area got a new size the program did not ask for: the user
// resized the window, or the window manager had the last word.
void MainWindow::padResized() {
    if (applying_ || sizeOnItsWay() || !isVisible() || !program_.shell.startupDone) return;
    const QRect outer = frameGeometry();
    const QPoint origin = screenOrigin();
    Rect frame{outer.x() - origin.x(), outer.y() - origin.y(), outer.width(), outer.height()};
    if (framePending_) {  // not at its place yet
        frame.left = program_.ui.frm0.frame.left;
        frame.top = program_.ui.frm0.frame.top;
    }
    frm0_Resize(program_, frame, padArea_->width(), padArea_->height());
    appliedFrame_ = program_.ui.frm0.frame;
    setPadScale(program_.shell.zoom);
}

// After the program resized the window, the window system may still report
// sizes it had before (X11 answers every earlier request in turn); those are
// no user's doing. A size that differs from the request a second later is.
bool MainWindow::sizeOnItsWay() {
    if (!requested_.isValid()) return false;
    if (size() == requested_ || requestedAt_.elapsed() > 1000) {
        requested_ = QSize();
        return false;
    }
    return true;
}

void MainWindow::windowMoved() {
    if (framePending_) return settleFrame();
    if (applying_ || !isVisible() || sizeOnItsWay()) return;
    const QRect outer = frameGeometry();
    const QPoint origin = screenOrigin();
    frm0_Resize(program_,
                Rect{outer.x() - origin.x(), outer.y() - origin.y(), outer.width(), outer.height()},
                padArea_->width(), padArea_->height());
    appliedFrame_ = program_.ui.frm0.frame;
}

// Once the window manager has framed the window, its real metrics replace the
// estimates and the frame goes where the model puts it: on X11 a position set
// before the frame exists places the client area there instead.
void MainWindow::settleFrame() {
    if (!isVisible() || frameGeometry() == geometry()) return;  // no frame yet
    framePending_ = false;
    frm0_WinIniChange(program_, measure());
    applyGeometry(true);
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            windowMoved();
            break;
        default:
            break;
    }
    return handled;
}

// The text fields whose editing keys (Ctrl+A, Ctrl+V, …) are their own: the
// name fields and the quick-entry field.
bool MainWindow::isNameField(const QObject* object) const {
    if (object && quickBar_ && object == quickBar_->field()) return true;
    const Control* control = controlOf_.value(const_cast<QObject*>(object));
    return control && control->name == "NMS";
}

bool MainWindow::belongsHere(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->window() == this;
}

bool MainWindow::keyPressed(QObject* watched, const QKeyEvent& key) {
    const int shift = shiftBits(key.modifiers());
    if (key.key() == Qt::Key_F10 && shift == 0) {
        // F10 opens the menu bar, as on every desktop.
        if (QAction* first = menuBar()->actions().value(0)) menuBar()->setActiveAction(first);
        return true;
    }
    const int code = virtualKey(key);
    if (code == 0) return false;
    if ((isNameField(watched) || isNameField(QApplication::focusWidget())) &&
        nameFieldKeepsKey(code, shift))
        return false;
    if (!frm0_KeyDown(program_, code, shift)) return false;
    mirror();
    if (code == KEY_F2) focusQuickEntry();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (!belongsHere(watched)) break;
            framePending_ = false;  // the user is at work: the window stays where it is
            frm0_KeyPress(program_);
            mirrorStatus();
            if (keyPressed(watched, *static_cast<QKeyEvent*>(event))) return true;
            if (typedIntoQuickEntry(watched, *static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::MouseButtonPress:
            if (belongsHere(watched)) framePending_ = false;
            break;
        case QEvent::MouseMove:
            if (belongsHere(watched) && isEnabled()) {
                frm0_MouseMove(program_);
                mirrorStatus();
            }
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // While a secondary window is open the program waits for it.
    if (secondary_) {
        event->ignore();
        return;
    }
    const bool cancel = frm0_Close(program_);
    mirror();
    if (cancel) {
        event->ignore();
    } else {
        event->accept();
        if (helpWindow_) helpWindow_->close();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowStateChange:
            program_.ui.frm0.windowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
            break;
        case QEvent::FontChange:
        case QEvent::StyleChange:
            if (program_.shell.startupDone) {
                padArea_->refitFont();
                statusScale_ = -1.0;  // the status bar's font is chosen again
                frm0_WinIniChange(program_, measure());
                applyGeometry(false);
            }
            break;
        default:
            break;
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::showHelpWindow(const std::string& path) {
    if (!helpWindow_) {
        helpWindow_ = new QWidget(nullptr, Qt::Window);
        helpWindow_->setObjectName(QStringLiteral("help_window"));
        helpWindow_->setWindowTitle(QStringLiteral("Kartotrix \u2013 Hilfe"));
        auto* layout = new QVBoxLayout(helpWindow_);
        layout->setContentsMargins(0, 0, 0, 0);
        helpBrowser_ = new HelpBrowser(helpWindow_);
        helpBrowser_->setObjectName(QStringLiteral("help_browser"));
        helpBrowser_->setOpenExternalLinks(true);
        layout->addWidget(helpBrowser_);
        // Closes like a dialog or a document window does.
        auto* close = new QShortcut(helpWindow_);
        close->setKeys({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
        connect(close, &QShortcut::activated, helpWindow_, &QWidget::close);
        const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        const QSize room = s ? s->availableGeometry().size() * 9 / 10 : QSize(760, 640);
        helpWindow_->resize(QSize(760, 640).boundedTo(room));
    }
    const QString file = qstr(path);
    if (QFileInfo::exists(file)) {
        helpBrowser_->setPageFolder(QFileInfo(file).absolutePath());
        helpBrowser_->setSource(QUrl::fromLocalFile(file));
    } else {
        helpBrowser_->setPlainText(
            QStringLiteral("Die Hilfedatei \u201e%1\u201c wurde nicht gefunden.")
                .arg(QDir::toNativeSeparators(file)));
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void MainWindow::requestClose() {
    close();
}

void MainWindow::setBusy(bool busy) {
    if (busy && busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!busy && busyDepth_ > 0 && --busyDepth_ == 0) QApplication::restoreOverrideCursor();
}

namespace {

// A secondary window's frame: a picture on the left, the texts on the right,
// the buttons below them.
QVBoxLayout* framedLayout(QDialog* dialog, const QPixmap& picture) {
    auto* outer = new QHBoxLayout(dialog);
    outer->setContentsMargins(18, 18, 18, 14);
    outer->setSpacing(16);
    auto* image = new QLabel(dialog);
    image->setPixmap(picture);
    image->setAlignment(Qt::AlignTop);
    outer->addWidget(image);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    outer->addLayout(texts);
    return texts;
}

QHBoxLayout* buttonRow(QVBoxLayout* texts) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    texts->addSpacing(6);
    texts->addLayout(row);
    return row;
}

}  // namespace

QDialog* MainWindow::buildAbout() {
    auto* dialog = new SecondaryDialog(this);
    dialog->setObjectName(QStringLiteral("frm1"));
    dialog->setWindowTitle(QStringLiteral("\u00dcber Kartotrix"));
    QVBoxLayout* texts = framedLayout(dialog, QApplication::windowIcon().pixmap(64, 64));
    auto* version = new QLabel(qstr(program_.shell.versionText), dialog);
    version->setObjectName(QStringLiteral("lbl1"));
    version->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 16px;"));
    auto* description = new QLabel(qstr(ABOUT_DESCRIPTION), dialog);
    description->setObjectName(QStringLiteral("lbl3"));
    description->setWordWrap(true);
    description->setMinimumWidth(260);
    texts->addWidget(version);
    texts->addWidget(description);
    const QString address = qstr(makerPageAddress(stdstr(makerHost_)));
    if (!address.isEmpty()) {
        auto* link = new QPushButton(address, dialog);
        link->setObjectName(QStringLiteral("about_href"));
        link->setFlat(true);
        link->setCursor(Qt::PointingHandCursor);
        link->setStyleSheet(
            QStringLiteral("color: #1a5fb4; text-decoration: underline; text-align: left;"));
        connect(link, &QPushButton::clicked, this,
                [this] { about_href_Click(program_, stdstr(makerHost_)); });
        texts->addWidget(link);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("about_ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { about_ok_Click(program_); });
    buttonRow(texts)->addWidget(ok);
    return dialog;
}

QDialog* MainWindow::buildQuitConfirmation() {
    auto* dialog = new SecondaryDialog(this);
    dialog->setObjectName(QStringLiteral("frm3"));
    dialog->setWindowTitle(QStringLiteral("Kartotrix"));
    const QIcon question = style()->standardIcon(QStyle::SP_MessageBoxQuestion);
    QVBoxLayout* texts = framedLayout(dialog, question.pixmap(40, 40));
    auto* label = new QLabel(qstr(QUIT_QUESTION), dialog);
    label->setObjectName(QStringLiteral("lbl14"));
    label->setMinimumWidth(200);
    texts->addWidget(label);
    auto* confirm = new QPushButton(QStringLiteral("Beenden"), dialog);
    confirm->setObjectName(QStringLiteral("clse_ok"));
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), dialog);
    cancel->setObjectName(QStringLiteral("clse_cc"));
    cancel->setDefault(true);
    dialog->cancelButton = cancel;
    connect(confirm, &QPushButton::clicked, this, [this] { clse_ok_Click(program_); });
    connect(cancel, &QPushButton::clicked, this, [this] { clse_cc_Click(program_); });
    QHBoxLayout* row = buttonRow(texts);
    row->addWidget(confirm);
    row->addWidget(cancel);
    return dialog;
}

void MainWindow::runModal(SecondaryWindow window) {
    mirror();  // the main window is disabled now
    QDialog* dialog = window == SecondaryWindow::About ? buildAbout() : buildQuitConfirmation();
    secondary_ = dialog;
    QEventLoop loop;
    // Closing the window in any way (its buttons, its close box) ends the wait.
    connect(dialog, &QDialog::finished, &loop, [this, window, &loop] {
        if (window == SecondaryWindow::About)
            frm1_Close(program_);
        else
            frm3_Close(program_);
        loop.quit();
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    if (!program_.shell.dialogClosed) loop.exec();
    dialog->deleteLater();
    secondary_ = nullptr;
    setEnabled(true);
    raise();
    activateWindow();
}

void MainWindow::closeWindow(SecondaryWindow) {
    if (secondary_) secondary_->close();
}

}  // namespace kx
