#include "ui/statustexts.h"

#include <QLabel>

#include "desktop/captions.h"
#include "ui/windowwidgets.h"

namespace vex {

QString RecordPanelText(int index, int count) {
    return QStringLiteral(" Post: %1 af %2").arg(index + 1).arg(count);
}

QString SourceFilePanelText(const QString& dataFile, const QString& releaseDate) {
    const qsizetype slash =
        qMax(dataFile.lastIndexOf(QLatin1Char('/')), dataFile.lastIndexOf(QLatin1Char('\\')));
    QString text = QLatin1Char(' ') + dataFile.mid(slash + 1);
    if (!releaseDate.isEmpty()) {
        text += QStringLiteral("   (") + releaseDate + QLatin1Char(')');
    }
    return text;
}

QString ListPanelText(bool extended) {
    return QLatin1Char(' ') + (extended ? kExtendedListName : kShortListName);
}

QString SearchCountText(int row, int rows) {
    if (rows <= 0) {
        return QString();
    }
    return QStringLiteral("%1/%2").arg(row + 1).arg(rows);
}

QString StatusPanelWhat(StatusPanel panel) {
    switch (panel) {
        case StatusPanel::Sync:
            return QStringLiteral("Synkronisering");
        case StatusPanel::SourceFile:
            return QStringLiteral("Datafil");
        case StatusPanel::ListSelection:
            return QStringLiteral("Listevisning");
        case StatusPanel::Record:
            break;
    }
    return QString();  // " Post: 17 af 10523"
}

void SetStatusPanelText(const WindowWidgets& w, StatusPanel panel, const QString& text) {
    SetLabelText(w.statusPanel(panel), text, StatusPanelWhat(panel));
}

}  // namespace vex
