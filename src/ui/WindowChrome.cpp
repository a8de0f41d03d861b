#include "ui/WindowChrome.h"

#include "ui/ProgramWindow.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QWidget>
#include <cmath>

WindowChrome::WindowChrome(ProgramWindow* window) : QObject(window), window_(window)
{
    setObjectName(QStringLiteral("WindowChrome"));
}

WindowChrome* WindowChrome::of(const ProgramWindow* window)
{
    return window
               ? window->findChild<WindowChrome*>(QStringLiteral("WindowChrome"), Qt::FindDirectChildrenOnly)
               : nullptr;
}

WindowChrome* WindowChrome::ensure(ProgramWindow* window)
{
    if (WindowChrome* existing = of(window))
        return existing;
    return new WindowChrome(window);
}

QWidget* WindowChrome::resolve(const QString& name) const
{
    if (name == window_->objectName())
        return window_;
    QWidget* control = window_->findChild<QWidget*>(name);
    if (!control)
        qWarning("WindowChrome: %s has no control named %s", qPrintable(window_->objectName()),
                 qPrintable(name));
    return control;
}

void WindowChrome::watch(QWidget* widget, bool tracksPointer)
{
    widget->removeEventFilter(this);
    widget->installEventFilter(this);
    if (tracksPointer)
        widget->setMouseTracking(true);
}

WindowChrome* WindowChrome::attach(ProgramWindow* window, const QStringList& dragSurfaces,
                                   const QStringList& hoverButtons)
{
    if (!window)
        return nullptr;
    WindowChrome* chrome = ensure(window);
    for (const QString& name : dragSurfaces) {
        if (QWidget* surface = chrome->resolve(name)) {
            chrome->dragSurfaces_.insert(surface);
            chrome->watch(surface, false);
        }
    }
    for (const QString& name : hoverButtons) {
        if (QWidget* button = chrome->resolve(name)) {
            chrome->hoverButtons_.insert(button);
            chrome->watch(button, true);
        }
    }
    return chrome;
}

WindowChrome* WindowChrome::attachHeightRestore(ProgramWindow* window, const QStringList& surfaces,
                                                double heightTwips)
{
    if (!window)
        return nullptr;
    WindowChrome* chrome = ensure(window);
    chrome->restoreHeight_ = heightTwips;
    for (const QString& name : surfaces) {
        if (QWidget* surface = chrome->resolve(name)) {
            chrome->heightSurfaces_.insert(surface);
            chrome->watch(surface, true);
        }
    }
    return chrome;
}

bool WindowChrome::isOwnEvent(QWidget* widget, const QPoint& globalPos) const
{
    // Qt passes mouse events that a child ignores on to its parents; a window's body must not act on
    // a press or a move that happened over one of its other controls.
    QWidget* under = window_->childAt(window_->mapFromGlobal(globalPos));
    return (under ? under : window_) == widget;
}

bool WindowChrome::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    switch (type) {
    case QEvent::MouseButtonPress:
        if (dragSurfaces_.contains(widget) && isOwnEvent(widget, global)) {
            dragging_ = true;
            pressedSurface_ = widget;
            pressGlobal_ = global;
            windowAtPress_ = window_->pos();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (widget == pressedSurface_ && mouse->buttons() == Qt::NoButton) {
            dragging_ = false;
            pressedSurface_ = nullptr;
        }
        break;
    case QEvent::MouseMove: {
        // While a button is held, moves go to the pressed control wherever the pointer is.
        const bool grabbed = dragging_ && widget == pressedSurface_;
        if (!grabbed && !isOwnEvent(widget, global))
            break;
        if (hoverButtons_.contains(widget) && widget->isEnabled() && widget->isVisible())
            widget->setFocus(Qt::MouseFocusReason);
        if (heightSurfaces_.contains(widget) &&
            std::abs(window_->heightTwips() - restoreHeight_ * window_->zoomFactor()) >= 1)
            window_->setHeightTwips(restoreHeight_);
        if (grabbed) {
            if (mouse->buttons() == Qt::NoButton) {
                // The release went elsewhere (a message box took the pointer): the drag is over.
                dragging_ = false;
                pressedSurface_ = nullptr;
                break;
            }
            // Moved to where the pressed point is under the pointer again; repeated deliveries of the
            // same move (passed up through parents) land on the same place.
            window_->move(windowAtPress_ + (global - pressGlobal_));
        }
        break;
    }
    default:
        break;
    }
    return false;
}
