#include "CalcFiles.h"

#include "platform/office/LibreOfficeSpreadsheet.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/LockedDocumentRequest.hpp>
#include <com/sun/star/document/OwnLockOnDocumentRequest.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/exc_hlp.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>
#include <stdexcept>

namespace css = com::sun::star;
namespace uno = com::sun::star::uno;
using uno::Reference;

namespace {

rtl::OUString ou(const QString& text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

QString qs(const rtl::OUString& text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.getStr()), text.getLength());
}

// The office's exceptions are no std::exception: a test that fails on one names what the office said.
template <class Step> auto described(const QString& what, Step step)
{
    try {
        return step();
    } catch (const uno::Exception& e) {
        throw std::runtime_error(
            QStringLiteral("the office could not %1 (%2): %3")
                .arg(what, qs(cppu::getCaughtException().getValueTypeName()), qs(e.Message))
                .toStdString());
    }
}

uno::Sequence<css::beans::PropertyValue> arguments(const QString& filter)
{
    uno::Sequence<css::beans::PropertyValue> result(filter.isEmpty() ? 1 : 2);
    result.getArray()[0].Name = "Hidden";
    result.getArray()[0].Value <<= true;
    if (!filter.isEmpty()) {
        result.getArray()[1].Name = "FilterName";
        result.getArray()[1].Value <<= ou(filter);
    }
    return result;
}

rtl::OUString url(const QString& path)
{
    return ou(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

void close(const Reference<css::lang::XComponent>& document)
{
    Reference<css::util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
}

// Notes what a load says about the document's lock, and answers "cancel".
class LockSpotter : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override
    {
        const uno::Any what = request->getRequest();
        css::document::LockedDocumentRequest locked;
        css::document::OwnLockOnDocumentRequest own;
        if (what >>= locked)
            seen = QStringLiteral("locked by: ") + qs(locked.UserInfo);
        else if (what >>= own)
            seen = QStringLiteral("own lock: ") + qs(own.TimeInfo);
        for (const auto& continuation : request->getContinuations()) {
            if (Reference<css::task::XInteractionAbort>(continuation, uno::UNO_QUERY).is()) {
                continuation->select();
                return;
            }
        }
    }
    // Written on the bridge's thread while the load waits for it.
    QString seen;
};

} // namespace

struct CalcFiles::Uno {
    Reference<css::frame::XComponentLoader> loader;
    Reference<css::lang::XComponent> held;
};

CalcFiles::CalcFiles(const QString& connectionUrl) : uno_(std::make_unique<Uno>())
{
    // The engine is connected already; on a loaded machine the office may still turn a second
    // connection away for a moment.
    QDeadlineTimer deadline(10000);
    for (;;) {
        try {
            auto resolver =
                css::bridge::UnoUrlResolver::create(cppu::defaultBootstrap_InitialComponentContext());
            Reference<uno::XComponentContext> remote(resolver->resolve(ou(connectionUrl)),
                                                     uno::UNO_QUERY_THROW);
            uno_->loader.set(css::frame::Desktop::create(remote), uno::UNO_QUERY_THROW);
            return;
        } catch (const uno::Exception& e) {
            if (deadline.hasExpired())
                throw std::runtime_error(
                    QStringLiteral("no connection to the office at %1 (%2): %3")
                        .arg(connectionUrl, qs(cppu::getCaughtException().getValueTypeName()), qs(e.Message))
                        .toStdString());
        }
        QThread::msleep(100);
    }
}

CalcFiles::~CalcFiles()
{
    try {
        release();
    } catch (const uno::Exception&) {
    }
}

