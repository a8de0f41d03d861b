#include "platform/presentation/BuiltInPresentation.h"

#include "platform/presentation/SlideShowWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPdfDocument>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

// A busy pointer while a deck is converted; the first conversion of a deck takes seconds.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Says what is happening while a deck is converted: every other window of ours may be hidden then.
class ConversionNotice {
public:
    explicit ConversionNotice(const QString& deck)
    {
        label_.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        label_.setTextFormat(Qt::PlainText);
        label_.setText(QStringLiteral("正在打开演示文稿 %1，请稍候…").arg(deck));
        label_.setAlignment(Qt::AlignCenter);
        label_.setMargin(24);
        label_.setStyleSheet(QStringLiteral("QLabel { background: #fffbe6; border: 1px solid #b08000; }"));
        QFont font = label_.font();
        font.setPointSizeF(14);
        label_.setFont(font);
        label_.adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            label_.move(screen->geometry().center() - label_.rect().center());
        label_.show();
        // Let the window system map and paint it before the wait; user input waits.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 300 && !(label_.windowHandle() && label_.windowHandle()->isExposed()))
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        label_.repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QLabel label_;
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
    std::unique_ptr<ConversionNotice> notice;
    converter_.onConversionStart(
        [&notice](const QString& deck) { notice = std::make_unique<ConversionNotice>(deck); });
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
