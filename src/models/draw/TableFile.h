#pragma once

#include "platform/Spreadsheet.h"

#include <QList>
#include <QString>
#include <functional>

// A table written as a new file the teacher chose: .csv by us, .xls/.xlsx/.ods through our office
// instance. Every cell is text or a number, never a formula. The file is replaced whole or not at all.
namespace tablefile {

using Row = QList<CellValue>;

// Writes the rows (row 1 first) on sheet "sheet1"; done gets why it failed, for the user, or nothing.
// Through the office, done is called once its instance is up and the file written (the instance is
// then let go); a .csv file is written before this returns.
void write(Spreadsheet* engine, const QString& path, const QList<Row>& rows,
           std::function<void(const QString& problem)> done);

// Why the file could not be written, for the user.
QString writeProblem(const OfficeError& error, const QString& path);

} // namespace tablefile
