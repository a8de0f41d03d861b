#include "ui/ProgramWindow.h"

#include "models/display/ScreenPlacement.h"
#include "models/display/WindowZoom.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/DrawnIcons.h"
#include "ui/KeyboardUse.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/ZoomKeys.h"
#include "ui/ZoomedStyle.h"
#include "ui/flow/FlowConductor.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <cmath>

ProgramWindow::ProgramWindow(Program& program, WindowKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window), program_(program), kind_(kind)
{
    setObjectName(windowObjectName(kind));
    // Every window of the program carries the bell, as the tray does.
    setWindowIcon(bellIcon());
    attachZoomKeys(this);
    keyboard::attach(this);
    watchScreens();
}

WindowContext& ProgramWindow::program()
{
    return program_;
}

FlowConductor& ProgramWindow::flow()
{
    return program_.conductor();
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
    // A place asked for now outranks one waiting for the frame.
    pendingOuterPlace_.reset();
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
    // The width as it is: the design's width at the window's zoom.
    resizeTwips(widthTwips() / zoom_, height);
}

void ProgramWindow::resizeTwips(double width, double height)
{
    twips::resizeWindow(this, width * zoom_, height * zoom_, tpp());
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
    twips::resizeWindow(this, outer.width() * zoom_, outer.height() * zoom_, tpp());
    move(framePos);
}

void ProgramWindow::placeOnceFramed(QPointF outerTwips)
{
    moveTwips(outerTwips.x(), outerTwips.y());
    pendingOuterPlace_ = outerTwips;
    // The frame may come without the window moving: looked at again a little later.
    for (int delayMs : {150, 600}) {
        QTimer::singleShot(delayMs, this, [this] { applyPendingOuterPlace(); });
    }
}

void ProgramWindow::applyPendingOuterPlace()
{
    if (!pendingOuterPlace_ || frameGeometry().size() == size())
        return;
    const QPointF outer = *pendingOuterPlace_;
    pendingOuterPlace_.reset();
    if (std::abs(leftTwips() - outer.x()) >= tpp() || std::abs(topTwips() - outer.y()) >= tpp())
        moveTwips(outer.x(), outer.y());
}

void ProgramWindow::keepOnScreenOnceFramed()
{
    if (framed_ || !isVisible() || frameGeometry().size() == size())
        return;
    framed_ = true;
    if (kind_ != WindowKind::Main)
        keepOnItsScreen();
}

void ProgramWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The main window may lie tucked behind a desktop edge; every other window is seen whole.
    if (kind_ == WindowKind::Main)
        return;
    keepOnItsScreen();
    // The window manager frames the window a moment after it is shown; with the frame's title bar it
    // may reach off its screen again.
    for (int delayMs : {150, 600, 1500}) {
        QTimer::singleShot(delayMs, this, [this] {
            const WindowChrome* chrome = WindowChrome::of(this);
            if (isVisible() && !(chrome && chrome->isDragging()))
                keepOnItsScreen();
        });
    }
}

void ProgramWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    applyPendingOuterSize();
    applyPendingOuterPlace();
    keepOnScreenOnceFramed();
}

void ProgramWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyPendingOuterSize();
    applyPendingOuterPlace();
    keepOnScreenOnceFramed();
    // A window that grows while shown (the strip opening its tip, say) stays whole on its screen.
    const bool grew = event->size().width() > event->oldSize().width() ||
                      event->size().height() > event->oldSize().height();
    if (grew && kind_ != WindowKind::Main && isVisible() && event->oldSize().isValid())
        placeOn(ownScreenTwips(), {leftTwips(), topTwips()});
}

void ProgramWindow::centreHorizontally(double top)
{
    const QRectF screen = mainScreenTwips();
    placeOn(screen, {screen.left() + (screen.width() - widthTwips()) / 2, top});
}

void ProgramWindow::centreOn(const QRectF& screen, double top)
{
    placeOn(screen, {screen.left() + (screen.width() - widthTwips()) / 2, screen.top() + top});
}

QList<QRectF> ProgramWindow::screensTwips() const
{
    QList<QRectF> screens;
    for (const QRect& area : program_.windows().screensTwips())
        screens.append(QRectF(area));
    return screens;
}

QRectF ProgramWindow::ownScreenTwips() const
{
    const QList<QRectF> screens = screensTwips();
    const qsizetype index =
        placement::screenOf(QRectF(leftTwips(), topTwips(), widthTwips(), heightTwips()), screens);
    return index < 0 ? QRectF() : screens[index];
}

QRectF ProgramWindow::mainScreenTwips() const
{
    const QList<QRectF> screens = screensTwips();
    if (const std::optional<QRectF> main = program_.conductor().mainWindowRect()) {
        const qsizetype index = placement::screenOf(*main, screens);
        return index < 0 ? QRectF() : screens[index];
    }
    return screens.isEmpty() ? QRectF() : screens.front();
}

QRectF ProgramWindow::classScreenTwips() const
{
    const QString& show = program_.tracking().lastScan().showTitle;
    if (!show.isEmpty()) {
        if (const std::optional<QRect> showRect = program_.windows().windowRectTwips(show)) {
            const QList<QRectF> screens = screensTwips();
            const qsizetype index = placement::screenOf(QRectF(*showRect), screens);
            if (index >= 0)
                return screens[index];
        }
    }
    return mainScreenTwips();
}

