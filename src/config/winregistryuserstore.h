#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "config/userstore.h"

#include <QSettings>

#include <memory>

namespace vex {

// The per-user store in the Windows registry under
// HKEY_CURRENT_USER\Software\Tovemark\VEXdiagnose\Values and ...\Mode. Writes go to the
// registry at once; commit() flushes.
class WinRegistryUserStore : public UserStore {
public:
    WinRegistryUserStore();
    ~WinRegistryUserStore() override;

    bool openGroup(UserGroup group) override;
    bool exists(UserGroup group, const QString& name) const override;
    std::optional<QString> readText(UserGroup group, const QString& name) const override;
    std::optional<quint32> readDword(UserGroup group, const QString& name) const override;
    bool writeText(UserGroup group, const QString& name, const QString& text) override;
    bool writeDword(UserGroup group, const QString& name, quint32 value) override;
    bool deleteValue(UserGroup group, const QString& name) override;
    bool commit() override;

private:
    QSettings& settings(UserGroup group) const;

    std::unique_ptr<QSettings> values_;
    std::unique_ptr<QSettings> mode_;
};

}  // namespace vex

#endif  // Q_OS_WIN
