#include "platform/office/LibreOfficeSpreadsheet.h"

#include "platform/DeadRuns.h"
#include "platform/office/OfficeLeftovers.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficeProcess.h"
#include "platform/office/WriteProtection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XInteractionPassword.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <rtl/ref.hxx>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using uno::Reference;
using uno::UNO_QUERY;

namespace {

rtl::OUString toOU(const QString& text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

QString fromOU(const rtl::OUString& text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.getStr()), text.getLength());
}

QString fileUrl(const QString& path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

css::beans::PropertyValue namedValue(const char* name, const uno::Any& value)
{
    css::beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

uno::Sequence<css::beans::PropertyValue> namedValues(std::initializer_list<css::beans::PropertyValue> values)
{
    uno::Sequence<css::beans::PropertyValue> sequence(sal_Int32(values.size()));
    sal_Int32 index = 0;
    for (const css::beans::PropertyValue& value : values)
        sequence.getArray()[index++] = value;
    return sequence;
}

// The client side of UNO, bootstrapped once per program from the office's own type libraries.
Reference<uno::XComponentContext> localContext()
{
    static const Reference<uno::XComponentContext> context = [] {
        if (qEnvironmentVariableIsEmpty("URE_BOOTSTRAP")) {
            const QString rc = QDir(OfficeProcess::programFolder()).filePath(QStringLiteral("fundamentalrc"));
            qputenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" + rc.toUtf8());
        }
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

// Answers every question of a load with "abort", noting whether one of them asked for a password.
class PasswordSpotter : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override
    {
        const uno::Sequence<Reference<css::task::XInteractionContinuation>> continuations =
            request->getContinuations();
        for (const Reference<css::task::XInteractionContinuation>& continuation : continuations) {
            if (Reference<css::task::XInteractionPassword>(continuation, UNO_QUERY).is())
                passwordAsked = true;
        }
        for (const Reference<css::task::XInteractionContinuation>& continuation : continuations) {
            if (Reference<css::task::XInteractionAbort>(continuation, UNO_QUERY).is()) {
                continuation->select();
                return;
            }
        }
    }
    // Set on the bridge's thread while the load waits for it.
    std::atomic<bool> passwordAsked{false};
};

// Whether the disk that holds the folder has too little room left for the office to read or write a
// file of that size (its lock file, its temporary copies, the new file).
bool isShortOfSpace(const QString& folder, qint64 fileSize)
{
    const QStorageInfo storage(folder);
    if (!storage.isValid())
        return false;
    return storage.bytesAvailable() < 2 * fileSize + 1024 * 1024;
}

// Why a file could not be written into the folder, from the system's error number, in words for the
// user.
OfficeError writeFailure(const QString& folder, qint64 fileSize, int systemError)
{
    if (systemError == ENOSPC || systemError == EDQUOT || isShortOfSpace(folder, fileSize))
        return OfficeError::of(OfficeError::Code::DiskFull);
    if (systemError == EROFS || systemError == EACCES || systemError == EPERM)
        return OfficeError::of(OfficeError::Code::WriteProtected);
    QString why;
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        why = QStringLiteral("名单所在的文件夹已不存在。");
        break;
    case EISDIR:
        why = QStringLiteral("名单文件的位置上是一个文件夹。");
        break;
    case EIO:
        why = QStringLiteral("读写磁盘时出错。");
        break;
    default:
        why = QStringLiteral("无法写入名单所在的文件夹。");
        break;
    }
    return OfficeError::of(OfficeError::Code::WriteFailed, why);
}

// Gives the new file the old one's permissions, and its owner when we may (run as root, the new file
// would otherwise belong to root and be closed to the user who owns the list). False when the system
// refused.
bool keepOwnerAndMode(int handle, const QString& oldFile)
{
    struct stat old {};
    if (::stat(QFile::encodeName(oldFile).constData(), &old) != 0)
        return false;
    const bool owned = ::geteuid() != 0 || ::fchown(handle, old.st_uid, old.st_gid) == 0;
    return ::fchmod(handle, old.st_mode & 07777) == 0 && owned;
}

} // namespace

// What loading a workbook came to: the document with its sheet, or why not.
struct LoadedWorkbook {
    Reference<css::lang::XComponent> document;
    Reference<css::sheet::XSpreadsheet> sheet;
    OfficeError error;
    // The bridge failed: our instance is gone.
    bool engineLost = false;

    static LoadedWorkbook failure(const OfficeError& why, bool lost = false)
    {
        LoadedWorkbook loaded;
        loaded.error = why;
        loaded.engineLost = lost;
        return loaded;
    }
};

namespace {

uno::Sequence<css::beans::PropertyValue> loadArguments(const QString& filter,
                                                       const Reference<css::task::XInteractionHandler>& asker)
{
    uno::Sequence<css::beans::PropertyValue> arguments = namedValues({
        namedValue("Hidden", uno::Any(true)),
        namedValue("FilterName", uno::Any(toOU(filter))),
        // A name list has no business running macros.
        namedValue("MacroExecutionMode", uno::Any(sal_Int16(0))),
        namedValue("UpdateDocMode", uno::Any(sal_Int16(0))),
    });
    if (asker.is()) {
        arguments.realloc(arguments.getLength() + 1);
        arguments.getArray()[arguments.getLength() - 1] = namedValue("InteractionHandler", uno::Any(asker));
    }
    return arguments;
}

LoadedWorkbook engineLost(const uno::RuntimeException& e)
{
    return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::EngineStopped, fromOU(e.Message)),
                                   true);
}

