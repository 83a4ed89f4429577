#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QStyle>
#include <QTranslator>

#include "desktop/captions.h"
#include "desktop/designfonts.h"
#include "desktop/hinttiming.h"
#include "desktop/qttranslation.h"
#include "desktop/scale.h"

namespace vex {
namespace {

TEST(DesignLookTest, TheDesignsFontsComeFromFontsWineWhereTheSystemLacksThem) {
    if (!QFile::exists(kWineFontsFolder + QStringLiteral("/tahoma.ttf"))) {
        GTEST_SKIP() << "fonts-wine is not installed";
    }
    RegisterDesignFonts();
    RegisterDesignFonts();  // a second call changes nothing
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"), 8)).family(), QStringLiteral("Tahoma"));
    QFont bold(QStringLiteral("Tahoma"), 8, QFont::Bold);
    EXPECT_TRUE(QFontInfo(bold).bold());
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("MS Sans Serif"), 8)).family(),
              QStringLiteral("MS Sans Serif"));
}

TEST(DesignLookTest, QtsOwnTextsAreDanishWhereItsTranslationIsInstalled) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                       QStringLiteral("/qtbase_da.qm"))) {
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    }
    QTranslator* translator = InstallQtDanishTranslation(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    // The text fields' context menu.
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Kopiér"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST(HintTimingTest, HintsWaitAndStayAsTheDesignSays) {
    EXPECT_EQ(qApp->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1800);
    EXPECT_EQ(kHintDisplayMs, 3500);
    EXPECT_EQ(HintDisplayText("a\r\nb"), "a\nb");
}

TEST(ScaleTest, DesignPixelsScaleByIntegerDivision) {
    const Scale at120(120);
    EXPECT_EQ(at120.px(114), 142);
    EXPECT_EQ(at120.px(45), 56);
    EXPECT_EQ(at120.px(270), 337);
    EXPECT_EQ(at120.px(150), 187);
    EXPECT_EQ(at120.px(68), 85);
    EXPECT_EQ(at120.gridColumnsWidth(), 674);
    EXPECT_EQ(Scale(96).gridColumnsWidth(), 540);
    EXPECT_EQ(Scale(100).gridColumnsWidth(), 562);
}

}  // namespace
}  // namespace vex
