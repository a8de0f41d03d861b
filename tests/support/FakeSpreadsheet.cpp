#include "support/FakeSpreadsheet.h"

FakeSpreadsheet::Workbook FakeSpreadsheet::nameList(const CellValue& total,
                                                    const QList<std::pair<QString, QString>>& entries)
{
    Cells cells;
    cells[{1, 1}] = total;
    cells[{2, 1}] = CellValue::fromText(QStringLiteral("编号"));
    cells[{2, 2}] = CellValue::fromText(QStringLiteral("姓名"));
    int row = 3;
    for (const auto& [number, name] : entries) {
        if (!number.isEmpty())
            cells[{row, 1}] = CellValue::fromText(number);
        if (!name.isEmpty())
            cells[{row, 2}] = CellValue::fromText(name);
        ++row;
    }
    Workbook workbook;
    workbook.sheets[QStringLiteral("Sheet1")] = cells;
    return workbook;
}

CellValue FakeSpreadsheet::savedCell(const QString& path, int row, int column, const QString& sheet) const
{
    const Workbook workbook = files.value(path);
    for (auto it = workbook.sheets.begin(); it != workbook.sheets.end(); ++it) {
        if (it.key().compare(sheet, Qt::CaseInsensitive) == 0)
            return it.value().value({row, column});
    }
    return CellValue::error();
}

void FakeSpreadsheet::start(std::function<void(const OfficeError&)> ready)
{
    ++starts;
    pending_ = std::move(ready);
    if (running_) {
        completeStart();
        return;
    }
    if (!holdStart)
        completeStart(startResult);
}

void FakeSpreadsheet::completeStart(const OfficeError& result)
{
    running_ = !result;
    auto ready = std::move(pending_);
    pending_ = nullptr;
    if (ready)
        ready(result);
}

void FakeSpreadsheet::crash()
{
    running_ = false;
    openPath_.clear();
    open_.clear();
}

OfficeError FakeSpreadsheet::open(const QString& path, const QString& sheetName)
{
    closeWorkbook();
    if (!running_)
        return OfficeError::of(OfficeError::Code::EngineStopped);
    if (!holders.value(path).isEmpty())
        return OfficeError::of(OfficeError::Code::HeldByOther, holders.value(path));
    if (openErrors.contains(path))
        return openErrors.value(path);
    if (corrupt.contains(path))
        return OfficeError::of(OfficeError::Code::NotAWorkbook, QStringLiteral("General input/output error"));
    if (!files.contains(path))
        return OfficeError::of(OfficeError::Code::FileMissing);
    const Workbook& workbook = files[path];
    for (auto it = workbook.sheets.begin(); it != workbook.sheets.end(); ++it) {
        if (it.key().compare(sheetName, Qt::CaseInsensitive) == 0) {
            openPath_ = path;
            openSheet_ = it.key();
            open_ = it.value();
            read_ = workbook;
            return OfficeError::none();
        }
    }
    return OfficeError::of(OfficeError::Code::SheetMissing);
}

CellValue FakeSpreadsheet::cell(int row, int column)
{
    ++cellReads;
    if (!hasWorkbook())
        return CellValue::error();
    return open_.value({row, column});
}

QList<CellValue> FakeSpreadsheet::columnDown(int column, int firstRow, int maxRows)
{
    ++columnReads;
    QList<CellValue> cells;
    if (!hasWorkbook() || open_.isEmpty())
        return cells;
    const int lastRow = open_.lastKey().first;
    for (int row = firstRow; row <= lastRow && cells.size() < maxRows; ++row)
        cells << open_.value({row, column});
    return cells;
}

OfficeError FakeSpreadsheet::setCell(int row, int column, const CellValue& value)
{
    if (!hasWorkbook())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    if (value.kind == CellValue::Kind::Empty)
        open_.remove({row, column});
    else
        open_[{row, column}] = value;
    return OfficeError::none();
}

OfficeError FakeSpreadsheet::save()
{
    if (!hasWorkbook())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    ++saves;
    if (saveResult)
        return saveResult;
    if (files.contains(openPath_) && files.value(openPath_) != read_)
        return OfficeError::of(OfficeError::Code::ChangedOnDisk);
    files[openPath_].sheets[openSheet_] = open_;
    read_ = files[openPath_];
    return OfficeError::none();
}

void FakeSpreadsheet::closeWorkbook()
{
    openPath_.clear();
    openSheet_.clear();
    open_.clear();
}

void FakeSpreadsheet::quit()
{
    ++quits;
    pending_ = nullptr;
    closeWorkbook();
    running_ = false;
}

OfficeError FakeSpreadsheet::openForEditing(const QString& path)
{
    if (!files.contains(path) && !corrupt.contains(path))
        return OfficeError::of(OfficeError::Code::FileMissing);
    editedFiles << path;
    return OfficeError::none();
}