// Why a workbook did not load: a password, a full disk, or the file itself.
LoadedWorkbook whyNotLoaded(const Reference<css::frame::XDesktop2>& desktop, const QString& path)
{
    // Loaded again with questions allowed: the office asks for a password only when there is one.
    try {
        const rtl::Reference<PasswordSpotter> spotter(new PasswordSpotter);
        Reference<css::frame::XComponentLoader> loader(desktop, uno::UNO_QUERY_THROW);
        const Reference<css::lang::XComponent> document = loader->loadComponentFromURL(
            toOU(fileUrl(path)), "_blank", 0,
            loadArguments(LibreOfficeSpreadsheet::filterFor(path),
                          Reference<css::task::XInteractionHandler>(spotter.get())));
        if (document.is())
            document->dispose();
        if (spotter->passwordAsked)
            return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::PasswordProtected));
    } catch (const uno::RuntimeException& e) {
        return engineLost(e);
    } catch (const uno::Exception&) {
    }
    // A full disk makes the office fail on a sound file (it cannot write its lock or its temporary
    // copy): that is no reason to call the list damaged.
    const qint64 size = QFileInfo(path).size();
    if (isShortOfSpace(QFileInfo(path).absolutePath(), size) || isShortOfSpace(QDir::tempPath(), size))
        return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::DiskFull));
    return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::NotAWorkbook));
}

void closeDocument(const Reference<css::lang::XComponent>& document)
{
    if (!document.is())
        return;
    try {
        const Reference<css::util::XCloseable> closeable(document, UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
        else
            document->dispose();
    } catch (const uno::Exception&) {
        // A dead instance has nothing left to close.
    }
}

// Loads the workbook invisibly and finds its sheet of that name, ignoring case. Touches nothing but
// what it is given, so it may run on any thread.
LoadedWorkbook loadSheet(const Reference<css::frame::XDesktop2>& desktop, const QString& path,
                         const QString& filter, const QString& sheetName)
{
    try {
        Reference<css::frame::XComponentLoader> loader(desktop, uno::UNO_QUERY_THROW);
        Reference<css::lang::XComponent> document =
            loader->loadComponentFromURL(toOU(fileUrl(path)), "_blank", 0, loadArguments(filter, {}));
        Reference<css::sheet::XSpreadsheetDocument> workbook(document, UNO_QUERY);
        if (!workbook.is()) {
            if (document.is())
                document->dispose();
            return whyNotLoaded(desktop, path);
        }
        const Reference<css::container::XNameAccess> sheets(workbook->getSheets(), uno::UNO_QUERY_THROW);
        const uno::Sequence<rtl::OUString> names = sheets->getElementNames();
        for (const rtl::OUString& name : names) {
            if (fromOU(name).compare(sheetName, Qt::CaseInsensitive) == 0) {
                Reference<css::sheet::XSpreadsheet> sheet(sheets->getByName(name), UNO_QUERY);
                if (sheet.is()) {
                    LoadedWorkbook loaded;
                    loaded.document = document;
                    loaded.sheet = sheet;
                    return loaded;
                }
                break;
            }
        }
        closeDocument(document);
        return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::SheetMissing));
    } catch (const css::uno::RuntimeException& e) {
        return engineLost(e);
    } catch (const uno::Exception&) {
        return whyNotLoaded(desktop, path);
    }
}

} // namespace

