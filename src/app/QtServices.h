#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/Services.h"

class QWidget;

namespace kx {

QString qstr(const std::string& utf8);
std::string stdstr(const QString& text);

class SystemClock : public Clock {
  public:
    LocalTime now() const override;
};

// Qt's input box, message box and file dialogs, in German.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent, std::string startFolder);
    std::optional<std::string> inputBox(const std::string& caption,
                                        const std::string& prompt) override;
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string openFileName() override;
    std::string saveFileName(const std::string& presetName) override;
    std::string saveFileNameFor(const std::string& caption, const std::string& presetName,
                                const std::string& kind, const std::string& extension) override;
    std::string folderName(const std::string& caption) override;

  private:
    QWidget* parent_;
    QString startFolder_;
};

// Opens addresses with the desktop's opener. On X11 and Wayland desktops
// that is xdg-open, whose failure (no browser installed) shows only in its
// exit status after openAddress has returned: then `failed` is told.
class QtDesktopShell : public DesktopShell {
  public:
    QtDesktopShell();
    ~QtDesktopShell() override;
    bool openAddress(const std::string& address) override;
    std::function<void(const std::string& address)> failed;

  private:
    std::unique_ptr<QObject> processes_;  // parent of the running openers
};

}  // namespace kx
