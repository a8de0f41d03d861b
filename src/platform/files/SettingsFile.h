#pragma once

#include "platform/SettingsStore.h"

#include <QString>
#include <QStringList>

// The user's settings file ($XDG_CONFIG_HOME/vantrel/vantrel.ini) in the INI layout that QSettings
// reads and writes ([group] then key=value). Read and written by us because the path is the user's
// to put anything at: a pipe or a device there is never opened as a file, a huge file is not read,
// and a save replaces nothing but a regular file (through a symbolic link, the file it points to).
// Lines that are not ours stay as they are.
class SettingsFile : public SettingsStore {
public:
    // Far more than any settings of ours; a file beyond it is not settings.
    static constexpr qint64 kMaxSize = 256 * 1024;

    explicit SettingsFile(QString path = defaultPath());

    static QString defaultPath();

    // The text of "group/key" (a key without a group is in [General]); empty when there is none.
    QString value(const QString& key) const override;
    // Sets the value and saves the file at once, over what another copy may have saved meanwhile.
    // False when the file was not written (the value still holds for this run); why is then in
    // problem() and, once, on stderr.
    bool setValue(const QString& key, const QString& value) override;

    // Why the file is not read or not written; empty when nothing is wrong.
    QString problem() const { return problem_; }
    QString path() const { return path_; }

private:
    bool load();
    bool save();
    void report(const QString& problem);

    QString path_;
    QStringList lines_;
    QString problem_;
    QString reported_;
};
