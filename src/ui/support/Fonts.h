#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <thread>

// The windows were designed with "宋体" for the Chinese texts and "Times New Roman" (and "MS Sans
// Serif") for the digits; few Linux machines have them. Each has installed faces that keep the
// look, best first.
struct DesignedFace {
    QString name;
    QStringList standIns;
};
const QList<DesignedFace>& designedFaces();

// The face to ask for in place of each designed one: the designed face itself where it is
// installed, else its first installed stand-in. A designed face with neither is left out.
QHash<QString, QString> chooseInstalledFaces(const QList<DesignedFace>& faces,
                                             const std::function<bool(const QString&)>& isInstalled);

// Whether fontconfig has a face of this family, under any of its names (a localised one too).
bool fontconfigHasFamily(const QString& family);

// From now on, installedFaceFor() answers with these choices.
void useInstalledFaces(const QHash<QString, QString>& choices);
// The face to ask the toolkit for: asking for an installed face by its own name spares the toolkit
// a search through every font for a missing one's fallbacks, at each new face and style.
QString installedFaceFor(const QString& designed);

// The toolkit's own substitutes for the designed faces: for a font asked for by its designed name.
void installFontSubstitutes();

// Chooses the installed faces on a thread of its own while the application connects to the display,
// loading fontconfig's configuration and caches on the way: the main window's first font then finds
// them ready instead of paying for them on the window's thread.
class InstalledFacesLookup {
public:
    InstalledFacesLookup();
    ~InstalledFacesLookup();
    InstalledFacesLookup(const InstalledFacesLookup&) = delete;
    InstalledFacesLookup& operator=(const InstalledFacesLookup&) = delete;

    // Waits for the lookup. Called before any font is used: a font lookup before the configuration is
    // loaded would load a second one.
    QHash<QString, QString> result();

private:
    QHash<QString, QString> choices_;
    std::thread thread_;
};
