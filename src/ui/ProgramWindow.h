#pragma once

#include "platform/Twips.h"
#include "ui/WindowKind.h"

#include <QWidget>
#include <optional>

class Program;
class QLabel;
class Timer;
enum class TickPolicy;

// A window of the program: named like its form ("Form1" ...), with its geometry in twips, a Load that
// runs once when it is first needed and an Unload that runs when it is released.
class ProgramWindow : public QWidget {
    Q_OBJECT
public:
    ProgramWindow(Program& program, WindowKind kind, QWidget* parent = nullptr);

    Program& program() { return program_; }
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

    // Left = (screen width - window width) / 2, Top = top.
    void centreHorizontally(double top);

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

    double tpp() const;

private:
    // The window manager adds its frame some time after the window is shown; an outer size set
    // before that is applied again once the frame is known.
    void applyPendingOuterSize();

    Program& program_;
    WindowKind kind_;
    std::optional<QSizeF> pendingOuterSize_;
};
