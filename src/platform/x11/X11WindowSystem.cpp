#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/FocusedWindow.h"
#include "platform/x11/KeyEvents.h"
#include "platform/x11/KeyState.h"
#include "platform/x11/TitleCache.h"
#include "platform/x11/WindowGeometry.h"
#include "platform/x11/Withdrawal.h"
#include "platform/x11/XcbConnection.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {
// Of the windows this program created, its own top-level windows count like any other program's;
// the toolkit's invisible helper windows do not.
bool isOwnTopLevelWindow(xcb_window_t id)
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [id](const QWindow* w) { return w->handle() && w->winId() == WId(id); });
}
} // namespace

X11WindowSystem::X11WindowSystem(bool onXWayland)
    : connection_(std::make_unique<XcbConnection>()), onXWayland_(onXWayland)
{
    if (!connection_->isOpen()) {
        qWarning("vantrel: cannot reach the X server; window titles and function keys are not available");
        return;
    }
    titles_ = std::make_unique<TitleCache>(*connection_, isOwnTopLevelWindow);
    titles_->onRestack([this] { raiseKeptWindows(); });
    keys_ = std::make_unique<KeyState>(*connection_);
    keyEvents_ = std::make_unique<KeyEvents>(*connection_, *keys_);
}

X11WindowSystem::~X11WindowSystem() = default;

bool X11WindowSystem::isConnected() const
{
    return connection_->isOpen();
}

double X11WindowSystem::twipsPerPixel() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

QSize X11WindowSystem::screenSizeTwips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    const double tpp = twipsPerPixel();
    return {int(pixels.width() * tpp), int(pixels.height() * tpp)};
}

namespace {
QRect deviceToLogical(const QRect& device, double ratio)
{
    return {QPoint(int(device.x() / ratio), int(device.y() / ratio)),
            QSize(int(device.width() / ratio), int(device.height() / ratio))};
}

QRect toTwips(const QRect& pixels, double tpp)
{
    return {int(pixels.x() * tpp), int(pixels.y() * tpp), int(pixels.width() * tpp),
            int(pixels.height() * tpp)};
}
} // namespace

QList<QRect> X11WindowSystem::screensTwips() const
{
    // Qt's screens are in device-independent pixels, as are our windows' geometries.
    const double tpp = twipsPerPixel();
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        areas.append(toTwips(primary->geometry(), tpp));
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            areas.append(toTwips(screen->geometry(), tpp));
    }
    if (areas.isEmpty())
        areas.append(QRect(QPoint(0, 0), screenSizeTwips()));
    return areas;
}

std::optional<QRect> X11WindowSystem::windowRectTwips(const QString& title)
{
    // Our own built-in show is found through the toolkit, in its own pixels.
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible() && window->title() == title)
            return toTwips(window->frameGeometry(), twipsPerPixel());
    }
    const std::optional<QRect> found = x11geometry::findTitledWindow(*connection_, title);
    if (!found)
        return std::nullopt;
    // The X server counts device pixels; Qt's scale factor makes its pixels larger.
    const QScreen* primary = QGuiApplication::primaryScreen();
    return toTwips(deviceToLogical(*found, primary ? primary->devicePixelRatio() : 1.0), twipsPerPixel());
}

std::optional<QRect> X11WindowSystem::outerRectTwips(const QWidget* window) const
{
    if (!window || !window->isVisible() || !window->windowHandle() || !window->windowHandle()->handle())
        return std::nullopt;
    const std::optional<QRect> outer = x11geometry::outerRect(*connection_, xcb_window_t(window->winId()));
    if (!outer)
        return std::nullopt;
    return toTwips(deviceToLogical(*outer, window->devicePixelRatioF()), twipsPerPixel());
}

QPoint X11WindowSystem::pointerTwips() const
{
    const QPoint p = QCursor::pos();
    const double tpp = twipsPerPixel();
    return {int(p.x() * tpp), int(p.y() * tpp)};
}

QStringList X11WindowSystem::topLevelTitles()
{
    return titles_ ? titles_->titles() : QStringList();
}

bool X11WindowSystem::isKeyDown(int keyCode)
{
    return keys_ && keys_->isDown(keyCode);
}

bool X11WindowSystem::reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report)
{
    if (!keyEvents_ || !keyEvents_->isAvailable())
        return false;
    keyEvents_->watch(keyCodes, std::move(report));
    return true;
}

