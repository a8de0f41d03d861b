#pragma once

#include "platform/Spreadsheet.h"

// Passes every call on to another spreadsheet: a decorator derives from it and overrides only what it
// changes.
class ForwardingSpreadsheet : public Spreadsheet {
public:
    explicit ForwardingSpreadsheet(Spreadsheet& inner) : inner_(inner) {}

    void start(std::function<void(const OfficeError&)> ready) override { inner_.start(std::move(ready)); }
    void cancelStart() override { inner_.cancelStart(); }
    bool isRunning() const override { return inner_.isRunning(); }
    OfficeError open(const QString& path, const QString& sheetName) override
    {
        return inner_.open(path, sheetName);
    }
    void openInBackground(const QString& path, const QString& sheetName,
                          std::function<void(const OfficeError&)> opened) override
    {
        inner_.openInBackground(path, sheetName, std::move(opened));
    }
    void finishOpening() override { inner_.finishOpening(); }
    bool hasWorkbook() const override { return inner_.hasWorkbook(); }
    QString workbookPath() const override { return inner_.workbookPath(); }
    CellValue cell(int row, int column) override { return inner_.cell(row, column); }
    QList<CellValue> columnDown(int column, int firstRow, int maxRows) override
    {
        return inner_.columnDown(column, firstRow, maxRows);
    }
    OfficeError setCell(int row, int column, const CellValue& value) override
    {
        return inner_.setCell(row, column, value);
    }
    OfficeError save() override { return inner_.save(); }
    OfficeError createWorkbook(const QString& sheetName) override { return inner_.createWorkbook(sheetName); }
    OfficeError saveAs(const QString& path) override { return inner_.saveAs(path); }
    void closeWorkbook() override { inner_.closeWorkbook(); }
    void quit() override { inner_.quit(); }
    QString heldBy(const QString& path) override { return inner_.heldBy(path); }
    OfficeError openForEditing(const QString& path) override { return inner_.openForEditing(path); }

protected:
    Spreadsheet& inner_;
};
