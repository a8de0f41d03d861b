#include "platform/startup/Catalogue.h"

#include "models/countdown/TimeText.h"
#include "platform/CatalogueText.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// A constant as the windows keep their titles: made before any catalogue is installed.
constexpr CatalogueText kTitle{"MainWindow", QT_TRANSLATE_NOOP("MainWindow", "Vantrel工具")};

// Each case starts and ends without a catalogue of ours.
class Catalogue : public ::testing::Test {
protected:
    void TearDown() override { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); }

    // A catalogue with English for two texts, made from tests/texts/english at build time.
    static QString englishFolder() { return QStringLiteral(VANTREL_TEST_CATALOGUES); }
};

} // namespace

TEST_F(Catalogue, TheLanguagesCatalogueIsUsedForConstantsAndMessages)
{
    ASSERT_TRUE(installCatalogue(QLocale(QStringLiteral("en_GB")), englishFolder()));
    EXPECT_EQ(QString(kTitle), QStringLiteral("Vantrel Tools"));
    EXPECT_EQ(reminderText(1, 5), QStringLiteral("1 min 5 s left!"));
    // A text the catalogue has no translation for stays as written.
    EXPECT_EQ(totalText(5, 0), QStringLiteral("定时05分00秒"));
}

TEST_F(Catalogue, WithoutACatalogueOfTheLanguageTheSourcesAreShown)
{
    for (const QString& name : {QStringLiteral("C"), QStringLiteral("zh_CN"), QStringLiteral("fr_FR")}) {
        EXPECT_FALSE(installCatalogue(QLocale(name), englishFolder())) << name.toStdString();
        EXPECT_EQ(kTitle.text(), QStringLiteral("Vantrel工具")) << name.toStdString();
        EXPECT_EQ(reminderText(0, 30), QStringLiteral("还剩0分30秒!")) << name.toStdString();
    }
    EXPECT_TRUE(QCoreApplication::instance()->findChildren<QTranslator*>().isEmpty());
}

TEST_F(Catalogue, AFolderWithoutCataloguesLeavesTheSources)
{
    EXPECT_FALSE(installCatalogue(QLocale(QStringLiteral("en_GB")), QStringLiteral("/nonexistent")));
    EXPECT_EQ(kTitle.text(), QStringLiteral("Vantrel工具"));
}
