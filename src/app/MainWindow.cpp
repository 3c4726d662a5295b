#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include "ExtrasWindows.h"
#include "PadArea.h"
#include "QtServices.h"
#include "QuickEntryBar.h"
#include "core/Correction.h"
#include "view/Commands.h"
#include "view/MainWindow.h"
#include "view/QuickEntry.h"
#include "view/SecondaryWindows.h"
#include "view/UserActions.h"

namespace kx {

namespace {

const char* PAD_STYLE = R"(
QLabel[look="rowlabel"] { color: #5a6470; border-bottom: 1px solid #d5dde5; }
QLabel[look="rowinfo"] { color: #1f3a5f; border-bottom: 1px solid #d5dde5; border-left: 1px solid #d5dde5; }
QLabel[look="cell"] { border-bottom: 1px solid #d5dde5; border-left: 1px solid #d5dde5; padding-right: 6px; }
QLabel[look="total"] { border-top: 2px solid #222; border-left: 1px solid #d5dde5; padding-right: 6px; font-weight: bold; }
QLabel[look="heading"] { font-weight: bold; color: #1f3a5f; }
QLineEdit[look="name"] { border: none; border-bottom: 2px solid #222; font-weight: bold; }
)";

const char* lookName(Look look) {
    switch (look) {
        case Look::Heading: return "heading";
        case Look::NameField: return "name";
        case Look::RowLabel: return "rowlabel";
        case Look::RowInfo: return "rowinfo";
        case Look::PlayerCell: return "cell";
        case Look::Total: return "total";
        case Look::Panel: break;
    }
    return "panel";
}

Qt::Alignment alignmentOf(Look look) {
    switch (look) {
        case Look::PlayerCell:
        case Look::Total: return Qt::AlignRight | Qt::AlignVCenter;
        case Look::Panel: return Qt::AlignLeft | Qt::AlignVCenter;
        default: return Qt::AlignCenter;
    }
}

int shiftBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= SHIFT_BIT;
    if (modifiers & Qt::ControlModifier) bits |= CTRL_BIT;
    if (modifiers & Qt::AltModifier) bits |= ALT_BIT;
    return bits;
}

// The platform's virtual-key code of a Qt key: letters and digits are the
// same; the other keys the logic knows are translated, the rest give 0.
int virtualKey(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return KEY_F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return KEY_BACKSPACE;
        case Qt::Key_Tab: return KEY_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return KEY_RETURN;
        case Qt::Key_Escape: return KEY_ESCAPE;
        default: return 0;
    }
}

int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

// Where a control's widget goes. The player choices sit in columns 50 pixels
// apart; their widgets take the whole column so that "1 / 2" is not cut off.
QRect widgetRect(const Control& c) {
    const bool playerChoice = c.kind == ControlKind::OptionButton && c.name != "MDS";
    return QRect(c.rect.left, c.rect.top, playerChoice ? std::max(c.rect.width, 49) : c.rect.width,
                 c.rect.height);
}

QString styleOf(const std::optional<Rgb>& colour) {
    if (!colour) return QString();
    return QStringLiteral("background-color: rgb(%1, %2, %3);")
        .arg(colour->red)
        .arg(colour->green)
        .arg(colour->blue);
}

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
    : program_(program), makerHost_(std::move(makerHost)), extras_(std::make_unique<QtExtras>(this)) {
    services.host = this;
    services.extras = extras_.get();
    program_.services = services;
    setObjectName(QStringLiteral("frm0_window"));
    padArea_ = new PadArea(program_, this);
    padArea_->setStyleSheet(QString::fromLatin1(PAD_STYLE));
    padArea_->setMouseTracking(true);
    setCentralWidget(padArea_);

    frm0_Load(program_, measure());
    createMenu();
    createStatusBar();
    createControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
    mirror();
}

MainWindow::~MainWindow() {
    program_.services.extras = nullptr;
    // The widgets go after this body; a name field that loses the focus then
    // must not reach a half-destroyed window.
    qApp->removeEventFilter(this);
    for (QWidget* widget : widgets_) widget->disconnect(this);
}

void MainWindow::createMenu() {
    QMenu* menu = nullptr;
    actions_.assign(program_.ui.menu.size(), nullptr);
    for (int i : menuBarOrder(program_.ui)) {
        const MenuEntry& entry = program_.ui.menu[static_cast<std::size_t>(i)];
        switch (entry.role) {
            case MenuRole::Title:
                menu = menuBar()->addMenu(qstr(entry.caption));
                menu->setObjectName(QStringLiteral("menu_%1").arg(i));
                break;
            case MenuRole::Separator:
                if (menu) menu->addSeparator();
                break;
            case MenuRole::End: menu = nullptr; break;
            case MenuRole::Unused: break;
            case MenuRole::Command: {
                if (!menu) break;
                QString text = qstr(entry.caption);
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
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& model = program_.ui.STB[static_cast<std::size_t>(k)];
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("STB_%1").arg(k));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        if (!model.fillsRest) panel->setFixedWidth(model.width);
        bar->addWidget(panel, model.fillsRest ? 1 : 0);
        panels_.push_back(panel);
        if (model.clock) {
            auto* timer = new QTimer(panel);
            const auto tick = [panel] {
                panel->setText(QTime::currentTime().toString(QStringLiteral("H:mm:ss")));
            };
            connect(timer, &QTimer::timeout, panel, tick);
            timer->start(500);
            tick();
        }
    }
    panels_.front()->setStyleSheet(QStringLiteral("color: #1f3a5f;"));

    quickBar_ = new QuickEntryBar(program_, bar);
    bar->addWidget(quickBar_, 1);
    quickBar_->hide();
    connect(quickBar_, &QuickEntryBar::modelChanged, this, [this] { mirror(); });
}

void MainWindow::createControls() {
    controls_ = program_.ui.controls();
    for (Control* control : controls_) {
        QWidget* widget = createWidget(*control);
        widget->setObjectName(qstr(control->objectName()));
        widget->setProperty("look", QString::fromLatin1(lookName(control->look)));
        widget->setMouseTracking(true);
        controlOf_.insert(widget, control);
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
        case ControlKind::PushButton: return new QPushButton(padArea_);
        case ControlKind::DropDown: {
            auto* list = new QComboBox(padArea_);
            list->setMaxVisibleItems(26);
            return list;
        }
        case ControlKind::TextField: {
            auto* field = new QLineEdit(padArea_);
            field->setMaxLength(255);
            field->setAlignment(Qt::AlignCenter);
            return field;
        }
        case ControlKind::Label: break;
    }
    auto* label = new QLabel(padArea_);
    label->setAlignment(alignmentOf(control.look));
    return label;
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
        // Leaving the field completes the rename: one step for undo.
        connect(field, &QLineEdit::editingFinished, this, [this] {
            finishNameEdit(program_);
            mirror();
        });
    }
}

void MainWindow::mirror() {
    for (std::size_t i = 0; i < controls_.size(); ++i) mirrorControl(*controls_[i], widgets_[i], shadows_[i]);
    mirrorMenu();
    mirrorStatus();
    mirrorQuickEntry();
    mirrorWindow();
    padArea_->update();
}

void MainWindow::mirrorControl(const Control& c, QWidget* w, std::optional<Control>& shadow) {
    const bool fresh = !shadow;
    if (fresh || c.rect != shadow->rect) w->setGeometry(widgetRect(c));
    if (fresh || c.enabled != shadow->enabled) w->setEnabled(c.enabled);
    if (fresh || c.background != shadow->background) w->setStyleSheet(styleOf(c.background));
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
            if (textChanged) static_cast<QLabel*>(w)->setText(qstr(c.text));
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
                for (const std::string& item : c.items) list->addItem(qstr(item));
            }
            if (list->currentIndex() != c.selection) list->setCurrentIndex(c.selection);
            break;
        }
    }
    if (fresh || c.visible != shadow->visible) w->setVisible(c.visible);
    shadow = c;
}

void MainWindow::mirrorMenu() {
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        QAction* action = actions_[i];
        if (!action) continue;
        const MenuEntry& entry = program_.ui.menu[i];
        QString text = qstr(entry.caption);
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
        QLabel* panel = panels_[static_cast<std::size_t>(k - 1)];
        const QString text = qstr(model.text);
        if (panel->text() != text) panel->setText(text);
    }
}

// While open, the quick-entry bar takes the place of the status panels.
void MainWindow::mirrorQuickEntry() {
    const bool open = program_.ui.quickEntry.open;
    const bool wasOpen = !quickBar_->isHidden();
    quickBar_->mirror();
    if (open == wasOpen) return;
    for (QLabel* panel : panels_) panel->setVisible(!open);
    quickBar_->setVisible(open);
    if (open) focusQuickEntry();
    else if (!focusWidget() || !focusWidget()->isVisible()) padArea_->setFocus();
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
    if (qobject_cast<QLineEdit*>(receiver) || qobject_cast<QLineEdit*>(QApplication::focusWidget()) ||
        !program_.ui.frm0.enabled)
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
    if (padArea_->width() != program_.shell.padWidth || padArea_->height() != PAD_HEIGHT)
        padArea_->setFixedSize(program_.shell.padWidth, PAD_HEIGHT);
    if (isEnabled() != frm0.enabled) setEnabled(frm0.enabled);
}

ScreenMetrics MainWindow::measure() const {
    ScreenMetrics m;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s) m.screenWidth = s->geometry().width();
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    m.frameWidth = std::max(0, (outer.width() - inner.width()) / 2);
    m.frameHeight = std::max(0, outer.bottom() - inner.bottom());
    m.titleBarHeight = std::max(0, inner.top() - outer.top() - m.frameHeight);
    if (m.titleBarHeight == 0) m.titleBarHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    m.menuBarHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    m.statusBarHeight = statusBar()->sizeHint().height();
    return m;
}