bool X11WindowSystem::reportTitleChanges(std::function<void()> report)
{
    if (!titles_)
        return false;
    titles_->onChange(std::move(report));
    return true;
}

void X11WindowSystem::showTaskbar()
{
    // Panels are never hidden on X11 (full-screen windows cover them), so there is nothing to restore.
}

namespace {
// How long a window's manager may take to let go of it (a few milliseconds measured on openbox and
// KWin; longer only when the manager is stuck).
constexpr int kWithdrawalWaitMs = 500;

// The toolkit's requests (an unmap, say) reach the server before our own connection asks about them.
void flushToolkitConnection()
{
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        if (xcb_connection_t* c = x11->connection())
            xcb_flush(c);
}

void setFlagKeepingPlace(QWidget* window, Qt::WindowType flag)
{
    if (window->windowFlags().testFlag(flag))
        return;
    // Changing window flags re-creates the native window and hides it; put it back as it was.
    const bool wasVisible = window->isVisible();
    const QPoint pos = window->pos();
    window->setWindowFlag(flag, true);
    window->move(pos);
    if (wasVisible)
        window->show();
}
} // namespace

void X11WindowSystem::makeTopMost(QWidget* window)
{
    if (window)
        setFlagKeepingPlace(window, Qt::WindowStaysOnTopHint);
}

void X11WindowSystem::keepAboveFullScreen(QWidget* window)
{
    if (!window)
        return;
    // Only a window that bypasses the window manager stays above a focused full-screen window. A
    // shown window is unmapped first and mapped again only once its manager has let go of it, and
    // without the frame the manager drew: the toolkit would count it still.
    if (!window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint)) {
        const bool wasVisible = window->isVisible();
        // The window itself where its frame's corner was.
        const QPoint outer = window->frameGeometry().topLeft();
        if (wasVisible) {
            window->hide();
            flushToolkitConnection();
            x11withdrawal::waitUntilWithdrawn(*connection_, xcb_window_t(window->winId()), kWithdrawalWaitMs);
        }
        window->setWindowFlag(Qt::X11BypassWindowManagerHint, true);
        forgetFrame(window);
        window->setGeometry(QRect(outer, window->size()));
        if (wasVisible)
            window->show();
    }
    setFlagKeepingPlace(window, Qt::WindowStaysOnTopHint);
    window->raise();
    // The window manager no longer stacks it: whenever another window comes up or is restacked, it
    // raises itself again.
    if (!keptAbove_.contains(window))
        keptAbove_.append(window);
}

void X11WindowSystem::releaseAboveFullScreen(QWidget* window)
{
    if (!window || !window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        return;
    keptAbove_.removeAll(window);
    // Mapped again as a managed window, its frame's corner where the window's was: the window
    // manager is asked not to give it the focus.
    const bool wasVisible = window->isVisible();
    const QPoint pos = window->geometry().topLeft();
    window->setWindowFlag(Qt::X11BypassWindowManagerHint, false);
    window->move(pos);
    if (wasVisible) {
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

bool X11WindowSystem::isKeptAboveFullScreen(const QWidget* window) const
{
    return window && window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
}

FocusedWindow X11WindowSystem::focusedWindow()
{
    const FocusedWindow focused = x11focus::read(*connection_);
    // XWayland keeps naming the last of its windows that had the keyboard (measured on mutter) while
    // a native window, a show in Impress, has it: only what it knows for sure counts.
    if (onXWayland_ && focused != FocusedWindow::FullScreen && focused != FocusedWindow::OursAbove)
        return FocusedWindow::Unknown;
    return focused;
}

void X11WindowSystem::forgetFrame(QWidget* window)
{
    if (!window->windowHandle() || !window->windowHandle()->handle())
        return;
    xcb_delete_property(connection_->get(), xcb_window_t(window->winId()),
                        connection_->atom("_NET_FRAME_EXTENTS"));
    xcb_flush(connection_->get());
}

void X11WindowSystem::raiseKeptWindows()
{
    keptAbove_.removeAll(nullptr);
    bool raised = false;
    for (const QPointer<QWidget>& window : keptAbove_) {
        if (!window->isVisible() || !window->windowHandle() || !window->windowHandle()->handle())
            continue;
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection_->get(), xcb_window_t(window->winId()), XCB_CONFIG_WINDOW_STACK_MODE,
                             &above);
        raised = true;
    }
    if (raised)
        xcb_flush(connection_->get());
}

void X11WindowSystem::setOpacity(QWidget* window, int alpha)
{
    if (window)
        window->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}
