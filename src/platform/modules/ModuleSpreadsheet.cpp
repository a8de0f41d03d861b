#include "platform/modules/ModuleSpreadsheet.h"

#include <QCoreApplication>

ModuleSpreadsheet::ModuleSpreadsheet(Loader loader) : loader_(std::move(loader)) {}

ModuleSpreadsheet::~ModuleSpreadsheet() = default;

QString ModuleSpreadsheet::missingText()
{
    return QCoreApplication::translate(
        "ModuleSpreadsheet",
        "本机没有安装 LibreOffice Calc（按名单抽签需要它）。请安装 libreoffice-calc 软件包后再试。");
}

OfficeError ModuleSpreadsheet::missing()
{
    return OfficeError::of(OfficeError::Code::EngineUnavailable, missingText());
}

Spreadsheet* ModuleSpreadsheet::engine()
{
    if (!tried_) {
        tried_ = true;
        engine_ = loader_ ? loader_() : nullptr;
    }
    return engine_.get();
}

void ModuleSpreadsheet::start(std::function<void(const OfficeError&)> ready)
{
    if (Spreadsheet* spreadsheet = engine())
        spreadsheet->start(std::move(ready));
    else if (ready)
        ready(missing());
}

void ModuleSpreadsheet::cancelStart()
{
    if (engine_)
        engine_->cancelStart();
}

bool ModuleSpreadsheet::isRunning() const
{
    return engine_ && engine_->isRunning();
}

OfficeError ModuleSpreadsheet::open(const QString& path, const QString& sheetName)
{
    Spreadsheet* spreadsheet = engine();
    return spreadsheet ? spreadsheet->open(path, sheetName) : missing();
}

void ModuleSpreadsheet::openInBackground(const QString& path, const QString& sheetName,
                                         std::function<void(const OfficeError&)> opened)
{
    if (Spreadsheet* spreadsheet = engine())
        spreadsheet->openInBackground(path, sheetName, std::move(opened));
    else if (opened)
        opened(missing());
}

void ModuleSpreadsheet::finishOpening()
{
    if (engine_)
        engine_->finishOpening();
}

bool ModuleSpreadsheet::hasWorkbook() const
{
    return engine_ && engine_->hasWorkbook();
}

QString ModuleSpreadsheet::workbookPath() const
{
    return engine_ ? engine_->workbookPath() : QString();
}

CellValue ModuleSpreadsheet::cell(int row, int column)
{
    return engine_ ? engine_->cell(row, column) : CellValue::error();
}

QList<CellValue> ModuleSpreadsheet::columnDown(int column, int firstRow, int maxRows)
{
    return engine_ ? engine_->columnDown(column, firstRow, maxRows) : QList<CellValue>{};
}

OfficeError ModuleSpreadsheet::setCell(int row, int column, const CellValue& value)
{
    return engine_ ? engine_->setCell(row, column, value) : OfficeError::of(OfficeError::Code::EngineStopped);
}

OfficeError ModuleSpreadsheet::save()
{
    return engine_ ? engine_->save() : OfficeError::of(OfficeError::Code::EngineStopped);
}

OfficeError ModuleSpreadsheet::createWorkbook(const QString& sheetName)
{
    Spreadsheet* spreadsheet = engine();
    return spreadsheet ? spreadsheet->createWorkbook(sheetName) : missing();
}

OfficeError ModuleSpreadsheet::saveAs(const QString& path)
{
    return engine_ ? engine_->saveAs(path) : OfficeError::of(OfficeError::Code::EngineStopped);
}

void ModuleSpreadsheet::closeWorkbook()
{
    if (engine_)
        engine_->closeWorkbook();
}

void ModuleSpreadsheet::quit()
{
    if (engine_)
        engine_->quit();
}

QString ModuleSpreadsheet::heldBy(const QString& path)
{
    Spreadsheet* spreadsheet = engine();
    return spreadsheet ? spreadsheet->heldBy(path) : QString();
}

OfficeError ModuleSpreadsheet::openForEditing(const QString& path)
{
    Spreadsheet* spreadsheet = engine();
    return spreadsheet ? spreadsheet->openForEditing(path) : missing();
}
