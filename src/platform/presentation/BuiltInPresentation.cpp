#include "platform/presentation/BuiltInPresentation.h"

#include "platform/presentation/SlideShowWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfDocument>
#include <QTimer>

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
    deckAtFault_ = true;
    converter_.onConversionStart([this](const QString& deck) { emit converting(deck); });
    DeckPdf pdf = converter_.toPdf(path);
    fromCache_ = pdf.fromCache;
    if (pdf.path.isEmpty()) {
        error_ = pdf.error;
        deckAtFault_ = pdf.deckAtFault;
        return false;
    }
    if (!loadPdf(pdf.path) && pdf.fromCache) {
        // A damaged cache entry is converted afresh.
        converter_.drop(pdf.path);
        pdf = converter_.toPdf(path);
        fromCache_ = false;
        if (pdf.path.isEmpty()) {
            error_ = pdf.error;
            deckAtFault_ = pdf.deckAtFault;
            return false;
        }
        loadPdf(pdf.path);
    }
    if (!opened_ && error_.isEmpty())
        error_ = QCoreApplication::translate("BuiltInPresentation", "无法打开演示文稿 %1。")
                     .arg(QFileInfo(path).fileName());
    return opened_;
}

void BuiltInPresentation::openInBackground(const QString& path)
{
    quit();
    error_.clear();
    deckAtFault_ = true;
    converter_.onConversionStart([this](const QString& deck) { emit converting(deck); });
    converter_.startPdf(path, [this, path](const DeckPdf& pdf) { finishOpening(path, pdf, true); });
}

void BuiltInPresentation::finishOpening(const QString& path, const DeckPdf& pdf, bool mayConvertAgain)
{
    fromCache_ = pdf.fromCache;
    if (pdf.path.isEmpty()) {
        error_ = pdf.error;
        deckAtFault_ = pdf.deckAtFault;
        emit opened(false);
        return;
    }
    if (!loadPdf(pdf.path) && pdf.fromCache && mayConvertAgain) {
        converter_.drop(pdf.path);
        converter_.startPdf(path, [this, path](const DeckPdf& again) { finishOpening(path, again, false); });
        return;
    }
    if (!opened_ && error_.isEmpty())
        error_ = QCoreApplication::translate("BuiltInPresentation", "无法打开演示文稿 %1。")
                     .arg(QFileInfo(path).fileName());
    emit opened(opened_);
}

void BuiltInPresentation::cancelOpening()
{
    converter_.cancel();
}

bool BuiltInPresentation::loadPdf(const QString& pdfPath)
{
    document_->close();
    opened_ = false;
    if (document_->load(pdfPath) != QPdfDocument::Error::None) {
        error_ = QCoreApplication::translate("BuiltInPresentation", "文件 %1 无法读取，可能已损坏。")
                     .arg(QFileInfo(pdfPath).fileName());
        return false;
    }
    if (document_->pageCount() <= 0) {
        document_->close();
        error_ = QCoreApplication::translate("BuiltInPresentation", "演示文稿里没有幻灯片。");
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
    QObject::connect(window_, &SlideShowWindow::endRequested, this, [this] {
        window_ = nullptr;
        emit showEndedByUser();
    });
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
    cancelOpening();
    endShow();
    document_->close();
    opened_ = false;
}

SlideShowWindow* BuiltInPresentation::showWindow() const
{
    return window_;
}

void BuiltInPresentation::focusShow()
{
    if (!window_)
        return;
    // The window manager hands the focus to a window it has just mapped; take it back once it has.
    QPointer<SlideShowWindow> window = window_;
    QTimer::singleShot(300, window, [window] {
        if (window) {
            window->activateWindow();
            window->setFocus(Qt::OtherFocusReason);
        }
    });
}

void BuiltInPresentation::keepAboveShow(QWidget* window)
{
    if (window_)
        window_->keepAbove(window);
}
