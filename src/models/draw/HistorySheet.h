#pragma once

#include "platform/DrawHistory.h"

#include <QList>
#include <QStringList>

// The history of a list's rounds as a table the teacher can keep: one row a person per round, in the
// order drawn, then the absent and the draws taken back.
namespace historysheet {

// The heading row, then the rows of the rounds as given (the newest first).
QList<QStringList> rows(const QString& listName, const QList<RoundRecord>& rounds);

// The table as CSV (UTF-8 with a byte-order mark, so that spreadsheet programs read the Chinese
// right). A cell a spreadsheet program would take for a formula (=, +, -, @, a tab or a return at
// its start) is written with a ' before it: a name is text, never something to compute.
QByteArray csv(const QList<QStringList>& rows);
// The cell as the CSV writes it.
QString csvCell(const QString& text);

// Writes the CSV file in one piece; empty on success, else why not, for the user.
QString writeCsv(const QString& path, const QList<QStringList>& rows);

} // namespace historysheet
