#include "desktop/helplauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace vex {

namespace {

// A target with a scheme ("http:", "file:") is an address; anything else, a drive letter
// included, is a local path.
QUrl TargetUrl(const QString& target) {
    const QUrl url(target, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().size() > 1) {
        return url;
    }
    return QUrl::fromLocalFile(target);
}

}  // namespace

void DesktopHelpLauncher::openUrl(const QString& target) {
    QDesktopServices::openUrl(TargetUrl(target));
}

void DesktopHelpLauncher::openCompiledHelp(const QString& file, int /*helpContext*/) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace vex
