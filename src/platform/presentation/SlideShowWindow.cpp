#include "platform/presentation/SlideShowWindow.h"

#include "platform/ShowTitle.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* qtConnection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

SlideShowWindow::SlideShowWindow(QPdfDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document)
{
    setObjectName(QStringLiteral("SlideShowWindow"));
    setWindowTitle(kBuiltInShowTitle);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);

    // Previews are rendered one at a time while nothing else waits, never in a queue.
    ahead_.setInterval(0);
    connect(&ahead_, &QTimer::timeout, this, &SlideShowWindow::renderAhead);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &SlideShowWindow::sharpen);
}

SlideShowWindow::~SlideShowWindow()
{
    releaseKeptWindows();
}

void SlideShowWindow::keepAbove(QWidget* window)
{
    if (!window || keptAbove_.contains(window))
        return;
    keptAbove_.append(window);
    // The toolkit clears the mark whenever it shows the window again.
    window->installEventFilter(this);
    tieToShow(window, true);
}

void SlideShowWindow::tieToShow(QWidget* window, bool tied)
{
    xcb_connection_t* connection = qtConnection();
    if (!connection || !window || !window->isVisible() || !window->windowHandle() ||
        !window->windowHandle()->handle() || !windowHandle() || !windowHandle()->handle())
        return;
    const auto dependent = xcb_window_t(window->winId());
    if (tied) {
        const auto show = xcb_window_t(winId());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, dependent, XCB_ATOM_WM_TRANSIENT_FOR,
                            XCB_ATOM_WINDOW, 32, 1, &show);
    } else {
        xcb_delete_property(connection, dependent, XCB_ATOM_WM_TRANSIENT_FOR);
    }
    xcb_flush(connection);
}

void SlideShowWindow::releaseKeptWindows()
{
    const QList<QPointer<QWidget>> kept = keptAbove_;
    keptAbove_.clear();
    for (const QPointer<QWidget>& window : kept) {
        if (!window)
            continue;
        window->removeEventFilter(this);
        tieToShow(window, false);
    }
}

bool SlideShowWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        // The window is mapped after its show event.
        QPointer<QWidget> window = qobject_cast<QWidget*>(watched);
        QTimer::singleShot(0, this, [this, window] {
            if (window && keptAbove_.contains(window) && !ending_)
                tieToShow(window, true);
        });
    }
    return QWidget::eventFilter(watched, event);
}

int SlideShowWindow::pageCount() const
{
    return document_.pageCount();
}

void SlideShowWindow::start()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    current_ = 0;
    rebuildCache();
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
}

void SlideShowWindow::shutDown()
{
    ending_ = true;
    releaseKeptWindows();
    ahead_.stop();
    settle_.stop();
    cache_.reset();
    hide();
    deleteLater();
}

void SlideShowWindow::rebuildCache()
{
    cacheSize_ = size() * devicePixelRatioF();
    cache_ = std::make_unique<PageCache>(document_, cacheSize_);
    if (pageCount() > 0) {
        // The first page is on screen at once and sharp.
        cache_->sharp(current_);
        ahead_.start();
    }
}

void SlideShowWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Pages are rendered for the area they fill: a new area calls for new renderings.
    if (cache_ && QSize(size() * devicePixelRatioF()) != cacheSize_)
        rebuildCache();
}

void SlideShowWindow::showPage(int page)
{
    if (page < 1 || page > pageCount() || !cache_)
        return;
    current_ = page - 1;
    if (!cache_->hasSharp(current_) && !cache_->hasPreview(current_))
        cache_->preview(current_);
    settle_.start();
    update();
}

void SlideShowWindow::renderAhead()
{
    if (!cache_ || !cache_->renderAhead(current_))
        ahead_.stop();
}

void SlideShowWindow::sharpen()
{
    if (!cache_ || cache_->hasSharp(current_))
        return;
    cache_->sharp(current_);
    update();
}

void SlideShowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!cache_ || pageCount() == 0)
        return;
    const QRect place = cache_->placeOf(current_);
    const QRectF target(QPointF(place.topLeft()) / devicePixelRatioF(),
                        QSizeF(place.size()) / devicePixelRatioF());
    if (cache_->hasSharp(current_)) {
        painter.drawImage(target, cache_->sharp(current_));
    } else {
        painter.drawImage(target, cache_->preview(current_));
    }
    if (current_ != lastPainted_) {
        lastPainted_ = current_;
        ++paintedChanges_;
    }
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_N:
        showPage(currentPage() + 1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
    case Qt::Key_P:
        showPage(currentPage() - 1);
        break;
    case Qt::Key_Home:
        showPage(1);
        break;
    case Qt::Key_End:
        showPage(pageCount());
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SlideShowWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        showPage(currentPage() + 1);
    else if (event->button() == Qt::RightButton)
        showPage(currentPage() - 1);
}

void SlideShowWindow::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y();
    if (steps < 0)
        showPage(currentPage() + 1);
    else if (steps > 0)
        showPage(currentPage() - 1);
}

void SlideShowWindow::closeEvent(QCloseEvent* event)
{
    releaseKeptWindows();
    ahead_.stop();
    settle_.stop();
    QWidget::closeEvent(event);
    if (!ending_) {
        ending_ = true;
        emit endRequested();
    }
}