// A workbook loading on another thread. The user-interface thread starts it, waits for it and takes
// its result; the worker only fills in the result.
struct LibreOfficeSpreadsheet::Opening {
    std::thread worker;
    std::atomic<bool> done{false};
    LoadedWorkbook result;
    QString path;
    QString filter;
    std::function<void(const OfficeError&)> opened;
    // The start of the instance it loads in: a result of an instance since ended is not taken.
    int instance = 0;
    int number = 0;
};

struct LibreOfficeSpreadsheet::Uno {
    Reference<css::frame::XDesktop2> desktop;
    Reference<css::lang::XComponent> document;
    Reference<css::sheet::XSpreadsheet> sheet;
    std::unique_ptr<Opening> opening;
    int openings = 0;

    std::thread connector;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> processEnded{false};
    // Which start a connection attempt belongs to; a late answer of an abandoned start is dropped.
    int generation = 0;

    void joinConnector()
    {
        if (connector.joinable())
            connector.join();
    }
};

LibreOfficeSpreadsheet::LibreOfficeSpreadsheet(QObject* parent)
    : QObject(parent), uno_(std::make_unique<Uno>())
{
    // A call on the pipe of an instance that has just died must fail as a call, not end the program.
    ::signal(SIGPIPE, SIG_IGN);
}

LibreOfficeSpreadsheet::~LibreOfficeSpreadsheet()
{
    uno_->cancelled = true;
    uno_->joinConnector();
    abandonOpening();
    closeWorkbook();
    uno_->desktop.clear();
    // The process owner ends the instance and waits for it.
    process_.reset();
}

QString LibreOfficeSpreadsheet::filterFor(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xls"))
        return QStringLiteral("MS Excel 97");
    if (suffix == QLatin1String("xlsx"))
        return QStringLiteral("Calc MS Excel 2007 XML");
    if (suffix == QLatin1String("ods"))
        return QStringLiteral("calc8");
    return {};
}

bool LibreOfficeSpreadsheet::isRunning() const
{
    return process_ && process_->isRunning() && uno_->desktop.is() && !uno_->connector.joinable();
}

void LibreOfficeSpreadsheet::start(std::function<void(const OfficeError&)> ready)
{
    ready_ = std::move(ready);
    if (uno_->connector.joinable())
        return; // already starting: the new callback will be told
    if (isRunning()) {
        finishStart(OfficeError::none());
        return;
    }
    // A load in an instance that has ended has nothing left to wait for.
    abandonOpening();
    if (process_)
        retire(std::move(process_));
    uno_->desktop.clear();

    try {
        localContext();
    } catch (const uno::Exception& e) {
        finishStart(OfficeError::of(OfficeError::Code::EngineUnavailable, fromOU(e.Message)));
        return;
    }
    process_ = std::make_unique<OfficeProcess>(this);
    QString error;
    if (!process_->start(&error)) {
        process_.reset();
        finishStart(OfficeError::of(OfficeError::Code::EngineUnavailable, error));
        return;
    }
    uno_->processEnded = false;
    uno_->cancelled = false;
    connect(process_.get(), &OfficeProcess::ended, this, [this] {
        uno_->processEnded = true;
        engineEnded();
    });
    connectInBackground();
}

