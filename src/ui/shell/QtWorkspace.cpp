#include "ui/shell/QtWorkspace.h"

#include <QDesktopServices>
#include <QUrl>

namespace brillex {

bool QtWorkspace::openURL(const std::string& url) {
    const QUrl link(QString::fromStdString(url), QUrl::StrictMode);
    if (!link.isValid()) return false;
    return QDesktopServices::openUrl(link);
}

} // namespace brillex
