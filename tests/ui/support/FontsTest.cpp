#include "ui/support/Fonts.h"

#include "ui/support/Twips.h"

#include <QFontInfo>
#include <QSet>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace {

const QList<DesignedFace> kFaces{
    {QStringLiteral("宋体"), {QStringLiteral("Serif A"), QStringLiteral("Serif B")}},
    {QStringLiteral("Times New Roman"), {QStringLiteral("Serif B")}},
    {QStringLiteral("MS Sans Serif"), {QStringLiteral("Sans Z")}},
};

auto installed(QSet<QString> families)
{
    return [families](const QString& family) { return families.contains(family); };
}

// The family of some face fontconfig lists on this machine.
QString anyInstalledFamily()
{
    FcPattern* all = FcPatternCreate();
    FcObjectSet* properties = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, all, properties);
    QString family;
    FcChar8* name = nullptr;
    if (fonts && fonts->nfont > 0 &&
        FcPatternGetString(fonts->fonts[0], FC_FAMILY, 0, &name) == FcResultMatch)
        family = QString::fromUtf8(reinterpret_cast<const char*>(name));
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(properties);
    FcPatternDestroy(all);
    return family;
}

} // namespace

TEST(InstalledFaces, TheDesignedFaceWinsThenTheFirstInstalledStandIn)
{
    const QHash<QString, QString> withSimSun =
        chooseInstalledFaces(kFaces, installed({QStringLiteral("宋体"), QStringLiteral("Serif B")}));
    EXPECT_EQ(withSimSun.value(QStringLiteral("宋体")), QStringLiteral("宋体"));
    EXPECT_EQ(withSimSun.value(QStringLiteral("Times New Roman")), QStringLiteral("Serif B"));

    const QHash<QString, QString> standIns =
        chooseInstalledFaces(kFaces, installed({QStringLiteral("Serif A"), QStringLiteral("Serif B")}));
    EXPECT_EQ(standIns.value(QStringLiteral("宋体")), QStringLiteral("Serif A"));
    // Nothing installed for it: left to the toolkit's substitutes.
    EXPECT_FALSE(standIns.contains(QStringLiteral("MS Sans Serif")));
}

TEST(InstalledFaces, FacesNotChosenAreAskedForByTheirDesignedName)
{
    const QHash<QString, QString> before = chooseInstalledFaces(designedFaces(), fontconfigHasFamily);
    useInstalledFaces({{QStringLiteral("宋体"), QStringLiteral("Serif A")}});
    EXPECT_EQ(installedFaceFor(QStringLiteral("宋体")), QStringLiteral("Serif A"));
    EXPECT_EQ(installedFaceFor(QStringLiteral("Times New Roman")), QStringLiteral("Times New Roman"));
    EXPECT_EQ(twips::font(QStringLiteral("宋体"), 9).family(), QStringLiteral("Serif A"));
    useInstalledFaces(before);
}

TEST(InstalledFaces, FontconfigKnowsWhatIsInstalled)
{
    const QString family = anyInstalledFamily();
    ASSERT_FALSE(family.isEmpty()) << "no font on this machine";
    EXPECT_TRUE(fontconfigHasFamily(family)) << qPrintable(family);
    EXPECT_FALSE(fontconfigHasFamily(QStringLiteral("No Such Face 7f3a")));
}

// The lookup on its own thread chooses what the same lookup chooses here, and the toolkit draws with
// each chosen face itself, not a fallback of it.
TEST(InstalledFaces, TheToolkitUsesTheChosenFaces)
{
    const QHash<QString, QString> expected = chooseInstalledFaces(designedFaces(), fontconfigHasFamily);
    InstalledFacesLookup lookup;
    EXPECT_EQ(lookup.result(), expected);
    ASSERT_TRUE(expected.contains(QStringLiteral("宋体"))) << "no Chinese face installed";
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QFont font(it.value());
        font.setPointSizeF(12);
        EXPECT_EQ(QFontInfo(font).family(), it.value()) << qPrintable(it.key());
    }
}