QSizeF ProgramWindow::desktopSizeTwips() const
{
    const QRectF desktop = placement::desktop(screensTwips());
    return {desktop.right(), desktop.bottom()};
}

void ProgramWindow::placeOn(const QRectF& screen, QPointF wantedTopLeft)
{
    const QRectF wanted(wantedTopLeft, QSizeF(widthTwips(), heightTwips()));
    const QRectF placed = screen.isEmpty() ? wanted : placement::fitOn(wanted, screen);
    if (std::abs(placed.left() - leftTwips()) >= 1 || std::abs(placed.top() - topTwips()) >= 1)
        moveTwips(placed.left(), placed.top());
}

void ProgramWindow::keepOnItsScreen()
{
    const std::optional<QRect> real = program_.windows().outerRectTwips(this);
    if (!real) {
        placeOn(ownScreenTwips(), {leftTwips(), topTwips()});
        return;
    }
    // Moved by what it lacks of where it really is: the toolkit's idea of the place may be off by
    // the window manager's title bar.
    const QList<QRectF> screens = screensTwips();
    const QRectF where(*real);
    const QRectF placed = placement::keepOnScreens(where, screens);
    const QPointF shift = placed.topLeft() - where.topLeft();
    if (std::abs(shift.x()) >= 1 || std::abs(shift.y()) >= 1)
        moveTwips(leftTwips() + shift.x(), topTwips() + shift.y());
}

void ProgramWindow::watchScreens()
{
    auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &ProgramWindow::onScreensChanged);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        onScreensChanged();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &ProgramWindow::onScreensChanged);
}

void ProgramWindow::onScreensChanged()
{
    // The toolkit and the window manager settle the new screens first.
    QTimer::singleShot(200, this, [this] {
        const QList<QRectF> screens = screensTwips();
        const QRectF window(leftTwips(), topTwips(), widthTwips(), heightTwips());
        if (kind_ != WindowKind::Main) {
            const QRectF placed = placement::keepWhereShown(window, screens);
            if (placed != window)
                moveTwips(placed.left(), placed.top());
            return;
        }
        // The main window may stay tucked at an edge, as long as some of it is on a screen.
        const bool seen = std::any_of(screens.begin(), screens.end(),
                                      [&window](const QRectF& s) { return s.intersects(window); });
        if (seen)
            return;
        const QRectF placed = placement::keepOnScreens(window, screens);
        moveTwips(placed.left(), placed.top());
        program_.tracking().clearDocked();
    });
}

void ProgramWindow::applyZoom(int percent)
{
    const QSizeF design(widthTwips() / zoom_, heightTwips() / zoom_);
    takeZoom(WindowZoom::largestFitting(percent, design, ownScreenTwips().size()));
}

void ProgramWindow::takeZoom(int percent)
{
    const double factor = percent / 100.0;
    const double ratio = factor / zoom_;
    if (std::abs(ratio - 1.0) < 1e-9)
        return;
    zoom_ = factor;
    ZoomedStyle::applyTo(this, factor);
    auto scaled = [ratio](int value) { return int(std::lround(value * ratio)); };

    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->isWindow())
            continue;
        const QRect g = control->geometry();
        control->setGeometry(scaled(g.x()), scaled(g.y()), scaled(g.width()), scaled(g.height()));
    }
    // Fonts the design set on the window and on its controls grow with them; the others follow their
    // parents. All are read before any is set, so none grows twice through its parent.
    QList<QPair<QWidget*, QFont>> fonts;
    for (QWidget* widget : QList<QWidget*>{this} + controls) {
        if (widget != this && (widget->isWindow() || !widget->testAttribute(Qt::WA_SetFont)))
            continue;
        QFont font = widget->font();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * ratio);
        else if (font.pixelSize() > 0)
            font.setPixelSize(scaled(font.pixelSize()));
        fonts.append({widget, font});
    }
    for (const auto& [widget, font] : fonts)
        widget->setFont(font);
    resize(scaled(width()), scaled(height()));
    // Grown where it stands, it may now reach past its screen's edge.
    if (isVisible())
        keepOnItsScreen();
}

void ProgramWindow::zoomIn()
{
    applyZoom(program_.zoom().zoomIn(windowRoleName(kind_)));
    // A step that does not fit the screen is not taken: the next Ctrl+减号 makes the window smaller.
    program_.zoom().setPercent(windowRoleName(kind_), int(std::lround(zoom_ * 100)));
}

void ProgramWindow::zoomOut()
{
    applyZoom(program_.zoom().zoomOut(windowRoleName(kind_)));
}

void ProgramWindow::zoomReset()
{
    applyZoom(program_.zoom().reset(windowRoleName(kind_)));
}

void ProgramWindow::placeTwips(QWidget* control, double left, double top, double width, double height)
{
    twips::placeControl(control, left, top, width, height, designTpp());
}

void ProgramWindow::moveControlTwips(QWidget* control, double left, double top)
{
    twips::moveControl(control, left, top, designTpp());
}

Timer* ProgramWindow::makeTimer(const QString& name, int intervalMs, TickPolicy policy)
{
    return new Timer(program_.timers(), name, intervalMs, policy, this);
}

void ProgramWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    flow().close(kind_);
}

QLabel* ProgramWindow::plainLabel(const QString& name, const QString& text, QWidget* parent, double left,
                                  double top, double width, double height)
{
    auto* created = named(new QLabel(text, parent), name);
    created->setTextFormat(Qt::PlainText);
    placeTwips(created, left, top, width, height);
    return created;
}