void LibreOfficeSpreadsheet::connectInBackground()
{
    const rtl::OUString url = toOU(process_->connectionUrl());
    const int generation = ++uno_->generation;
    uno_->connector = std::thread([this, url, generation] {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
        Reference<css::frame::XDesktop2> desktop;
        QString failure;
        while (!uno_->cancelled && !uno_->processEnded && Clock::now() < deadline) {
            try {
                auto resolver = css::bridge::UnoUrlResolver::create(localContext());
                Reference<uno::XComponentContext> remote(resolver->resolve(url), uno::UNO_QUERY_THROW);
                desktop = css::frame::Desktop::create(remote);
                break;
            } catch (const css::connection::NoConnectException&) {
                // Not listening yet.
            } catch (const uno::Exception& e) {
                failure = fromOU(e.Message);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        QMetaObject::invokeMethod(
            this,
            [this, desktop, failure, generation] {
                if (generation != uno_->generation)
                    return;
                uno_->joinConnector();
                if (desktop.is() && process_ && process_->isRunning()) {
                    uno_->desktop = desktop;
                    finishStart(OfficeError::none());
                    return;
                }
                QString why = failure;
                if (process_) {
                    const QString log = process_->logTail();
                    if (!log.isEmpty())
                        why = why.isEmpty() ? log : why + QLatin1Char('\n') + log;
                    process_->kill();
                }
                if (why.isEmpty())
                    why = QStringLiteral("LibreOffice 没有在规定时间内启动");
                finishStart(OfficeError::of(OfficeError::Code::EngineUnavailable, why));
            },
            Qt::QueuedConnection);
    });
}

void LibreOfficeSpreadsheet::finishStart(const OfficeError& result)
{
    auto ready = std::move(ready_);
    ready_ = nullptr;
    if (ready)
        ready(result);
}

void LibreOfficeSpreadsheet::cancelStart()
{
    ready_ = nullptr;
}

void LibreOfficeSpreadsheet::engineEnded()
{
    uno_->sheet.clear();
    uno_->document.clear();
    uno_->desktop.clear();
    path_.clear();
    if (process_)
        process_->kill();
}

void LibreOfficeSpreadsheet::retire(std::unique_ptr<OfficeProcess> process)
{
    // An instance that is still ending keeps its own profile and pipe; it is released once gone.
    OfficeProcess* retiring = process.release();
    disconnect(retiring, nullptr, this, nullptr);
    if (!retiring->isRunning()) {
        retiring->deleteLater();
        return;
    }
    connect(retiring, &OfficeProcess::ended, retiring, &QObject::deleteLater);
    retiring->terminate();
}

QString LibreOfficeSpreadsheet::heldBy(const QString& path)
{
    const auto lock = readOfficeLock(path);
    if (!lock)
        return {};
    if (isGarbledOfficeLock(*lock)) {
        const QString lockPath = officeLockPath(path);
        const qint64 age = QFileInfo(lockPath).lastModified().msecsTo(QDateTime::currentDateTime());
        if (isAbandonedGarbledLock(*lock, age, runningOffices())) {
            QFile::remove(lockPath);
            return {};
        }
        return describeOfficeLock(*lock);
    }
    if (process_ && isSameOfficeProfile(lock->profileUrl, process_->profileUrl()) &&
        (hasWorkbook() || uno_->opening))
        return {};
    if (!isOfficeLockLive(*lock, QSysInfo::machineHostName(), runningOffices()))
        return {};
    return describeOfficeLock(*lock);
}

OfficeError LibreOfficeSpreadsheet::checkBeforeLoading(const QString& path)
{
    if (!isRunning())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    const QFileInfo info(path);
    if (!info.exists())
        return OfficeError::of(OfficeError::Code::FileMissing);
    if (!info.isFile())
        return OfficeError::of(OfficeError::Code::NotAFile);
    if (filterFor(path).isEmpty())
        return OfficeError::of(OfficeError::Code::NotAWorkbook,
                               QStringLiteral("不是 .xls、.xlsx 或 .ods 文件"));
    // The office opens an empty file as a new, empty workbook; for us it is a file with no list in it.
    if (info.size() == 0)
        return OfficeError::of(OfficeError::Code::NotAWorkbook, QStringLiteral("文件是空的（0 字节）"));

    if (const QString holder = heldBy(path); !holder.isEmpty())
        return OfficeError::of(OfficeError::Code::HeldByOther, holder);
    // A lock left behind by an instance of ours that ended without closing the file.
    if (const auto lock = readOfficeLock(path); lock && lock->profileUrl.contains(kPrivateProfileMarker))
        QFile::remove(officeLockPath(path));
    return OfficeError::none();
}

OfficeError LibreOfficeSpreadsheet::open(const QString& path, const QString& sheetName)
{
    finishOpening();
    closeWorkbook();
    if (const OfficeError error = checkBeforeLoading(path))
        return error;
    const QString filter = filterFor(path);
    return take(loadSheet(uno_->desktop, path, filter, sheetName), QFileInfo(path).absoluteFilePath(),
                filter);
}

void LibreOfficeSpreadsheet::openInBackground(const QString& path, const QString& sheetName,
                                              std::function<void(const OfficeError&)> opened)
{
    finishOpening();
    closeWorkbook();
    if (const OfficeError error = checkBeforeLoading(path)) {
        if (opened)
            opened(error);
        return;
    }
    auto opening = std::make_unique<Opening>();
    opening->path = QFileInfo(path).absoluteFilePath();
    opening->filter = filterFor(path);
    opening->opened = std::move(opened);
    opening->instance = uno_->generation;
    opening->number = ++uno_->openings;
    Opening* job = opening.get();
    uno_->opening = std::move(opening);
    // The worker has its own reference to the desktop and writes only into its job; the bridge takes
    // calls from any thread.
    job->worker = std::thread([this, job, desktop = uno_->desktop, sheetName] {
        job->result = loadSheet(desktop, job->path, job->filter, sheetName);
        job->done = true;
        QMetaObject::invokeMethod(
            this,
            [this, number = job->number] {
                if (uno_->opening && uno_->opening->number == number)
                    finishOpening();
            },
            Qt::QueuedConnection);
    });
}

void LibreOfficeSpreadsheet::finishOpening()
{
    if (!uno_->opening)
        return;
    const std::unique_ptr<Opening> job = std::move(uno_->opening);
    job->worker.join();
    LoadedWorkbook loaded = std::move(job->result);
    if (job->instance != uno_->generation || !isRunning()) {
        // Loaded into an instance that has ended since.
        closeDocument(loaded.document);
        loaded = LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::EngineStopped));
    }
    const OfficeError result = take(std::move(loaded), job->path, job->filter);
    if (job->opened)
        job->opened(result);
}

