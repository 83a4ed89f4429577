#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "keyfixture.h"
#include "search/resulttable.h"
#include "ui/keyrules.h"

namespace vex::test {
namespace {

const QString kSentinel = QStringLiteral("(untouched)");

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}
void SetClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// The code of the second record carries the asterisk mark; its text is longer than the
// grid's text column.
QStringList ClipboardRecords() {
    return {
        Record("DA00", "Kolera", true),
        QStringLiteral("DA01\t*\tKolera ") + QString(260, QLatin1Char('x')) +
            QStringLiteral("\t\t\t\t\t\t01-02-2020"),
        Record("DB01", "Kolera klassisk"),
        Record("DC00", "Ondartet svulst"),
        Record("DD00", "Lang " + QString(50000, QLatin1Char('y'))),
    };
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(f.startWith(ClipboardRecords()));
        SetClipboard(kSentinel);
    }
    QPoint rowCentre(int row) {
        QTableView* grid = f.ui().DBGrid1;
        return grid->visualRect(grid->model()->index(row, 1)).center();
    }

    KeyWindowFixture f;
};

TEST_F(ClipboardTest, GridRowIsCopiedAsCodeTwoBlanksAndTextWithNothingAfter) {
    f.search("kolera");
    ASSERT_EQ(f.window().results().rowCount(), 3);
    QTableView* grid = f.ui().DBGrid1;

    f.pressIn(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "DA00  Kolera");

    // A double-click copies the row that is current after it; a text longer than the grid's
    // column comes as the grid holds it.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(1));
    EXPECT_EQ(grid->currentIndex().row(), 1);
    const QString copied = Clipboard();
    EXPECT_EQ(copied, "DA01  " + f.window().results().text(1));
    EXPECT_EQ(copied.size(), 4 + 2 + ResultTable::kTextWidth);
    EXPECT_FALSE(copied.endsWith('\n') || copied.endsWith('\r'));

    // A double-click on the titles copies the current row as well.
    SetClipboard(kSentinel);
    QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(5, 5));
    EXPECT_EQ(Clipboard(), copied);

    // Only Ctrl alone copies; the grid does not copy its cell either.
    for (Qt::KeyboardModifiers modifiers :
         {Qt::ControlModifier | Qt::ShiftModifier, Qt::ControlModifier | Qt::AltModifier,
          Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        SetClipboard(kSentinel);
        f.pressIn(grid, Qt::Key_C, modifiers);
        EXPECT_EQ(Clipboard(), kSentinel) << int(modifiers);
    }
    // Ctrl+Insert, the other copy key of the desktops, copies as Ctrl+C does.
    SetClipboard(kSentinel);
    f.pressIn(grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), copied);
    EXPECT_EQ(f.beeps, 0);
    SetClipboard(kSentinel);
    // Double-clicks elsewhere copy no grid row.
    QTest::mouseDClick(f.ui().txtStikord, Qt::LeftButton);
    QTest::mouseDClick(f.ui().txtSynonymer->viewport(), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), kSentinel);
}

