#include "config/uservalues.h"
#include "config/regfileformat.h"
#include "config/regfileuserstore.h"

#include "tempfiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vex;

namespace {

const UserGroup V = UserGroup::Values;
const UserGroup M = UserGroup::Mode;

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// A store whose groups can be neither opened nor created.
class ClosedStore : public MemoryUserStore {
public:
    explicit ClosedStore(std::optional<UserGroup> closed = std::nullopt) : closed_(closed) {}
    bool openGroup(UserGroup g) override {
        return (closed_ && *closed_ != g) ? MemoryUserStore::openGroup(g) : false;
    }

private:
    std::optional<UserGroup> closed_;
};

MemoryUserStore storeWith(std::initializer_list<std::tuple<UserGroup, const char*, UserValue>> vs) {
    UserStoreData d;
    for (const auto& [g, name, value] : vs) {
        d.set(g, s(name), value);
    }
    return MemoryUserStore(d);
}

UserValue text(const char* t) {
    return UserValue::fromText(s(t));
}

UserValuesToStore sampleToStore() {
    UserValuesToStore v;
    v.list1 = ListMemory{s("feber & hoste"), 17, ListView::Extended, 0.27, {}};
    v.list2 = ListMemory{s("gammel2"), 3, ListView::Short, -1, {}};
    v.positionTop = -20;
    v.positionLeft = 300;
    v.formHeight = 700;
    v.panelTopHeight = 440;
    v.options = SearchOptions{false, true};
    return v;
}

}  // namespace

TEST(UserValues, firstRun_givesDefaultsAndCreatesBothGroups) {
    MemoryUserStore store;
    const UserValues v = LoadUserValues(store, QLocale::c());
    for (const ListMemory& l : {v.list1, v.list2}) {
        EXPECT_TRUE(l.lastSearchInput.isEmpty());
        EXPECT_EQ(l.indexPointer, 0);
        EXPECT_EQ(l.extendedView, ListView::Extended);  // a missing view means the extended list
        EXPECT_TRUE(l.searchTimeText.isEmpty());
        EXPECT_EQ(SearchTimeFromText(l.searchTimeText), -1);  // no search at first show
    }
    EXPECT_FALSE(v.positionTop || v.positionLeft || v.formHeight || v.panelTopHeight);
    EXPECT_EQ(v.options, SearchOptions{});
    EXPECT_TRUE(store.data().values.exists);
    EXPECT_TRUE(store.data().mode.exists);
}

TEST(UserValues, groupsThatCannotBeOpened_keepInitialValuesAndWriteNothing) {
    ClosedStore store;
    const UserValues v = LoadUserValues(store, QLocale::c());
    EXPECT_EQ(v.list1, ListMemory{});
    EXPECT_EQ(v.list1.extendedView,
              ListView::Short);  // initial values, not the missing-value defaults
    EXPECT_FALSE(v.positionTop.has_value());

    EXPECT_TRUE(StoreUserValues(store, sampleToStore()));
    EXPECT_FALSE(store.data().values.exists || store.data().mode.exists);

    ClosedStore valuesClosed(V);
    StoreUserValues(valuesClosed, sampleToStore());
    EXPECT_FALSE(valuesClosed.data().values.exists);
    EXPECT_EQ(valuesClosed.readText(M, s("FormHeight")), s("700"));
}

TEST(UserValues, searchTimeFormat) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {{0.5, "0.50"},    {1.2345, "1.235"},      {0, "0.00"},       {-1, "-1.00"},
                 {12.5, "12.50"},  {4.999, "4.999"},       {0.27, "0.27"},    {0.0005, "0.001"},
                 {0.0004, "0.00"}, {2.0005, "2.001"},      {-0.0001, "0.00"}, {99.9996, "100.00"},
                 {1.0, "1.00"},    {1234.5678, "1234.568"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSearchTime(c.seconds), s(c.text)) << c.seconds;
    }
}

