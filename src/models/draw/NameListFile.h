#pragma once

#include "platform/office/Spreadsheet.h"

#include <QString>
#include <optional>

// The name list's workbook and what the program tells the user about it.
namespace namelist {

inline const QString kSheet = QStringLiteral("sheet1");

// The list in the folder: name.xls in any letter case; when there is none, name.xlsx or name.ods;
// the path of name.xls when there is no list at all.
QString findFile(const QString& folder);

// The participant count of A1, or nothing with the message that says what is wrong with it. A1 is
// read as a 16-bit whole number, as the list has always been.
struct Total {
    std::optional<int> count;
    QString problem;
};
Total readTotal(const CellValue& a1, const QString& path);

// Why the list could not be read, for the user.
QString openProblem(const OfficeError& error, const QString& path);
// Why the draw order could not be kept in the workbook.
QString saveProblem(const OfficeError& error, const QString& path);
QString writeProblem(const QString& path);
// The user's own office still has the list open (after editing it).
QString stillOpenNotice(const QString& holder, const QString& path);

} // namespace namelist
