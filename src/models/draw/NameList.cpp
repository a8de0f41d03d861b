#include "models/draw/NameList.h"

#include "models/draw/NameListFile.h"
#include "platform/Spreadsheet.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <utility>

namespace {

constexpr int kNumberColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kOrderColumn = 3;
using namelist::kFirstEntryRow;

OfficeError noEngine()
{
    return OfficeError::of(OfficeError::Code::EngineUnavailable,
                           QCoreApplication::translate("NameList", "这个版本没有表格程序。"));
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
    orderWaiting_ = false;
    caveat_.clear();
    protection_ = WriteProtection::None;
    path_ = fileToRead();
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
    orders_ = QList<int>(entries_.size(), 0);
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
    if (state_ != State::Open || entry < 1 || entry > count())
        return {};
    orders_[entry - 1] = order;
    if (orderLost_ || isWriteProtected())
        return {};
    if (!engine_ ||
        engine_->setCell(entries_.at(entry - 1).row, kOrderColumn, CellValue::fromNumber(order))) {
        // The draw goes on; only the record in the file is lost, and the user is told once.
        orderLost_ = true;
        return {Problem::Kind::NotWritten, namelist::writeProblem(path_)};
    }
    return {};
}

QString NameList::fileToRead() const
{
    return chosen_.isEmpty() ? namelist::findFile(folder_) : chosen_;
}

NameList::Problem NameList::clearOrder(int entry)
{
    if (state_ != State::Open || entry < 1 || entry > count())
        return {};
    orders_[entry - 1] = 0;
    if (orderLost_ || isWriteProtected())
        return {};
    if (!engine_ || engine_->setCell(entries_.at(entry - 1).row, kOrderColumn, CellValue::empty())) {
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
            if (error.code == OfficeError::Code::ChangedOnDisk)
                return listChanged();
            engine_->quit();
            return {Problem::Kind::NotSaved, namelist::saveProblem(error, path.isEmpty() ? path_ : path)};
        }
    }
    engine_->quit();
    return {};
}

NameList::Problem NameList::listChanged()
{
    // Our copy of the list is older than the file: the order alone is taken from it, kept here.
    engine_->closeWorkbook();
    if (draws().isEmpty()) {
        engine_->quit();
        return {};
    }
    orderFile_ = namelist::orderFilePath(path_, QDateTime::currentDateTime());
    // Their office would write over what we wrote at its next save.
    if (const QString holder = engine_->heldBy(path_); !holder.isEmpty())
        return keepOrderAside(namelist::changedAndHeldReason(holder, path_));
    orderWaiting_ = true;
    return {Problem::Kind::ListChanged, namelist::changedListQuestion(path_, orderFile_)};
}

NameList::Problem NameList::writeOrderIntoChangedList()
{
    if (!orderWaiting_ || !engine_)
        return {};
    orderWaiting_ = false;
    if (const OfficeError error = engine_->open(path_, namelist::kSheet))
        return keepOrderAside(namelist::notWrittenAgainReason(namelist::openProblem(error, path_)));

    // The list as it now is, down to its last name: the teacher may have added or moved people.
    const QList<CellValue> numberCells =
        engine_->columnDown(kNumberColumn, kFirstEntryRow, kMaxRowsLookedBelow);
    const QList<CellValue> nameCells = engine_->columnDown(kNameColumn, kFirstEntryRow, kMaxRowsLookedBelow);
    QList<namelist::Person> now;
    for (qsizetype i = 0; i < std::max(numberCells.size(), nameCells.size()); ++i)
        now.append({cellText(numberCells.value(i)), cellText(nameCells.value(i))});
    QList<namelist::Person> round;
    for (const Entry& entry : entries_)
        round.append({entry.number, entry.name});
    const QList<int> rows = namelist::findPeopleAgain(round, now);

    // An earlier round's order in the rows the list now counts would mix with this one's.
    const namelist::StatedCount stated = namelist::readStatedCount(engine_->cell(1, 1), path_);
    const int counted = stated.problem.isEmpty() ? int(std::min<qint64>(stated.count, kMaxEntries))
                                                 : int(std::min<qsizetype>(now.size(), kMaxEntries));
    const QList<CellValue> earlier = engine_->columnDown(kOrderColumn, kFirstEntryRow, std::max(counted, 1));
    for (int i = 0; i < std::min<qsizetype>(earlier.size(), counted); ++i) {
        if (earlier.at(i).kind != CellValue::Kind::Empty)
            engine_->setCell(kFirstEntryRow + i, kOrderColumn, CellValue::empty());
    }
    QStringList missing;
    for (int i = 0; i < entries_.size(); ++i) {
        if (orders_.value(i) == 0)
            continue;
        if (rows.at(i) < 0) {
            const QString number = entries_.at(i).number.trimmed();
            missing << (number.isEmpty() ? QString() : number + QLatin1Char(' ')) +
                           entries_.at(i).name.trimmed();
            continue;
        }
        if (engine_->setCell(kFirstEntryRow + rows.at(i), kOrderColumn, CellValue::fromNumber(orders_.at(i))))
            return keepOrderAside(namelist::notWrittenAgainReason(namelist::writeProblem(path_)));
    }
    if (const OfficeError error = engine_->save())
        return keepOrderAside(namelist::notWrittenAgainReason(namelist::saveProblem(error, path_)));
    engine_->quit();
    if (!missing.isEmpty())
        return keepOrderAside(namelist::notFoundAgainReason(path_, missing));
    return {};
}

NameList::Problem NameList::keepOrderAside()
{
    if (!orderWaiting_)
        return {};
    return keepOrderAside(namelist::changedAndKeptReason(path_));
}

NameList::Problem NameList::keepOrderAside(const QString& reason)
{
    orderWaiting_ = false;
    if (engine_)
        engine_->quit();
    const QList<namelist::Draw> drawn = draws();
    const QString whyNot = namelist::writeOrderFile(orderFile_, drawn);
    return {Problem::Kind::OrderKeptAside,
            namelist::orderKeptAsideNotice(reason, orderFile_, whyNot, namelist::orderLines(drawn))};
}

QList<namelist::Draw> NameList::draws() const
{
    QList<namelist::Draw> drawn;
    for (int i = 0; i < entries_.size(); ++i) {
        if (orders_.value(i) > 0)
            drawn.append({orders_.at(i), {entries_.at(i).number, entries_.at(i).name}});
    }
    return drawn;
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
    const QString path = fileToRead();
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
    const QString path = fileToRead();
    const QString holder = engine_->heldBy(path);
    if (holder.isEmpty())
        return {};
    return {Problem::Kind::StillOpenElsewhere, namelist::stillOpenNotice(holder, path)};
}
