#include "platform/presentation/BuiltInPresentation.h"

#include "platform/presentation/SlideShowWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QPdfDocument>

namespace {

// A busy pointer while a deck is converted; the first conversion of a deck takes seconds.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

BuiltInPresentation::BuiltInPresentation(DeckConverter converter)
    : converter_(std::move(converter)), document_(std::make_unique<QPdfDocument>())
{
}

BuiltInPresentation::~BuiltInPresentation()
{
    endShow();
}

bool BuiltInPresentation::open(const QString& path)
{
    quit();
    error_.clear();
    const BusyPointer busy;
    DeckPdf pdf = converter_.toPdf(path);
    fromCache_ = pdf.fromCache;
    if (pdf.path.isEmpty()) {
        error_ = pdf.error;
        return false;
    }
    if (!loadPdf(pdf.path) && pdf.fromCache) {
        // A damaged cache entry is converted afresh.
        converter_.drop(pdf.path);
        pdf = converter_.toPdf(path);
        fromCache_ = false;
        if (pdf.path.isEmpty()) {
            error_ = pdf.error;
            return false;
        }
        loadPdf(pdf.path);
    }
    if (!opened_ && error_.isEmpty())
        error_ = QStringLiteral("无法打开演示文稿 %1。").arg(QFileInfo(path).fileName());
    return opened_;
}

bool BuiltInPresentation::loadPdf(const QString& pdfPath)
{
    document_->close();
    opened_ = false;
    if (document_->load(pdfPath) != QPdfDocument::Error::None) {
        error_ = QStringLiteral("文件 %1 无法读取，可能已损坏。").arg(QFileInfo(pdfPath).fileName());
        return false;
    }
    if (document_->pageCount() <= 0) {
        document_->close();
        error_ = QStringLiteral("演示文稿里没有幻灯片。");
        return false;
    }
    error_.clear();
    opened_ = true;
    return true;
}

bool BuiltInPresentation::runShow()
{
    if (!opened_)
        return false;
    endShow();
    window_ = new SlideShowWindow(*document_);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window_, &SlideShowWindow::endRequested, window_, [this] { window_ = nullptr; });
    window_->start();
    return true;
}

bool BuiltInPresentation::isShowRunning() const
{
    return window_ != nullptr;
}

int BuiltInPresentation::slideCount() const
{
    return opened_ ? document_->pageCount() : 0;
}

void BuiltInPresentation::gotoSlide(int n)
{
    if (window_)
        window_->showPage(n);
}

std::optional<int> BuiltInPresentation::currentShowPosition() const
{
    if (!window_)
        return std::nullopt;
    return window_->currentPage();
}

void BuiltInPresentation::endShow()
{
    if (!window_)
        return;
    SlideShowWindow* window = window_;
    window_ = nullptr;
    window->disconnect();
    window->shutDown();
}

void BuiltInPresentation::quit()
{
    endShow();
    document_->close();
    opened_ = false;
}

SlideShowWindow* BuiltInPresentation::showWindow() const
{
    return window_;
}
