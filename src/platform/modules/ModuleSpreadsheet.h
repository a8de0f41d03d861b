#pragma once

#include "platform/Spreadsheet.h"

#include <functional>
#include <memory>

// The spreadsheet program behind a module that is loaded on the first call. When it cannot be
// loaded (LibreOffice's libraries are not installed), every call fails with a message that says
// LibreOffice is needed; nothing else of the program depends on it.
class ModuleSpreadsheet : public Spreadsheet {
public:
    using Loader = std::function<std::unique_ptr<Spreadsheet>()>;

    explicit ModuleSpreadsheet(Loader loader);
    ~ModuleSpreadsheet() override;

    // What the user is told when the engine is missing.
    static QString missingText();

    void start(std::function<void(const OfficeError&)> ready) override;
    void cancelStart() override;
    bool isRunning() const override;
    OfficeError open(const QString& path, const QString& sheetName) override;
    void openInBackground(const QString& path, const QString& sheetName,
                          std::function<void(const OfficeError&)> opened) override;
    void finishOpening() override;
    bool hasWorkbook() const override;
    QString workbookPath() const override;
    CellValue cell(int row, int column) override;
    QList<CellValue> columnDown(int column, int firstRow, int maxRows) override;
    OfficeError setCell(int row, int column, const CellValue& value) override;
    OfficeError save() override;
    OfficeError createWorkbook(const QString& sheetName) override;
    OfficeError saveAs(const QString& path) override;
    void closeWorkbook() override;
    void quit() override;
    QString heldBy(const QString& path) override;
    OfficeError openForEditing(const QString& path) override;

private:
    // The engine, loaded now if it was not; nullptr when it cannot be.
    Spreadsheet* engine();
    static OfficeError missing();

    Loader loader_;
    bool tried_ = false;
    std::unique_ptr<Spreadsheet> engine_;
};
