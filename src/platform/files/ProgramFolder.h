#pragma once

#include <QString>
#include <QStringList>

// The folder that holds the user's data files (name.xls, the decks): the executable's folder when it
// holds name.xls (a portable copy on a USB stick), otherwise $XDG_DATA_HOME/vantrel, created on first
// start and seeded with the shipped samples it lacks. The user's own files are never overwritten.
// Samples are taken from a shipped folder or from its samples/ subfolder (the build tree's).
class ProgramFolder {
public:
    struct Located {
        QString path;
        // Why the folder is not there to hold the teacher's files, in the teacher's words; empty when
        // it is.
        QString problem;
    };

    // applicationDir: the executable's folder; sampleDirs: where shipped samples and cues are found.
    static Located locate(const QString& applicationDir, const QStringList& sampleDirs);
    static QString resolve(const QString& applicationDir, const QStringList& sampleDirs)
    {
        return locate(applicationDir, sampleDirs).path;
    }

    // Why the data folder is not there (no home folder, a file in its way, no permission, a full or
    // read-only disk), in the teacher's words; empty when it is a folder.
    static QString whyMissing(const QString& folder);

    // Where the shipped files (cues, samples, help) are, in search order.
    static QStringList shippedFolders(const QString& applicationDir);
};

// Path of the file in the folder whose name matches fileName ignoring case ("ding.WAV" finds
// "ding.wav"); an exact match wins. Empty when there is none.
QString findFileIgnoringCase(const QString& folder, const QString& fileName);
