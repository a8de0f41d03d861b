#include "platform/office/LibreOfficeSpreadsheet.h"

#include "platform/files/FileAccess.h"
#include "platform/files/FileStamp.h"
#include "platform/files/InPlaceWrite.h"
#include "platform/files/WriteProtection.h"
#include "platform/office/OfficeLeftovers.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficeProcess.h"
#include "platform/processes/DeadRuns.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUniqueCellFormatRangesSupplier.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XInteractionPassword.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <map>
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
        why = QCoreApplication::translate("LibreOfficeSpreadsheet", "名单所在的文件夹已不存在。");
        break;
    case EISDIR:
        why = QCoreApplication::translate("LibreOfficeSpreadsheet", "名单文件的位置上是一个文件夹。");
        break;
    case EIO:
        why = QCoreApplication::translate("LibreOfficeSpreadsheet", "读写磁盘时出错。");
        break;
    default:
        why = QCoreApplication::translate("LibreOfficeSpreadsheet", "无法写入名单所在的文件夹。");
        break;
    }
    return OfficeError::of(OfficeError::Code::WriteFailed, why);
}

// Gives the new file the old one's owner and permissions. False when the system refuses the owner
// (another user's list, a group we are not in): a new file would change hands, so the old one is
// written in place instead.
bool takeOverOwnerAndMode(int handle, const struct stat& old)
{
    struct stat fresh {};
    if (::fstat(handle, &fresh) != 0)
        return false;
    if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
        ::fchown(handle, old.st_uid, old.st_gid) != 0)
        return false;
    // Should the system refuse the mode, the list is still saved, only with our permissions.
    if (::fchmod(handle, old.st_mode & 07777) != 0)
        qWarning("The name list's permissions could not be kept");
    return true;
}

// The filter we read and write a workbook with, by the office's filter for the format it detected in
// the file's content (a template of a format is read and written as a workbook of it); empty for any
// other format.
QString workbookFilterOf(const QString& detectedFilter)
{
    static const std::map<QString, QString> filters{
        {QStringLiteral("MS Excel 97"), QStringLiteral("MS Excel 97")},
        {QStringLiteral("MS Excel 97 Vorlage/Template"), QStringLiteral("MS Excel 97")},
        {QStringLiteral("Calc MS Excel 2007 XML"), QStringLiteral("Calc MS Excel 2007 XML")},
        {QStringLiteral("Calc MS Excel 2007 XML Template"), QStringLiteral("Calc MS Excel 2007 XML")},
        {QStringLiteral("Calc Office Open XML"), QStringLiteral("Calc Office Open XML")},
        {QStringLiteral("Calc Office Open XML Template"), QStringLiteral("Calc Office Open XML")},
        {QStringLiteral("calc8"), QStringLiteral("calc8")},
        {QStringLiteral("calc8_template"), QStringLiteral("calc8")},
    };
    const auto found = filters.find(detectedFilter);
    return found == filters.end() ? QString() : found->second;
}

} // namespace

// What loading a workbook came to: the document with its sheet, or why not.
struct LoadedWorkbook {
    Reference<css::lang::XComponent> document;
    Reference<css::sheet::XSpreadsheet> sheet;
    // The format it was read in, and is written back in.
    QString filter;
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

const QString kCsvFilter = QStringLiteral("Text - txt - csv (StarCalc)");
// Comma-separated UTF-8 from the first line. Read: quoted fields stay text (a number 007 keeps its
// zeros) and a cell such as =1+1 stays the text it is, never a formula to compute. Written: numbers
// as shown, texts quoted (so that a number kept as text, 007, is read as text again), no formulas.
const QString kCsvReadOptions = QStringLiteral("44,34,76,1,,1033,true,false,false,false,false,0,false");
const QString kCsvWriteOptions = QStringLiteral("44,34,76,1,,1033,true,true,true,false,false,0,false,true");

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
    if (filter == kCsvFilter) {
        arguments.realloc(arguments.getLength() + 1);
        arguments.getArray()[arguments.getLength() - 1] =
            namedValue("FilterOptions", uno::Any(toOU(kCsvReadOptions)));
    }
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

// Why a workbook did not load: a password, a full disk, a permission, or the file itself.
LoadedWorkbook whyNotLoaded(const Reference<css::frame::XDesktop2>& desktop, const QString& path,
                            const QString& filter)
{
    // Loaded again with questions allowed: the office asks for a password only when there is one.
    try {
        const rtl::Reference<PasswordSpotter> spotter(new PasswordSpotter);
        Reference<css::frame::XComponentLoader> loader(desktop, uno::UNO_QUERY_THROW);
        const Reference<css::lang::XComponent> document = loader->loadComponentFromURL(
            toOU(fileUrl(path)), "_blank", 0,
            loadArguments(filter, Reference<css::task::XInteractionHandler>(spotter.get())));
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
    // Taken away while the office read it, or refused to the office alone: not a damaged file either.
    if (const OfficeError unreadable = readProblem(path))
        return LoadedWorkbook::failure(unreadable);
    return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::NotAWorkbook));
}

