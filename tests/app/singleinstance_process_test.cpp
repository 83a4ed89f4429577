// The program itself, started as child processes: a second start hands over to the first and
// ends at once, and the system's request to end closes the window as the user does. The
// children run in folders of their own (program, home, configuration and runtime folder), so
// they never meet a user's running instance, and they report what they do through the event
// file the program writes for tests.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include "programrun.h"

namespace vex::test {
namespace {

// A child process that is ended when the test lets go of it, whatever happened.
struct Child {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    ~Child() {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    QString pid() const { return QString::number(process->processId()); }
};

// A copy of the built program with two small lists in a folder of its own (the program writes
// its INI file beside itself), and a home with configuration and runtime folders.
class ProgramCopy {
public:
    ProgramCopy() {
        const QDir program(program_.path());
        const QString copy = program.filePath(QStringLiteral("vexdiagnose"));
        copied_ =
            QFile::copy(QStringLiteral(VEX_PROGRAM_PATH), copy) &&
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        WriteListTo(program.filePath("ICD10vex.txt"),
                    {Record("DA00", "Kolera", true), Record("DA000", "Kolera af vibrio")});
        WriteListTo(program.filePath("Behandling-procedurer-vex.txt"),
                    {Record("BAA", "Nervesystemet", true)});
        const QDir home(home_.path());
        home.mkpath(QStringLiteral("config"));
        home.mkpath(QStringLiteral("run"));
        QFile::setPermissions(home.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool copied() const { return copied_; }
    QString programFolder() const { return program_.path(); }
    QString storeFile() const {
        return QDir(home_.path()).filePath(QStringLiteral("config/Tovemark/VEXdiagnose.reg"));
    }
    QString eventFile() const { return QDir(home_.path()).filePath(QStringLiteral("events")); }

    // withRuntimeFolder false: as under su or cron, without a runtime folder of the session
    // (the temporary folder is one of the home's).
    std::unique_ptr<Child> start(bool withRuntimeFolder = true) const {
        auto child = std::make_unique<Child>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QDir home(home_.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home.filePath("run"));
        if (!withRuntimeFolder) {
            env.remove("XDG_RUNTIME_DIR");
            env.insert("TMPDIR", home.path());
        }
        env.insert("VEX_TEST_EVENT_FILE", eventFile());
        child->process->setProcessEnvironment(env);
        child->process->setWorkingDirectory(home.path());
        child->process->setProgram(QDir(program_.path()).filePath(QStringLiteral("vexdiagnose")));
        child->process->start();
        child->process->waitForStarted(5000);
        return child;
    }

    // The event lines so far.
    QStringList events() const {
        return QString::fromUtf8(FileBytes(eventFile())).split('\n', Qt::SkipEmptyParts);
    }

    // Waits (processing events, at most timeoutMs) until the event line is there.
    bool waitForEvent(const QString& line, int timeoutMs = 10000) const {
        const QDeadlineTimer deadline(timeoutMs);
        while (!events().contains(line)) {
            if (deadline.hasExpired()) {
                return false;
            }
            QTest::qWait(20);
        }
        return true;
    }

private:
    static void WriteListTo(const QString& path, const QStringList& records) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write((QStringList{HeaderLine()} + records).join("\r\n").toUtf8() + "\r\n");
        }
    }

    QTemporaryDir program_;
    QTemporaryDir home_;
    bool copied_ = false;
};

QString Output(const Child& child) {
    return QString::fromLocal8Bit(child.process->readAllStandardError());
}

TEST(SingleInstanceProcessTest, SecondStartBringsTheFirstToTheFrontAndEnds) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.copied());
    const auto first = copy.start();
    ASSERT_EQ(first->process->state(), QProcess::Running);
    ASSERT_TRUE(copy.waitForEvent("window " + first->pid())) << Output(*first).toStdString();
    EXPECT_TRUE(QFile::exists(QDir(copy.programFolder()).filePath("vexdiagnose.ini")));

