#include "QtServices.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace kx {

QString qstr(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string stdstr(const QString& text) {
    return text.toUtf8().toStdString();
}

LocalTime SystemClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(),  t.date().day(),
            t.time().hour(), t.time().minute(), t.time().second()};
}

QtDialogs::QtDialogs(QWidget* parent, std::string startFolder)
    : parent_(parent), startFolder_(qstr(startFolder)) {}

std::optional<std::string> QtDialogs::inputBox(const std::string& caption,
                                               const std::string& prompt) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, qstr(caption), qstr(prompt),
                                                 QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return stdstr(answer);
}

MessageAnswer QtDialogs::messageBox(const std::string& text, const std::string& caption,
                                    MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(caption.empty() ? QStringLiteral("Kartotrix") : qstr(caption));
    box.setText(qstr(text));
    switch (icon) {
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Stop:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::None:
            break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

namespace {

QString padFilter() {
    return QStringLiteral("Hsc-Files (*.hsc);;All Files (*)");
}

}  // namespace

std::string QtDialogs::openFileName() {
    return stdstr(
        QFileDialog::getOpenFileName(parent_, QStringLiteral("Laden"), startFolder_, padFilter()));
}

std::string QtDialogs::saveFileName(const std::string& presetName) {
    // The name comes back as the user typed it; no extension is added.
    QFileDialog dialog(parent_, QStringLiteral("Speichern unter"), startFolder_, padFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(qstr(presetName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    return stdstr(dialog.selectedFiles().first());
}

std::string QtDialogs::saveFileNameFor(const std::string& caption, const std::string& presetName,
                                       const std::string& kind, const std::string& extension) {
    // Exports get their ending added when the user leaves it out.
    const QString filter =
        QStringLiteral("%1 (*.%2);;Alle Dateien (*)").arg(qstr(kind), qstr(extension));
    QFileDialog dialog(parent_, qstr(caption), startFolder_, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(qstr(extension));
    dialog.selectFile(qstr(presetName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    return stdstr(dialog.selectedFiles().first());
}

std::string QtDialogs::folderName(const std::string& caption) {
    return stdstr(QFileDialog::getExistingDirectory(parent_, qstr(caption), startFolder_));
}

QtDesktopShell::QtDesktopShell() : processes_(std::make_unique<QObject>()) {}

QtDesktopShell::~QtDesktopShell() {
    // An opener still running keeps the browser it started (generic xdg-open
    // waits for it); destroying its QProcess would kill it, so it is let go.
    for (QProcess* process : processes_->findChildren<QProcess*>()) {
        process->disconnect();
        process->setParent(nullptr);
    }
}

namespace {

// xdg-open, when the desktop is one where QDesktopServices would run it too
// (not sandboxed, where the portal does the opening).
QString desktopOpener() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    if (qEnvironmentVariableIsSet("FLATPAK_ID") || qEnvironmentVariableIsSet("SNAP"))
        return QString();
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
#else
    return QString();
#endif
}

}  // namespace

bool QtDesktopShell::openAddress(const std::string& address) {
    const QString opener = desktopOpener();
    if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl(qstr(address)));
    auto* process = new QProcess(processes_.get());
    const auto fail = [this, process, address] {
        process->deleteLater();
        if (failed) failed(address);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, fail](int code, QProcess::ExitStatus status) {
                         if (code != 0 || status != QProcess::NormalExit)
                             fail();
                         else
                             process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [fail](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) fail();
                     });
    // Nobody reads what the opener or the browser it starts prints.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(opener, {qstr(address)});
    return true;
}

}  // namespace kx
