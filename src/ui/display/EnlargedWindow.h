#pragma once

#include "platform/CatalogueText.h"
#include "ui/ProgramWindow.h"

class ClickableLabel;
class QLabel;
class Timer;

// The enlarged countdown, Form6: the count of the main window in very large red digits with a status
// strip underneath. It owns no timing: five times a second it copies the countdown.
class EnlargedWindow : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::EnlargedCountdown;
    // Client area as designed, in twips.
    static constexpr double kClientWidth = 12105;
    static constexpr double kClientHeight = 5250;
    static constexpr double kDigitPoints = 200.25;
    // How often the digits copy the countdown.
    static constexpr int kMirrorIntervalMs = 200;
    static inline const CatalogueText kHint{
        "EnlargedWindow",
        QT_TRANSLATE_NOOP("EnlargedWindow", "双击红色数字可关闭本窗口，自动返回主程序界面")};

    explicit EnlargedWindow(Program& program);

    void load() override;
    void unload() override;

    // Shows the window with its digits following the countdown.
    void showMirror();

    double scale() const { return scale_; }

    // Centred on the screen the class sees, below the main window when that is on it, whole on the
    // screen.
    void placeBelowMainWindow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QLabel* addStatusLabel(QWidget* strip, const QString& name, const QString& text, double left,
                           double width, bool centred);
    void placeScaled(QWidget* control, double left, double top, double width, double height);

    void onMirrorTick();
    void onDigitsDoubleClicked();

    double scale_ = 1.0;
    bool placedWithFrame_ = false;
    ClickableLabel* digits_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* setTimeLabel_ = nullptr;
    Timer* mirrorTimer_ = nullptr;
};
