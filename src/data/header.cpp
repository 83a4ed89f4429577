#include "data/header.h"

#include "base/columns.h"
#include "base/textutil.h"

namespace vex {

namespace {

constexpr int kMinimumLengths[9] = {3, 7, 2, 2, 2, 2, 2, 2, 2};

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
    const QStringList columns = SplitColumns(headerLine, int(names.size()));
    for (qsizetype i = 0; i < columns.size() && i < qsizetype(names.size()); ++i) {
        names[size_t(i)] = columns[i];
    }

    int count = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (trimmed32(names[i]).size() >= kMinimumLengths[i]) {
            ++count;
        }
    }
    if (count != 9) {
        return countMessage(count, fileName);
    }
    const QString asterisk = upper(names[1]);
    if (asterisk != QLatin1String("STJERNE") && asterisk != QLatin1String("ASTERISK")) {
        return asteriskNameMessage(names[1], fileName);
    }
    return std::nullopt;
}

}  // namespace vex
