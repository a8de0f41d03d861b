// Finding and loading the back-end modules: the real ones of this build, a missing one, a broken one.
#include "platform/modules/ModuleLibrary.h"

#include "platform/modules/ModuleBackends.h"
#include "platform/modules/ModuleEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ModuleLibrary, ModulesOfThisBuildAreFoundBesideTheProgramAndCreateTheirBackEnds)
{
    const QStringList folders = ModuleLibrary::searchFolders(QStringLiteral(VANTREL_PROGRAM_DIR));
    ModuleLibrary sound(modules::kSoundModule, folders);
    ASSERT_TRUE(sound.load()) << sound.errorText().toStdString();
    EXPECT_TRUE(sound.isLoaded());
    const auto factory = modules::createSoundFactory(sound, {QStringLiteral(VANTREL_PROGRAM_DIR)});
    ASSERT_NE(factory, nullptr);
    EXPECT_NE(factory->create(), nullptr);

    ModuleLibrary slides(modules::kSlidesModule, folders);
    EXPECT_NE(slides.resolve(modules::kPresentationSymbol), nullptr) << slides.errorText().toStdString();
}

TEST(ModuleLibrary, InstalledModulesAreLookedForRelativeToTheProgram)
{
    const QStringList folders = ModuleLibrary::searchFolders(QStringLiteral("/opt/x/bin"));
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], QStringLiteral("/opt/x/bin/modules"));
    EXPECT_TRUE(folders[1].startsWith(QStringLiteral("/opt/x/"))) << folders[1].toStdString();
    EXPECT_TRUE(folders[1].endsWith(QStringLiteral("/vantrel"))) << folders[1].toStdString();
}

TEST(ModuleLibrary, MissingOrBrokenModuleDoesNotLoadAndSaysWhy)
{
    QTemporaryDir empty;
    ModuleLibrary missing(modules::kOfficeModule, {empty.path()});
    EXPECT_FALSE(missing.load());
    EXPECT_TRUE(missing.errorText().contains(QLatin1String(modules::kOfficeModule)));
    EXPECT_EQ(missing.resolve(modules::kSpreadsheetSymbol), nullptr);
    EXPECT_EQ(modules::createSpreadsheet(missing), nullptr);

    QTemporaryDir broken;
    QFile file(QDir(broken.path()).filePath(QLatin1String(modules::kSlidesModule)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    // The broken one is found first and refused; the search does not go on to an older copy.
    ModuleLibrary refused(modules::kSlidesModule, {broken.path()});
    EXPECT_FALSE(refused.load());
    EXPECT_FALSE(refused.errorText().isEmpty());
    EXPECT_EQ(modules::createPresentation(refused), nullptr);
}

} // namespace
