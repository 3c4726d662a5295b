#pragma once

#include <QTextBrowser>

namespace kx {

// The help page's viewer. The page is a file the user can edit, so what it
// points to is loaded only when it is a regular file in the page's own folder
// (or below it) and not larger than a picture of the help would be: a link to
// a FIFO would stall the program, one to /dev/zero would fill its memory.
class HelpBrowser : public QTextBrowser {
  public:
    static constexpr qint64 MAX_RESOURCE_BYTES = 8 * 1024 * 1024;

    using QTextBrowser::QTextBrowser;
    // The folder whose files the page may show; set before the page is loaded.
    void setPageFolder(const QString& folder);
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    QString folder_;
};

}  // namespace kx