void MainWindow::placeOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QPoint origin = s ? s->geometry().topLeft() : QPoint();
    move(origin.x() + program_.ui.frm0.frame.left, origin.y() + program_.ui.frm0.frame.top);
}

bool MainWindow::belongsHere(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->window() == this;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            if (!belongsHere(watched)) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (frm0_KeyDown(program_, virtualKey(key->key()), shiftBits(key->modifiers()))) {
                mirror();
                if (key->key() == Qt::Key_F2) focusQuickEntry();
                return true;
            }
            if (typedIntoQuickEntry(watched, *key)) return true;
            break;
        }
        case QEvent::MouseMove:
            if (belongsHere(watched) && isEnabled()) {
                frm0_MouseMove(program_);
                mirrorStatus();
            }
            break;
        case QEvent::MouseButtonPress: {
            Control* control = controlOf_.value(watched);
            if (!control || (control->name != "PKT" && control->name != "SPL")) break;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            const auto handler = control->name == "PKT" ? PKT_MouseDown : SPL_MouseDown;
            handler(program_, control->index, buttonCode(mouse->button()), shiftBits(mouse->modifiers()),
                    at.x(), at.y());
            mirror();
            break;
        }
        default: break;
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
    if (cancel) event->ignore();
    else event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowStateChange:
            program_.ui.frm0.windowState =
                isMinimized() ? 1 : isMaximized() ? 2 : 0;
            break;
        case QEvent::FontChange:
        case QEvent::StyleChange:
            if (program_.shell.startupDone) frm0_WinIniChange(program_, measure());
            break;
        default: break;
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::requestClose() { close(); }

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
        link->setStyleSheet(QStringLiteral("color: #1a5fb4; text-decoration: underline; text-align: left;"));
        connect(link, &QPushButton::clicked, this, [this] { about_href_Click(program_, stdstr(makerHost_)); });
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
        if (window == SecondaryWindow::About) frm1_Close(program_);
        else frm3_Close(program_);
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
