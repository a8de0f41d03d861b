#pragma once

#include "platform/Spreadsheet.h"

#include <QList>
#include <QMap>
#include <QString>
#include <memory>
#include <utility>

// Makes and reads workbooks through a LibreOffice instance of its own connection, independently of
// the engine under test: the fixtures of the office tests and the check of what the engine saved.
class CalcFiles {
public:
    using Cells = QMap<std::pair<int, int>, CellValue>;
    struct Sheet {
        QString name;
        Cells cells;
        // Number formats of cells, as format codes ("000", "YYYY-MM-DD").
        QMap<std::pair<int, int>, QString> numberFormats;
    };

    // Connects to the office listening at the UNO URL.
    explicit CalcFiles(const QString& connectionUrl);
    ~CalcFiles();

    // Writes a workbook with these sheets in the format of the file's extension, encrypted with the
    // password when one is given.
    void write(const QString& path, const QList<Sheet>& sheets, const QString& password = {});
    // Writes a workbook of one sheet of that name, imported from a CSV file (UTF-8, commas): quick for
    // big sheets, where write() sets cell by cell.
    void writeFromCsv(const QString& path, const QString& csvPath, const QString& sheetName);
    // Reads every sheet of the workbook, rows and columns 1..size, with the filter of its extension or
    // the one given.
    QList<Sheet> read(const QString& path, int size = 12, const QString& filter = {});

    // Opens the file as the teacher's office would, and tells what it says about a lock on it: "locked
    // by: <who>" (another user holds it), "own lock: <since>" (the same user on another system), or
    // "" when it opens without a word.
    QString lockWarning(const QString& path);

    // Opens the file and keeps it open (as a user's office would) until release().
    void hold(const QString& path);
    void release();

private:
    struct Uno;
    std::unique_ptr<Uno> uno_;
};

// A name list's sheet: A1 the total, a heading row, then numbers and names from row 3.
CalcFiles::Sheet nameSheet(const CellValue& total, const QList<std::pair<CellValue, CellValue>>& entries,
                           const QString& name = QStringLiteral("sheet1"));
