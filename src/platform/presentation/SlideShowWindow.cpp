#include "platform/presentation/SlideShowWindow.h"

#include "platform/presentation/ShowTitle.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QScreen>
#include <QWheelEvent>

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

SlideShowWindow::~SlideShowWindow() = default;

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
    ahead_.stop();
    settle_.stop();
    QWidget::closeEvent(event);
    if (!ending_) {
        ending_ = true;
        emit endRequested();
    }
}