// Which number formats of the open workbook are the general format of their language: a number in
// any other format (a student number 001, a date, 50 %) reads as the sheet shows it.
class GeneralFormats {
public:
    void reset(const Reference<css::lang::XComponent>& document = {})
    {
        document_ = document;
        formats_.clear();
        known_.clear();
    }

    bool isGeneral(sal_Int32 key)
    {
        if (const auto found = known_.find(key); found != known_.end())
            return found->second;
        if (!formats_.is())
            formats_ = Reference<css::util::XNumberFormatsSupplier>(document_, uno::UNO_QUERY_THROW)
                           ->getNumberFormats();
        css::lang::Locale locale;
        formats_->getByKey(key)->getPropertyValue("Locale") >>= locale;
        const bool general = Reference<css::util::XNumberFormatTypes>(formats_, uno::UNO_QUERY_THROW)
                                 ->getStandardIndex(locale) == key;
        known_[key] = general;
        return general;
    }

    // What the sheet shows of a number cell when its format is not the general one; empty otherwise,
    // and when the office cannot say (the number itself is what counts).
    QString shownIfFormatted(const Reference<css::table::XCell>& cell)
    {
        try {
            sal_Int32 key = 0;
            Reference<css::beans::XPropertySet>(cell, uno::UNO_QUERY_THROW)
                ->getPropertyValue("NumberFormat") >>= key;
            if (!isGeneral(key))
                return fromOU(Reference<css::text::XTextRange>(cell, uno::UNO_QUERY_THROW)->getString());
        } catch (const uno::RuntimeException&) {
            throw;
        } catch (const uno::Exception&) {
        }
        return {};
    }

private:
    Reference<css::lang::XComponent> document_;
    Reference<css::util::XNumberFormats> formats_;
    std::map<sal_Int32, bool> known_;
};

