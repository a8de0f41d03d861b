#pragma once

#include "ui/WindowKind.h"
#include "ui/support/Twips.h"

#include <QList>
#include <QRectF>
#include <QWidget>
#include <optional>

class FlowConductor;
class Program;
class WindowContext;
class QLabel;
class Timer;
enum class TickPolicy;

// A window of the program: named like its form ("Form1" ...), with its geometry in twips, a Load that
// runs once when it is first needed and an Unload that runs when it is released.
//
// Each kind of window has a zoom (Ctrl+加号, Ctrl+减号, Ctrl+0). Sizes and control places given in
// twips are the design's and are drawn at the zoom; the window's outer geometry read back is where the
// window really is on the desktop. Every window but the main one is kept wholly on one screen.
class ProgramWindow : public QWidget {
    Q_OBJECT
public:
    ProgramWindow(Program& program, WindowKind kind, QWidget* parent = nullptr);

    // What the window may use of the program: the shared models and services, no other window.
    WindowContext& program();
    // What the window asks of the program's flow: other windows open and close there.
    FlowConductor& flow();
    WindowKind kind() const { return kind_; }

    // Runs once, right after construction.
    virtual void load() {}
    // Runs when the program releases the window.
    virtual void unload() {}

    // Outer geometry in twips.
    double leftTwips() const;
    double topTwips() const;
    double widthTwips() const;
    double heightTwips() const;
    void moveTwips(double left, double top);
    void setLeftTwips(double left);
    void setTopTwips(double top);
    void setHeightTwips(double height);
    void resizeTwips(double width, double height);

    // Centred across the screen the main window is on, at this top; wholly on that screen.
    void centreHorizontally(double top);
    // Centred across the screen, `top` below its top edge; wholly on it.
    void centreOn(const QRectF& screen, double top);

    // The screens of the desktop, in twips, the primary first.
    QList<QRectF> screensTwips() const;
    // The screen the window lies on (most of it).
    QRectF ownScreenTwips() const;
    // The screen the teacher works on: the one the main window is on.
    QRectF mainScreenTwips() const;
    // The screen the class sees: the one a running slide show fills, else the main window's screen.
    QRectF classScreenTwips() const;
    // The desktop's extent from its top-left corner: the main window tucks at its outer edges only.
    QSizeF desktopSizeTwips() const;

    // Moves the window, as wanted (outer rectangle in twips), but wholly onto the screen.
    void placeOn(const QRectF& screen, QPointF wantedTopLeft);
    // Moves the window wholly onto the screen it mostly lies on.
    void keepOnItsScreen();
    // Puts the window's outer corner here, now and again once its window manager has framed it (a
    // window handed back to the manager is framed a moment later, around where it stood).
    void placeOnceFramed(QPointF outerTwips);

    // The factor the window is drawn at (1 = as designed).
    double zoomFactor() const { return zoom_; }
    // Draws the window and its controls at this zoom, as large as still fits on its screen.
    void applyZoom(int percent);
    // Ctrl+加号, Ctrl+减号 and Ctrl+0: one step larger, smaller, or as designed, for every window of
    // this kind, kept for the next run.
    void zoomIn();
    void zoomOut();
    void zoomReset();

    void placeTwips(QWidget* control, double left, double top, double width, double height);
    // A label named for its design, placed in twips, that shows its text as plain text: names and
    // numbers from the user's files are never read as markup.
    QLabel* plainLabel(const QString& name, const QString& text, QWidget* parent, double left, double top,
                       double width, double height);
    void moveControlTwips(QWidget* control, double left, double top);

protected:
    // A timer owned by this window, named like its control.
    Timer* makeTimer(const QString& name, int intervalMs, TickPolicy policy);

    // The window's close button asks the program to unload it, as closing a form does.
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Twips per pixel of the desktop, for places on it.
    double tpp() const;
    // Twips per pixel of the design, for sizes and controls: smaller as the window is zoomed.
    double designTpp() const { return tpp() / zoom_; }

private:
    // The window manager adds its frame some time after the window is shown; an outer size set
    // before that is applied again once the frame is known.
    void applyPendingOuterSize();
    void applyPendingOuterPlace();
    // Once the window manager's frame is known, a window placed without it may reach off its screen.
    void keepOnScreenOnceFramed();
    // A screen went away or changed its size: windows left outside every screen come back.
    void onScreensChanged();
    void watchScreens();
    void takeZoom(int percent);

    Program& program_;
    WindowKind kind_;
    std::optional<QSizeF> pendingOuterSize_;
    std::optional<QPointF> pendingOuterPlace_;
    double zoom_ = 1.0;
    bool framed_ = false;
};
