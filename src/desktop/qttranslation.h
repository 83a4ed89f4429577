#pragma once

class QCoreApplication;
class QTranslator;

namespace vex {

// Installs Qt's own Danish translation (qtbase_da.qm, Debian's qt6-translations-l10n) for the
// texts Qt shows itself, such as the text fields' context menu. Where it is not installed,
// those texts stay as they are, silently. Returns the installed translator (owned by the
// application), or nullptr.
QTranslator* InstallQtDanishTranslation(QCoreApplication& app);

}  // namespace vex