void LibreOfficeSpreadsheet::abandonOpening()
{
    if (!uno_->opening)
        return;
    uno_->opening->opened = nullptr;
    if (uno_->opening->done) {
        finishOpening();
        return;
    }
    const std::unique_ptr<Opening> job = std::move(uno_->opening);
    // A load in progress cannot be called off; with its instance gone it fails at once.
    if (process_)
        process_->kill();
    job->worker.join();
    closeDocument(job->result.document);
    removeOwnLock(job->path);
}

void LibreOfficeSpreadsheet::removeOwnLock(const QString& path)
{
    const auto lock = readOfficeLock(path);
    if (lock && process_ && isSameOfficeProfile(lock->profileUrl, process_->profileUrl()))
        QFile::remove(officeLockPath(path));
}

OfficeError LibreOfficeSpreadsheet::take(LoadedWorkbook loaded, const QString& path, const QString& filter)
{
    if (loaded.engineLost) {
        engineEnded();
        return loaded.error;
    }
    if (loaded.error)
        return loaded.error;
    uno_->document = loaded.document;
    uno_->sheet = loaded.sheet;
    path_ = path;
    filter_ = filter;
    return OfficeError::none();
}

bool LibreOfficeSpreadsheet::hasWorkbook() const
{
    return uno_->sheet.is();
}

QString LibreOfficeSpreadsheet::workbookPath() const
{
    return path_;
}

