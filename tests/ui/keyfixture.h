#pragma once

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "windowfixture.h"

namespace vex::test {

// Six records; "kolera" finds the first, third and fifth.
inline QStringList KeyTestRecords() {
    return {
        Record("DA00", "Kolera", true),    Record("DA01", "Tyfus", true),
        Record("DA02", "Kolera klassisk"), Record("DB01", "Skoldkopper", true),
        Record("DB02", "Kolera eltor"),    Record("DC00", "Ondartet svulst"),
    };
}

// A second list for the switch between the data files.
inline QString KeyTestSecondaryList() {
    QStringList lines{HeaderLine(), QStringLiteral("0000\t\t15-10-2018 - Udgiver")};
    lines << Record("BA", "Nervesystemet", true) << Record("KA", "Operationer");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// A shown window whose alert sounds and help requests are counted, with keys typed as the
// desktop delivers them: to the window, which passes them on to the focused control.
class KeyWindowFixture : public WindowFixture {
public:
    bool startWith(const QStringList& records, bool withSecondary = false) {
        writeList(QStringLiteral("ICD10vex.txt"), records);
        if (withSecondary) {
            writeFile(QStringLiteral("Behandling-procedurer-vex.txt"),
                      KeyTestSecondaryList().toUtf8());
        }
        if (startAndShow() != StartupOutcome::Ready) {
            return false;
        }
        window().setAlertSound([this] { ++beeps; });
        window().setHelpRequest([this](int context) { helpContexts.append(context); });
        window().activateWindow();
        return QTest::qWaitForWindowActive(&window());
    }

    // Types a key with the focus where it is.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window().windowHandle(), key, modifiers);
    }
    // Types a key with the focus on the control.
    void pressIn(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        control->setFocus(Qt::OtherFocusReason);
        press(key, modifiers);
    }
    // Shows a record of the list in view, as the grid's record would be.
    void showSynced(int index) {
        showRecord(index);
        SetStatusPanelText(ui(), StatusPanel::Sync, QStringLiteral("Sync"));
    }
    QString code() { return ui().txtSKSkode->text(); }
    QString syncPanel() { return window().statusPanelText(StatusPanel::Sync); }

    int beeps = 0;
    QList<int> helpContexts;
};

}  // namespace vex::test
