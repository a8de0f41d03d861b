#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// A cell's content as the program sees it: nothing, a number, a text, or a formula that failed.
struct CellValue {
    enum class Kind { Empty, Number, Text, Error };

    Kind kind = Kind::Empty;
    double number = 0;
    QString text;
    // How the sheet shows a number that has a format of its own (a student number 001, a date);
    // empty for a number in the general format, which reads as the number itself.
    QString shown;

    static CellValue empty() { return {}; }
    static CellValue fromNumber(double value, const QString& shownAs = {})
    {
        return {Kind::Number, value, {}, shownAs};
    }
    static CellValue fromText(const QString& value) { return {Kind::Text, 0, value, {}}; }
    static CellValue error() { return {Kind::Error, 0, {}, {}}; }

    bool operator==(const CellValue& other) const = default;
};

// The cell as text, the way the sheet shows it: 7 reads "7", 2.5 reads "2.5", a number formatted
// "000" reads "007", an empty cell reads "".
QString cellText(const CellValue& value);

// The value as a 16-bit integer: numbers are rounded half to even, a text must hold a number, an empty
// cell is 0. Nothing when the value cannot be converted (a word, an error, out of range).
std::optional<int16_t> cellInt16(const CellValue& value);

// Why an operation of the spreadsheet program did not succeed.
struct OfficeError {
    enum class Code {
        None,
        EngineUnavailable, // the spreadsheet program is not installed or did not come up
        EngineStopped,     // our background instance ended (crashed or was killed)
        FileMissing,       // no such file
        NotReadable,       // the file (or a folder on its way) may not be read by this user
        NotAFile,          // something else has the file's name: a folder, a device ...
        NotAWorkbook,      // the file is not a workbook of its format (corrupt, a text file ...)
        PasswordProtected, // the workbook opens only with its password
        SheetMissing,      // the workbook has no sheet of that name
        HeldByOther,       // another program (the user's own office) has the file open
        LockInTheWay,   // something that is no lock file (a pipe, a folder) has the name of the file's lock
        DiskFull,       // no room left on the disk to read or write the file; the file is as it was
        WriteProtected, // the file or its folder is read-only; it is left as it was
        WriteFailed,    // the file could not be written; it is left as it was
        ChangedOnDisk,  // the file is no longer the one that was read (someone saved it since): not written
    };

    Code code = Code::None;
    // What the program or the system said, for the user's message.
    QString detail;

    explicit operator bool() const { return code != Code::None; }
    static OfficeError none() { return {}; }
    static OfficeError of(Code failure, const QString& what = {}) { return {failure, what}; }
};

// What the program needs of a spreadsheet program: its own background instance (never the user's own
// office), one workbook open in it at a time, and one sheet of that workbook. All calls are made on
// the user-interface thread; start() and openInBackground() take long, and they do not block.
class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;

    // Starts our background instance unless it already runs, then calls ready on the user-interface
    // thread: with no error once it accepts calls, or with what went wrong. A new start replaces the
    // callback of one still pending.
    virtual void start(std::function<void(const OfficeError&)> ready) = 0;
    // Forgets the callback of a pending start; the instance may still come up.
    virtual void cancelStart() = 0;
    // Whether our instance runs and answers.
    virtual bool isRunning() const = 0;

    // Opens the workbook invisibly and selects its sheet of that name, compared ignoring case. A workbook
    // saved under another format's extension (an .xlsx named .xls) is read by its content. A workbook
    // still open is closed first, unsaved. Needs a running instance.
    virtual OfficeError open(const QString& path, const QString& sheetName) = 0;
    // Opens as open() does, without keeping the user-interface thread waiting: the workbook loads on
    // another thread and opened is called on the user-interface thread with the result (before this
    // returns when it fails without loading). Until then the workbook is nobody's: a call that needs it
    // (open, cells, save, closeWorkbook) first waits for the load and has opened called; quit()
    // abandons the load and forgets opened. This default loads at once.
    virtual void openInBackground(const QString& path, const QString& sheetName,
                                  std::function<void(const OfficeError&)> opened)
    {
        const OfficeError result = open(path, sheetName);
        if (opened)
            opened(result);
    }
    // Waits for a load under way in the background; its opened has been called when this returns.
    virtual void finishOpening() {}
    virtual bool hasWorkbook() const = 0;
    virtual QString workbookPath() const = 0;

    // Cells of the selected sheet, rows and columns from 1.
    virtual CellValue cell(int row, int column) = 0;
    // The cells of a column from firstRow down to the last row of the sheet that holds anything, at
    // most maxRows of them; one call however long the sheet is.
    virtual QList<CellValue> columnDown(int column, int firstRow, int maxRows) = 0;
    virtual OfficeError setCell(int row, int column, const CellValue& value) = 0;

    // Writes the open workbook back to its file in the format the file was read in. The file is
    // replaced as a whole or not at all: a failed save leaves the previous file untouched, and a
    // write-protected file (or folder) is refused. The file keeps its permissions, its owner and its
    // other names (hard links). A file that is no longer the one that was read (another program
    // saved it since) is never written over: ChangedOnDisk.
    virtual OfficeError save() = 0;
    // Opens a new, empty workbook of one sheet of that name, closing one still open unsaved; it is
    // filled with setCell and written with saveAs. Needs a running instance.
    virtual OfficeError createWorkbook(const QString& sheetName)
    {
        Q_UNUSED(sheetName);
        return OfficeError::of(OfficeError::Code::EngineUnavailable);
    }
    // Writes the open workbook to that file in the format of its extension, the way save() writes:
    // whole or not at all, never over a write-protected file. A file already there is replaced (the
    // teacher chose it). The workbook then belongs to that file.
    virtual OfficeError saveAs(const QString& path)
    {
        Q_UNUSED(path);
        return OfficeError::of(OfficeError::Code::EngineUnavailable);
    }
    // Closes the open workbook without saving.
    virtual void closeWorkbook() = 0;
    // Closes the workbook unsaved and ends our instance.
    virtual void quit() = 0;

    // Who, other than us, has the file open (the user's own office): a description for the user, empty
    // when nobody does.
    virtual QString heldBy(const QString& path) = 0;
    // Opens the file in the user's own spreadsheet program, in a window they can edit it in.
    virtual OfficeError openForEditing(const QString& path) = 0;
};
