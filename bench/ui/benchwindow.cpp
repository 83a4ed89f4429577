#include "benchwindow.h"

#include <QDir>
#include <QFile>

#include "app/startup.h"

namespace vex::bench {

std::optional<QString> BenchDialogs::inputText(const QString&, const QString&, const QString&) {
    if (inputs.empty()) {
        return std::nullopt;
    }
    QString text = inputs.front();
    inputs.pop_front();
    return text;
}

MessageButton BenchDialogs::showMessage(const Message& message) {
    ++questions;
    if (onQuestion) {
        onQuestion();
    }
    return (message.buttons & ButtonYes) ? ButtonYes : firstButton(message.buttons);
}

const QTemporaryDir& TestListFolder() {
    static QTemporaryDir dir;
    static bool copied = false;
    if (!copied) {
        const QDir lists(QStringLiteral(VEX_BENCH_LISTS_DIR));
        for (const char* name : {"ICD10vex.txt", "Behandling-procedurer-vex.txt"}) {
            QFile::copy(lists.filePath(QLatin1String(name)), dir.filePath(QLatin1String(name)));
        }
        copied = true;
    }
    return dir;
}

bool Started::start(const QString& folder, const QStringList& parameters) {
    program.programFolder = folder;
    program.parameters = parameters;
    window = std::make_unique<MainWindow>(program, dialogs, &store);
    if (FormCreate(*window, program, dialogs, &store) != StartupOutcome::Ready) {
        return false;
    }
    window->show();
    return true;
}

}  // namespace vex::bench
