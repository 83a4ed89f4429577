// What a screen reader gets from the window: Qt's accessibility interfaces, walked as its
// platform bridge walks them.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <functional>

#include "ui/resultgrid.h"
#include "windowfixture.h"

namespace vex::test {
namespace {

const QStringList kPrimary{Record("DA00", "Kolera", true), Record("DA01", "Tyfus", true),
                           Record("DB01", "Kolerine")};
const QStringList kSecondary{Record("KAA", "Kranieoperationer", true)};

// Every field with the label whose caption names it.
const std::pair<const char*, const char*> kFieldLabels[] = {
    {"txtSKSkode", "lblField00"},   {"txtDiagnoseTekst", "lblField02"},
    {"txtSynonymer", "lblField04"}, {"txtInklusiv", "lblField05"},
    {"txtStikord", "lblField06"},   {"txtKommentarer", "lblField07"},
};

bool HasLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
    visit(node);
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i)) {
            Walk(child, visit);
        }
    }
}

QString SpokenName(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        QAccessible::setActive(true);
        f.writeList("ICD10vex.txt", kPrimary);
        QString header = HeaderLine();
        header.replace("SKS-kode", "Procedurekode").replace("Diagnosetekst", "Proceduretekst");
        f.writeFile("Behandling-procedurer-vex.txt",
                    (QStringList{header, "0000\t\t15-10-2018 - Udgiver"} + kSecondary)
                        .join("\r\n")
                        .toUtf8());
        ASSERT_EQ(f.startAndShow(), StartupOutcome::Ready);
    }
    void TearDown() override { QAccessible::setActive(false); }

    // One walk over the window's tree: every control a user can reach is named with words
    // (never its glyph or its accelerator mark), every field by its label's caption, and a
    // label that says what it shows names its current text.
    void expectSpokenNames(const QStringList& fieldCaptions) {
        QStringList fieldNames;
        Walk(QAccessible::queryAccessibleInterface(&f.window()), [&](QAccessibleInterface* a) {
            auto* widget = qobject_cast<QWidget*>(a->object());
            if (widget == nullptr || widget->isWindow()) {
                return;
            }
            const QString name = a->text(QAccessible::Name);
            const std::string what = (widget->objectName() + " (" + name + ")").toStdString();
            const bool control = widget->focusPolicy() != Qt::NoFocus ||
                                 a->role() == QAccessible::Button ||
                                 a->role() == QAccessible::CheckBox;
            if (control) {
                EXPECT_TRUE(HasLetter(name) && !name.contains('&') && name != widget->objectName())
                    << what;
            }
            auto* label = qobject_cast<QLabel*>(widget);
            if (label != nullptr && label->pixmap().isNull() && name != label->text()) {
                const QString shown = label->text().trimmed();
                EXPECT_TRUE(name.endsWith(": " + (shown.isEmpty() ? "ingen" : shown))) << what;
            }
            for (const auto& [field, fieldLabel] : kFieldLabels) {
                if (widget->objectName() == field) {
                    EXPECT_EQ(name.toStdString(),
                              f.window().findChild<QLabel*>(fieldLabel)->text().toStdString());
                    fieldNames << name;
                }
            }
        });
        EXPECT_EQ(fieldNames.join(" | ").toStdString(), fieldCaptions.join(" | ").toStdString());
    }

    WindowFixture f;
};

TEST_F(AccessibilityTest, EveryControlIsNamedAndFieldNamesFollowTheFile) {
    expectSpokenNames(
        {"SKS-kode", "Diagnosetekst", "Synonymer", "Inklusiv", "Stikord", "Kommentarer"});
    QTest::mouseClick(f.ui().btnAlternateDatalist, Qt::LeftButton);
    expectSpokenNames(
        {"Procedurekode", "Proceduretekst", "Synonymer", "Inklusiv", "Stikord", "Kommentarer"});
    EXPECT_TRUE(SpokenName(f.ui().statusPanel(StatusPanel::SourceFile))
                    .contains("Behandling-procedurer-vex.txt"));
}

TEST_F(AccessibilityTest, GridTableGivesTitlesAndTheCurrentRowsCells) {
    f.search("kol");
    f.ui().DBNavigator1->perform(ResultNavigator::Last);
    expectSpokenNames(
        {"SKS-kode", "Diagnosetekst", "Synonymer", "Inklusiv", "Stikord", "Kommentarer"});
    EXPECT_TRUE(SpokenName(f.ui().lblSearchCount).endsWith(": 2/2"));

    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(f.ui().DBGrid1)->tableInterface();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->columnDescription(0), "SKS-kode");
    EXPECT_EQ(table->columnDescription(1), "Diagnosetekst");
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), "DB01");
    EXPECT_EQ(table->cellAt(1, 1)->text(QAccessible::Name), "Kolerine");
    EXPECT_EQ(table->selectedRows(), QList<int>{1});
}

}  // namespace
}  // namespace vex::test
