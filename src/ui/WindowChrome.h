#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QStringList>

class ProgramWindow;
class QWidget;

// The pointer behaviours that every window shares, attached to its controls by name:
//  - drag to move: a press with any mouse button on a drag surface, then moving, moves the window;
//  - hover focus: the pointer over an enabled, visible button gives that button the keyboard focus;
//  - height restore: the pointer over a listed surface sets the window back to its normal height.
// A name equal to the window's own objectName ("Form1") stands for the window's body. Each window has
// one chrome, shared by all its surfaces; attaching again adds to it.
class WindowChrome : public QObject {
    Q_OBJECT
public:
    static WindowChrome* attach(ProgramWindow* window, const QStringList& dragSurfaces,
                                const QStringList& hoverButtons);
    static WindowChrome* attachHeightRestore(ProgramWindow* window, const QStringList& surfaces,
                                             double heightTwips);

    // The chrome of the window, if one is attached.
    static WindowChrome* of(const ProgramWindow* window);

    bool isDragging() const { return dragging_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowChrome(ProgramWindow* window);
    static WindowChrome* ensure(ProgramWindow* window);
    QWidget* resolve(const QString& name) const;
    void watch(QWidget* widget, bool tracksPointer);
    // Whether the event was meant for this widget itself, not passed up from a child under the pointer.
    bool isOwnEvent(QWidget* widget, const QPoint& globalPos) const;

    ProgramWindow* window_;
    QSet<QWidget*> dragSurfaces_;
    QSet<QWidget*> hoverButtons_;
    QSet<QWidget*> heightSurfaces_;
    double restoreHeight_ = 0;

    bool dragging_ = false;
    QPointer<QWidget> pressedSurface_;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
};
