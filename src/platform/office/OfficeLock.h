#pragma once

#include "platform/CatalogueText.h"
#include "platform/DocumentLockPath.h"

#include <QList>
#include <QString>
#include <optional>

// The lock file LibreOffice keeps beside a document it has open (officeLockPath), one line
// ",<name>,<user>,<host>,<date>,<profile URL>;".
struct OfficeLock {
    QString name;
    QString user;
    QString host;
    QString when;
    QString profileUrl;
};

std::optional<OfficeLock> parseOfficeLock(const QByteArray& content);
// The lock beside the document; nothing when there is none. A lock file that cannot be made sense of
// (empty, cut short, garbage) reads as a lock with no field at all: see isGarbledOfficeLock.
std::optional<OfficeLock> readOfficeLock(const QString& documentPath);
bool isGarbledOfficeLock(const OfficeLock& lock);
// The lock's line, fields escaped as the office escapes them.
QByteArray formatOfficeLock(const OfficeLock& lock);

// Who our background instance says it is in the locks it writes. The office names its user in a lock
// by the system's login name; being the teacher's own name, the teacher's office would take our lock
// for one of its own ("locked by yourself on a different system") and offer to open the list for
// editing. Under a name of its own, the teacher's office says the list is in use by Vantrel.
inline const CatalogueText kOwnLockName{"OfficeLock",
                                        QT_TRANSLATE_NOOP("OfficeLock", "Vantrel工具（按名单抽签）")};
inline const QString kOwnLockUser = QStringLiteral("Vantrel");
// Puts our names into the lock our instance wrote beside the document; false when the lock there is
// not one of that profile (then it is left as it is).
bool signOwnOfficeLock(const QString& documentPath, const QString& ownProfileUrl);

// A LibreOffice process running on this machine, with the profile it was started with (empty: the
// user's default profile).
struct RunningOffice {
    qint64 pid = 0;
    QString profileUrl;
};

// Every soffice.bin process on this machine that we can see.
QList<RunningOffice> runningOffices();

// Profiles of our own background instances live in folders with this name part.
inline const QString kPrivateProfileMarker = QStringLiteral("vantrel-office-");

// Whether two profile URLs name the same folder, however each is encoded.
bool isSameOfficeProfile(const QString& url, const QString& otherUrl);

// Whether the office that wrote the lock may still have the document open. A lock from another
// machine cannot be checked and counts as live; on this machine the lock is live while an office of
// that profile runs.
bool isOfficeLockLive(const OfficeLock& lock, const QString& thisHost, const QList<RunningOffice>& running);

// Whether a garbled lock is a leftover nobody will ever clear: an office writes its lock in one go,
// so one that has stayed garbled for a few seconds while no office but ours runs here is debris (a
// full disk leaves an empty one behind). While the user's own office runs it may be theirs.
bool isAbandonedGarbledLock(const OfficeLock& lock, qint64 ageMs, const QList<RunningOffice>& running);
constexpr qint64 kGarbledLockSettleMs = 5000;

// How the lock reads to the user: "<user>（<host>）".
QString describeOfficeLock(const OfficeLock& lock);