CellValue LibreOfficeSpreadsheet::cell(int row, int column)
{
    finishOpening();
    if (!uno_->sheet.is() || row < 1 || column < 1)
        return CellValue::error();
    try {
        const Reference<css::table::XCell> cell = uno_->sheet->getCellByPosition(column - 1, row - 1);
        const Reference<css::text::XTextRange> text(cell, UNO_QUERY);
        switch (cell->getType()) {
        case css::table::CellContentType_EMPTY:
            return CellValue::empty();
        case css::table::CellContentType_VALUE:
            return CellValue::fromNumber(cell->getValue());
        case css::table::CellContentType_TEXT:
            return CellValue::fromText(fromOU(text->getString()));
        case css::table::CellContentType_FORMULA: {
            if (cell->getError() != 0)
                return CellValue::error();
            const Reference<css::beans::XPropertySet> properties(cell, UNO_QUERY);
            sal_Int32 resultType = 0;
            properties->getPropertyValue("FormulaResultType2") >>= resultType;
            if (resultType == css::sheet::FormulaResult::VALUE)
                return CellValue::fromNumber(cell->getValue());
            return CellValue::fromText(fromOU(text->getString()));
        }
        default:
            break;
        }
    } catch (const uno::RuntimeException&) {
        engineEnded();
    } catch (const uno::Exception&) {
    }
    return CellValue::error();
}

QList<CellValue> LibreOfficeSpreadsheet::columnDown(int column, int firstRow, int maxRows)
{
    finishOpening();
    QList<CellValue> cells;
    if (!uno_->sheet.is() || column < 1 || firstRow < 1 || maxRows < 1)
        return cells;
    try {
        const Reference<css::sheet::XSheetCellCursor> cursor = uno_->sheet->createCursor();
        const Reference<css::sheet::XUsedAreaCursor> usedArea(cursor, uno::UNO_QUERY_THROW);
        usedArea->gotoEndOfUsedArea(false);
        const Reference<css::sheet::XCellRangeAddressable> end(cursor, uno::UNO_QUERY_THROW);
        const sal_Int32 lastRow =
            std::min<sal_Int32>(end->getRangeAddress().EndRow + 1, firstRow + maxRows - 1);
        if (lastRow < firstRow)
            return cells;
        const Reference<css::sheet::XCellRangeData> range(
            uno_->sheet->getCellRangeByPosition(column - 1, firstRow - 1, column - 1, lastRow - 1),
            uno::UNO_QUERY_THROW);
        const uno::Sequence<uno::Sequence<uno::Any>> rows = range->getDataArray();
        cells.reserve(rows.getLength());
        for (const uno::Sequence<uno::Any>& row : rows) {
            double number = 0;
            rtl::OUString text;
            if (row.getLength() > 0 && (row[0] >>= number))
                cells << CellValue::fromNumber(number);
            else if (row.getLength() > 0 && (row[0] >>= text) && !text.isEmpty())
                cells << CellValue::fromText(fromOU(text));
            else
                cells << CellValue::empty();
        }
    } catch (const uno::RuntimeException&) {
        engineEnded();
    } catch (const uno::Exception&) {
    }
    return cells;
}

OfficeError LibreOfficeSpreadsheet::setCell(int row, int column, const CellValue& value)
{
    finishOpening();
    if (!uno_->sheet.is())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    try {
        const Reference<css::table::XCell> cell = uno_->sheet->getCellByPosition(column - 1, row - 1);
        switch (value.kind) {
        case CellValue::Kind::Number:
            cell->setValue(value.number);
            break;
        case CellValue::Kind::Text:
            Reference<css::text::XTextRange>(cell, uno::UNO_QUERY_THROW)->setString(toOU(value.text));
            break;
        case CellValue::Kind::Empty:
        case CellValue::Kind::Error:
            cell->setFormula(rtl::OUString());
            break;
        }
        return OfficeError::none();
    } catch (const uno::RuntimeException& e) {
        const QString why = fromOU(e.Message);
        engineEnded();
        return OfficeError::of(OfficeError::Code::EngineStopped, why);
    } catch (const uno::Exception& e) {
        return OfficeError::of(OfficeError::Code::WriteFailed, fromOU(e.Message));
    }
}

