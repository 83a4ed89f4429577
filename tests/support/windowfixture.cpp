#include "windowfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "search/resulttable.h"
#include "tempfiles.h"

namespace vex::test {

QString Record(const QString& code, const QString& text, bool shortList, const QString& synonyms,
               const QString& comments) {
    return RecordLine({{Column::Code, code},
                       {Column::Text, text},
                       {Column::ShortListFlag, shortList ? QStringLiteral("1") : QString()},
                       {Column::Synonyms, synonyms},
                       {Column::Comments, comments},
                       {Column::EditDate, QStringLiteral("01-02-2020")}});
}

QByteArray ListFileBytes(const QStringList& records, const QString& info) {
    QStringList lines{HeaderLine()};
    if (!info.isEmpty()) {
        lines << QStringLiteral("0000\t\t") + info;
    }
    lines << records;
    return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

StartupOutcome WindowRun::startIn(const QString& programFolder, const QStringList& parameters,
                                  UserStore* store, Dialogs* boxes, bool themes) {
    program.programFolder = programFolder;
    program.programFileName = QStringLiteral("vexdiagnose");
    program.parameters = parameters;
    Dialogs& shown = boxes != nullptr ? *boxes : dialogs;
    window_ = std::make_unique<MainWindow>(program, shown, store);
    StartupEnvironment environment;
    environment.readThemesActive = [themes] { return themes; };
    outcome = FormCreate(*window_, program, shown, store, environment);
    return outcome;
}

void WindowRun::show() {
    if (outcome == StartupOutcome::Ready) {
        window_->show();
        QApplication::processEvents();
    }
}

void WindowRun::end() {
    window_.reset();
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

void WindowRun::search(const QString& typed) {
    dialogs.setNextInput(typed);
    QTest::mouseClick(ui().btnSearch, Qt::LeftButton);
}

QStringList WindowRun::gridCodes() const {
    QStringList codes;
    const ResultTable& table = window_->results();
    for (int row = 0; row < table.rowCount(); ++row) {
        codes << table.code(row);
    }
    return codes;
}

void WindowRun::close() {
    window_->close();
    QApplication::processEvents();
}

void WindowRun::showRecord(int index) {
    QTest::mouseClick(ui().btnFirst, Qt::LeftButton);
    for (int i = 0; i < index; ++i) {
        QTest::mouseClick(ui().btnNext, Qt::LeftButton);
    }
}

void WindowRun::holdEsc() {
    QTest::keyPress(window_.get(), Qt::Key_Escape);
}

QString WindowFixture::writeList(const QString& name, const QStringList& records,
                                 const QString& info) {
    writeFile(name, ListFileBytes(records, info));
    return dir_.filePath(name);
}

void WindowFixture::writeFile(const QString& name, const QByteArray& bytes) {
    vex::test::writeFile(dir_, name, bytes);
}

void WindowFixture::copyBundledLists(bool secondaryToo) {
    const QDir lists(bundledListsDir());
    QFile::copy(lists.filePath(QStringLiteral("ICD10vex.txt")), dir_.filePath("ICD10vex.txt"));
    if (secondaryToo) {
        QFile::copy(lists.filePath(QStringLiteral("Behandling-procedurer-vex.txt")),
                    dir_.filePath("Behandling-procedurer-vex.txt"));
    }
}

StartupOutcome WindowFixture::start(const QStringList& parameters, bool themes) {
    return startIn(dir_.path(), parameters, &store, boxes_, themes);
}

StartupOutcome WindowFixture::startAndShow(const QStringList& parameters) {
    const StartupOutcome started = start(parameters);
    if (started == StartupOutcome::Ready) {
        window().show();
    }
    return started;
}

}  // namespace vex::test
