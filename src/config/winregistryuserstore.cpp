#include "config/winregistryuserstore.h"

#ifdef Q_OS_WIN

#include <QVariant>

namespace vex {

namespace {

const QString kRoot = QStringLiteral("HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\");

}  // namespace

WinRegistryUserStore::WinRegistryUserStore()
    : values_(
          std::make_unique<QSettings>(kRoot + QStringLiteral("Values"), QSettings::NativeFormat)),
      mode_(std::make_unique<QSettings>(kRoot + QStringLiteral("Mode"), QSettings::NativeFormat)) {}

WinRegistryUserStore::~WinRegistryUserStore() = default;

QSettings& WinRegistryUserStore::settings(UserGroup group) const {
    return group == UserGroup::Values ? *values_ : *mode_;
}

bool WinRegistryUserStore::openGroup(UserGroup group) {
    QSettings& s = settings(group);
    return s.isWritable() && s.status() == QSettings::NoError;
}

bool WinRegistryUserStore::exists(UserGroup group, const QString& name) const {
    return settings(group).contains(name);
}

std::optional<QString> WinRegistryUserStore::readText(UserGroup group, const QString& name) const {
    const QVariant v = settings(group).value(name);
    if (!v.isValid()) {
        return QString();
    }
    if (v.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return v.toString();
}

std::optional<quint32> WinRegistryUserStore::readDword(UserGroup group, const QString& name) const {
    const QVariant v = settings(group).value(name);
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::UInt) {
        return v.toUInt();
    }
    return std::nullopt;
}

bool WinRegistryUserStore::writeText(UserGroup group, const QString& name, const QString& text) {
    settings(group).setValue(name, text);
    return true;
}

bool WinRegistryUserStore::writeDword(UserGroup group, const QString& name, quint32 value) {
    settings(group).setValue(name, int(value));
    return true;
}

bool WinRegistryUserStore::deleteValue(UserGroup group, const QString& name) {
    QSettings& s = settings(group);
    if (!s.contains(name)) {
        return false;
    }
    s.remove(name);
    return true;
}

bool WinRegistryUserStore::commit() {
    values_->sync();
    mode_->sync();
    return values_->status() == QSettings::NoError && mode_->status() == QSettings::NoError;
}

}  // namespace vex

#endif  // Q_OS_WIN
