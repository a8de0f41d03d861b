#include "ui/ProgramWindow.h"

#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/Program.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>

ProgramWindow::ProgramWindow(Program& program, WindowKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window), program_(program), kind_(kind)
{
    setObjectName(windowObjectName(kind));
    // Every window of the program carries the bell, as the tray does.
    setWindowIcon(QIcon(QStringLiteral(":/icons/bell.svg")));
}

double ProgramWindow::tpp() const
{
    return program_.twipsPerPixel();
}

double ProgramWindow::leftTwips() const
{
    return twips::windowRect(this, tpp()).left;
}

double ProgramWindow::topTwips() const
{
    return twips::windowRect(this, tpp()).top;
}

double ProgramWindow::widthTwips() const
{
    return twips::windowRect(this, tpp()).width;
}

double ProgramWindow::heightTwips() const
{
    return twips::windowRect(this, tpp()).height;
}

void ProgramWindow::moveTwips(double left, double top)
{
    twips::moveWindow(this, left, top, tpp());
}

void ProgramWindow::setLeftTwips(double left)
{
    moveTwips(left, topTwips());
}

void ProgramWindow::setTopTwips(double top)
{
    moveTwips(leftTwips(), top);
}

void ProgramWindow::setHeightTwips(double height)
{
    resizeTwips(widthTwips(), height);
}

void ProgramWindow::resizeTwips(double width, double height)
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

void ProgramWindow::applyPendingOuterSize()
{
    if (!pendingOuterSize_ || frameGeometry().size() == size())
        return;
    const QSizeF outer = *pendingOuterSize_;
    pendingOuterSize_.reset();
    const QPoint framePos = frameGeometry().topLeft();
    twips::resizeWindow(this, outer.width(), outer.height(), tpp());
    move(framePos);
}

void ProgramWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    applyPendingOuterSize();
}

void ProgramWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyPendingOuterSize();
}

void ProgramWindow::centreHorizontally(double top)
{
    moveTwips((program_.windows().screenSizeTwips().width() - widthTwips()) / 2, top);
}

void ProgramWindow::placeTwips(QWidget* control, double left, double top, double width, double height)
{
    twips::placeControl(control, left, top, width, height, tpp());
}

void ProgramWindow::moveControlTwips(QWidget* control, double left, double top)
{
    twips::moveControl(control, left, top, tpp());
}

Timer* ProgramWindow::makeTimer(const QString& name, int intervalMs, TickPolicy policy)
{
    return new Timer(program_.timers(), name, intervalMs, policy, this);
}

void ProgramWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    program_.unload(kind_);
}

QLabel* ProgramWindow::plainLabel(const QString& name, const QString& text, QWidget* parent, double left,
                                  double top, double width, double height)
{
    auto* created = named(new QLabel(text, parent), name);
    created->setTextFormat(Qt::PlainText);
    placeTwips(created, left, top, width, height);
    return created;
}
