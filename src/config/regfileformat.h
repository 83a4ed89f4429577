#pragma once

#include "config/userstore.h"

#include <QByteArray>
#include <QString>

namespace vex {

// The per-user store as a text file in the registry-export format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Tovemark\VEXdiagnose\Values]
//   "LastSearchInput1"="feber"
//   [HKEY_CURRENT_USER\Software\Tovemark\VEXdiagnose\Mode]
//   "PanelTopHeight"=dword:000001b8
//
// Text values are quoted with "\" and """ escaped; a text holding control characters is
// written as hex(1) (UTF-16LE bytes with a closing zero), as the registry export does.
namespace regfile {

// The section name of a group, without brackets.
QString sectionName(UserGroup group);

// Reads the file's text. Sections other than the program's two, and lines that do not make
// sense (garbage, a line cut short, a malformed number), are skipped: whatever can be read is
// kept and nothing fails.
UserStoreData parse(const QString& text);
// Decodes file bytes: UTF-16LE or UTF-8 after their byte-order mark, otherwise UTF-8.
UserStoreData parseBytes(const QByteArray& bytes);

// The file's text for the data: the groups that exist, values in order of their names, each
// line ended by CR LF.
QString serialize(const UserStoreData& data);
// The bytes written to the file (UTF-8 without byte-order mark).
QByteArray serializeBytes(const UserStoreData& data);

}  // namespace regfile

}  // namespace vex