TEST(UserValues, searchTimesUnderCommaAndPointLocales) {
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    ASSERT_EQ(danish.decimalPoint(), s(","));
    MemoryUserStore store =
        storeWith({{V, "SearchTime1", text("12.50")}, {V, "SearchTime2", UserValue::fromDword(3)}});

    const UserValues dk = LoadUserValues(store, danish);
    EXPECT_EQ(dk.list1.searchTimeText, s("12,50"));
    EXPECT_DOUBLE_EQ(SearchTimeFromText(dk.list1.searchTimeText, danish), 12.5);
    EXPECT_EQ(dk.list2.searchTimeText, s("-1"));  // a value of another type fails to read
    EXPECT_EQ(SearchTimeFromText(dk.list2.searchTimeText, danish), -1);

    const UserValues us = LoadUserValues(store, english);
    EXPECT_EQ(us.list1.searchTimeText, s("12.50"));
    EXPECT_DOUBLE_EQ(SearchTimeFromText(us.list1.searchTimeText, english), 12.5);

    EXPECT_EQ(SearchTimeFromText(s("4,99"), danish), 4.99);
    EXPECT_EQ(SearchTimeFromText(s("4.99"), danish), -1);
    EXPECT_EQ(SearchTimeFromText(s("1e3"), english), -1);
    EXPECT_EQ(SearchTimeFromText(s(""), english), -1);
}

TEST(UserValues, oldValuesAreMovedAndDeleted) {
    MemoryUserStore store = storeWith({
        {V, "LastSearchInput1", text("ny")},
        {V, "LastSearchInput", text("gammel")},
        {V, "IndexPointer", text("42")},
        {V, "SearchTime", text("1.00")},
        {M, "IndexPointer", text("5")},
        {M, "LastSearchInput", text("x")},
        {M, "ExtendedListView", text("1")},
        {M, "SearchOnCommnents", text("1")},
        {M, "FreeTextSearchOnComments", text("1")},
    });
    const UserValues v = LoadUserValues(store, QLocale::c());
    EXPECT_EQ(v.list1.lastSearchInput, s("gammel"));
    EXPECT_EQ(v.list1.indexPointer, 42);
    for (const char* gone : {"LastSearchInput", "IndexPointer", "SearchTime"}) {
        EXPECT_FALSE(store.exists(V, s(gone))) << gone;
    }
    for (const char* gone : {"IndexPointer", "LastSearchInput", "ExtendedListView"}) {
        EXPECT_FALSE(store.exists(M, s(gone))) << gone;
    }
    // The old option values go at the first close, not at the start.
    EXPECT_TRUE(store.exists(M, s("SearchOnCommnents")));
    StoreUserValues(store, sampleToStore());
    EXPECT_FALSE(store.exists(M, s("SearchOnCommnents")));
    EXPECT_FALSE(store.exists(M, s("FreeTextSearchOnComments")));
}

TEST(UserValues, oldIndexPointer_onlyWithoutNewOneAndOnlyWhenItConverts) {
    MemoryUserStore both =
        storeWith({{V, "IndexPointer1", text("7")}, {V, "IndexPointer", text("42")}});
    EXPECT_EQ(LoadUserValues(both, QLocale::c()).list1.indexPointer, 7);
    EXPECT_TRUE(both.exists(V, s("IndexPointer")));

    MemoryUserStore bad = storeWith({{V, "IndexPointer", text("abc")}});
    EXPECT_EQ(LoadUserValues(bad, QLocale::c()).list1.indexPointer, 0);
    EXPECT_TRUE(bad.exists(V, s("IndexPointer")));
}

TEST(UserValues, unusableSingleValuesTakeTheirDefaults) {
    MemoryUserStore store = storeWith({
        {V, "IndexPointer1", text("abc")},
        {V, "IndexPointer2", text("-7")},
        {V, "ExtendedList1View", text("0")},
        {V, "ExtendedList2View", text("")},
        {V, "LastSearchInput2", UserValue::fromDword(9)},
        {M, "PanelTopHeight", text("400")},
        {M, "PositionTop", text("-20")},
        {M, "PositionLeft", text("1O0")},
        {M, "FormHeight", UserValue::fromDword(600)},
        {M, "FreeTextSearch", text("yes")},
        {M, "SearchOnComments", UserValue::fromDword(1)},
    });
    const UserValues v = LoadUserValues(store, QLocale::c());
    EXPECT_EQ(v.list1.indexPointer, 0);
    EXPECT_EQ(v.list2.indexPointer, 0);
    EXPECT_EQ(v.list1.extendedView, ListView::Short);
    EXPECT_EQ(v.list2.extendedView, ListView::Extended);
    EXPECT_TRUE(v.list2.lastSearchInput.isEmpty());
    EXPECT_FALSE(v.panelTopHeight.has_value());  // text, not a 32-bit integer
    EXPECT_EQ(v.positionTop, -20);               // off-screen places are corrected at first show
    EXPECT_FALSE(v.positionLeft.has_value());
    EXPECT_FALSE(v.formHeight.has_value());
    EXPECT_EQ(v.options, SearchOptions{});
}

