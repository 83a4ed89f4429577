#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

namespace vex {

// The two groups of per-user values: the per-list values and the window and option values.
enum class UserGroup { Values, Mode };

// One stored value with its type: text (REG_SZ), a 32-bit integer (REG_DWORD), or any other
// type the store met (kept with its type number and bytes, never produced by the program).
struct UserValue {
    enum class Type { Text, Dword, Other };
    Type type = Type::Text;
    QString text;
    quint32 dword = 0;
    int otherType = 0;
    QByteArray otherBytes;

    static UserValue fromText(const QString& t) { return UserValue{Type::Text, t, 0, 0, {}}; }
    static UserValue fromDword(quint32 d) { return UserValue{Type::Dword, {}, d, 0, {}}; }
    bool operator==(const UserValue&) const = default;
};

// The per-user store: two groups of named, typed values. Value names are compared without
// regard to case. Writes may be held until commit().
class UserStore {
public:
    virtual ~UserStore() = default;

    // Opens the group, creating it when missing; false when it can be neither opened nor
    // created, in which case the caller leaves that group alone.
    virtual bool openGroup(UserGroup group) = 0;
    virtual bool exists(UserGroup group, const QString& name) const = 0;
    // The text of a text value; a missing value reads as the empty text; nullopt when the
    // value exists with another type (a failed read).
    virtual std::optional<QString> readText(UserGroup group, const QString& name) const = 0;
    // The number of a 32-bit integer value; nullopt when missing or of another type.
    virtual std::optional<quint32> readDword(UserGroup group, const QString& name) const = 0;
    virtual bool writeText(UserGroup group, const QString& name, const QString& text) = 0;
    virtual bool writeDword(UserGroup group, const QString& name, quint32 value) = 0;
    // Deletes the value; false when it did not exist or could not be deleted.
    virtual bool deleteValue(UserGroup group, const QString& name) = 0;
    // Makes the changes lasting; false when that failed (the previous state then stays).
    virtual bool commit() = 0;
};

// The contents of a store: which groups exist and their values by upper-case name.
struct UserStoreData {
    struct Named {
        QString name;
        UserValue value;
        bool operator==(const Named&) const = default;
    };
    struct Group {
        bool exists = false;
        QMap<QString, Named> values;  // by upper-case name
        bool operator==(const Group&) const = default;
    };
    Group values;
    Group mode;

    Group& group(UserGroup g) { return g == UserGroup::Values ? values : mode; }
    const Group& group(UserGroup g) const { return g == UserGroup::Values ? values : mode; }
    const UserValue* find(UserGroup g, const QString& name) const;
    void set(UserGroup g, const QString& name, const UserValue& value);
    bool remove(UserGroup g, const QString& name);
    bool operator==(const UserStoreData&) const = default;
};

// A store held in memory only; the base of the file store and a stand-in for tests.
class MemoryUserStore : public UserStore {
public:
    MemoryUserStore() = default;
    explicit MemoryUserStore(UserStoreData data) : data_(std::move(data)) {}

    bool openGroup(UserGroup group) override;
    bool exists(UserGroup group, const QString& name) const override;
    std::optional<QString> readText(UserGroup group, const QString& name) const override;
    std::optional<quint32> readDword(UserGroup group, const QString& name) const override;
    bool writeText(UserGroup group, const QString& name, const QString& text) override;
    bool writeDword(UserGroup group, const QString& name, quint32 value) override;
    bool deleteValue(UserGroup group, const QString& name) override;
    bool commit() override;

    const UserStoreData& data() const { return data_; }

protected:
    bool changed() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }
    void setData(UserStoreData data) { data_ = std::move(data); }

private:
    UserStoreData data_;
    bool changed_ = false;
};

}  // namespace vex
