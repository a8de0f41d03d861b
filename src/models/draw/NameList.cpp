#include "models/draw/NameList.h"

#include "models/draw/NameListFile.h"
#include "platform/office/Spreadsheet.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kNumberColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kOrderColumn = 3;
using namelist::kFirstEntryRow;

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
    caveat_.clear();
    protection_ = WriteProtection::None;
    path_ = namelist::findFile(folder_);
    if (!engine_) {
        done(fail(namelist::openProblem(noEngine(), path_)));
        return;
    }
    if (const OfficeError error = namelist::fileProblem(path_)) {
        done(fail(namelist::openProblem(error, path_)));
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
    const namelist::StatedCount stated = namelist::readStatedCount(engine_->cell(1, 1), path_);
    if (!stated.problem.isEmpty())
        return fail(stated.problem);

    const int covered = int(std::min<qint64>(stated.count, kMaxEntries));
    // A column at a time: each call to the office is a round trip, and a class is read as 开始 is
    // pressed. A column ends where the sheet's used rows do.
    const QList<CellValue> numberCells = engine_->columnDown(kNumberColumn, kFirstEntryRow, covered);
    const QList<CellValue> nameCells = engine_->columnDown(kNameColumn, kFirstEntryRow, covered);
    QStringList numbers;
    QStringList names;
    for (int i = 0; i < covered; ++i) {
        numbers << cellText(numberCells.value(i));
        names << cellText(nameCells.value(i));
    }
    const namelist::Selection selection = namelist::selectParticipants(
        stated.count, names, namesBelow(kFirstEntryRow + covered), kMaxEntries, path_);
    if (!selection.problem.isEmpty())
        return fail(selection.problem);

    QList<Entry> entries;
    entries.reserve(selection.indexes.size());
    for (const int index : selection.indexes)
        entries.append({numbers.at(index), names.at(index), kFirstEntryRow + index});
    protection_ = writeProtectionOf(path_);
    if (protection_ == WriteProtection::None) {
        // The order of an earlier round would mix with this one's.
        const QList<CellValue> orders = engine_->columnDown(kOrderColumn, kFirstEntryRow, covered);
        for (int i = 0; i < orders.size(); ++i) {
            if (orders.at(i).kind != CellValue::Kind::Empty)
                engine_->setCell(kFirstEntryRow + i, kOrderColumn, CellValue::empty());
        }
    }
    QStringList notes = selection.notes;
    if (!stated.note.isEmpty())
        notes.prepend(stated.note);
    caveat_ = namelist::caveatText(path_, notes, protection_, int(entries.size()));
    entries_ = std::move(entries);
    orderLost_ = false;
    state_ = State::Open;
    return {};
}

int NameList::namesBelow(int row)
{
    int names = 0;
    for (const CellValue& value : engine_->columnDown(kNameColumn, row, kMaxRowsLookedBelow)) {
        if (!cellText(value).trimmed().isEmpty())
            ++names;
    }
    return names;
}

NameList::Problem NameList::fail(const QString& text)
{
    state_ = State::Closed;
    caveat_.clear();
    protection_ = WriteProtection::None;
    if (engine_)
        engine_->quit();
    return {Problem::Kind::CannotOpen, text};
}

NameList::Problem NameList::recordOrder(int entry, int order)
{
    if (state_ != State::Open || orderLost_ || isWriteProtected() || entry < 1 || entry > count())
        return {};
    if (!engine_ ||
        engine_->setCell(entries_.at(entry - 1).row, kOrderColumn, CellValue::fromNumber(order))) {
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
    // A write-protected list stays as the user made it.
    if (engine_->hasWorkbook() && !orderLost_ && !isWriteProtected()) {
        if (const OfficeError error = engine_->save()) {
            engine_->quit();
            return {Problem::Kind::NotSaved, namelist::saveProblem(error, path.isEmpty() ? path_ : path)};
        }
    }
    engine_->quit();
    return {};
}

void NameList::close()
{
    state_ = State::Closed;
    if (engine_)
        engine_->quit();
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
    OfficeError error = namelist::fileProblem(path);
    if (!error)
        error = engine_ ? engine_->openForEditing(path) : noEngine();
    if (error)
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
