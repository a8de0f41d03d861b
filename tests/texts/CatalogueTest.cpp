#include "platform/startup/Catalogue.h"

#include "models/announce/SpokenTexts.h"
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

namespace {

// Only English has a catalogue besides the Chinese sources, as in the program.
bool englishOnly(const QString& language)
{
    return language == QLatin1String("en");
}

QString chosen(const QString& setting, const LocaleEnvironment& desktop)
{
    return chooseLanguage(setting, desktop, englishOnly);
}

LocaleEnvironment lang(const QString& value)
{
    return {QString(), QString(), value, QString()};
}

} // namespace

TEST(InterfaceLanguage, FollowsTheDesktopWhereThereIsACatalogueAndIsChineseElsewhere)
{
    EXPECT_EQ(chosen({}, lang("en_US.UTF-8")), "en");
    EXPECT_EQ(chosen({}, lang("en_GB")), "en");
    for (const char* chinese :
         {"zh_CN.UTF-8", "zh_TW.UTF-8", "C", "C.UTF-8", "POSIX", "", "fr_FR.UTF-8", "de"})
        EXPECT_EQ(chosen({}, lang(chinese)), "zh_CN") << chinese;
    // As the C library reads it: LC_ALL before LC_MESSAGES before LANG.
    EXPECT_EQ(chosen({}, {QString(), "en_US.UTF-8", "zh_CN.UTF-8", QString()}), "en");
    EXPECT_EQ(chosen({}, {"zh_CN.UTF-8", "en_US.UTF-8", "en_US.UTF-8", QString()}), "zh_CN");
    // The list of languages comes first, a language without a catalogue is passed over...
    EXPECT_EQ(chosen({}, {QString(), QString(), "fr_FR.UTF-8", "fr:en"}), "en");
    EXPECT_EQ(chosen({}, {QString(), QString(), "en_US.UTF-8", "zh_CN:en"}), "zh_CN");
    // ...but not when the locale is C: a test run under LC_ALL=C.UTF-8 reads Chinese whatever LANGUAGE says.
    EXPECT_EQ(chosen({}, {"C.UTF-8", QString(), "en_US.UTF-8", "en_US"}), "zh_CN");
}

TEST(InterfaceLanguage, TheSettingOverridesTheDesktopUnlessItNamesNoLanguageWeHave)
{
    EXPECT_EQ(chosen("en", lang("zh_CN.UTF-8")), "en");
    EXPECT_EQ(chosen(" en ", lang("C")), "en");
    EXPECT_EQ(chosen("zh_CN", lang("en_US.UTF-8")), "zh_CN");
    EXPECT_EQ(chosen("en_AU", lang("zh_CN.UTF-8")), "en");
    for (const char* desktopsOwn : {"auto", "", "klingon", "fr"}) {
        EXPECT_EQ(chosen(desktopsOwn, lang("en_US.UTF-8")), "en") << desktopsOwn;
        EXPECT_EQ(chosen(desktopsOwn, lang("zh_CN.UTF-8")), "zh_CN") << desktopsOwn;
    }
    // A territory with a catalogue of its own is preferred to the bare language.
    const auto withBritish = [](const QString& language) { return language == "en" || language == "en_GB"; };
    EXPECT_EQ(chooseLanguage({}, lang("en_GB.UTF-8"), withBritish), "en_GB");
    EXPECT_EQ(chooseLanguage({}, lang("en_US.UTF-8"), withBritish), "en");
}

TEST_F(Catalogue, TheProgramsEnglishCountsAndNamesTheMessageButtons)
{
    const QString folder = QStringLiteral(VANTREL_PROGRAM_CATALOGUES);
    ASSERT_TRUE(catalogueExists("en", folder));
    EXPECT_FALSE(catalogueExists("fr", folder));
    ASSERT_TRUE(installCatalogue(
        QLocale(chooseLanguage({}, lang("en_US.UTF-8"),
                               [&](const QString& language) { return catalogueExists(language, folder); })),
        folder));
    EXPECT_EQ(spokenReminder(1, 0), "1 minute left");
    EXPECT_EQ(spokenReminder(2, 0), "2 minutes left");
    EXPECT_EQ(spokenRemaining(4, 12), "4 minutes 12 seconds left");
    EXPECT_EQ(spokenRemaining(1, 1), "1 minute 1 second left");
    EXPECT_EQ(spokenTimeUp(), "Time's up");
    EXPECT_EQ(QCoreApplication::translate("MessageBoxDialogs", "是"), "Yes");
    EXPECT_EQ(QCoreApplication::translate("MessageBoxDialogs", "否"), "No");
    EXPECT_EQ(reminderText(0, 30), "0 min 30 s left!");
}
