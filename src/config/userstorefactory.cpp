#include "config/userstorefactory.h"

#include "config/regfileuserstore.h"

#ifdef Q_OS_WIN
#include "config/winregistryuserstore.h"

#include <QSettings>
#endif

namespace vex {

std::unique_ptr<UserStore> CreatePlatformUserStore() {
#ifdef Q_OS_WIN
    return std::make_unique<WinRegistryUserStore>();
#else
    return std::make_unique<RegFileUserStore>();
#endif
}

bool ReadThemesActive() {
#ifdef Q_OS_WIN
    QSettings themeManager(
        QStringLiteral(
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"),
        QSettings::NativeFormat);
    if (themeManager.status() != QSettings::NoError) {
        return false;
    }
    return themeManager.value(QStringLiteral("ThemeActive")).toString() != QLatin1String("0");
#else
    return true;
#endif
}

}  // namespace vex
