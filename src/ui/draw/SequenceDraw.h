#pragma once

#include "models/draw/DrawPot.h"
#include "ui/Form.h"

#include <memory>

class MainWindow;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class SoundDevice;
class Timer;

// The sequence-number draw, Form7: draws 1..N one at a time without repetition, round after round,
// with a rolling display between draws and the list of the numbers drawn so far.
class SequenceDraw : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::SequenceDraw;
    static constexpr double kDesignClientWidth = 11715;
    static constexpr double kDesignClientHeight = 8445;
    static constexpr double kDrawnHeight = 8865;
    static constexpr double kNumberPoints = 350.25;
    static inline const QString kTitle = QStringLiteral("Vantrel工具 - 随机抽签程序");
    static inline const QString kReadyPrompt = QStringLiteral("请点击“抽签”按钮开始抽签");
    static inline const QString kNextPrompt = QStringLiteral("请点击“抽签”按钮");
    static inline const QString kDrawnPrompt = QStringLiteral("您抽取的顺序号为:");
    static inline const QString kSeparator = QStringLiteral("，");

    explicit SequenceDraw(Program& program);
    ~SequenceDraw() override;

    void load() override;
    void unload() override;

    // Handlers, by the control they answer.
    void command1Click(); // 抽  签
    void command2Click(); // 下一个
    void command4Click(); // 下一轮
    void command7Click(); // 结  束
    void timer1Tick();

    // N, taken from DrawTotal at load and kept within 2..200.
    float TotalCount = 2;
    // A round is under way: leaving asks first.
    bool roundOpen_ = false;
    bool isRoundOpen() const { return roundOpen_; }
    float participantCount() const { return TotalCount; }
    const DrawPot& pot() const { return pot_; }
    SoundDevice& soundDevice() { return *sound_; }

    QFrame *Frame1, *Frame2, *Frame3;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit* Text1;
    QPushButton *Command1, *Command2, *Command4, *Command7;
    Timer* Timer1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The close box leaves the draw as "结  束" does.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    // Sizes the big digits so that three of them fit the display on any installed font.
    void fitNumberFont();
    void playCue(const QString& fileName);
    MainWindow* mainWindow();

    DrawPot pot_;
    std::unique_ptr<SoundDevice> sound_;
};
