#pragma once

#include "models/draw/ClassLists.h"
#include "models/draw/DrawRound.h"
#include "models/draw/NameList.h"
#include "models/draw/RoundLog.h"
#include "platform/CatalogueText.h"
#include "platform/ProgramNoticeTitle.h"
#include "ui/ProgramWindow.h"

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class DrawHistoryView;
class PostedStep;
class QPushButton;
class Timer;

// The name-list draw (Form4): draws the participants of the user's workbook name.xls one by one,
// without repetition, and writes each one's draw order into column C of it.
class NameListDraw : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::NameListDraw;
    static constexpr double kClientWidth = 7275;
    static constexpr double kClientHeight = 2895;
    static inline const CatalogueText kTitle{
        "NameListDraw", QT_TRANSLATE_NOOP("NameListDraw", "Vantrel工具 - 按名单随机抽签")};
    static inline const CatalogueText& kNoticeTitle = kProgramNoticeTitle;
    static inline const CatalogueText kClickStart{"NameListDraw",
                                                  QT_TRANSLATE_NOOP("NameListDraw", "点击“开始”按钮")};
    static inline const CatalogueText kStartDrawing{"NameListDraw",
                                                    QT_TRANSLATE_NOOP("NameListDraw", "开始抽签")};
    static inline const CatalogueText kLoading{"NameListDraw",
                                               QT_TRANSLATE_NOOP("NameListDraw", "程序载入中")};
    static inline const CatalogueText kPleaseWait{"NameListDraw",
                                                  QT_TRANSLATE_NOOP("NameListDraw", "请稍候...")};
    static inline const CatalogueText kReturning{"NameListDraw",
                                                 QT_TRANSLATE_NOOP("NameListDraw", "返回主界面")};
    static inline const CatalogueText kRoundOver{"NameListDraw",
                                                 QT_TRANSLATE_NOOP("NameListDraw", "本轮抽签结束!")};

    explicit NameListDraw(Program& program);
    ~NameListDraw() override;

    void load() override;
    void unload() override;

    // Whether Start waits for our office instance to come up.
    bool isLoading() const { return list_.isOpening(); }
    // Whether a round holds the workbook open with draws written but not yet saved.
    bool isListLoaded() const { return list_.isOpen(); }
    // The entry drawn last in this round; 0 before the first draw.
    int lastDrawn() const { return round_.lastDrawn(); }
    int remainingInRound() const { return round_.remaining(); }
    // The entries marked absent in this round.
    const std::vector<int>& absentInRound() const { return round_.absent(); }
    // The list file the next round reads.
    QString listFile() const { return list_.fileToRead(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void onStartClicked();
    void onDrawClicked();
    void onNextClicked();
    void onEditClicked();
    void onQuitClicked();
    // Quit once "please wait" is drawn: what was drawn is saved and the main window comes back.
    void finishQuit();
    void onRollTick();
    // The class lists (off until the teacher turns them on): choosing the list, a new list, the
    // corrections of a round, the history.
    void onListChosen(const QString& path);
    void onBrowseListClicked();
    void onNewListClicked();
    void onAbsentClicked();
    void onUndoClicked();
    void onHistoryClicked();

private:
    void buildControls();

    void onListRead(const NameList::Problem& problem);
    // Back to the window as it opened, then the message that says why (if any).
    void failStart(const QString& message);
    void rollForNext();
    void endRound();
    void showCounts(int order);
    void showEntry(int number);
    // Tells the teacher what went wrong; for a list saved elsewhere during the round, asks where the
    // round's order goes.
    void report(const NameList::Problem& problem);
    void inform(const QString& text);
    void returnToMainWindow();
    void buildClassListRow();
    // Shows or hides the class-list row as the settings say, and names the list in the title.
    void applyClassLists();
    void fillListMenu();
    // Enables what the class-list row offers in the window's present state.
    void updateClassListRow();
    bool eventFilter(QObject* watched, QEvent* event) override;
    namelist::Person personOf(int entry) const;
    void logged(const QString& problem);

    NameList list_;
    DrawRound round_;
    ClassLists classLists_;
    RoundLog roundLog_;
    // The weight of each entry in this round's draws when "少抽过的优先" is on; empty otherwise.
    std::vector<double> weights_;
    bool classListsShown_ = false;
    QWidget* classListRow_ = nullptr;
    QPushButton* chooseListButton_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QPushButton* newListButton_ = nullptr;
    QPushButton* absentButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QPushButton* historyButton_ = nullptr;
    DrawHistoryView* historyView_ = nullptr;

    QFrame* editSteps_ = nullptr;
    QLineEdit* numberBox_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    QLabel* orderLabel_ = nullptr;
    QLabel* roundOverLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* drawButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* editButton_ = nullptr;
    Timer* rollTimer_ = nullptr;
    PostedStep* quitStep_ = nullptr;
};
