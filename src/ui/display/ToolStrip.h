#pragma once

#include "platform/CatalogueText.h"
#include "ui/ProgramWindow.h"

class ClickableLabel;
class QGroupBox;
class QLabel;
class QPushButton;

// The tool strip, Form3: a small translucent window that stays above a running slide show and shows
// the set and the remaining time while the main window is folded away. It has two faces: the strip
// (the time line) and the tip (a panel that explains how to get the main window back).
class ToolStrip : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::ToolStrip;
    static constexpr double kWidth = 5085;
    static constexpr double kStripHeight = 510;
    static constexpr double kTipHeight = 2265;
    static constexpr double kBorder = 45;
    // The tip panel starts right of the restore icon, where the time line starts.
    static constexpr double kTipPanelLeft = 450;
    static constexpr double kTipPanelTop = 60;
    static constexpr int kStripAlpha = 150;
    static constexpr int kTipAlpha = 255;
    static inline const CatalogueText kTipCaption{"ToolStrip", QT_TRANSLATE_NOOP("ToolStrip", "Vantrel工具")};
    // Said instead of hiding everything when this desktop shows no tray icon to come back through.
    static inline const CatalogueText kNoTrayNotice{
        "ToolStrip",
        QT_TRANSLATE_NOOP("ToolStrip",
                          "此桌面没有托盘区，无法通过钟形图标恢复程序，因此工具条将保留在屏幕上。\n"
                          "点击工具条左侧的图标或按功能键F11可恢复计时主窗口。")};

    explicit ToolStrip(Program& program);

    void load() override;

    // Shows the window as a strip's height, with its time line following the countdown. The face
    // stays as it was.
    void showStrip();
    // Hides the window; its time line stops following the countdown.
    void hideStrip();
    // The status line follows the countdown again (the strip was shown without showStrip()).
    void resumeMirror();
    bool isMirroring() const { return mirroring_; }
    // The alpha the background is painted with: 255 where the whole window is made translucent.
    int backgroundAlpha() const { return backgroundAlpha_; }

    // Places the window centred over the main window, at the main window's top edge, wholly on its
    // screen; with a slide show on another screen, at the same place on the show's screen.
    void placeOverMainWindow();
    // Shown while a slide show runs on another screen than its own: it moves to the show's screen.
    void followTheShow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void buildTipPanel(QWidget* client);
    void setStripFace();
    // The strip's translucency, alpha of 255: the background's alone where a compositor can show it.
    void setTranslucency(int alpha);
    // Sizes the tip panel for its text and returns the face's height: as designed, or more when the
    // fonts need more room.
    double layOutTipFace();

    void onRestoreMainWindow();
    void onOpenTip();
    void onConfirmTip();
    void onBackToStrip();
    // The time line as the countdown stands; called when the count or its state changes, so the
    // line is set (and repainted) once a second and no more.
    void refreshTimeLine();

    QLabel* timeLine_ = nullptr;
    ClickableLabel* restoreIcon_ = nullptr;
    ClickableLabel* tipIcon_ = nullptr;
    QGroupBox* tipPanel_ = nullptr;
    QLabel* tipText_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    bool mirroring_ = false;
    int backgroundAlpha_ = 255;
};
