#pragma once

#include "models/draw/DrawPot.h"
#include "ui/Form.h"

#include <QStringList>
#include <cstdint>

class MainWindow;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class Spreadsheet;
class Timer;

// The name-list draw, Form4: draws the participants of a list kept in the workbook name.xls one by
// one, without repetition, and writes each one's draw order into column C of the workbook.
class NameListDraw : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::NameListDraw;
    static constexpr double kClientWidth = 7275;
    static constexpr double kClientHeight = 2895;
    static inline const QString kTitle = QStringLiteral("Vantrel工具 - 按名单随机抽签");
    static inline const QString kNoticeTitle = QStringLiteral("Vantrel工具提示：");
    static inline const QString kClickStart = QStringLiteral("点击“开始”按钮");
    static inline const QString kStartDrawing = QStringLiteral("开始抽签");
    static inline const QString kLoading = QStringLiteral("程序载入中");
    static inline const QString kPleaseWait = QStringLiteral("请稍候...");
    static inline const QString kReturning = QStringLiteral("返回主界面");
    static inline const QString kRoundOver = QStringLiteral("本轮抽签结束!");

    explicit NameListDraw(Program& program);
    ~NameListDraw() override;

    void load() override;
    void unload() override;

    // Handlers, by the control they answer.
    void command1Click();    // 开始 / 下一轮
    void commandQqClick();   // 抽签
    void commandZbClick();   // 下一位
    void command2Click();    // 修改名单
    void commandQuitClick(); // 退出
    void timer1Tick();

    // Whether Start waits for the spreadsheet program to come up.
    bool isLoading() const { return loading_; }

    int16_t EntryTotal = 0;
    QStringList EntryNumbers;
    QStringList EntryNames;
    int16_t DrawnCount = 0;
    int16_t LastDrawn = 0;
    const DrawPot& pot() const { return pot_; }
    int lastDrawn() const { return LastDrawn; }
    int remainingInRound() const { return pot_.remaining(); }

    QFrame *Frame1, *Frame2, *Frame4, *Line1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    QLineEdit *Text1, *Text2;
    QPushButton *Command1, *CommandZb, *CommandQq, *CommandQuit, *Command2;
    Timer* Timer1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    MainWindow* mainWindow();
    void showMainWindow();
    Spreadsheet* spreadsheet();

    void readList();
    void failStart(const QString& message);
    void endRound();
    // Saves the open workbook and ends the spreadsheet program; a failed save is reported.
    void saveAndClose();
    void inform(const QString& text);

    DrawPot pot_;
    QString listPath_;
    bool loading_ = false;
    bool writeLost_ = false;
    // A round holds the workbook open with draws written but not yet saved.
    bool listLoaded_ = false;

public:
    bool isListLoaded() const { return listLoaded_; }
};
