#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "desktop/designfonts.h"
#include "desktop/qttranslation.h"

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

}  // namespace
}  // namespace vex