TEST(UserValues, storeWritesEveryValueInItsForm) {
    MemoryUserStore store;
    ASSERT_TRUE(StoreUserValues(store, sampleToStore()));
    const struct {
        UserGroup group;
        const char* name;
        const char* text;
    } texts[] = {
        {V, "ExtendedList1View", "1"},
        {V, "ExtendedList2View", "0"},
        {V, "LastSearchInput1", "feber & hoste"},
        {V, "LastSearchInput2", "gammel2"},
        {V, "SearchTime1", "0.27"},
        {V, "SearchTime2", "-1.00"},
        {V, "IndexPointer1", "17"},
        {V, "IndexPointer2", "3"},
        {M, "PositionTop", "-20"},
        {M, "PositionLeft", "300"},
        {M, "FormHeight", "700"},
        {M, "FreeTextSearch", ""},
        {M, "SearchOnComments", "1"},
    };
    for (const auto& t : texts) {
        EXPECT_TRUE(store.exists(t.group, s(t.name))) << t.name;
        EXPECT_EQ(store.readText(t.group, s(t.name)), s(t.text)) << t.name;
    }
    EXPECT_EQ(store.readDword(M, s("PanelTopHeight")), 440u);
}

TEST(UserValues, saveThenLoad_roundTripThroughTheStoreFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tovemark/VEXdiagnose.reg"));
    UserValuesToStore out = sampleToStore();
    out.list1.lastSearchInput = s("\"C:\\x\" | æøå");
    out.list2.searchTime = 12.5;
    out.options.freeText = true;
    {
        RegFileUserStore store(path);
        LoadUserValues(store, QLocale::c());
        ASSERT_TRUE(StoreUserValues(store, out));
    }
    RegFileUserStore store(path);
    const UserValues in = LoadUserValues(store, QLocale(QLocale::Danish, QLocale::Denmark));
    EXPECT_EQ(in.list1,
              (ListMemory{out.list1.lastSearchInput, 17, ListView::Extended, 0, s("0,27")}));
    EXPECT_EQ(in.list2, (ListMemory{s("gammel2"), 3, ListView::Short, 0, s("12,50")}));
    EXPECT_EQ(in.positionTop, -20);
    EXPECT_EQ(in.positionLeft, 300);
    EXPECT_EQ(in.formHeight, 700);
    EXPECT_EQ(in.panelTopHeight, 440);
    EXPECT_EQ(in.options, (SearchOptions{true, true}));
}

TEST(UserValues, damagedStoreFile_givesDefaultsAndNextCloseWritesACleanFile) {
    QTemporaryDir dir;
    static const char damaged[] =
        "[HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\Mode]\r\n"
        "\"PanelTopHeight\"=\"440\"\r\n"         // wrong type
        "\"FreeTextSearch\"=dword:00000001\r\n"  // wrong type
        "\"FormHeight\"=\"70\x00\xff\xfe garbage\r\n"
        "\x01\x02\x03 [[[ \"\"=\r\n"
        "[HKEY_CURRENT_USER\\Software\\Tovemark\\VEXdiagnose\\Valu";
    const QString path = test::writeFile(dir, QStringLiteral("VEXdiagnose.reg"),
                                         QByteArray(damaged, sizeof(damaged) - 1));
    RegFileUserStore store(path);
    const UserValues v = LoadUserValues(store, QLocale::c());
    EXPECT_FALSE(v.panelTopHeight || v.formHeight || v.options.freeText);
    EXPECT_EQ(v.list1.extendedView, ListView::Extended);
    ASSERT_TRUE(StoreUserValues(store, sampleToStore()));

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    EXPECT_FALSE(written.contains("garbage"));
    EXPECT_TRUE(written.contains("\"PanelTopHeight\"=dword:000001b8\r\n"));
    EXPECT_TRUE(written.contains("\"FreeTextSearch\"=\"\"\r\n"));
    // What was written reads back as written.
    EXPECT_EQ(regfile::serializeBytes(regfile::parseBytes(written)), written);
}
