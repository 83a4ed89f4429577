#include "config/uservalues.h"

#include "base/textutil.h"
#include "config/numbertext.h"

#include <algorithm>
#include <cmath>

namespace vex {

namespace {

using confignumbers::parseIntegerText;

constexpr QLatin1String kLastSearchInput1("LastSearchInput1");
constexpr QLatin1String kLastSearchInput2("LastSearchInput2");
constexpr QLatin1String kSearchTime1("SearchTime1");
constexpr QLatin1String kSearchTime2("SearchTime2");
constexpr QLatin1String kIndexPointer1("IndexPointer1");
constexpr QLatin1String kIndexPointer2("IndexPointer2");
constexpr QLatin1String kExtendedList1View("ExtendedList1View");
constexpr QLatin1String kExtendedList2View("ExtendedList2View");
constexpr QLatin1String kPositionTop("PositionTop");
constexpr QLatin1String kPositionLeft("PositionLeft");
constexpr QLatin1String kFormHeight("FormHeight");
constexpr QLatin1String kPanelTopHeight("PanelTopHeight");
// Left behind by older versions.
constexpr QLatin1String kOldLastSearchInput("LastSearchInput");
constexpr QLatin1String kOldIndexPointer("IndexPointer");
constexpr QLatin1String kOldSearchTime("SearchTime");
constexpr QLatin1String kOldExtendedListView("ExtendedListView");
constexpr QLatin1String kOldSearchOnCommnents("SearchOnCommnents");
constexpr QLatin1String kOldFreeTextSearchOnComments("FreeTextSearchOnComments");

const QString kOne = QStringLiteral("1");

// The value that remembers each search option: "1" when on, else empty.
const struct {
    bool SearchOptions::*option;
    QLatin1String name;
} kOptionValues[] = {
    {&SearchOptions::freeText, QLatin1String("FreeTextSearch")},
    {&SearchOptions::comments, QLatin1String("SearchOnComments")},
};

// A text value, with a failed read (another type) counting as a missing value.
QString textOrEmpty(const UserStore& store, UserGroup g, const QString& name) {
    return store.readText(g, name).value_or(QString());
}

std::optional<int> integerValue(const UserStore& store, UserGroup g, const QString& name) {
    const std::optional<QString> text = store.readText(g, name);
    return text ? parseIntegerText(*text) : std::nullopt;
}

QString searchTimeText(const UserStore& store, const QString& name, const QLocale& locale) {
    const std::optional<QString> text = store.readText(UserGroup::Values, name);
    if (!text) {
        return QStringLiteral("-1");
    }
    QString t = *text;
    return t.replace(QLatin1Char('.'), locale.decimalPoint());
}

ListView viewFlag(const UserStore& store, const QString& name) {
    return store.readText(UserGroup::Values, name) == QStringLiteral("0") ? ListView::Short
                                                                          : ListView::Extended;
}

void loadValuesGroup(UserStore& store, UserValues& v, const QLocale& locale) {
    const UserGroup g = UserGroup::Values;
    v.list1.lastSearchInput = textOrEmpty(store, g, kLastSearchInput1);
    if (store.exists(g, kOldLastSearchInput)) {
        v.list1.lastSearchInput = textOrEmpty(store, g, kOldLastSearchInput);
        store.deleteValue(g, kOldLastSearchInput);
    }
    v.list2.lastSearchInput = textOrEmpty(store, g, kLastSearchInput2);
    if (store.exists(g, kOldSearchTime)) {
        store.deleteValue(g, kOldSearchTime);
    }
    v.list1.searchTimeText = searchTimeText(store, kSearchTime1, locale);
    v.list2.searchTimeText = searchTimeText(store, kSearchTime2, locale);
    if (store.exists(g, kIndexPointer1)) {
        v.list1.indexPointer = integerValue(store, g, kIndexPointer1).value_or(0);
    } else if (store.exists(g, kOldIndexPointer)) {
        const std::optional<int> old = integerValue(store, g, kOldIndexPointer);
        v.list1.indexPointer = old.value_or(0);
        if (old) {
            store.deleteValue(g, kOldIndexPointer);
        }
    }
    if (store.exists(g, kIndexPointer2)) {
        v.list2.indexPointer = integerValue(store, g, kIndexPointer2).value_or(0);
    }
    v.list1.extendedView = viewFlag(store, kExtendedList1View);
    v.list2.extendedView = viewFlag(store, kExtendedList2View);
}

void loadModeGroup(UserStore& store, UserValues& v) {
    const UserGroup g = UserGroup::Mode;
    for (const QLatin1String old : {kOldIndexPointer, kOldLastSearchInput}) {
        if (store.exists(g, old)) {
            store.deleteValue(g, old);
        }
    }
    v.positionTop = integerValue(store, g, kPositionTop);
    v.positionLeft = integerValue(store, g, kPositionLeft);
    if (const std::optional<quint32> panel = store.readDword(g, kPanelTopHeight)) {
        v.panelTopHeight = qint32(*panel);
    }
    v.formHeight = integerValue(store, g, kFormHeight);
    if (store.exists(g, kOldExtendedListView)) {
        store.deleteValue(g, kOldExtendedListView);
    }
    for (const auto& value : kOptionValues) {
        v.options.*value.option = store.readText(g, value.name) == kOne;
    }
}

}  // namespace

UserValues LoadUserValues(UserStore& store, const QLocale& locale) {
    UserValues v;
    if (store.openGroup(UserGroup::Values)) {
        loadValuesGroup(store, v, locale);
    }
    v.list1.indexPointer = std::max(v.list1.indexPointer, 0);
    v.list2.indexPointer = std::max(v.list2.indexPointer, 0);
    if (store.openGroup(UserGroup::Mode)) {
        loadModeGroup(store, v);
    }
    store.commit();
    return v;
}

bool StoreUserValues(UserStore& store, const UserValuesToStore& values) {
    const ListMemory& list1 = values.list1;
    const ListMemory& list2 = values.list2;
    if (store.openGroup(UserGroup::Values)) {
        const UserGroup g = UserGroup::Values;
        store.writeText(g, kExtendedList1View,
                        list1.extendedView == ListView::Extended ? kOne : QStringLiteral("0"));
        store.writeText(g, kExtendedList2View,
                        list2.extendedView == ListView::Extended ? kOne : QStringLiteral("0"));
        store.writeText(g, kLastSearchInput1, list1.lastSearchInput);
        store.writeText(g, kLastSearchInput2, list2.lastSearchInput);
        store.writeText(g, kSearchTime1, FormatSearchTime(list1.searchTime));
        store.writeText(g, kSearchTime2, FormatSearchTime(list2.searchTime));
        store.writeText(g, kIndexPointer1, QString::number(list1.indexPointer));
        store.writeText(g, kIndexPointer2, QString::number(list2.indexPointer));
    }
    if (store.openGroup(UserGroup::Mode)) {
        const UserGroup g = UserGroup::Mode;
        store.writeText(g, kPositionTop, QString::number(values.positionTop));
        store.writeText(g, kPositionLeft, QString::number(values.positionLeft));
        store.writeText(g, kFormHeight, QString::number(values.formHeight));
        store.writeDword(g, kPanelTopHeight, quint32(values.panelTopHeight));
        for (const auto& value : kOptionValues) {
            store.writeText(g, value.name, values.options.*value.option ? kOne : QString());
        }
        for (const QLatin1String old : {kOldSearchOnCommnents, kOldFreeTextSearchOnComments}) {
            if (store.exists(g, old)) {
                store.deleteValue(g, old);
            }
        }
    }
    return store.commit();
}

QString FormatSearchTime(double seconds) {
    if (!std::isfinite(seconds)) {
        seconds = 0;
    }
    seconds = std::clamp(seconds, -1e12, 1e12);
    // The duration's first 15 significant digits (so 1.2345 counts as 1.2345, not as the
    // binary value just below it), then rounded to thousandths, half away from zero.
    const QString mantissa = QString::number(std::fabs(seconds), 'e', 14);  // d.ddd…e±xx
    const QString digits = mantissa.left(1) + mantissa.mid(2, 14);
    const int exponent = mantissa.mid(mantissa.indexOf(QLatin1Char('e')) + 1).toInt();
    const int keep = exponent + 1 + 3;  // digits in front of the thousandths' end
    qint64 thousandths = 0;
    int roundingDigit = 0;
    if (keep >= 0) {
        const QString padded = digits.leftJustified(keep + 1, QLatin1Char('0'));
        thousandths = keep > 0 ? padded.left(keep).toLongLong() : 0;
        roundingDigit = padded.at(keep).unicode() - u'0';
    }
    if (roundingDigit >= 5) {
        ++thousandths;
    }
    QString text = QString::number(thousandths / 1000) + QLatin1Char('.') +
                   QStringLiteral("%1").arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
    if (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    if (seconds < 0 && thousandths != 0) {
        text.prepend(QLatin1Char('-'));
    }
    return text;
}

double SearchTimeFromText(const QString& text, const QLocale& locale) {
    if (!IsNumericText(text, locale)) {
        return -1;
    }
    QString plain = text;
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? value : -1;
}

}  // namespace vex