void CalcFiles::write(const QString& path, const QList<Sheet>& sheets, const QString& password)
{
    described(QStringLiteral("write %1").arg(path), [&] {
        Reference<css::lang::XComponent> document =
            uno_->loader->loadComponentFromURL("private:factory/scalc", "_blank", 0, arguments({}));
        Reference<css::sheet::XSpreadsheetDocument> workbook(document, uno::UNO_QUERY_THROW);
        Reference<css::sheet::XSpreadsheets> all = workbook->getSheets();
        Reference<css::container::XIndexAccess> byIndex(all, uno::UNO_QUERY_THROW);
        for (int i = 0; i < sheets.size(); ++i) {
            if (i >= byIndex->getCount())
                all->insertNewByName(ou(QStringLiteral("tmp%1").arg(i)), sal_Int16(i));
            Reference<css::sheet::XSpreadsheet> sheet(byIndex->getByIndex(i), uno::UNO_QUERY_THROW);
            Reference<css::container::XNamed>(sheet, uno::UNO_QUERY_THROW)->setName(ou(sheets[i].name));
            for (auto it = sheets[i].cells.begin(); it != sheets[i].cells.end(); ++it) {
                auto cell = sheet->getCellByPosition(it.key().second - 1, it.key().first - 1);
                if (it.value().kind == CellValue::Kind::Number)
                    cell->setValue(it.value().number);
                else if (it.value().kind == CellValue::Kind::Text)
                    Reference<css::text::XTextRange>(cell, uno::UNO_QUERY_THROW)
                        ->setString(ou(it.value().text));
            }
            const Reference<css::util::XNumberFormats> formats =
                Reference<css::util::XNumberFormatsSupplier>(document, uno::UNO_QUERY_THROW)
                    ->getNumberFormats();
            for (auto it = sheets[i].numberFormats.begin(); it != sheets[i].numberFormats.end(); ++it) {
                const css::lang::Locale english("en", "US", rtl::OUString());
                sal_Int32 key = formats->queryKey(ou(it.value()), english, false);
                if (key < 0)
                    key = formats->addNew(ou(it.value()), english);
                Reference<css::beans::XPropertySet>(
                    sheet->getCellByPosition(it.key().second - 1, it.key().first - 1), uno::UNO_QUERY_THROW)
                    ->setPropertyValue("NumberFormat", uno::Any(key));
            }
        }
        uno::Sequence<css::beans::PropertyValue> store(password.isEmpty() ? 2 : 3);
        store.getArray()[0].Name = "FilterName";
        store.getArray()[0].Value <<= ou(LibreOfficeSpreadsheet::filterFor(path));
        store.getArray()[1].Name = "Overwrite";
        store.getArray()[1].Value <<= true;
        if (!password.isEmpty()) {
            store.getArray()[2].Name = "Password";
            store.getArray()[2].Value <<= ou(password);
        }
        Reference<css::frame::XStorable>(document, uno::UNO_QUERY_THROW)->storeToURL(url(path), store);
        close(document);
    });
}

