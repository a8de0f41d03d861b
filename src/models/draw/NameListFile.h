#pragma once

#include "platform/Spreadsheet.h"
#include "platform/files/WriteProtection.h"

#include <QList>
#include <QString>
#include <QStringList>

// The name list's workbook and what the program tells the user about it.
namespace namelist {

inline const QString kSheet = QStringLiteral("sheet1");
// Row 1 holds the count in A1, row 2 the headings; the entries follow.
constexpr int kFirstEntryRow = 3;

// The list in the folder: name.xls in any letter case; when there is none, name.xlsx or name.ods;
// the path of name.xls when there is no list at all.
QString findFile(const QString& folder);

// Whether the list's path names a file we can read: a missing file, a folder or a pipe of that name,
// a list this user may not read, or something other than a lock file at the name of the list's lock,
// is told as such before anything else is tried.
OfficeError fileProblem(const QString& path);

// The participant count that A1 states: its whole part, at least 1; or the message that says why A1
// states no count. A count that is not a whole number is taken down to one and noted.
struct StatedCount {
    qint64 count = 0;
    QString note;
    QString problem;
};
StatedCount readStatedCount(const CellValue& a1, const QString& path);

// Who takes part in a round. names: the name cells of the rows the count covers, at most a round's
// worth (maxEntries) from the first entry row on; namesBelow: how many names the sheet holds below
// those rows. Rows without a name never take part: nobody is drawn as an empty name.
struct Selection {
    QList<int> indexes; // into names, in list order
    QStringList notes;  // what does not add up between A1 and the rows, one sentence each
    QString problem;    // nobody can be drawn
};
Selection selectParticipants(qint64 statedCount, const QStringList& names, int namesBelow, int maxEntries,
                             const QString& path);

// What the teacher is asked before drawing from a list that does not add up or that is write-protected;
// empty when there is nothing to ask.
QString caveatText(const QString& path, const QStringList& notes, WriteProtection protection, int taking);

// Why the list could not be read, for the user.
QString openProblem(const OfficeError& error, const QString& path);
// Why the draw order could not be kept in the workbook.
QString saveProblem(const OfficeError& error, const QString& path);
QString writeProblem(const QString& path);
// The user's own office still has the list open (after editing it).
QString stillOpenNotice(const QString& holder, const QString& path);

// The list changed on disk during the round (someone saved it): the question whether the round's
// order goes into the list as it now is (是) or into the order file beside it (否).
QString changedListQuestion(const QString& path, const QString& orderFile);
// Why the round's order went into the order file instead of the list, and where it is; the order
// itself when no file could keep it (whyNotWritten says why).
QString orderKeptAsideNotice(const QString& reason, const QString& orderFile, const QString& whyNotWritten,
                             const QString& orderLines);
// The reasons orderKeptAsideNotice starts with.
QString changedAndHeldReason(const QString& holder, const QString& path);
QString changedAndKeptReason(const QString& path);
QString notFoundAgainReason(const QString& path, const QStringList& people);
QString notWrittenAgainReason(const QString& problem);

} // namespace namelist