TEST_F(ClipboardTest, EmptyGridCopiesNothing) {
    f.search("kopper");  // no hits
    ASSERT_EQ(f.window().results().rowCount(), 0);
    f.dialogs.shown.clear();
    f.pressIn(f.ui().DBGrid1, Qt::Key_C, Qt::ControlModifier);
    QTest::mouseDClick(f.ui().DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(Clipboard(), kSentinel);
}

TEST_F(ClipboardTest, CodeFieldDoubleClickDropsTheMarkAndCtrlCKeepsIt) {
    f.search("kolera");
    f.showSynced(1);
    ASSERT_EQ(f.code(), "DA01*");
    QTest::mouseDClick(f.ui().txtSKSkode, Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "DA01");
    f.ui().txtSKSkode->deselect();
    f.pressIn(f.ui().txtSKSkode, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "DA01*");
    SetClipboard(kSentinel);
    f.pressIn(f.ui().txtSKSkode, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "DA01*");
    EXPECT_EQ(f.beeps, 0);

    // A selected part is copied by the field itself, over what the handler put there.
    f.ui().txtSKSkode->setSelection(1, 2);
    f.pressIn(f.ui().txtSKSkode, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "A0");
}

TEST_F(ClipboardTest, TextFieldCopiesItsWholeText) {
    f.search("kolera");
    f.showSynced(2);
    QPlainTextEdit* text = f.ui().txtDiagnoseTekst;
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(Clipboard(), "Kolera klassisk");
    SetClipboard(kSentinel);
    QTextCursor cursor = text->textCursor();
    cursor.clearSelection();
    text->setTextCursor(cursor);
    f.pressIn(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "Kolera klassisk");
    SetClipboard(kSentinel);
    f.pressIn(text, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "Kolera klassisk");
    EXPECT_EQ(f.beeps, 0);
}

TEST_F(ClipboardTest, FieldOfTensOfThousandsIsShownCutAndCopiedWhole) {
    // A damaged file may hold a field of megabytes; wrapping it all would stall the window.
    f.search("lang");
    ASSERT_EQ(f.window().results().rowCount(), 1);
    f.showSynced(4);
    const QString whole = "Lang " + QString(50000, QLatin1Char('y'));
    const QString shown = f.ui().txtDiagnoseTekst->toPlainText();
    EXPECT_LT(shown.size(), 20000);
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
    EXPECT_EQ(shown.back(), QChar(0x2026));
    QTest::mouseDClick(f.ui().txtDiagnoseTekst->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(3, 3));
    EXPECT_EQ(Clipboard(), whole);
    SetClipboard(kSentinel);
    QTextCursor cursor = f.ui().txtDiagnoseTekst->textCursor();
    cursor.clearSelection();  // the double-click selected a word, which the field would copy
    f.ui().txtDiagnoseTekst->setTextCursor(cursor);
    f.pressIn(f.ui().txtDiagnoseTekst, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), whole);
}

TEST_F(ClipboardTest, AfterASearchWithoutHitsOnlyDoubleClicksCopy) {
    f.showSynced(1);
    f.search("kopper");
    ASSERT_EQ(f.window().results().rowCount(), 0);
    ASSERT_EQ(f.code(), "DA01*");

    for (Qt::Key copy : {Qt::Key_C, Qt::Key_Insert}) {
        f.pressIn(f.ui().txtSKSkode, copy, Qt::ControlModifier);
        f.pressIn(f.ui().txtDiagnoseTekst, copy, Qt::ControlModifier);
    }
    EXPECT_EQ(Clipboard(), kSentinel);
    EXPECT_EQ(f.beeps, 0);  // nor does it sound

    QTest::mouseDClick(f.ui().txtSKSkode, Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "DA01");
    QTest::mouseDClick(f.ui().txtDiagnoseTekst->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(3, 3));
    EXPECT_EQ(Clipboard(), f.ui().txtDiagnoseTekst->toPlainText());
    EXPECT_TRUE(Clipboard().startsWith("Kolera xxx"));
}

TEST_F(ClipboardTest, RecordFieldsSoundTheAlertOnTypingButNotOnControlKeys) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool sounds;
    } keys[] = {
        {Qt::Key_A, Qt::NoModifier, true},
        {Qt::Key_5, Qt::NoModifier, true},
        {Qt::Key_Space, Qt::NoModifier, true},
        {Qt::Key_Comma, Qt::NoModifier, true},
        {Qt::Key_Home, Qt::NoModifier, true},
        {Qt::Key_Left, Qt::NoModifier, true},
        {Qt::Key_Delete, Qt::NoModifier, true},
        {Qt::Key_Insert, Qt::NoModifier, true},
        {Qt::Key_F5, Qt::NoModifier, true},
        {Qt::Key_7, Qt::KeypadModifier, true},
        {Qt::Key_A, Qt::ShiftModifier, true},
        {Qt::Key_C, Qt::ShiftModifier, true},
        {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, true},
        {Qt::Key_Backspace, Qt::NoModifier, false},
        {Qt::Key_Return, Qt::NoModifier, false},
        {Qt::Key_Escape, Qt::NoModifier, false},
        {Qt::Key_Tab, Qt::NoModifier, false},
        {Qt::Key_Shift, Qt::NoModifier, false},
        {Qt::Key_Control, Qt::NoModifier, false},
    };
    const WindowWidgets& ui = f.ui();
    for (QWidget* field :
         std::initializer_list<QWidget*>{ui.txtSKSkode, ui.txtDiagnoseTekst, ui.txtSynonymer,
                                         ui.txtInklusiv, ui.txtStikord, ui.txtKommentarer}) {
        for (const auto& k : keys) {
            SCOPED_TRACE(field->objectName().toStdString() + " key " + std::to_string(k.key));
            f.beeps = 0;
            f.pressIn(field, k.key, k.modifiers);
            EXPECT_EQ(f.beeps, k.sounds ? 1 : 0);
        }
        // Ctrl+C and Ctrl+Insert are a copy in the code and text fields, typing in the others.
        const bool copyField = field == ui.txtSKSkode || field == ui.txtDiagnoseTekst;
        for (Qt::Key copy : {Qt::Key_C, Qt::Key_Insert}) {
            f.beeps = 0;
            f.pressIn(field, copy, Qt::ControlModifier);
            EXPECT_EQ(f.beeps, copyField ? 0 : 1) << field->objectName().toStdString();
        }
    }
    // Keys elsewhere never sound.
    f.beeps = 0;
    f.pressIn(ui.btnSearch, Qt::Key_A);
    f.pressIn(ui.DBGrid1, Qt::Key_A);
    EXPECT_EQ(f.beeps, 0);
}

