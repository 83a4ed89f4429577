#include "windowfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "tempfiles.h"

namespace vex::test {

QString HeaderLine() {
    return QStringLiteral(
        "SKS-kode\tStjerne\tDiagnosetekst\tKorteListe\tSynonymer\tInklusiv\tStikord\t"
        "Kommentarer\tRedigeret");
}

QString Record(const QString& code, const QString& text, bool shortList, const QString& synonyms,
               const QString& comments) {
    return QStringList{code,
                       QString(),
                       text,
                       shortList ? QStringLiteral("1") : QString(),
                       synonyms,
                       QString(),
                       QString(),
                       comments,
                       QStringLiteral("01-02-2020")}
        .join(QLatin1Char('\t'));
}

WindowFixture::WindowFixture() {
    app.programFolder = dir_.path();
    app.programFileName = QStringLiteral("vexdiagnose");
}

WindowFixture::~WindowFixture() {
    window_.reset();
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

QString WindowFixture::writeList(const QString& name, const QStringList& records,
                                 const QString& info) {
    QStringList lines{HeaderLine()};
    if (!info.isEmpty()) {
        lines << QStringLiteral("0000\t\t") + info;
    }
    lines << records;
    writeFile(name,
              QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
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

StartupOutcome WindowFixture::start(const QStringList& parameters) {
    app.parameters = parameters;
    window_ = std::make_unique<MainWindow>(app, *boxes_, &store);
    StartupEnvironment environment;
    environment.readThemesActive = [] { return true; };
    return FormCreate(*window_, environment);
}

StartupOutcome WindowFixture::startAndShow(const QStringList& parameters) {
    const StartupOutcome outcome = start(parameters);
    if (outcome == StartupOutcome::Ready) {
        window_->show();
    }
    return outcome;
}

void WindowFixture::search(const QString& typed) {
    dialogs.setNextInput(typed);
    QTest::mouseClick(window_->ui().btnSearch, Qt::LeftButton);
}

}  // namespace vex::test