// Gives the numbers of a column read from the range (one column, from firstRow) the text the sheet
// shows for them, where their format is not the general one.
void readShownNumbers(GeneralFormats& formats, const Reference<css::table::XCellRange>& range, int firstRow,
                      QList<CellValue>* cells)
{
    // One call per distinct format of the column, not per cell; only numbers in a format of their
    // own are asked for their text, one by one.
    const Reference<css::container::XIndexAccess> groups =
        Reference<css::sheet::XUniqueCellFormatRangesSupplier>(range, uno::UNO_QUERY_THROW)
            ->getUniqueCellFormatRanges();
    for (sal_Int32 i = 0; i < groups->getCount(); ++i) {
        const Reference<css::sheet::XSheetCellRanges> group(groups->getByIndex(i), uno::UNO_QUERY_THROW);
        sal_Int32 key = 0;
        Reference<css::beans::XPropertySet>(group, uno::UNO_QUERY_THROW)->getPropertyValue("NumberFormat") >>=
            key;
        if (formats.isGeneral(key))
            continue;
        const uno::Sequence<css::table::CellRangeAddress> addresses = group->getRangeAddresses();
        for (const css::table::CellRangeAddress& address : addresses) {
            for (sal_Int32 row = address.StartRow; row <= address.EndRow; ++row) {
                const qsizetype index = row - (firstRow - 1);
                if (index < 0 || index >= cells->size() || (*cells)[index].kind != CellValue::Kind::Number)
                    continue;
                const Reference<css::text::XTextRange> text(range->getCellByPosition(0, sal_Int32(index)),
                                                            uno::UNO_QUERY_THROW);
                (*cells)[index].shown = fromOU(text->getString());
            }
        }
    }
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

// The sheet of that name, ignoring case. LibreOffice 7.4 reads an .xlsx sheet named "sheet1" as
// "sheet1 -1" (its new workbook's own "Sheet1" holds the name while the file's sheets come in): such a
// sheet is taken, and given back the name it has in the file, so that a save keeps it.
Reference<css::sheet::XSpreadsheet> sheetNamed(const Reference<css::container::XNameAccess>& sheets,
                                               const QString& sheetName)
{
    const uno::Sequence<rtl::OUString> names = sheets->getElementNames();
    for (const rtl::OUString& name : names) {
        if (fromOU(name).compare(sheetName, Qt::CaseInsensitive) == 0)
            return Reference<css::sheet::XSpreadsheet>(sheets->getByName(name), UNO_QUERY);
    }
    const QRegularExpression renamed(
        QStringLiteral("^(%1) -\\d+$").arg(QRegularExpression::escape(sheetName)),
        QRegularExpression::CaseInsensitiveOption);
    for (const rtl::OUString& name : names) {
        const QRegularExpressionMatch match = renamed.match(fromOU(name));
        if (!match.hasMatch())
            continue;
        Reference<css::sheet::XSpreadsheet> sheet(sheets->getByName(name), UNO_QUERY);
        if (const Reference<css::container::XNamed> named(sheet, UNO_QUERY); named.is())
            named->setName(toOU(match.captured(1)));
        return sheet;
    }
    return {};
}

// Loads the workbook invisibly with that filter and finds its sheet of that name, ignoring case.
LoadedWorkbook loadSheetWith(const Reference<css::frame::XDesktop2>& desktop, const QString& path,
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
            return whyNotLoaded(desktop, path, filter);
        }
        const Reference<css::container::XNameAccess> sheets(workbook->getSheets(), uno::UNO_QUERY_THROW);
        Reference<css::sheet::XSpreadsheet> sheet = sheetNamed(sheets, sheetName);
        // A CSV file is one sheet, named after the file.
        if (!sheet.is() && filter == kCsvFilter && sheets->getElementNames().getLength() == 1)
            sheet.set(sheets->getByName(sheets->getElementNames()[0]), UNO_QUERY);
        if (sheet.is()) {
            LoadedWorkbook loaded;
            loaded.document = document;
            loaded.sheet = sheet;
            loaded.filter = filter;
            return loaded;
        }
        closeDocument(document);
        return LoadedWorkbook::failure(OfficeError::of(OfficeError::Code::SheetMissing));
    } catch (const css::uno::RuntimeException& e) {
        return engineLost(e);
    } catch (const uno::Exception&) {
        return whyNotLoaded(desktop, path, filter);
    }
}

// The filter of the workbook format the office finds in the file's content, whatever its name says;
// empty when it finds none of ours.
QString detectedWorkbookFilter(const Reference<uno::XComponentContext>& context, const QString& path)
{
    const Reference<css::document::XTypeDetection> detection(
        context->getServiceManager()->createInstanceWithContext("com.sun.star.document.TypeDetection",
                                                                context),
        uno::UNO_QUERY_THROW);
    uno::Sequence<css::beans::PropertyValue> descriptor =
        namedValues({namedValue("URL", uno::Any(toOU(fileUrl(path))))});
    const rtl::OUString type = detection->queryTypeByDescriptor(descriptor, true);
    if (type.isEmpty())
        return {};
    uno::Sequence<css::beans::PropertyValue> properties;
    Reference<css::container::XNameAccess>(detection, uno::UNO_QUERY_THROW)->getByName(type) >>= properties;
    for (const css::beans::PropertyValue& property : properties) {
        rtl::OUString filter;
        if (property.Name == "PreferredFilter" && (property.Value >>= filter))
            return workbookFilterOf(fromOU(filter));
    }
    return {};
}

// Loads the workbook as loadSheetWith does, with the filter of its name; a workbook saved under
// another format's name (an .xlsx or .ods named name.xls, which the office itself opens) is then read
// in the format of its content. Touches nothing but what it is given, so it may run on any thread.
LoadedWorkbook loadSheet(const Reference<css::frame::XDesktop2>& desktop,
                         const Reference<uno::XComponentContext>& context, const QString& path,
                         const QString& filter, const QString& sheetName)
{
    LoadedWorkbook loaded = loadSheetWith(desktop, path, filter, sheetName);
    if (loaded.error.code != OfficeError::Code::NotAWorkbook || !context.is())
        return loaded;
    try {
        const QString detected = detectedWorkbookFilter(context, path);
        if (detected.isEmpty() || detected == filter)
            return loaded;
        return loadSheetWith(desktop, path, detected, sheetName);
    } catch (const uno::RuntimeException& e) {
        return engineLost(e);
    } catch (const uno::Exception&) {
        return loaded;
    }
}

} // namespace

