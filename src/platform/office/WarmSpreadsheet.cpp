#include "platform/office/WarmSpreadsheet.h"

#include "platform/Timer.h"

#include <QFileInfo>

WarmSpreadsheet::WarmSpreadsheet(Spreadsheet& engine, TimerDriver& timers)
    : ForwardingSpreadsheet(engine),
      idleEnd_(new Timer(timers, QStringLiteral("officeIdleEnd"), kIdleEndMs, TickPolicy::Pacing, &owner_))
{
    idleEnd_->onTick([this] { endNow(); });
}

WarmSpreadsheet::~WarmSpreadsheet()
{
    // A start still under way must not call back into a decorator that is gone; a load still under
    // way finds alive_ gone with it.
    if (starting_)
        inner_.cancelStart();
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
        inner_.closeWorkbook();
    }
    preparedPath_ = path;
    preparedSheet_ = sheetName;
    // Wanted again: a list still loading is kept when it lands, if it is this one.
    closeWhenOpened_ = false;
    if (inUse_ || starting_ || openingAhead_)
        return;
    if (inner_.isRunning())
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
    inner_.start([this](const OfficeError& result) { onEngineStarted(result); });
}

void WarmSpreadsheet::onEngineStarted(const OfficeError& result)
{
    starting_ = false;
    if (result) {
        answerReady(result);
        return;
    }
    // Up: the list loads in the background, also when the draw is already waiting for it.
    if (!openAhead())
        answerReady(OfficeError::none());
}

bool WarmSpreadsheet::openAhead()
{
    if (isHeldAhead() || inner_.hasWorkbook() || preparedPath_.isEmpty())
        return false;
    // The list is only opened ahead where the draw itself would open it: it is there and no other
    // program (the teacher's own office) holds it.
    if (!QFileInfo(preparedPath_).isFile() || !inner_.heldBy(preparedPath_).isEmpty())
        return false;
    openingAhead_ = true;
    closeWhenOpened_ = false;
    openingPath_ = preparedPath_;
    openingSheet_ = preparedSheet_;
    // Taken before the load: an edit saved while it loads is caught at the hand-over.
    openingStamp_ = stampOf(preparedPath_);
    const int round = ++openAheadRound_;
    inner_.openInBackground(openingPath_, openingSheet_,
                            [this, alive = std::weak_ptr<bool>(alive_), round](const OfficeError& result) {
                                if (alive.lock() && round == openAheadRound_)
                                    onOpenedAhead(result);
                            });
    return true;
}

void WarmSpreadsheet::onOpenedAhead(const OfficeError& result)
{
    openingAhead_ = false;
    const bool closedByDraw = closeWhenOpened_;
    closeWhenOpened_ = false;
    const bool stillPrepared = openingPath_ == preparedPath_ && openingSheet_ == preparedSheet_;
    if (!result && stillPrepared && !closedByDraw) {
        parked_ = true;
        parkedStamp_ = openingStamp_;
    } else if (!result) {
        inner_.closeWorkbook();
    }
    // A list that did not load is not kept: the draw opens it itself and tells the teacher why.
    if (ready_) {
        answerReady(OfficeError::none());
        return;
    }
    if (!stillPrepared && !closedByDraw && !inUse_)
        openAhead();
}

void WarmSpreadsheet::answerReady(const OfficeError& result)
{
    if (auto ready = std::move(ready_)) {
        ready_ = nullptr;
        ready(result);
    }
}

void WarmSpreadsheet::start(std::function<void(const OfficeError&)> ready)
{
    inUse_ = true;
    idleEnd_->setEnabled(false);
    closeWhenOpened_ = false;
    ready_ = std::move(ready);
    // Answered once the instance is up and the list loaded.
    if (starting_ || openingAhead_)
        return;
    if (!inner_.isRunning()) {
        startEngine();
        return;
    }
    // The list loads in the background before the draw is told to open it.
    if (!openAhead())
        answerReady(OfficeError::none());
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
    // A draw that did not wait for start() takes what the load brings, waiting for what is left of it.
    if (openingAhead_)
        inner_.finishOpening();
    if (parked_) {
        parked_ = false;
        if (path == preparedPath_ && sheetName == preparedSheet_ && inner_.hasWorkbook() &&
            stampOf(path) == parkedStamp_)
            return OfficeError::none();
        // Edited since it was opened ahead: the engine reads it afresh.
    }
    return inner_.open(path, sheetName);
}

OfficeError WarmSpreadsheet::createWorkbook(const QString& sheetName)
{
    // The list opened ahead gives way, as it does to another file's open().
    if (openingAhead_)
        inner_.finishOpening();
    parked_ = false;
    return inner_.createWorkbook(sheetName);
}

CellValue WarmSpreadsheet::cell(int row, int column)
{
    return isHeldAhead() ? CellValue::error() : inner_.cell(row, column);
}

QList<CellValue> WarmSpreadsheet::columnDown(int column, int firstRow, int maxRows)
{
    return isHeldAhead() ? QList<CellValue>{} : inner_.columnDown(column, firstRow, maxRows);
}

OfficeError WarmSpreadsheet::setCell(int row, int column, const CellValue& value)
{
    return isHeldAhead() ? OfficeError::of(OfficeError::Code::EngineStopped)
                         : inner_.setCell(row, column, value);
}

OfficeError WarmSpreadsheet::save()
{
    // Nothing of the draw is in a list opened ahead: it is never written.
    return isHeldAhead() ? OfficeError::of(OfficeError::Code::EngineStopped) : inner_.save();
}

void WarmSpreadsheet::closeWorkbook()
{
    parked_ = false;
    if (openingAhead_)
        closeWhenOpened_ = true;
    else
        inner_.closeWorkbook();
}

void WarmSpreadsheet::quit()
{
    ready_ = nullptr;
    inUse_ = false;
    // The draw is done with the workbook (saved or not, as it chose); the instance waits to end.
    closeWorkbook();
    waitToEnd();
}

OfficeError WarmSpreadsheet::openForEditing(const QString& path)
{
    // The teacher's own office would find the list locked by ours.
    if (openingAhead_)
        inner_.finishOpening();
    if (parked_)
        closeWorkbook();
    return inner_.openForEditing(path);
}

void WarmSpreadsheet::waitToEnd()
{
    if (inner_.isRunning() || starting_ || openingAhead_)
        idleEnd_->setEnabled(true);
}

void WarmSpreadsheet::endNow()
{
    idleEnd_->setEnabled(false);
    parked_ = false;
    if (inUse_)
        return;
    // Quitting also abandons a start or a load still under way.
    if (starting_ || openingAhead_ || inner_.isRunning() || inner_.hasWorkbook()) {
        starting_ = false;
        openingAhead_ = false;
        closeWhenOpened_ = false;
        ++openAheadRound_;
        inner_.quit();
    }
}