void CalcFiles::writeFromCsv(const QString& path, const QString& csvPath, const QString& sheetName)
{
    uno::Sequence<css::beans::PropertyValue> load = arguments(QStringLiteral("Text - txt - csv (StarCalc)"));
    load.realloc(3);
    // Comma-separated, quoted by ", UTF-8, from line 1.
    load.getArray()[2].Name = "FilterOptions";
    load.getArray()[2].Value <<= ou(QStringLiteral("44,34,76,1"));
    Reference<css::lang::XComponent> document =
        uno_->loader->loadComponentFromURL(url(csvPath), "_blank", 0, load);
    Reference<css::sheet::XSpreadsheetDocument> workbook(document, uno::UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> byIndex(workbook->getSheets(), uno::UNO_QUERY_THROW);
    Reference<css::container::XNamed>(byIndex->getByIndex(0), uno::UNO_QUERY_THROW)->setName(ou(sheetName));
    uno::Sequence<css::beans::PropertyValue> store(2);
    store.getArray()[0].Name = "FilterName";
    store.getArray()[0].Value <<= ou(LibreOfficeSpreadsheet::filterFor(path));
    store.getArray()[1].Name = "Overwrite";
    store.getArray()[1].Value <<= true;
    Reference<css::frame::XStorable>(document, uno::UNO_QUERY_THROW)->storeToURL(url(path), store);
    close(document);
}

QList<CalcFiles::Sheet> CalcFiles::read(const QString& path, int size, const QString& filter)
{
    const Reference<css::lang::XComponent> document = described(QStringLiteral("load %1").arg(path), [&] {
        return uno_->loader->loadComponentFromURL(
            url(path), "_blank", 0,
            arguments(filter.isEmpty() ? LibreOfficeSpreadsheet::filterFor(path) : filter));
    });
    Reference<css::sheet::XSpreadsheetDocument> workbook(document, uno::UNO_QUERY);
    if (!workbook.is())
        throw std::runtime_error("not a workbook");
    Reference<css::container::XIndexAccess> byIndex(workbook->getSheets(), uno::UNO_QUERY_THROW);
    QList<Sheet> result;
    for (sal_Int32 i = 0; i < byIndex->getCount(); ++i) {
        Reference<css::sheet::XSpreadsheet> sheet(byIndex->getByIndex(i), uno::UNO_QUERY_THROW);
        Sheet read{qs(Reference<css::container::XNamed>(sheet, uno::UNO_QUERY_THROW)->getName()), {}, {}};
        for (int row = 1; row <= size; ++row) {
            for (int column = 1; column <= size; ++column) {
                auto cell = sheet->getCellByPosition(column - 1, row - 1);
                switch (cell->getType()) {
                case css::table::CellContentType_VALUE:
                    read.cells[{row, column}] = CellValue::fromNumber(cell->getValue());
                    break;
                case css::table::CellContentType_TEXT:
                    read.cells[{row, column}] = CellValue::fromText(
                        qs(Reference<css::text::XTextRange>(cell, uno::UNO_QUERY_THROW)->getString()));
                    break;
                default:
                    break;
                }
            }
        }
        result << read;
    }
    close(document);
    return result;
}

QString CalcFiles::lockWarning(const QString& path)
{
    const rtl::Reference<LockSpotter> spotter(new LockSpotter);
    uno::Sequence<css::beans::PropertyValue> load = arguments(LibreOfficeSpreadsheet::filterFor(path));
    load.realloc(load.getLength() + 1);
    load.getArray()[load.getLength() - 1].Name = "InteractionHandler";
    load.getArray()[load.getLength() - 1].Value <<= Reference<css::task::XInteractionHandler>(spotter.get());
    try {
        const Reference<css::lang::XComponent> document =
            uno_->loader->loadComponentFromURL(url(path), "_blank", 0, load);
        if (document.is())
            close(document);
    } catch (const uno::RuntimeException&) {
        throw;
    } catch (const uno::Exception&) {
        // Cancelled at the question.
    }
    return spotter->seen;
}

void CalcFiles::hold(const QString& path)
{
    release();
    uno_->held = uno_->loader->loadComponentFromURL(url(path), "_blank", 0,
                                                    arguments(LibreOfficeSpreadsheet::filterFor(path)));
}

void CalcFiles::release()
{
    if (uno_->held.is()) {
        close(uno_->held);
        uno_->held.clear();
    }
}

CalcFiles::Sheet nameSheet(const CellValue& total, const QList<std::pair<CellValue, CellValue>>& entries,
                           const QString& name)
{
    CalcFiles::Sheet sheet{name, {}, {}};
    sheet.cells[{1, 1}] = total;
    sheet.cells[{2, 1}] = CellValue::fromText(QStringLiteral("编号"));
    sheet.cells[{2, 2}] = CellValue::fromText(QStringLiteral("姓名"));
    sheet.cells[{2, 3}] = CellValue::fromText(QStringLiteral("顺序"));
    int row = 3;
    for (const auto& [number, person] : entries) {
        if (number.kind != CellValue::Kind::Empty)
            sheet.cells[{row, 1}] = number;
        if (person.kind != CellValue::Kind::Empty)
            sheet.cells[{row, 2}] = person;
        ++row;
    }
    return sheet;
}