// The bundled lists, the primary in Windows-1252 and the secondary in UTF-8, show the Danish
// letters in the grid and the fields, and copy them.
TEST(BundledListLettersTest, DanishLettersReachGridFieldsAndClipboard) {
    KeyWindowFixture f;
    f.copyBundledLists();
    ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    f.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window()));
    const WindowWidgets& ui = f.ui();

    f.search(QStringLiteral("lungebetændelse"));
    ASSERT_GT(f.window().results().rowCount(), 0);
    const QString first =
        QStringLiteral("Influenza med lungebetændelse forårsaget af anden type influenzavirus");
    EXPECT_EQ(f.window().results().text(0), first);
    EXPECT_EQ(ui.DBGrid1->model()->index(0, 1).data().toString(), first);
    EXPECT_EQ(ui.txtDiagnoseTekst->toPlainText(), first);
    SetClipboard(kSentinel);
    f.pressIn(ui.DBGrid1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), QStringLiteral("DJ100  ") + first);

    QTest::mouseClick(ui.btnAlternateDatalist, Qt::LeftButton);
    f.search(QStringLiteral("knæ AND *ø"));
    ASSERT_GT(f.window().results().rowCount(), 0);
    const QString procedure =
        QStringLiteral("Skinnebehandling af knæ, blød bandage inkl. støttebind");
    EXPECT_EQ(ui.DBGrid1->model()->index(0, 1).data().toString(), procedure);
    EXPECT_EQ(ui.txtDiagnoseTekst->toPlainText(), procedure);
    SetClipboard(kSentinel);
    f.pressIn(ui.txtDiagnoseTekst, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), procedure);
}

TEST(KeyRulesTest, AlertKeysAreSpaceAndUpAsTheDesktopCountsThem) {
    const struct {
        int key;
        bool sounds;
    } cases[] = {
        {Qt::Key_Space, true},     {Qt::Key_AsciiTilde, true},
        {Qt::Key_Aring, true},     {Qt::Key_Ooblique, true},
        {Qt::Key_PageUp, true},    {Qt::Key_Down, true},
        {Qt::Key_NumLock, true},   {Qt::Key_Print, true},
        {Qt::Key_Menu, true},      {Qt::Key_F1, true},
        {Qt::Key_F35, true},       {Qt::Key_VolumeUp, true},
        {Qt::Key_MediaPlay, true}, {Qt::Key_Backspace, false},
        {Qt::Key_Tab, false},      {Qt::Key_Backtab, false},
        {Qt::Key_Enter, false},    {Qt::Key_Escape, false},
        {Qt::Key_Pause, false},    {Qt::Key_CapsLock, false},
        {Qt::Key_Alt, false},      {Qt::Key_AltGr, false},
        {Qt::Key_Meta, false},     {Qt::Key_Super_L, false},
        {Qt::Key_unknown, false},  {0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsAlertKey(c.key), c.sounds) << std::hex << c.key;
    }
    EXPECT_TRUE(IsCtrlAlone(Qt::ControlModifier | Qt::KeypadModifier));
    EXPECT_FALSE(IsCtrlAlone(Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(CodeWithoutMarks("D*A0*1*"), "DA01");
}

}  // namespace
}  // namespace vex::test
