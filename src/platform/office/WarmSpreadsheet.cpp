#include "platform/office/WarmSpreadsheet.h"

#include "platform/Timer.h"

#include <QFileInfo>

WarmSpreadsheet::WarmSpreadsheet(Spreadsheet& engine, TimerDriver& timers)
    : engine_(engine),
      idleEnd_(new Timer(timers, QStringLiteral("officeIdleEnd"), kIdleEndMs, TickPolicy::Pacing, &owner_))
{
    idleEnd_->onTick([this] { endNow(); });
}

WarmSpreadsheet::~WarmSpreadsheet()
{
    // A start still under way must not call back into a decorator that is gone.
    if (starting_)
        engine_.cancelStart();
}

WarmSpreadsheet::FileStamp WarmSpreadsheet::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified()};
}

bool WarmSpreadsheet::isWaitingToEnd() const
{
    return idleEnd_->isEnabled();
}

void WarmSpreadsheet::prepare(const QString& path, const QString& sheetName)
{
    idleEnd_->setEnabled(false);
    if (parked_ && (path != preparedPath_ || sheetName != preparedSheet_)) {
        parked_ = false;
        engine_.closeWorkbook();
    }
    preparedPath_ = path;
    preparedSheet_ = sheetName;
    if (inUse_ || starting_)
        return;
    if (engine_.isRunning())
        openAhead();
    else
        startEngine();
}

void WarmSpreadsheet::leave()
{
    if (!inUse_)
        waitToEnd();
}

void WarmSpreadsheet::end()
{
    ready_ = nullptr;
    inUse_ = false;
    endNow();
}

void WarmSpreadsheet::startEngine()
{
    starting_ = true;
    engine_.start([this](const OfficeError& result) { onEngineStarted(result); });
}

void WarmSpreadsheet::onEngineStarted(const OfficeError& result)
{
    starting_ = false;
    if (auto ready = std::move(ready_)) {
        ready_ = nullptr;
        // The draw is waiting: it opens the list itself, the sooner the better.
        ready(result);
        return;
    }
    if (!result && !inUse_)
        openAhead();
}

void WarmSpreadsheet::openAhead()
{
    if (parked_ || engine_.hasWorkbook() || preparedPath_.isEmpty())
        return;
    // The list is only opened ahead where the draw itself would open it: it is there and no other
    // program (the teacher's own office) holds it.
    if (!QFileInfo(preparedPath_).isFile() || !engine_.heldBy(preparedPath_).isEmpty())
        return;
    const FileStamp stamp = stampOf(preparedPath_);
    if (engine_.open(preparedPath_, preparedSheet_))
        return; // the draw opens it again and tells the teacher what is wrong
    parked_ = true;
    parkedStamp_ = stamp;
}

void WarmSpreadsheet::start(std::function<void(const OfficeError&)> ready)
{
    inUse_ = true;
    idleEnd_->setEnabled(false);
    if (!starting_ && engine_.isRunning()) {
        if (ready)
            ready(OfficeError::none());
        return;
    }
    ready_ = std::move(ready);
    if (!starting_)
        startEngine();
}

void WarmSpreadsheet::cancelStart()
{
    ready_ = nullptr;
    // The draw gave up waiting: the instance may still come up, and then waits to end.
    if (inUse_) {
        inUse_ = false;
        waitToEnd();
    }
}

OfficeError WarmSpreadsheet::open(const QString& path, const QString& sheetName)
{
    if (parked_) {
        parked_ = false;
        if (path == preparedPath_ && sheetName == preparedSheet_ && engine_.hasWorkbook() &&
            stampOf(path) == parkedStamp_)
            return OfficeError::none();
        // Edited since it was opened ahead: the engine reads it afresh.
    }
    return engine_.open(path, sheetName);
}

CellValue WarmSpreadsheet::cell(int row, int column)
{
    return parked_ ? CellValue::error() : engine_.cell(row, column);
}

QList<CellValue> WarmSpreadsheet::columnDown(int column, int firstRow, int maxRows)
{
    return parked_ ? QList<CellValue>{} : engine_.columnDown(column, firstRow, maxRows);
}

OfficeError WarmSpreadsheet::setCell(int row, int column, const CellValue& value)
{
    return parked_ ? OfficeError::of(OfficeError::Code::EngineStopped) : engine_.setCell(row, column, value);
}

OfficeError WarmSpreadsheet::save()
{
    // Nothing of the draw is in a list opened ahead: it is never written.
    return parked_ ? OfficeError::of(OfficeError::Code::EngineStopped) : engine_.save();
}

void WarmSpreadsheet::closeWorkbook()
{
    parked_ = false;
    engine_.closeWorkbook();
}

void WarmSpreadsheet::quit()
{
    ready_ = nullptr;
    parked_ = false;
    inUse_ = false;
    // The draw is done with the workbook (saved or not, as it chose); the instance waits to end.
    engine_.closeWorkbook();
    waitToEnd();
}

OfficeError WarmSpreadsheet::openForEditing(const QString& path)
{
    // The teacher's own office would find the list locked by ours.
    if (parked_)
        closeWorkbook();
    return engine_.openForEditing(path);
}

void WarmSpreadsheet::waitToEnd()
{
    if (engine_.isRunning() || starting_)
        idleEnd_->setEnabled(true);
}

void WarmSpreadsheet::endNow()
{
    idleEnd_->setEnabled(false);
    parked_ = false;
    if (inUse_)
        return;
    // Quitting also abandons a start still under way.
    if (starting_ || engine_.isRunning() || engine_.hasWorkbook()) {
        starting_ = false;
        engine_.quit();
    }
}
