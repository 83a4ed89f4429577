#include <gtest/gtest.h>

#include "listfiles.h"
#include "ui/listviews.h"

namespace vex::test {
namespace {

QString Line(const char* code, bool shortList = false) {
    return RecordLine({{Column::Code, QString::fromUtf8(code)},
                       {Column::Text, QStringLiteral("Tekst")},
                       {Column::ShortListFlag, shortList ? QStringLiteral("1") : QString()}});
}

// Two files in use, the primary one current: its short list holds DA00 and DB01; the secondary
// file has no short list.
DataState TwoFiles(QStringList primaryRecords = {Line("DA001"), Line("DA00", true), Line("DA01"),
                                                 Line("DB01", true)}) {
    DataState data;
    data.primaryDataFile = QStringLiteral("ICD10vex.txt");
    data.secondaryDataFile = QStringLiteral("Behandling-procedurer-vex.txt");
    data.file1.headerLine = data.file2.headerLine = HeaderLine();
    data.file1.extended = std::move(primaryRecords);
    data.file2.extended = {Line("BA"), Line("BAB"), Line("KA")};
    MakeFileCurrent(data, DataFileRole::Primary);
    return data;
}

ListMemory Remembered(const char* searchInput, int index, ListView view) {
    ListMemory m;
    m.lastSearchInput = QString::fromUtf8(searchInput);
    m.indexPointer = index;
    m.extendedView = view;
    return m;
}

TEST(ListViewsTest, FirstViewShowsTheRememberedListAndRecordOfTheFileInUse) {
    ListViews lists;
    lists.remember(Remembered("kolera", 1, ListView::Short), ListMemory{});
    lists.use(TwoFiles());
    const ListViewShown shown = lists.setUpFirstView();
    EXPECT_EQ(lists.data().current, lists.data().shortList);
    EXPECT_TRUE(shown.shortListPicture);
    EXPECT_FALSE(shown.extendedListPicture || shown.shortListBox);
    EXPECT_TRUE(shown.sourceFilePanel.has_value());
    EXPECT_EQ(lists.inUse().indexPointer, 1);
    EXPECT_EQ(lists.inUse().lastSearchInput, "kolera");

    // A remembered record beyond the list falls back to the first; a remembered short view of a
    // file without short-list records shows its extended list and keeps the flag.
    ListViews other;
    other.remember(Remembered("", 9, ListView::Short), ListMemory{});
    other.use(TwoFiles({Line("DA00"), Line("DA01")}));
    EXPECT_TRUE(other.setUpFirstView().shortListBox);
    EXPECT_EQ(other.data().current, other.data().extended);
    EXPECT_EQ(other.view(), ListView::Short);
    EXPECT_EQ(other.inUse().indexPointer, 0);
}

TEST(ListViewsTest, ToggleLandsOnTheCodeOrIsRefusedWithoutShortList) {
    ListViews lists;
    lists.remember(Remembered("", 2, ListView::Extended), ListMemory{});  // DA01: not short
    lists.use(TwoFiles());
    lists.setUpFirstView();
    std::optional<ListViewShown> shown = lists.toggle();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->shortListPicture);
    EXPECT_FALSE(shown->sourceFilePanel.has_value());  // the file did not change
    EXPECT_EQ(lists.view(), ListView::Short);
    EXPECT_EQ(lists.inUse().indexPointer, 0);  // no short record begins with DA01
    lists.keepRecord(1);                       // DB01
    ASSERT_TRUE(lists.toggle());
    EXPECT_EQ(lists.inUse().indexPointer, 3);

    ListViews none;
    none.remember(Remembered("", 1, ListView::Extended), ListMemory{});
    none.use(TwoFiles({Line("DA00"), Line("DA01")}));
    none.setUpFirstView();
    EXPECT_FALSE(none.toggle());
    EXPECT_EQ(none.view(), ListView::Extended);
    EXPECT_EQ(none.inUse().indexPointer, 1);
    EXPECT_EQ(none.data().current, none.data().extended);
}

// What the window keeps for the file in use is what that file remembers when it is left, and
// what is stored at the close; the other file's values come back as they were.
TEST(ListViewsTest, SwitchingFilesKeepsWhatEachFileRemembers) {
    ListViews lists;
    lists.remember(Remembered("gammel", 0, ListView::Extended),
                   Remembered("nerve", 7, ListView::Short));
    lists.use(TwoFiles());
    lists.setUpFirstView();
    lists.keepSearchInput(QStringLiteral("kolera"));
    lists.keepRecord(2);
    lists.keepSearchTime(0.25);

    const ListViewShown shown = lists.switchFile();
    EXPECT_EQ(lists.data().currentDataFile, "Behandling-procedurer-vex.txt");
    EXPECT_TRUE(shown.sourceFilePanel.has_value());
    EXPECT_TRUE(shown.shortListBox);  // no short list: the extended list, remembered so
    EXPECT_EQ(lists.view(), ListView::Extended);
    EXPECT_EQ(lists.inUse().lastSearchInput, "nerve");
    EXPECT_EQ(lists.inUse().indexPointer, 0);  // 7 is beyond the list
    const ListMemory& left = lists.remembered(DataFileRole::Primary);
    EXPECT_EQ(left.lastSearchInput, "kolera");
    EXPECT_EQ(left.indexPointer, 2);
    EXPECT_EQ(left.searchTime, 0.25);

    lists.keepSearchInput(QStringLiteral("kranie"));
    lists.switchFile();
    EXPECT_EQ(lists.inUse().lastSearchInput, "kolera");
    EXPECT_EQ(lists.inUse().indexPointer, 2);
    EXPECT_EQ(lists.remembered(DataFileRole::Secondary).lastSearchInput, "kranie");
}

}  // namespace
}  // namespace vex::test
