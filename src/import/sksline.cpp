#include "import/sksline.h"

#include "base/textutil.h"

#include <QList>

namespace vex {

namespace {

// The characters of a line by position: a character outside the Basic Multilingual Plane is
// one position, as the publisher counts.
class Positions {
public:
    explicit Positions(QStringView line) : line_(line) {
        for (const QChar c : line) {
            if (c.isSurrogate()) {
                ucs4_ = line.toUcs4();
                break;
            }
        }
    }
    qsizetype size() const { return ucs4_.isEmpty() ? line_.size() : ucs4_.size(); }
    QString field(qsizetype pos, qsizetype width) const {
        if (pos >= size()) {
            return QString();
        }
        if (ucs4_.isEmpty()) {
            return line_.mid(pos, width).toString();
        }
        const QList<uint> part = ucs4_.mid(pos, width);
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(part.constData()), part.size());
    }

private:
    QStringView line_;
    QList<uint> ucs4_;
};

struct DateField {
    QDate date;
    bool blank = false;
    QString error;
};

DateField parseDate(const QString& field, const char* name) {
    DateField out;
    const QString t = field.trimmed();
    if (t.isEmpty()) {
        out.blank = true;
        return out;
    }
    bool digits = field.size() == 8;
    for (const QChar c : field) {
        digits = digits && c >= u'0' && c <= u'9';
    }
    if (digits) {
        out.date = QDate(field.left(4).toInt(), field.mid(4, 2).toInt(), field.mid(6, 2).toInt());
    }
    if (!out.date.isValid()) {
        out.date = QDate();
        out.error = QStringLiteral("\"%1\" er ikke en dato (ÅÅÅÅMMDD): \"%2\"")
                        .arg(QString::fromUtf8(name), field);
    }
    return out;
}

SksLineParse failed(const QString& error) {
    return SksLineParse{std::nullopt, error};
}

}  // namespace

SksLineParse parseSksLine(QStringView line) {
    const Positions p(line);
    if (p.size() < sks::kMinLineLength) {
        return failed(QStringLiteral("linjen har %1 tegn; en post skal have mindst %2")
                          .arg(p.size())
                          .arg(sks::kMinLineLength));
    }
    SksLine r;
    r.kind = p.field(sks::kKindPos, sks::kCodePos - sks::kKindPos).trimmed();
    bool letters = !r.kind.isEmpty();
    for (const QChar c : r.kind) {
        letters = letters && c >= u'a' && c <= u'z';
    }
    if (!letters) {
        return failed(QStringLiteral("posttypen skal være små bogstaver: \"%1\"")
                          .arg(p.field(sks::kKindPos, sks::kCodePos)));
    }
    r.code = trimmed32(p.field(sks::kCodePos, sks::kValidFromPos - sks::kCodePos));
    if (r.code.isEmpty()) {
        return failed(QStringLiteral("koden mangler"));
    }
    for (const QChar c : r.code) {
        if (c.unicode() <= 32) {
            return failed(QStringLiteral("koden \"%1\" indeholder mellemrum").arg(r.code));
        }
    }
    const DateField from = parseDate(p.field(sks::kValidFromPos, 8), "gyldig fra");
    const DateField change = parseDate(p.field(sks::kLastChangePos, 8), "sidst ændret");
    const DateField to = parseDate(p.field(sks::kValidToPos, 8), "gyldig til");
    if (from.blank || change.blank) {
        return failed(
            QStringLiteral("\"%1\" mangler")
                .arg(from.blank ? QStringLiteral("gyldig fra") : QStringLiteral("sidst ændret")));
    }
    for (const DateField* date : {&from, &change, &to}) {
        if (!date->error.isEmpty()) {
            return failed(date->error);
        }
    }
    r.validFrom = from.date;
    r.lastChange = change.date;
    r.validTo = to.date;
    const QString rawText = p.field(sks::kTextPos, sks::kTextWidth);
    r.text = trimmed32(rawText);
    if (r.text.isEmpty()) {
        return failed(QStringLiteral("teksten mangler"));
    }
    const qsizetype lastOfField = sks::kTextPos + sks::kTextWidth - 1;
    r.fullWidth = p.size() > lastOfField && p.field(lastOfField, 1).front().unicode() > 32;
    return SksLineParse{r, QString()};
}

}  // namespace vex