OfficeError LibreOfficeSpreadsheet::save()
{
    finishOpening();
    if (!uno_->document.is())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    // The file is written beside the workbook and then renamed over it, so the workbook is either the
    // old one or the new one, never a half-written one.
    const QFileInfo target(QFileInfo(path_).exists() ? QFileInfo(path_).canonicalFilePath() : path_);
    const QString folder = target.absolutePath();
    const qint64 size = target.size();
    // A rename would replace a read-only file as readily as any other (and root writes anything):
    // the user's protection is honoured here, not left to the system.
    if (writeProtectionOf(target.filePath()) != WriteProtection::None)
        return OfficeError::of(OfficeError::Code::WriteProtected);

    // Named after this run, so that one left by a kill in the middle of a save can be told and removed.
    QTemporaryFile temporary(target.dir().filePath(namePrefixOfThisRun(kSaveFilePrefix) + target.fileName() +
                                                   QStringLiteral(".XXXXXX")));
    errno = 0;
    if (!temporary.open())
        return writeFailure(folder, size, errno);
    temporary.close();
    const QString temporaryPath = temporary.fileName();
    // The office locks the file it stores to; on a failed store it leaves that lock behind.
    const auto removeStoreLock = [&temporaryPath] { QFile::remove(officeLockPath(temporaryPath)); };

    try {
        Reference<css::frame::XStorable> storable(uno_->document, uno::UNO_QUERY_THROW);
        storable->storeToURL(toOU(fileUrl(temporaryPath)),
                             namedValues({namedValue("FilterName", uno::Any(toOU(filter_))),
                                          namedValue("Overwrite", uno::Any(true))}));
    } catch (const uno::RuntimeException& e) {
        const QString why = fromOU(e.Message);
        engineEnded();
        removeStoreLock();
        return OfficeError::of(OfficeError::Code::EngineStopped, why);
    } catch (const uno::Exception&) {
        // The office's own text is for its developers; what the user needs is why, in their words.
        removeStoreLock();
        const OfficeError failure = writeFailure(folder, size, 0);
        if (failure.code == OfficeError::Code::DiskFull)
            return failure;
        return OfficeError::of(OfficeError::Code::WriteFailed, QStringLiteral("表格程序无法写出名单文件。"));
    }
    removeStoreLock();

    QFile written(temporaryPath);
    if (!written.open(QIODevice::ReadWrite))
        return writeFailure(folder, size, 0);
    if (written.size() == 0) {
        if (isShortOfSpace(folder, size))
            return OfficeError::of(OfficeError::Code::DiskFull);
        return OfficeError::of(OfficeError::Code::WriteFailed, QStringLiteral("写出的文件是空的。"));
    }
    // Should the system refuse, the list is still saved, only with our permissions.
    if (target.exists() && !keepOwnerAndMode(written.handle(), target.filePath()))
        qWarning("The name list's permissions could not be kept");
    const int synced = ::fsync(written.handle()) == 0 ? 0 : errno;
    written.close();
    if (synced != 0)
        return writeFailure(folder, size, synced);
    if (std::rename(QFile::encodeName(temporaryPath).constData(),
                    QFile::encodeName(target.filePath()).constData()) != 0)
        return writeFailure(folder, size, errno);
    temporary.setAutoRemove(false);
    return OfficeError::none();
}

void LibreOfficeSpreadsheet::closeWorkbook()
{
    finishOpening();
    const Reference<css::lang::XComponent> document = uno_->document;
    uno_->sheet.clear();
    uno_->document.clear();
    path_.clear();
    closeDocument(document);
}

void LibreOfficeSpreadsheet::quit()
{
    cancelStart();
    abandonOpening();
    closeWorkbook();
    if (uno_->connector.joinable()) {
        uno_->cancelled = true;
        uno_->joinConnector();
        ++uno_->generation;
    }
    if (uno_->desktop.is()) {
        try {
            uno_->desktop->terminate();
        } catch (const uno::Exception&) {
            // The bridge goes away as the instance ends.
        }
    }
    uno_->desktop.clear();
    if (process_)
        retire(std::move(process_));
}

OfficeError LibreOfficeSpreadsheet::openForEditing(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return OfficeError::of(OfficeError::Code::FileMissing);
    // The user's own office with the user's own profile: the file is theirs to edit and save there.
    const QString soffice = QDir(OfficeProcess::programFolder()).filePath(QStringLiteral("soffice"));
    if (!QProcess::startDetached(soffice, {QStringLiteral("--nologo"), QFileInfo(path).absoluteFilePath()}))
        return OfficeError::of(OfficeError::Code::EngineUnavailable,
                               QStringLiteral("找不到 %1").arg(soffice));
    return OfficeError::none();
}
