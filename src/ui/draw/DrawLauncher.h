#pragma once

#include "ui/Form.h"

class MainWindow;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The draw launcher, Form2: offers the draws and the instruction decks, takes the participant count
// of a sequence-number draw, and asks whether to leave a sequence-number round that is not finished.
class DrawLauncher : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::DrawLauncher;
    static constexpr double kDesignClientWidth = 6150;
    static constexpr double kDesignClientHeight = 5625;
    static constexpr double kEntryFrameHeight = 2460;
    static constexpr double kEntryWindowHeight = 2955;
    static inline const QString kTitle = QStringLiteral("Vantrel工具 - 抽签");
    static inline const QString kNoticeTitle = QStringLiteral("Vantrel工具提示：");

    explicit DrawLauncher(Program& program);

    void load() override;

    // The three views.
    void showModeSelection();
    void showCountEntry();
    // Shown by the sequence-number draw when it is left in the middle of a round.
    void showRoundNotFinished();

    // Handlers, by the control they answer.
    void command11Click(); // 随机抽取顺序号
    void command10Click(); // 按名单随机抽签
    void command12Click(); // PPT图文随机抽签
    void command1Click();  // 播放PPT说明文件一
    void command2Click();  // 播放PPT说明文件二
    void text2Change();
    void command5Click(); // 确认
    void command6Click(); // 取消
    void command8Click(); // 结束抽签
    void command9Click(); // 继续抽签

    // Gives the count box the digits-only style, or takes it away.
    static void setNumberH(QLineEdit* box, bool digitsOnly);

    // The count read from Text2, kept within 2..200.
    float EnteredCount = 5;
    float enteredCount() const { return EnteredCount; }

    // Beeps sounded by this window (the count box refuses characters with them).
    int beepsSounded() const { return beeps_; }

    QFrame *Frame1, *Frame2, *Frame3, *Frame4, *Frame5;
    QLabel *Label5, *Label6, *Label7, *Label8;
    QLineEdit* Text2;
    QPushButton *Command1, *Command2, *Command5, *Command6, *Command8, *Command9, *Command10, *Command11,
        *Command12;

protected:
    // The close box is one more way back: to the main window, or out of an unfinished round.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void keepQuestionClearOfButtons();
    void connectHandlers();
    void beep();
    // Removes a refused character from one end of the count box.
    void refuseEnd(bool atStart);
    void playNoteDeck(const QString& deck, const QString& feature);
    void notInThisVersion(const QString& feature);
    void backToMainWindow();
    MainWindow* mainWindow();

    int beeps_ = 0;
};
