// The window program as a child process (offscreen) on the hostile data files it can load,
// named on its command line: it gets through its start-up and shows its window in bounded
// time, without crashing, and leaves the data file as it was.
//
// The window waits for the user in every outcome: in a message box for a file it refuses, in
// its window otherwise. The program notes when its window is shown (the test event file), so
// that moment is what is checked here; the child is ended afterwards.

#include "childprocess.h"
#include "hostilefiles.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using namespace vex::test;

// Generous: the sanitizer build runs several times slower than the normal one.
constexpr int kTimeLimitMs = 120000;

// A copy of the program in a folder of its own (it writes its INI file beside itself) and a
// home with its own configuration and runtime folders, so that the child never meets a
// running instance or a user's settings.
class WindowProgram {
public:
    WindowProgram() {
        const QString copy = QDir(program_.path()).filePath(QStringLiteral("vexdiagnose"));
        ready_ = QFile::copy(QStringLiteral(VEX_PROGRAM_PATH), copy) &&
                 QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner) &&
                 QDir(home_.path()).mkpath(QStringLiteral("config")) &&
                 QDir(home_.path()).mkpath(QStringLiteral("run")) &&
                 QFile::setPermissions(QDir(home_.path()).filePath(QStringLiteral("run")),
                                       QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool ready() const { return ready_ && program_.isValid() && home_.isValid(); }

    void start(QProcess& process, const QStringList& arguments) const {
        const QDir home(home_.path());
        QProcessEnvironment env = childEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("VEX_TEST_EVENT_FILE"), eventFile());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home.path());
        process.start(QDir(program_.path()).filePath(QStringLiteral("vexdiagnose")), arguments);
    }

    // Waits until the event line is noted or the process ends, at most until the deadline.
    bool waitForEvent(QProcess& process, const QByteArray& line,
                      const QDeadlineTimer& deadline) const {
        while (!events().contains(line)) {
            if (deadline.hasExpired() || process.state() == QProcess::NotRunning) {
                return false;
            }
            process.waitForFinished(25);  // returns at once when the child ends
        }
        return true;
    }

private:
    QString eventFile() const { return QDir(home_.path()).filePath(QStringLiteral("events")); }
    QList<QByteArray> events() const {
        QFile f(eventFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>();
    }

    QTemporaryDir program_;
    QTemporaryDir home_;
    bool ready_ = false;
};

// Starts the window on the hostile file and checks that it shows itself in time, without
// crashing or ending, and leaves the data file as it was.
void expectWindowShown(const HostileFile& f) {
    SCOPED_TRACE(f.name);
    WindowProgram program;
    ASSERT_TRUE(program.ready());
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString path = data.filePath(QStringLiteral("hostile.txt"));
    ASSERT_TRUE(MakeHostileFile(f, path));
    const auto before = folderFingerprint(data.path());

    QProcess process;
    program.start(process, {QStringLiteral("/F:") + path});
    ASSERT_TRUE(process.waitForStarted(kTimeLimitMs));
    const QByteArray shown = "window " + QByteArray::number(process.processId());
    const bool windowShown = program.waitForEvent(process, shown, QDeadlineTimer(kTimeLimitMs));
    const bool stillRunning = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished(-1);

    EXPECT_TRUE(windowShown) << process.readAllStandardError().left(4000).constData();
    EXPECT_TRUE(stillRunning) << "ended by itself, exit code " << process.exitCode();
    EXPECT_EQ(folderFingerprint(data.path()), before) << "the data file was changed";
}

}  // namespace

TEST(HostileDataFiles, windowShowsItselfOnEveryHostileFileItCanLoad) {
    for (const HostileFile& f : HostileFiles()) {
        // A file it refuses leaves the window waiting in its message box. A field of megabytes
        // is shown cut, so it takes no longer to lay out than a usual one.
        if (f.outcome == HostileOutcome::Loads) {
            expectWindowShown(f);
        }
    }
}
