#include "HelpBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kx {

void HelpBrowser::setPageFolder(const QString& folder) {
    folder_ = QFileInfo(folder).canonicalFilePath();
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    QUrl url = name;
    if (url.isRelative()) url = source().resolved(name);
    if (!url.isLocalFile() || folder_.isEmpty()) return {};
    // The resolved path, links included, must lie in the page's folder.
    const QFileInfo file(url.toLocalFile());
    const QString path = file.canonicalFilePath();
    if (path.isEmpty() || !path.startsWith(folder_ + QLatin1Char('/'))) return {};
    // isFile() is false for FIFOs, devices and sockets.
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() > MAX_RESOURCE_BYTES) return {};
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return {};
    // Read with a bound: the file may have grown since it was measured.
    const QByteArray bytes = in.read(MAX_RESOURCE_BYTES + 1);
    if (bytes.size() > MAX_RESOURCE_BYTES) return {};
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource ||
        type == QTextDocument::MarkdownResource)
        return QString::fromUtf8(bytes);
    return bytes;
}

}  // namespace kx