    QElapsedTimer clock;
    clock.start();
    const auto second = copy.start();
    const QString secondPid = second->pid();
    ASSERT_TRUE(second->process->waitForFinished(5000));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(second->process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->process->exitCode(), 0) << Output(*second).toStdString();

    EXPECT_TRUE(copy.waitForEvent("activated " + first->pid()))
        << copy.events().join(' ').toStdString();
    // The second start showed neither splash screen nor window.
    for (const QString& line : copy.events()) {
        EXPECT_FALSE(line.endsWith(' ' + secondPid)) << line.toStdString();
    }
    EXPECT_EQ(first->process->state(), QProcess::Running);
}

TEST(SingleInstanceProcessTest, WithoutARuntimeFolderStartsMeetInAPrivateFolder) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.copied());
    const auto first = copy.start(false);
    ASSERT_TRUE(copy.waitForEvent("window " + first->pid())) << Output(*first).toStdString();
    const auto second = copy.start(false);
    ASSERT_TRUE(second->process->waitForFinished(5000));
    EXPECT_EQ(second->process->exitCode(), 0) << Output(*second).toStdString();
    EXPECT_TRUE(copy.waitForEvent("activated " + first->pid()));
    EXPECT_EQ(first->process->state(), QProcess::Running);
}

TEST(SingleInstanceProcessTest, InstanceThatDiedDoesNotKeepTheNextStartOut) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.copied());
    {
        const auto crashed = copy.start();
        ASSERT_TRUE(copy.waitForEvent("window " + crashed->pid()));
        crashed->process->kill();  // its lock file and socket stay behind
        ASSERT_TRUE(crashed->process->waitForFinished(5000));
    }
    const auto next = copy.start();
    EXPECT_TRUE(copy.waitForEvent("splash " + next->pid()));
    EXPECT_TRUE(copy.waitForEvent("window " + next->pid())) << Output(*next).toStdString();
    EXPECT_EQ(next->process->state(), QProcess::Running);
}

TEST(SingleInstanceProcessTest, TwoStartsAtOnceLeaveOneInstance) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.copied());
    const auto a = copy.start();
    const auto b = copy.start();
    // One of them ends by itself, quickly and without error; the other shows its window.
    QElapsedTimer clock;
    clock.start();
    while (a->process->state() == QProcess::Running && b->process->state() == QProcess::Running &&
           clock.elapsed() < 5000) {
        QTest::qWait(20);
    }
    const bool aEnded = a->process->state() == QProcess::NotRunning;
    ASSERT_NE(aEnded, b->process->state() == QProcess::NotRunning);
    const Child& ended = aEnded ? *a : *b;
    const Child& running = aEnded ? *b : *a;
    EXPECT_EQ(ended.process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ended.process->exitCode(), 0);
    EXPECT_TRUE(copy.waitForEvent("window " + running.pid()));
    for (const QString& line : copy.events()) {
        EXPECT_FALSE(line.endsWith(' ' + ended.pid())) << line.toStdString();
    }
}

TEST(SingleInstanceProcessTest, RequestToEndClosesTheWindowAndStoresTheUsersValues) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.copied());
    const auto child = copy.start();
    ASSERT_TRUE(copy.waitForEvent("window " + child->pid())) << Output(*child).toStdString();
    // Both lists were loaded before the window was shown.
    EXPECT_TRUE(copy.events().contains("primary " + child->pid()));
    EXPECT_TRUE(copy.events().contains("secondary " + child->pid()));
    ASSERT_FALSE(FileBytes(copy.storeFile()).contains("FormHeight"));

    child->process->terminate();  // SIGTERM, as a desktop session or a script ends a program
    ASSERT_TRUE(child->process->waitForFinished(10000));
    EXPECT_EQ(child->process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child->process->exitCode(), 0) << Output(*child).toStdString();
    EXPECT_TRUE(FileBytes(copy.storeFile()).contains("FormHeight")) << "the values were not stored";
}

}  // namespace
}  // namespace vex::test
