#pragma once

#include "platform/Spreadsheet.h"

#include <QHash>
#include <QMap>
#include <QStringList>
#include <utility>

// An in-memory spreadsheet program: workbooks are maps of cells by path and sheet, "saving" copies the
// open workbook's cells into the stored one. Tests put files in place, hold a start back, make the
// program fail or end, and read back what was saved. A stored workbook changed by the test while it is
// open (the teacher saved it elsewhere) is not written over: save() says ChangedOnDisk.
class FakeSpreadsheet : public Spreadsheet {
public:
    using Cells = QMap<std::pair<int, int>, CellValue>;
    struct Workbook {
        QMap<QString, Cells> sheets;
        bool operator==(const Workbook&) const = default;
    };

    // Test side.
    void putWorkbook(const QString& path, const Workbook& workbook) { files[path] = workbook; }
    // A sheet "sheet1" holding A1 = total and rows 3.. with the numbers and names given.
    static Workbook nameList(const CellValue& total, const QList<std::pair<QString, QString>>& entries);
    CellValue savedCell(const QString& path, int row, int column,
                        const QString& sheet = QStringLiteral("sheet1")) const;
    // Completes a start that was held back.
    void completeStart(const OfficeError& result = OfficeError::none());
    // The instance ends on its own (it crashed).
    void crash();

    QMap<QString, Workbook> files;
    // Files that load as something other than a workbook.
    QStringList corrupt;
    // Files whose loading fails in other ways (a password, a full disk ...).
    QHash<QString, OfficeError> openErrors;
    // Files that another program holds open, with who holds them.
    QHash<QString, QString> holders;
    bool holdStart = false;
    OfficeError startResult;
    OfficeError saveResult;
    int starts = 0;
    int saves = 0;
    int quits = 0;
    int columnReads = 0;
    int cellReads = 0;
    QStringList editedFiles;

    // Program side.
    void start(std::function<void(const OfficeError&)> ready) override;
    void cancelStart() override { pending_ = nullptr; }
    bool isRunning() const override { return running_; }
    bool isStarting() const { return static_cast<bool>(pending_); }
    OfficeError open(const QString& path, const QString& sheetName) override;
    bool hasWorkbook() const override { return !openPath_.isEmpty(); }
    QString workbookPath() const override { return openPath_; }
    CellValue cell(int row, int column) override;
    QList<CellValue> columnDown(int column, int firstRow, int maxRows) override;
    OfficeError setCell(int row, int column, const CellValue& value) override;
    OfficeError save() override;
    void closeWorkbook() override;
    void quit() override;
    QString heldBy(const QString& path) override { return holders.value(path); }
    OfficeError openForEditing(const QString& path) override;

    // The cells of the open workbook's sheet as the program sees them, saved or not.
    CellValue liveCell(int row, int column) const { return open_.value({row, column}); }

private:
    std::function<void(const OfficeError&)> pending_;
    bool running_ = false;
    QString openPath_;
    QString openSheet_;
    Cells open_;
    // The stored workbook as it was when it was opened or last saved.
    Workbook read_;
};
