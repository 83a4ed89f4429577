#pragma once

#include "config/userstore.h"

#include <QString>

namespace vex {

// The per-user store in one file of the registry-export format (see regfileformat.h). The
// file is read once, when the store is made; commit() writes the whole store when it changed,
// atomically: a failed write leaves the previous file as it was. Nothing fails loudly: a
// missing, unreadable, damaged or oversized file reads as an empty store (and is replaced by
// a clean one at the next commit), and a folder without write access keeps the file as it is.
class RegFileUserStore : public MemoryUserStore {
public:
    // Files larger than this are not read.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // $XDG_CONFIG_HOME/Tovemark/VEXdiagnose.reg (by default ~/.config/Tovemark/...); empty when
    // the platform names no configuration folder.
    static QString defaultPath();

    explicit RegFileUserStore(const QString& path = defaultPath());

    const QString& path() const { return path_; }

    bool openGroup(UserGroup group) override;
    bool commit() override;

private:
    QString path_;
};

}  // namespace vex
