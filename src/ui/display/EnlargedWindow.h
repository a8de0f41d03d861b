#pragma once

#include "ui/Form.h"

#include <QSize>

class QFrame;
class QLabel;
class ClickableLabel;
class Timer;

// How much larger than designed the enlarged window is drawn on a screen of this size (in twips): 1 up
// to a 1024 × 768 screen, growing with the screen beyond it so the digits stay legible from the back
// of a room. The layout keeps its proportions.
double enlargedScale(QSize screenTwips);

// The enlarged countdown, Form6: the main window's count in very large red digits with a status strip
// underneath. It owns no timing: five times a second Timer1 copies the main display and status.
class EnlargedWindow : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::EnlargedCountdown;
    // Client area as designed, in twips.
    static constexpr double kClientWidth = 12105;
    static constexpr double kClientHeight = 5250;
    static constexpr double kDigitPoints = 200.25;
    static inline const QString kHint = QStringLiteral("双击红色数字可关闭本窗口，自动返回主程序界面");
    static inline const QString kStopped = QStringLiteral("  当前计时状态：停止计时");
    static inline const QString kRunning = QStringLiteral("  当前计时状态：正在计时");
    static inline const QString kPaused = QStringLiteral("  当前计时状态：暂停计时");

    explicit EnlargedWindow(Program& program);

    void load() override;
    void unload() override;

    void timer1Tick();
    void label1DoubleClick();

    double scale() const { return scale_; }

    QFrame *Frame1, *Frame2;
    ClickableLabel* Label1;
    QLabel *Label2, *Label3, *Label4;
    Timer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    // Centred on the screen, below the main window, whole on the screen.
    void placeBelowMainWindow();
    void placeScaled(QWidget* control, double left, double top, double width, double height);

    double scale_ = 1.0;
    bool placedWithFrame_ = false;
};
