#include "models/draw/NameList.h"

#include "models/draw/NameListFile.h"
#include "platform/office/Spreadsheet.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace {

constexpr int kNumberColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kOrderColumn = 3;
// Row 1 holds the count, row 2 the headings; the entries follow.
constexpr int kRowBeforeFirstEntry = 2;

OfficeError noEngine()
{
    return OfficeError::of(OfficeError::Code::EngineUnavailable, QStringLiteral("这个版本没有表格程序。"));
}

} // namespace

NameList::NameList(Spreadsheet* engine, QString folder) : engine_(engine), folder_(std::move(folder)) {}

NameList::~NameList()
{
    // Our instance must not call back into a list that is gone.
    if (state_ == State::Opening && engine_)
        engine_->cancelStart();
}

NameList::Problem NameList::finishEarlierRound()
{
    Problem problem;
    if (engine_ && engine_->hasWorkbook())
        problem = saveAndEnd();
    state_ = State::Closed;
    return problem;
}

void NameList::open(std::function<void(const Problem&)> done)
{
    state_ = State::Closed;
    path_ = namelist::findFile(folder_);
    if (!engine_) {
        done(fail(namelist::openProblem(noEngine(), path_)));
        return;
    }
    if (!QFileInfo(path_).isFile()) {
        done(fail(namelist::openProblem(OfficeError::of(OfficeError::Code::FileMissing), path_)));
        return;
    }
    if (const QString holder = engine_->heldBy(path_); !holder.isEmpty()) {
        done(fail(namelist::openProblem(OfficeError::of(OfficeError::Code::HeldByOther, holder), path_)));
        return;
    }
    state_ = State::Opening;
    engine_->start([this, done = std::move(done)](const OfficeError& error) {
        // A read given up meanwhile stays given up, even if the instance came up.
        if (state_ != State::Opening)
            return;
        state_ = State::Closed;
        done(error ? fail(namelist::openProblem(error, path_)) : readOpened());
    });
}

void NameList::cancelOpening()
{
    if (state_ == State::Opening)
        state_ = State::Closed;
    if (engine_)
        engine_->cancelStart();
}

NameList::Problem NameList::readOpened()
{
    if (const OfficeError error = engine_->open(path_, namelist::kSheet))
        return fail(namelist::openProblem(error, path_));
    const namelist::Total total = namelist::readTotal(engine_->cell(1, 1), path_);
    if (!total.count)
        return fail(total.problem);

    const int count = std::min<int>(*total.count, kMaxEntries);
    QList<Entry> entries;
    entries.reserve(count);
    for (int row = kRowBeforeFirstEntry + 1; row <= kRowBeforeFirstEntry + count; ++row) {
        entries.append(
            {cellText(engine_->cell(row, kNumberColumn)), cellText(engine_->cell(row, kNameColumn))});
        // The order of an earlier round would mix with this one's.
        engine_->setCell(row, kOrderColumn, CellValue::empty());
    }
    entries_ = std::move(entries);
    orderLost_ = false;
    state_ = State::Open;
    return {};
}

NameList::Problem NameList::fail(const QString& text)
{
    state_ = State::Closed;
    if (engine_)
        engine_->quit();
    return {Problem::Kind::CannotOpen, text};
}

NameList::Problem NameList::recordOrder(int entry, int order)
{
    if (state_ != State::Open || orderLost_)
        return {};
    if (!engine_ ||
        engine_->setCell(kRowBeforeFirstEntry + entry, kOrderColumn, CellValue::fromNumber(order))) {
        // The draw goes on; only the record in the file is lost, and the user is told once.
        orderLost_ = true;
        return {Problem::Kind::NotWritten, namelist::writeProblem(path_)};
    }
    return {};
}

NameList::Problem NameList::saveAndEnd()
{
    state_ = State::Closed;
    if (!engine_)
        return {};
    const QString path = engine_->workbookPath();
    // A round whose order could not all be written is not saved: half an order is worse than none.
    if (engine_->hasWorkbook() && !orderLost_) {
        if (const OfficeError error = engine_->save()) {
            engine_->quit();
            return {Problem::Kind::NotSaved, namelist::saveProblem(error, path.isEmpty() ? path_ : path)};
        }
    }
    engine_->quit();
    return {};
}

NameList::Problem NameList::release()
{
    if (engine_ && (state_ == State::Open || engine_->isRunning()))
        return saveAndEnd();
    state_ = State::Closed;
    return {};
}

NameList::Problem NameList::editElsewhere()
{
    const QString path = namelist::findFile(folder_);
    if (const OfficeError error = engine_ ? engine_->openForEditing(path) : noEngine())
        return {Problem::Kind::CannotOpen, namelist::openProblem(error, path)};
    return {};
}

NameList::Problem NameList::stillOpenElsewhere()
{
    if (!engine_)
        return {};
    // The user's own office is theirs: a list still open there stays open, unsaved edits and all.
    const QString path = namelist::findFile(folder_);
    const QString holder = engine_->heldBy(path);
    if (holder.isEmpty())
        return {};
    return {Problem::Kind::StillOpenElsewhere, namelist::stillOpenNotice(holder, path)};
}
