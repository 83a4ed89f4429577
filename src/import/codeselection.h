#pragma once

#include "import/sksline.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vex {

// The list a code goes to, by its first letter: D codes (diagnoses) to the primary list; B, K
// and U codes (treatments, operations, procedures) to the secondary list; others to neither.
enum class TargetList { Primary, Secondary, None };
TargetList targetListOf(const QString& code);

// The line of a code that is valid on the day.
struct ChosenCode {
    QString code;
    QString text;
    QString kind;
    qint64 line = 0;
    bool fullWidth = false;
};

// Picks, for every code, the line valid on the chosen day (from <= day < to). Where several
// lines of a code are valid, the latest "valid from" wins, then the latest "last change",
// then the later line of the file. A code without a valid line is closed and left out.
class CodeSelection {
public:
    explicit CodeSelection(QDate day) : day_(day) {}

    void add(const SksLine& line, qint64 lineNumber);

    struct Result {
        QList<ChosenCode> primary;    // in ordinal order of the code
        QList<ChosenCode> secondary;  // likewise
        int closedEnded = 0;          // every period ended on or before the day
        int closedNotYetValid = 0;    // a period begins after the day
        int overlapping = 0;          // codes with more than one line valid on the day
        // Pairs of lines valid on the day with the same dates and different texts: the later
        // line was taken.
        QList<std::pair<qint64, qint64>> ties;
    };
    // The selection; the codes are handed over.
    Result take();

private:
    struct Candidate {
        QString text;
        QDate validFrom;
        QDate lastChange;
        qint64 line = 0;
        int kind = 0;  // index into kinds_
        bool fullWidth = false;
    };
    struct State {
        Candidate chosen;
        bool valid = false;
        bool overlapping = false;
        bool notYetValid = false;
    };
    int kindIndex(const QString& kind);

    QDate day_;
    QHash<QString, State> codes_;
    QStringList kinds_;
    QList<std::pair<qint64, qint64>> ties_;
};

}  // namespace vex
