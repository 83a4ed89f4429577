#include "config/userstore.h"

#include "base/textutil.h"

namespace vex {

namespace {

// The key of a name, made in a buffer that is kept: a look-up allocates nothing.
const QString& lookUpKey(const QString& name) {
    thread_local QString key;
    key.resize(name.size());
    QChar* d = key.data();
    for (qsizetype i = 0; i < name.size(); ++i) {
        d[i] = upper(name.at(i));
    }
    return key;
}

}  // namespace

const UserValue* UserStoreData::find(UserGroup g, const QString& name) const {
    const Group& grp = group(g);
    const auto it = grp.values.constFind(lookUpKey(name));
    return it == grp.values.cend() ? nullptr : &it->value;
}

void UserStoreData::set(UserGroup g, const QString& name, const UserValue& value) {
    Group& grp = group(g);
    grp.exists = true;
    grp.values.insert(upper(name), Named{name, value});
}

bool UserStoreData::remove(UserGroup g, const QString& name) {
    return group(g).values.remove(lookUpKey(name)) > 0;
}

bool MemoryUserStore::openGroup(UserGroup group) {
    UserStoreData::Group& grp = data_.group(group);
    if (!grp.exists) {
        grp.exists = true;
        changed_ = true;
    }
    return true;
}

bool MemoryUserStore::exists(UserGroup group, const QString& name) const {
    return data_.find(group, name) != nullptr;
}

std::optional<QString> MemoryUserStore::readText(UserGroup group, const QString& name) const {
    const UserValue* v = data_.find(group, name);
    if (!v) {
        return QString();
    }
    if (v->type != UserValue::Type::Text) {
        return std::nullopt;
    }
    return v->text;
}

std::optional<quint32> MemoryUserStore::readDword(UserGroup group, const QString& name) const {
    const UserValue* v = data_.find(group, name);
    if (!v || v->type != UserValue::Type::Dword) {
        return std::nullopt;
    }
    return v->dword;
}

bool MemoryUserStore::writeText(UserGroup group, const QString& name, const QString& text) {
    data_.set(group, name, UserValue::fromText(text));
    changed_ = true;
    return true;
}

bool MemoryUserStore::writeDword(UserGroup group, const QString& name, quint32 value) {
    data_.set(group, name, UserValue::fromDword(value));
    changed_ = true;
    return true;
}

bool MemoryUserStore::deleteValue(UserGroup group, const QString& name) {
    if (!data_.remove(group, name)) {
        return false;
    }
    changed_ = true;
    return true;
}

bool MemoryUserStore::commit() {
    changed_ = false;
    return true;
}

}  // namespace vex
