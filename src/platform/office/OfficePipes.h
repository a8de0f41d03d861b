#pragma once

#include <QString>
#include <QStringList>

// How paths reach a LibreOffice instance, and the named pipes it leaves behind.

// A local path as a file URL for the office's command line: everything special in a URL is encoded,
// and so is '$', which the office would otherwise read as one of its variables (-env: values).
QString officeArgumentUrl(const QString& path);

// The same URL as the office itself writes it (in lock files, and in the name of its pipe).
QString officeUrl(const QString& path);

// The socket file of the pipe an instance listens on for UNO (--accept=pipe,name=<name>).
QString officePipePath(const QString& pipeName);

// The socket file an instance with that profile (as officeUrl gives it) listens on for further
// starts with the same profile. The office removes neither socket when it is killed.
QString officeInstancePipePath(const QString& profileUrl);

// Notes the pipes an instance will make in the file "pipes" of its work folder, so that they can be
// removed when the instance is gone, by this run or by the next after a kill.
bool recordOfficePipes(const QString& folder, const QStringList& pipePaths);
// Removes the pipes noted in the folder (only socket files of the office's naming).
void removeRecordedOfficePipes(const QString& folder);
