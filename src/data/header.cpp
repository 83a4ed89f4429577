#include "data/header.h"

#include "base/columns.h"
#include "base/textutil.h"

namespace vex {

namespace {

// How long a column's name must be, measured after trimming.
int MinimumNameLength(Column column) {
    switch (column) {
        case Column::Code:
            return 3;
        case Column::Asterisk:
            return 7;
        default:
            return 2;
    }
}

// The message names the count the program expects.
static_assert(kColumnCount == 9, "the count message says nine field names");

Message countMessage(int count, const QString& fileName) {
    return Message{MessageKind::Error,
                   ButtonOk | ButtonHelp,
                   {QStringLiteral("Illegalt antal feltnavne [ ") + QString::number(count) +
                        QStringLiteral(" ]"),
                    QStringLiteral("for datafil [") + fileName + QStringLiteral("]."),
                    QStringLiteral("Det forudsatte antal feltnavne er 9."), QString(),
                    QStringLiteral("Se venligst programhjælpens specifikation for feltnavne.")}};
}

Message asteriskNameMessage(const QString& name, const QString& fileName) {
    return Message{
        MessageKind::Error,
        ButtonOk | ButtonHelp,
        {QStringLiteral("Illegalt feltnavn [ ") + name + QStringLiteral(" ] i anden kolonne"),
         QStringLiteral("for datafil [") + fileName + QStringLiteral("]."),
         QStringLiteral("Dette feltnavn forudsættes at være enten [ Stjerne ] eller [ Asterisk ]"),
         QStringLiteral("og skal indeholde evt. stjernemarkering for SKS-koden.")}};
}

}  // namespace

std::optional<Message> CheckHeader(const QString& headerLine, const QString& fileName,
                                   FieldNames& names) {
    names.fill(QString());
    const QStringList columns = SplitColumns(headerLine, kColumnCount);
    for (int i = 0; i < kColumnCount; ++i) {
        names[ColumnAt(i)] = ColumnValue(columns, ColumnAt(i));
    }

    int count = 0;
    for (int i = 0; i < kColumnCount; ++i) {
        if (trimmed32(names[ColumnAt(i)]).size() >= MinimumNameLength(ColumnAt(i))) {
            ++count;
        }
    }
    if (count != kColumnCount) {
        return countMessage(count, fileName);
    }
    const QString asterisk = upper(names[Column::Asterisk]);
    if (asterisk != QLatin1String("STJERNE") && asterisk != QLatin1String("ASTERISK")) {
        return asteriskNameMessage(names[Column::Asterisk], fileName);
    }
    return std::nullopt;
}

}  // namespace vex
