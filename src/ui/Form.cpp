#include "ui/Form.h"

#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"

#include <QCloseEvent>
#include <QIcon>

Form::Form(Program& program, WindowKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window), program_(program), kind_(kind)
{
    setObjectName(windowObjectName(kind));
    // Every window of the program carries the bell, as the tray does.
    setWindowIcon(QIcon(QStringLiteral(":/icons/bell.svg")));
}

double Form::tpp() const
{
    return program_.twipsPerPixel();
}

double Form::leftTwips() const
{
    return twips::windowRect(this, tpp()).left;
}

double Form::topTwips() const
{
    return twips::windowRect(this, tpp()).top;
}

double Form::widthTwips() const
{
    return twips::windowRect(this, tpp()).width;
}

double Form::heightTwips() const
{
    return twips::windowRect(this, tpp()).height;
}

void Form::moveTwips(double left, double top)
{
    twips::moveWindow(this, left, top, tpp());
}

void Form::setLeftTwips(double left)
{
    moveTwips(left, topTwips());
}

void Form::setTopTwips(double top)
{
    moveTwips(leftTwips(), top);
}

void Form::setHeightTwips(double height)
{
    resizeTwips(widthTwips(), height);
}

void Form::resizeTwips(double width, double height)
{
    twips::resizeWindow(this, width, height, tpp());
    const bool frameKnown = frameGeometry().size() != size();
    const bool decorated = !windowFlags().testFlag(Qt::FramelessWindowHint) &&
                           !windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
    if (!frameKnown && decorated && isWindow())
        pendingOuterSize_ = QSizeF(width, height);
    else
        pendingOuterSize_.reset();
}

void Form::applyPendingOuterSize()
{
    if (!pendingOuterSize_ || frameGeometry().size() == size())
        return;
    const QSizeF outer = *pendingOuterSize_;
    pendingOuterSize_.reset();
    const QPoint framePos = frameGeometry().topLeft();
    twips::resizeWindow(this, outer.width(), outer.height(), tpp());
    move(framePos);
}

void Form::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    applyPendingOuterSize();
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyPendingOuterSize();
}

void Form::centreHorizontally(double top)
{
    moveTwips((program_.windows().screenSizeTwips().width() - widthTwips()) / 2, top);
}

void Form::placeTwips(QWidget* control, double left, double top, double width, double height)
{
    twips::placeControl(control, left, top, width, height, tpp());
}

void Form::moveControlTwips(QWidget* control, double left, double top)
{
    twips::moveControl(control, left, top, tpp());
}

Timer* Form::makeTimer(const QString& name, int intervalMs, TickPolicy policy)
{
    return new Timer(program_.timers(), name, intervalMs, policy, this);
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    program_.unload(kind_);
}
