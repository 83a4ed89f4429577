#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QWidget>

#include "desktop/captions.h"
#include "desktop/designfonts.h"
#include "desktop/scale.h"
#include "ui/windowwidgets.h"

namespace vex {
namespace {

struct Placed {
    const char* name;
    QRect designRect;  // at 96 dpi, relative to the parent
};

TEST(WindowLayoutTest, ComponentsSitWhereTheDesignPutsThemAtAnyResolution) {
    const Placed placed[] = {
        {"txtSKSkode", {87, 7, 121, 21}},
        {"chkKorteListe", {215, 9, 131, 17}},
        {"btnInfo", {524, 4, 24, 24}},
        {"btnHelpGlyph", {544, 4, 24, 24}},
        {"txtDiagnoseTekst", {87, 31, 485, 37}},
        {"txtSynonymer", {87, 71, 485, 37}},
        {"txtInklusiv", {87, 111, 485, 60}},
        {"txtStikord", {87, 174, 485, 21}},
        {"chkFreeTextSearch", {4, 0, 73, 17}},
        {"chkSearchOnComments", {4, 15, 74, 17}},
        {"btnSearch", {87, 3, 57, 26}},
        {"pnlFloatingButtons", {149, 2, 261, 29}},
        {"btnFirst", {2, 1, 35, 26}},
        {"btnPrior", {41, 1, 35, 26}},
        {"btnNext", {80, 1, 35, 26}},
        {"btnLast", {119, 1, 35, 26}},
        {"imgShortList", {162, 8, 12, 12}},
        {"imgExtendedList", {162, 8, 12, 12}},
        {"btnListSelect", {184, 1, 73, 26}},
        {"btnAlternateDatalist", {414, 3, 29, 26}},
        {"btnHelp", {452, 3, 54, 26}},
        {"btnClose", {512, 3, 54, 26}},
        {"DBNavigator1", {2, 1, 80, 18}},
    };
    for (int dpi : {96, 120, 144}) {
        const Scale s(dpi);
        QWidget window;
        BuildWindowLayout(&window, s);
        for (const Placed& p : placed) {
            auto* w = window.findChild<QWidget*>(QLatin1String(p.name));
            ASSERT_NE(w, nullptr) << p.name;
            const QRect expected(s.px(p.designRect.x()), s.px(p.designRect.y()),
                                 s.px(p.designRect.width()), s.px(p.designRect.height()));
            EXPECT_EQ(w->geometry(), expected) << p.name << " at " << dpi;
        }
    }
}

TEST(WindowLayoutTest, LabelsStartWhereTheDesignPutsThem) {
    const std::pair<const char*, QPoint> labels[] = {
        {"lblField00", {2, 10}},     {"lblField02", {3, 34}},       {"lblField04", {3, 74}},
        {"lblField05", {3, 114}},    {"lblField06", {3, 177}},      {"lblField07", {3, 2}},
        {"lblSearchCount", {95, 4}}, {"lblSearchString", {164, 4}},
    };
    const Scale s(120);
    QWidget window;
    BuildWindowLayout(&window, s);
    for (const auto& [name, at] : labels) {
        auto* label = window.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->pos(), QPoint(s.px(at.x()), s.px(at.y()))) << name;
    }
}

TEST(WindowLayoutTest, CaptionsHintsAndInitialStates) {
    QWidget window;
    const WindowWidgets w = BuildWindowLayout(&window, Scale(96));
    const std::pair<QAbstractButton*, const char*> captions[] = {
        {w.chkKorteListe, "&Inkluderet i KorteListe"},
        {w.chkFreeTextSearch, "+&Fri-Tekst"},
        {w.chkSearchOnComments, "+Ko&mment."},
        {w.btnSearch, "&Søg"},
        {w.btnFirst, "|<"},
        {w.btnPrior, "&<"},
        {w.btnNext, "&>"},
        {w.btnLast, ">|"},
        {w.btnHelp, "&Hjælp"},
        {w.btnClose, "&Luk"},
        {w.btnAlternateDatalist, ""},
    };
    for (const auto& [button, caption] : captions) {
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << caption;
    }
    EXPECT_EQ(w.btnSearch->toolTip(),
              QStringLiteral("Søger efter poster, der matcher den anførte søgestreng"));
    EXPECT_EQ(w.btnLast->toolTip(),
              QStringLiteral("Går til sidste post i databasen [Ctrl-PgDown]"));
    EXPECT_EQ(w.imgExtendedList->toolTip(), QStringLiteral("Udvidede Liste"));
    EXPECT_EQ(w.lblSearchCount->toolTip(),
              QStringLiteral("Fokuserede post på søgningslisten ud af antal fundne"));
    EXPECT_FALSE(w.btnAlternateDatalist->isEnabled());
    EXPECT_TRUE(w.lblSearchESC->isHidden());
    EXPECT_EQ(LabelCaption(w.lblSearchString),
              QStringLiteral("Anvendt søgestreng: [                           ]"));
    for (StatusPanel panel : kStatusPanels) {
        ASSERT_NE(w.statusPanel(panel), nullptr);
        EXPECT_EQ(w.statusPanel(panel)->parentWidget(), w.StatusBar1);
    }
    EXPECT_EQ(w.statusPanel(StatusPanel::Sync)->text(), QStringLiteral("Sync"));
}

TEST(WindowLayoutTest, CheckBoxCaptionsShowWholeInTheDesignsFont) {
    if (!QFile::exists(kWineFontsFolder + QStringLiteral("/tahoma.ttf"))) {
        GTEST_SKIP() << "fonts-wine is not installed";
    }
    QWidget window;
    const WindowWidgets w = BuildWindowLayout(&window, Scale(96));
    EXPECT_EQ(QFontInfo(window.font()).family(), QStringLiteral("Tahoma"));
    for (QCheckBox* box : {w.chkKorteListe, w.chkFreeTextSearch, w.chkSearchOnComments}) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        EXPECT_GE(room.width(),
                  box->fontMetrics().horizontalAdvance(CaptionDisplayText(box->text())))
            << box->objectName().toStdString();
    }
}

TEST(WindowLayoutTest, OnlyTheSearchButtonAndTheGridTakeTheTabStop) {
    QWidget window;
    BuildWindowLayout(&window, Scale(96));
    QStringList tabStops;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if ((child->focusPolicy() & Qt::TabFocus) && !child->objectName().isEmpty()) {
            tabStops.append(child->objectName());
        }
    }
    tabStops.sort();
    EXPECT_EQ(tabStops, (QStringList{"DBGrid1", "btnSearch"}));
}

TEST(WindowLayoutTest, RightAlignedLabelsKeepTheirRightEdge) {
    QWidget window;
    const WindowWidgets w = BuildWindowLayout(&window, Scale(96));
    SetLabelCaption(w.lblSearchESC, QStringLiteral("Søgning kan afbrydes med ESC"));
    EXPECT_EQ(w.lblSearchESC->geometry().right() + 1, 570);
    SetLabelCaption(w.lblSearchESC, QStringLiteral("0,53 s"));
    EXPECT_EQ(w.lblSearchESC->geometry().right() + 1, 570);
    SetLabelCaption(w.lblVersion, QStringLiteral("v. 5.16 "));
    EXPECT_EQ(w.lblVersion->geometry().right() + 1, 520);
}

}  // namespace
}  // namespace vex
