#pragma once

#include <QObject>
#include <optional>

class QWidget;
class WindowSystem;
class WindowTracking;

// Over a slide show that has the keyboard, a window of ours that is shown is kept above it without
// taking the keyboard; once another program's window has the keyboard, or the show is gone, it is
// the window manager's again. Kept above, the main window gets the keyboard once the teacher clicks
// it.
class OverShowStacking : public QObject {
    Q_OBJECT
public:
    OverShowStacking(WindowSystem& windows, const WindowTracking& tracking, QWidget& main);

    // The rule applied to who has the keyboard now (asked of the window system).
    std::optional<bool> keepAbove() const;
    // Keeps the window above the show, or hands it back, as the rule says now; true when it is kept
    // above.
    bool stack(QWidget* window);
    bool stack(QWidget* window, std::optional<bool> above);

    // Shown by the program itself, not by the user: the main window comes up without taking the
    // keyboard from the program the user works in.
    void showWithoutFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowSystem& windows_;
    const WindowTracking& tracking_;
    QWidget& main_;
};
