#include "ui/flow/OverShowStacking.h"

#include "models/tracking/ShowStacking.h"
#include "models/tracking/WindowTracking.h"
#include "platform/WindowSystem.h"
#include "ui/ProgramWindow.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

OverShowStacking::OverShowStacking(WindowSystem& windows, const WindowTracking& tracking, QWidget& main)
    : QObject(&main), windows_(windows), tracking_(tracking), main_(main)
{
}

std::optional<bool> OverShowStacking::keepAbove() const
{
    // A question of ours is open: it is to be seen, not covered.
    const FocusedWindow focused =
        QApplication::activeModalWidget() ? FocusedWindow::Ours : windows_.focusedWindow();
    return showstacking::keepAbove(focused, !tracking_.lastScan().showTitle.isEmpty());
}

bool OverShowStacking::stack(QWidget* window)
{
    return stack(window, keepAbove());
}

bool OverShowStacking::stack(QWidget* window, std::optional<bool> above)
{
    WindowSystem& ws = windows_;
    const bool kept = ws.isKeptAboveFullScreen(window);
    if (!above || *above == kept)
        return kept;
    // The window stands where it stood, its outer edge where the manager's frame was or will be.
    auto* programWindow = qobject_cast<ProgramWindow*>(window);
    const QPointF place =
        programWindow ? QPointF(programWindow->leftTwips(), programWindow->topTwips()) : QPointF();
    if (*above) {
        ws.keepAboveFullScreen(window);
        // The window manager gives such a window no keyboard: a click on it does (eventFilter).
        if (QWindow* handle = window->windowHandle(); handle && window == &main_)
            handle->installEventFilter(this);
        if (programWindow)
            programWindow->moveTwips(place.x(), place.y());
    } else {
        ws.releaseAboveFullScreen(window);
        if (programWindow)
            programWindow->placeOnceFramed(place);
    }
    return ws.isKeptAboveFullScreen(window);
}

void OverShowStacking::showWithoutFocus()
{
    stack(&main_);
    if (main_.isVisible())
        return;
    // Read by the toolkit when the window is shown: the window manager is asked not to focus it.
    main_.setAttribute(Qt::WA_ShowWithoutActivating, true);
    main_.show();
    // In front, as a window shown anew is, by a restacking that asks for no focus.
    main_.raise();
    if (QWindow* handle = main_.windowHandle())
        handle->setProperty("_q_showWithoutActivating", QVariant());
    main_.setAttribute(Qt::WA_ShowWithoutActivating, false);
}

bool OverShowStacking::eventFilter(QObject* watched, QEvent* event)
{
    // Kept above a show, the window has the keyboard only once the teacher clicks it.
    if (watched == main_.windowHandle() && event->type() == QEvent::MouseButtonPress &&
        main_.windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        main_.activateWindow();
    return QObject::eventFilter(watched, event);
}
