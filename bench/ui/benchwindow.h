#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "base/dialogs.h"
#include "config/programstate.h"
#include "config/userstore.h"
#include "ui/mainwindow.h"

namespace vex::bench {

// Dialogs that type the given search strings and answer every question with Yes.
class BenchDialogs : public Dialogs {
public:
    std::deque<QString> inputs;
    int questions = 0;
    std::function<void()> onQuestion;

    std::optional<QString> inputText(const QString&, const QString&, const QString&) override;

protected:
    MessageButton showMessage(const Message& message) override;
};

// A program folder with the test lists.
const QTemporaryDir& TestListFolder();

// A window started in a program folder with bench dialogs and a store held in memory, and
// shown.
struct Started {
    ProgramState program;
    BenchDialogs dialogs;
    MemoryUserStore store;
    std::unique_ptr<MainWindow> window;

    bool start(const QString& folder, const QStringList& parameters = {});
};

}  // namespace vex::bench
