#include "ui/support/Fonts.h"

#include <QFont>
#include <fontconfig/fontconfig.h>

namespace {

QHash<QString, QString>& chosenFaces()
{
    static QHash<QString, QString> choices;
    return choices;
}

} // namespace

const QList<DesignedFace>& designedFaces()
{
    static const QList<DesignedFace> faces{
        {QStringLiteral("宋体"),
         {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
          QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")}},
        {QStringLiteral("Times New Roman"),
         {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
          QStringLiteral("Noto Serif CJK SC")}},
        {QStringLiteral("MS Sans Serif"),
         {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")}},
    };
    return faces;
}

QHash<QString, QString> chooseInstalledFaces(const QList<DesignedFace>& faces,
                                             const std::function<bool(const QString&)>& isInstalled)
{
    QHash<QString, QString> choices;
    for (const DesignedFace& face : faces) {
        for (const QString& candidate : QStringList{face.name} + face.standIns) {
            if (isInstalled(candidate)) {
                choices.insert(face.name, candidate);
                break;
            }
        }
    }
    return choices;
}

bool fontconfigHasFamily(const QString& family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcObjectSet* properties = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* found = FcFontList(nullptr, pattern, properties);
    const bool has = found && found->nfont > 0;
    if (found)
        FcFontSetDestroy(found);
    FcObjectSetDestroy(properties);
    FcPatternDestroy(pattern);
    return has;
}

void useInstalledFaces(const QHash<QString, QString>& choices)
{
    chosenFaces() = choices;
}

QString installedFaceFor(const QString& designed)
{
    return chosenFaces().value(designed, designed);
}

void installFontSubstitutes()
{
    for (const DesignedFace& face : designedFaces())
        QFont::insertSubstitutions(face.name, face.standIns);
}

InstalledFacesLookup::InstalledFacesLookup()
    // fontconfig builds its default configuration once, atomically; the toolkit asks for none before
    // result() has waited for this thread.
    : thread_([this] { choices_ = chooseInstalledFaces(designedFaces(), fontconfigHasFamily); })
{
}

InstalledFacesLookup::~InstalledFacesLookup()
{
    if (thread_.joinable())
        thread_.join();
}

QHash<QString, QString> InstalledFacesLookup::result()
{
    if (thread_.joinable())
        thread_.join();
    return choices_;
}