// A workbook loading on another thread. The user-interface thread starts it, waits for it and takes
// its result; the worker only fills in the result.
struct LibreOfficeSpreadsheet::Opening {
    std::thread worker;
    std::atomic<bool> done{false};
    LoadedWorkbook result;
    // The file as the load found it.
    FileStamp stamp;
    QString path;
    QString filter;
    std::function<void(const OfficeError&)> opened;
    // The start of the instance it loads in: a result of an instance since ended is not taken.
    int instance = 0;
    int number = 0;
};

struct LibreOfficeSpreadsheet::Uno {
    // The office's own component context, for its services.
    Reference<uno::XComponentContext> context;
    Reference<css::frame::XDesktop2> desktop;
    Reference<css::lang::XComponent> document;
    Reference<css::sheet::XSpreadsheet> sheet;
    GeneralFormats generalFormats;
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
    uno_->context.clear();
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
    if (suffix == QLatin1String("csv"))
        return kCsvFilter;
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
    uno_->context.clear();

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
        Reference<uno::XComponentContext> remote;
        Reference<css::frame::XDesktop2> desktop;
        QString failure;
        while (!uno_->cancelled && !uno_->processEnded && Clock::now() < deadline) {
            try {
                auto resolver = css::bridge::UnoUrlResolver::create(localContext());
                remote.set(resolver->resolve(url), uno::UNO_QUERY_THROW);
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
            [this, remote, desktop, failure, generation] {
                if (generation != uno_->generation)
                    return;
                uno_->joinConnector();
                if (desktop.is() && process_ && process_->isRunning()) {
                    uno_->context = remote;
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
                    why = QCoreApplication::translate("LibreOfficeSpreadsheet",
                                                      "LibreOffice 没有在规定时间内启动");
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
    uno_->context.clear();
    uno_->generalFormats.reset();
    const QString path = path_;
    path_.clear();
    if (process_)
        process_->kill();
    // The teacher's own office would find the list locked by an instance that is gone.
    if (!path.isEmpty())
        removeOwnLock(path);
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
    if (const OfficeError problem = readProblem(path))
        return problem;
    const QFileInfo info(path);
    if (filterFor(path).isEmpty())
        return OfficeError::of(
            OfficeError::Code::NotAWorkbook,
            QCoreApplication::translate("LibreOfficeSpreadsheet", "不是 .xls、.xlsx 或 .ods 文件"));
    // The office opens an empty file as a new, empty workbook; for us it is a file with no list in it.
    if (info.size() == 0)
        return OfficeError::of(OfficeError::Code::NotAWorkbook,
                               QCoreApplication::translate("LibreOfficeSpreadsheet", "文件是空的（0 字节）"));

    // The office would wait for ever on a pipe at its lock's name.
    if (const QString obstacle = lockObstacle(path); !obstacle.isEmpty())
        return OfficeError::of(OfficeError::Code::LockInTheWay, obstacle);
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
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // Taken before the load: a save that lands while the office reads the file is caught at our save.
    const FileStamp stamp = FileStamp::of(absolute);
    LoadedWorkbook loaded = loadSheet(uno_->desktop, uno_->context, absolute, filterFor(path), sheetName);
    if (loaded.document.is())
        signOwnOfficeLock(absolute, process_->profileUrl());
    return take(std::move(loaded), absolute, stamp);
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
    // The worker has its own references to the office and writes only into its job and the lock it
    // signs; the bridge takes calls from any thread. The file is stamped on the worker too: a big list
    // takes a while to read.
    job->worker = std::thread([this, job, desktop = uno_->desktop, context = uno_->context, sheetName,
                               profile = process_->profileUrl()] {
        job->stamp = FileStamp::of(job->path);
        job->result = loadSheet(desktop, context, job->path, job->filter, sheetName);
        if (job->result.document.is())
            signOwnOfficeLock(job->path, profile);
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
    const OfficeError result = take(std::move(loaded), job->path, job->stamp);
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

OfficeError LibreOfficeSpreadsheet::take(LoadedWorkbook loaded, const QString& path, const FileStamp& stamp)
{
    if (loaded.engineLost) {
        engineEnded();
        return loaded.error;
    }
    if (loaded.error)
        return loaded.error;
    uno_->document = loaded.document;
    uno_->sheet = loaded.sheet;
    uno_->generalFormats.reset(loaded.document);
    path_ = path;
    filter_ = loaded.filter;
    stamp_ = stamp;
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
            return CellValue::fromNumber(cell->getValue(), uno_->generalFormats.shownIfFormatted(cell));
        case css::table::CellContentType_TEXT:
            return CellValue::fromText(fromOU(text->getString()));
        case css::table::CellContentType_FORMULA: {
            if (cell->getError() != 0)
                return CellValue::error();
            const Reference<css::beans::XPropertySet> properties(cell, UNO_QUERY);
            sal_Int32 resultType = 0;
            properties->getPropertyValue("FormulaResultType2") >>= resultType;
            if (resultType == css::sheet::FormulaResult::VALUE)
                return CellValue::fromNumber(cell->getValue(), uno_->generalFormats.shownIfFormatted(cell));
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
        const Reference<css::table::XCellRange> range =
            uno_->sheet->getCellRangeByPosition(column - 1, firstRow - 1, column - 1, lastRow - 1);
        const uno::Sequence<uno::Sequence<uno::Any>> rows =
            Reference<css::sheet::XCellRangeData>(range, uno::UNO_QUERY_THROW)->getDataArray();
        cells.reserve(rows.getLength());
        bool anyNumber = false;
        for (const uno::Sequence<uno::Any>& row : rows) {
            double number = 0;
            rtl::OUString text;
            if (row.getLength() > 0 && (row[0] >>= number)) {
                cells << CellValue::fromNumber(number);
                anyNumber = true;
            } else if (row.getLength() > 0 && (row[0] >>= text) && !text.isEmpty()) {
                cells << CellValue::fromText(fromOU(text));
            } else {
                cells << CellValue::empty();
            }
        }
        if (anyNumber)
            readShownNumbers(uno_->generalFormats, range, firstRow, &cells);
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
    // The file is written beside the workbook and then put in its place, so the workbook is either the
    // old one or the new one, never a half-written one.
    const QFileInfo target(QFileInfo(path_).exists() ? QFileInfo(path_).canonicalFilePath() : path_);
    const QString folder = target.absolutePath();
    const qint64 size = target.size();
    // A rename would replace a read-only file as readily as any other (and root writes anything):
    // the user's protection is honoured here, not left to the system.
    if (writeProtectionOf(target.filePath()) != WriteProtection::None)
        return OfficeError::of(OfficeError::Code::WriteProtected);
    // The teacher may have saved the list in their own office since we read it: that save is theirs,
    // and what we hold is older.
    if (target.isFile() && !stamp_.isStillThe(target.filePath()))
        return OfficeError::of(OfficeError::Code::ChangedOnDisk);

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
        uno::Sequence<css::beans::PropertyValue> arguments = namedValues(
            {namedValue("FilterName", uno::Any(toOU(filter_))), namedValue("Overwrite", uno::Any(true))});
        if (filter_ == kCsvFilter) {
            arguments.realloc(arguments.getLength() + 1);
            arguments.getArray()[arguments.getLength() - 1] =
                namedValue("FilterOptions", uno::Any(toOU(kCsvWriteOptions)));
        }
        storable->storeToURL(toOU(fileUrl(temporaryPath)), arguments);
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
        return OfficeError::of(
            OfficeError::Code::WriteFailed,
            QCoreApplication::translate("LibreOfficeSpreadsheet", "表格程序无法写出名单文件。"));
    }
    removeStoreLock();

    QFile written(temporaryPath);
    if (!written.open(QIODevice::ReadWrite))
        return writeFailure(folder, size, 0);
    if (written.size() == 0) {
        if (isShortOfSpace(folder, size))
            return OfficeError::of(OfficeError::Code::DiskFull);
        return OfficeError::of(OfficeError::Code::WriteFailed,
                               QCoreApplication::translate("LibreOfficeSpreadsheet", "写出的文件是空的。"));
    }
    const int synced = ::fsync(written.handle()) == 0 ? 0 : errno;
    written.close();
    if (synced != 0)
        return writeFailure(folder, size, synced);
    if (const OfficeError failure = replaceList(temporaryPath, target.filePath(), size))
        return failure;
    temporary.setAutoRemove(false);
    // What we saved is the file a later save of this workbook may write over.
    stamp_ = FileStamp::of(target.filePath());
    return OfficeError::none();
}

OfficeError LibreOfficeSpreadsheet::replaceList(const QString& storedPath, const QString& listPath,
                                                qint64 oldSize)
{
    const QString folder = QFileInfo(listPath).absolutePath();
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(listPath).constData(), &old) == 0;
    QFile stored(storedPath);
    if (!stored.open(QIODevice::ReadOnly))
        return writeFailure(folder, oldSize, 0);
    // A new file keeps what the list had only if it can be given the list's owner and the list has no
    // other name (a hard link would keep the old content under that name).
    const bool inPlace = replacing && (old.st_nlink > 1 || !takeOverOwnerAndMode(stored.handle(), old));
    if (!inPlace) {
        stored.close();
        if (std::rename(QFile::encodeName(storedPath).constData(), QFile::encodeName(listPath).constData()) !=
            0)
            return writeFailure(folder, oldSize, errno);
        return OfficeError::none();
    }
    const QByteArray content = stored.readAll();
    stored.close();
    const InPlaceWriteResult written = writeInPlace(listPath, content);
    QFile::remove(storedPath);
    if (written.backupKept)
        return OfficeError::of(OfficeError::Code::WriteFailed,
                               QCoreApplication::translate(
                                   "LibreOfficeSpreadsheet",
                                   "名单文件可能只写入了一部分；保存前的名单在 %1，可以用它替换名单文件。")
                                   .arg(QDir::toNativeSeparators(inPlaceBackupPath(listPath))));
    if (written.error != 0)
        return writeFailure(folder, oldSize, written.error);
    return OfficeError::none();
}

OfficeError LibreOfficeSpreadsheet::createWorkbook(const QString& sheetName)
{
    finishOpening();
    closeWorkbook();
    if (!isRunning())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    try {
        Reference<css::frame::XComponentLoader> loader(uno_->desktop, uno::UNO_QUERY_THROW);
        Reference<css::lang::XComponent> document = loader->loadComponentFromURL(
            "private:factory/scalc", "_blank", 0, namedValues({namedValue("Hidden", uno::Any(true))}));
        Reference<css::sheet::XSpreadsheetDocument> workbook(document, UNO_QUERY);
        if (!workbook.is()) {
            closeDocument(document);
            return OfficeError::of(OfficeError::Code::WriteFailed);
        }
        const Reference<css::container::XIndexAccess> sheets(workbook->getSheets(), uno::UNO_QUERY_THROW);
        Reference<css::sheet::XSpreadsheet> sheet(sheets->getByIndex(0), uno::UNO_QUERY_THROW);
        if (const Reference<css::container::XNamed> named(sheet, UNO_QUERY); named.is())
            named->setName(toOU(sheetName));
        uno_->document = document;
        uno_->sheet = sheet;
        uno_->generalFormats.reset(document);
        path_.clear();
        filter_.clear();
        stamp_ = {};
        return OfficeError::none();
    } catch (const uno::RuntimeException& e) {
        const QString why = fromOU(e.Message);
        engineEnded();
        return OfficeError::of(OfficeError::Code::EngineStopped, why);
    } catch (const uno::Exception& e) {
        return OfficeError::of(OfficeError::Code::WriteFailed, fromOU(e.Message));
    }
}

OfficeError LibreOfficeSpreadsheet::saveAs(const QString& path)
{
    finishOpening();
    if (!uno_->document.is())
        return OfficeError::of(OfficeError::Code::EngineStopped);
    const QString filter = filterFor(path);
    if (filter.isEmpty())
        return OfficeError::of(
            OfficeError::Code::NotAWorkbook,
            QCoreApplication::translate("LibreOfficeSpreadsheet", "不是 .xls、.xlsx、.ods 或 .csv 文件"));
    path_ = QFileInfo(path).absoluteFilePath();
    filter_ = filter;
    // The file there now is the one the teacher chose to replace.
    stamp_ = FileStamp::of(path_);
    return save();
}

void LibreOfficeSpreadsheet::closeWorkbook()
{
    finishOpening();
    const Reference<css::lang::XComponent> document = uno_->document;
    const QString path = path_;
    uno_->sheet.clear();
    uno_->document.clear();
    uno_->generalFormats.reset();
    path_.clear();
    closeDocument(document);
    // The office leaves a lock under our names to us.
    if (document.is())
        removeOwnLock(path);
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
    uno_->context.clear();
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
        return OfficeError::of(
            OfficeError::Code::EngineUnavailable,
            QCoreApplication::translate("LibreOfficeSpreadsheet", "找不到 %1").arg(soffice));
    return OfficeError::none();
}
