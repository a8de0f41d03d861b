#include "ui/draw/NameListDraw.h"

#include "models/announce/SpokenTexts.h"
#include "models/draw/FairWeights.h"
#include "models/draw/HistorySheet.h"
#include "models/draw/NameListFile.h"
#include "models/draw/RoundSummary.h"
#include "models/draw/TableFile.h"
#include "platform/CatalogueText.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/KeyboardUse.h"
#include "ui/PostedStep.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/draw/DrawHistoryView.h"
#include "ui/flow/FlowConductor.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QString kUnknownTotal = QStringLiteral("?");
const CatalogueText kStartCaption{"NameListDraw", QT_TRANSLATE_NOOP("NameListDraw", "开始")};
const CatalogueText kNextRoundCaption{"NameListDraw", QT_TRANSLATE_NOOP("NameListDraw", "下一轮")};
// The class-list row, below the window's own controls when the class lists are on.
constexpr double kClassListRowTop = 2850;
constexpr double kClassListRowHeight = 480;
const QString kListFilters = QStringLiteral("(*.xls *.xlsx *.ods *.csv)");

} // namespace

NameListDraw::NameListDraw(Program& program)
    : ProgramWindow(program, WindowKind::NameListDraw),
      list_(ProgramWindow::program().spreadsheet(), ProgramWindow::program().dataFolder()),
      classLists_(ProgramWindow::program().settings()), roundLog_(&ProgramWindow::program().drawHistory())
{
    setWindowTitle(kTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resize(twips::toPixels(kClientWidth, tpp()), twips::toPixels(kClientHeight, tpp()));
    buildControls();
    connect(startButton_, &QPushButton::clicked, this, &NameListDraw::onStartClicked);
    connect(nextButton_, &QPushButton::clicked, this, &NameListDraw::onNextClicked);
    connect(drawButton_, &QPushButton::clicked, this, &NameListDraw::onDrawClicked);
    connect(quitButton_, &QPushButton::clicked, this, &NameListDraw::onQuitClicked);
    connect(editButton_, &QPushButton::clicked, this, &NameListDraw::onEditClicked);
    WindowChrome::attach(this, {}, {"Command1", "CommandZb", "CommandQq", "CommandQuit", "Command2"});
    rollTimer_ = makeTimer(QStringLiteral("Timer1"), 50, TickPolicy::Pacing);
    quitStep_ = new PostedStep(ProgramWindow::program().timers(), QStringLiteral("QuitStep"), this);
    rollTimer_->onTick([this] { onRollTick(); });
    buildClassListRow();
    applyClassLists();
}

NameListDraw::~NameListDraw() = default;

void NameListDraw::buildControls()
{
    auto box = [this](QWidget* parent, const QString& name, const QString& text, double top,
                      const QString& accessible) {
        auto* created = named(new QLineEdit(text, parent), name);
        placeTwips(created, 1500, top, 3615, 615);
        created->setReadOnly(true);
        created->setAlignment(Qt::AlignCenter);
        created->setFont(twips::font(QStringLiteral("Times New Roman"), 21.75));
        created->setAccessibleName(accessible);
        QPalette palette = created->palette();
        palette.setColor(QPalette::Base, kRed);
        created->setPalette(palette);
        return created;
    };

    // The entry drawn: its number and its name.
    auto* entryFrame = named(new QFrame(this), QStringLiteral("Frame1"));
    placeTwips(entryFrame, 150, 60, 5325, 2175);
    entryFrame->setFrameShape(QFrame::StyledPanel);
    plainLabel(QStringLiteral("Label1"), tr("原始编号:"), entryFrame, 120, 390, 1335, 375)
        ->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    numberBox_ = box(entryFrame, QStringLiteral("Text1"), kClickStart, 240, tr("原始编号"));
    plainLabel(QStringLiteral("Label2"), tr("抽 签 者:"), entryFrame, 120, 1455, 1335, 375)
        ->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    nameBox_ = box(entryFrame, QStringLiteral("Text2"), kStartDrawing, 1305, tr("抽签者"));

    // Over the entry while the user edits the list in their own office.
    editSteps_ = named(new QFrame(this), QStringLiteral("Frame2"));
    placeTwips(editSteps_, 150, 60, 5325, 2175);
    editSteps_->setFrameShape(QFrame::StyledPanel);
    editSteps_->setAutoFillBackground(true);
    QLabel* editNotice =
        plainLabel(QStringLiteral("Label4"), tr("稍后将自动打开LibreOffice，修改名单后请："), editSteps_, 240,
                   240, 5040, 375); // to the frame's edge: the office's name is longer
    editNotice->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    setTextColour(editNotice, kRed);
    const QList<QLabel*> steps{
        plainLabel(QStringLiteral("Label6"), tr("1.核对总人数是否有误"), editSteps_, 600, 720, 4500, 300),
        plainLabel(QStringLiteral("Label7"), tr("2.保存修改后的名单"), editSteps_, 600, 1080, 4500, 300),
        plainLabel(QStringLiteral("Label9"), tr("3.关闭LibreOffice Calc窗口"), editSteps_, 600, 1440, 4500,
                   300),
        plainLabel(QStringLiteral("Label10"), tr("4.退出抽签界面后重新进入"), editSteps_, 600, 1800, 4500,
                   300),
    };
    for (QLabel* step : steps)
        step->setFont(twips::font(QStringLiteral("宋体"), 10.5));
    editSteps_->hide();

    // This draw's order over the number taking part.
    auto* countFrame = named(new QFrame(this), QStringLiteral("Frame4"));
    placeTwips(countFrame, 5640, 60, 1485, 2175);
    countFrame->setFrameShape(QFrame::StyledPanel);
    orderLabel_ = plainLabel(QStringLiteral("Label5"), QStringLiteral("1"), countFrame, 45, 120, 1395, 915);
    orderLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 42, true));
    orderLabel_->setAlignment(Qt::AlignCenter);
    orderLabel_->setToolTip(tr("这是当前抽签者抽签得到的顺序号"));
    setTextColour(orderLabel_, kRed);
    auto* rule = named(new QFrame(countFrame), QStringLiteral("Line1"));
    placeTwips(rule, 60, 1080, 1365, 15);
    rule->setFrameShape(QFrame::HLine);
    totalLabel_ = plainLabel(QStringLiteral("Label3"), kUnknownTotal, countFrame, 45, 1140, 1395, 915);
    totalLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 42, true));
    totalLabel_->setAlignment(Qt::AlignCenter);
    totalLabel_->setToolTip(tr("这是参加抽签的总人数"));
    setTextColour(totalLabel_, kBlue);

    auto button = [this](const QString& name, const QString& text, double left, double width) {
        auto* created = named(new QPushButton(text, this), name);
        placeTwips(created, left, 2370, width, 390);
        created->setFont(twips::font(QStringLiteral("宋体"), 10.5));
        return created;
    };
    startButton_ = button(QStringLiteral("Command1"), kStartCaption, 240, 1215);
    nextButton_ = button(QStringLiteral("CommandZb"), tr("下一位"), 1655, 1215);
    drawButton_ = button(QStringLiteral("CommandQq"), tr("抽签"), 3070, 1095);
    quitButton_ = button(QStringLiteral("CommandQuit"), tr("退出"), 4320, 1215);
    editButton_ = button(QStringLiteral("Command2"), tr("修改名单"), 5700, 1335);
    nextButton_->setEnabled(false);
    drawButton_->setEnabled(false);
    keyboard::addAccessKey(startButton_, Qt::Key_S);
    keyboard::addAccessKey(nextButton_, Qt::Key_N);
    keyboard::addAccessKey(drawButton_, Qt::Key_D);
    keyboard::addAccessKey(quitButton_, Qt::Key_X);
    keyboard::addAccessKey(editButton_, Qt::Key_M);
    keyboard::setWayOut(this, [this] {
        if (quitButton_->isVisible() && quitButton_->isEnabled())
            quitButton_->click();
    });

    // Over the middle buttons once every entry is drawn.
    roundOverLabel_ = plainLabel(QStringLiteral("Label8"), kRoundOver, this, 1320, 2355, 2895, 405);
    roundOverLabel_->setFont(twips::font(QStringLiteral("宋体"), 18, true));
    roundOverLabel_->setAlignment(Qt::AlignCenter);
    setTextColour(roundOverLabel_, kRed);
    roundOverLabel_->hide();
}

void NameListDraw::load()
{
    applyClassLists();
    totalLabel_->setText(kUnknownTotal);
    orderLabel_->setText(QStringLiteral("1"));
    flow().hideMainWindow();
    program().windows().makeTopMost(this);
    const QRectF screen = mainScreenTwips();
    placeOn(screen, {screen.left() + (screen.width() - widthTwips()) / 2,
                     screen.top() + (screen.height() - heightTwips()) / 2 - 2400});
}

void NameListDraw::resizeEvent(QResizeEvent* event)
{
    ProgramWindow::resizeEvent(event);
    startButton_->setFocus();
}

void NameListDraw::onStartClicked()
{
    nextButton_->show();
    drawButton_->show();
    startButton_->setEnabled(false);
    editButton_->setEnabled(false);

    // A workbook still open from an earlier round keeps what was drawn in it.
    report(list_.finishEarlierRound());

    roundOverLabel_->hide();
    numberBox_->setText(kLoading);
    nameBox_->setText(kPleaseWait);
    // Our instance takes a second or two to come up: the window stays responsive meanwhile, and Quit
    // abandons the read. The list is a member, so it never calls back into a window that is gone.
    list_.open([this](const NameList::Problem& problem) { onListRead(problem); });
}

void NameListDraw::onListRead(const NameList::Problem& problem)
{
    if (problem) {
        failStart(problem.text);
        return;
    }
    // A list that does not add up, or that the user made read-only, is drawn from only once the
    // teacher knows what the draw takes and agrees (and the list is still ours after the question).
    if (!list_.caveat().isEmpty() &&
        (program().dialogs().askYesNo(this, kNoticeTitle, list_.caveat()) != Answer::Yes ||
         !list_.isOpen())) {
        list_.close();
        failStart({});
        return;
    }
    round_.start(list_.count());
    weights_.clear();
    if (classListsShown_) {
        roundLog_.start(list_.path());
        if (classLists_.isFairDraw()) {
            QList<namelist::Person> people;
            for (int i = 1; i <= list_.count(); ++i)
                people << personOf(i);
            weights_ = fairdraw::weights(people, drawCounts(program().drawHistory().rounds(list_.path())));
        }
    }
    rollForNext();
}

void NameListDraw::failStart(const QString& message)
{
    rollTimer_->setEnabled(false);
    numberBox_->setText(kClickStart);
    nameBox_->setText(kStartDrawing);
    totalLabel_->setText(kUnknownTotal);
    orderLabel_->setText(QStringLiteral("1"));
    roundOverLabel_->hide();
    nextButton_->show();
    drawButton_->show();
    nextButton_->setEnabled(false);
    drawButton_->setEnabled(false);
    startButton_->setText(kStartCaption);
    startButton_->setEnabled(true);
    editButton_->setEnabled(true);
    quitButton_->setEnabled(true);
    if (!message.isEmpty())
        inform(message);
}

void NameListDraw::onRollTick()
{
    const int number = round_.roll();
    if (number < 1 || number > list_.count())
        return;
    showEntry(number);
}

void NameListDraw::onDrawClicked()
{
    rollTimer_->setEnabled(false);
    nextButton_->setEnabled(true);
    nextButton_->setFocus();
    quitButton_->setEnabled(true);

    const int number = weights_.empty() ? round_.draw() : round_.drawWeighted(weights_);
    if (number < 1) {
        drawButton_->setEnabled(false);
        return;
    }
    showEntry(number);
    showCounts(round_.drawnCount());
    program().announcer().announce(this, spokenDraw(nameBox_->text(), round_.isOver()));
    report(list_.recordOrder(number, round_.drawnCount()));
    if (classListsShown_)
        logged(roundLog_.drawn(round_.drawnCount(), personOf(number)));

    if (round_.isOver())
        endRound();
    drawButton_->setEnabled(false);
}

void NameListDraw::onNextClicked()
{
    rollForNext();
}

void NameListDraw::rollForNext()
{
    // Leaving mid-draw is only offered between draws.
    quitButton_->setEnabled(false);
    rollTimer_->setEnabled(true);
    nextButton_->setEnabled(false);
    drawButton_->setEnabled(true);
    drawButton_->setFocus();
    showCounts(round_.drawnCount() + 1);
}

void NameListDraw::endRound()
{
    roundOverLabel_->show();
    startButton_->setText(kNextRoundCaption);
    roundOverLabel_->setText(kRoundOver);
    numberBox_->setFocus();
    nextButton_->setEnabled(false);
    nextButton_->hide();
    drawButton_->hide();
    startButton_->setEnabled(true);
    // The round stays over until Start reads the list afresh for the next one.
    if (list_.isOpen())
        report(list_.saveAndEnd());
}

void NameListDraw::showCounts(int order)
{
    totalLabel_->setText(QString::number(list_.count()));
    orderLabel_->setText(QString::number(order));
}

void NameListDraw::showEntry(int number)
{
    const NameList::Entry& entry = list_.entry(number);
    numberBox_->setText(entry.number.trimmed());
    nameBox_->setText(entry.name.trimmed());
}

void NameListDraw::onEditClicked()
{
    editSteps_->show();
    editSteps_->raise();
    startButton_->setEnabled(false);
    editButton_->setEnabled(false);
    rollTimer_->setEnabled(false);

    if (const NameList::Problem problem = list_.editElsewhere()) {
        editSteps_->hide();
        startButton_->setEnabled(true);
        editButton_->setEnabled(true);
        inform(problem.text);
    }
}

void NameListDraw::onQuitClicked()
{
    numberBox_->setText(kReturning);
    nameBox_->setText(kPleaseWait);
    nextButton_->show();
    drawButton_->show();
    quitButton_->setEnabled(false);
    nextButton_->setEnabled(false);
    editSteps_->hide();
    roundOverLabel_->hide();
    startButton_->setText(kStartCaption);
    rollTimer_->setEnabled(false);
    // "Please wait" is drawn before the office saves the list, which may take a while.
    quitStep_->post([this] { finishQuit(); });
}

void NameListDraw::finishQuit()
{
    orderLabel_->setText(QStringLiteral("1"));
    totalLabel_->setText(kUnknownTotal);

    // Our own background instance only: what was drawn so far is saved, then it ends. A list the
    // user still has open in their own office after editing it stays open there.
    list_.cancelOpening();
    report(list_.saveAndEnd());
    report(list_.stillOpenElsewhere());
    if (historyView_)
        historyView_->hide();

    hide();
    rollTimer_->setEnabled(false);
    numberBox_->setText(kClickStart);
    nameBox_->setText(kStartDrawing);
    drawButton_->setEnabled(false);
    nextButton_->setEnabled(false);
    startButton_->setEnabled(true);
    quitButton_->setEnabled(true);
    returnToMainWindow();
    editButton_->setEnabled(true);
}

void NameListDraw::unload()
{
    hide();
    rollTimer_->setEnabled(false);
    numberBox_->setText(kClickStart);
    nameBox_->setText(kStartDrawing);
    drawButton_->setEnabled(false);
    if (historyView_)
        historyView_->hide();
    // The window goes away with what was drawn in it saved; the background instance ends with it.
    list_.cancelOpening();
    NameList::Problem released = list_.release();
    // The program may be ending: a list saved elsewhere meanwhile keeps its content without a
    // question, and the round's order goes beside it.
    if (released.kind == NameList::Problem::Kind::ListChanged)
        released = list_.keepOrderAside();
    report(released);
    returnToMainWindow();
}

void NameListDraw::returnToMainWindow()
{
    if (flow().mainWindowRect()) {
        flow().showMainWindow();
        hide();
        flow().resumeTracking();
    }
}

void NameListDraw::report(const NameList::Problem& problem)
{
    if (problem.kind == NameList::Problem::Kind::ListChanged) {
        const bool intoList = program().dialogs().askYesNo(this, kNoticeTitle, problem.text) == Answer::Yes;
        report(intoList ? list_.writeOrderIntoChangedList() : list_.keepOrderAside());
        return;
    }
    if (problem)
        inform(problem.text);
}

void NameListDraw::inform(const QString& text)
{
    // Every message of this window is about the list: the teacher may want to look at it.
    program().dialogs().informWithFolder(this, kNoticeTitle, text, program().dataFolder());
}

namelist::Person NameListDraw::personOf(int entry) const
{
    const NameList::Entry& listed = list_.entry(entry);
    return {listed.number, listed.name};
}

void NameListDraw::logged(const QString& problem)
{
    // The draw goes on; the teacher is told once that this round is not in the history.
    if (!problem.isEmpty())
        inform(problem);
}

void NameListDraw::buildClassListRow()
{
    classListRow_ = named(new QWidget(this), QStringLiteral("ClassListRow"));
    placeTwips(classListRow_, 0, kClassListRowTop, kClientWidth, kClassListRowHeight);
    auto button = [this](const QString& name, const QString& text, double left, double width) {
        auto* created = named(new QPushButton(text, classListRow_), name);
        placeTwips(created, left, 0, width, 390);
        created->setFont(twips::font(QStringLiteral("宋体"), 10.5));
        return created;
    };
    chooseListButton_ = button(QStringLiteral("ChooseList"), tr("换名单…"), 240, 1215);
    newListButton_ = button(QStringLiteral("NewList"), tr("新建名单"), 1655, 1215);
    absentButton_ = button(QStringLiteral("Absent"), tr("缺席"), 3070, 1095);
    undoButton_ = button(QStringLiteral("UndoDraw"), tr("撤销"), 4320, 1215);
    historyButton_ = button(QStringLiteral("DrawHistory"), tr("抽签记录"), 5700, 1335);
    absentButton_->setToolTip(tr("刚抽到的人今天不在：本轮不再抽他，他的抽签顺序空着"));
    undoButton_->setToolTip(tr("撤销本轮的上一次抽签：这个人回到签筒里"));
    listMenu_ = named(new QMenu(chooseListButton_), QStringLiteral("ListMenu"));
    chooseListButton_->setMenu(listMenu_);
    connect(listMenu_, &QMenu::aboutToShow, this, &NameListDraw::fillListMenu);
    connect(newListButton_, &QPushButton::clicked, this, &NameListDraw::onNewListClicked);
    connect(absentButton_, &QPushButton::clicked, this, &NameListDraw::onAbsentClicked);
    connect(undoButton_, &QPushButton::clicked, this, &NameListDraw::onUndoClicked);
    connect(historyButton_, &QPushButton::clicked, this, &NameListDraw::onHistoryClicked);
    // The row follows the window's own state: what Start may do, the list may change.
    startButton_->installEventFilter(this);
    drawButton_->installEventFilter(this);
    nextButton_->installEventFilter(this);
    classListRow_->hide();
}

bool NameListDraw::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::Show ||
        event->type() == QEvent::Hide)
        updateClassListRow();
    return ProgramWindow::eventFilter(watched, event);
}

void NameListDraw::applyClassLists()
{
    const bool shown = classLists_.isEnabled();
    if (shown != classListsShown_) {
        classListsShown_ = shown;
        classListRow_->setVisible(shown);
        const double height = kClientHeight + (shown ? kClassListRowHeight : 0);
        resize(width(), twips::toPixels(height, designTpp()));
    }
    const QString chosen = classLists_.current();
    list_.setChosenFile(chosen);
    // The folder's own list keeps the window's title as it always was.
    setWindowTitle(chosen.isEmpty()
                       ? QString(kTitle)
                       : QString(kTitle) + QStringLiteral(" - ") + ClassLists::className(chosen));
    fillListMenu();
    updateClassListRow();
}

void NameListDraw::fillListMenu()
{
    listMenu_->clear();
    const QString current = list_.fileToRead();
    const auto addList = [this, &current](const QString& text, const QString& path, const QString& file) {
        QAction* action = listMenu_->addAction(text);
        action->setCheckable(true);
        action->setChecked(QFileInfo(file) == QFileInfo(current));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { onListChosen(path); });
    };
    addList(tr("默认名单（%1）").arg(QFileInfo(namelist::findFile(program().dataFolder())).fileName()),
            QString(), namelist::findFile(program().dataFolder()));
    for (const QString& path : classLists_.recent())
        addList(QDir::toNativeSeparators(path), path, path);
    listMenu_->addSeparator();
    QAction* browse = listMenu_->addAction(tr("其他名单…"));
    browse->setObjectName(QStringLiteral("BrowseList"));
    connect(browse, &QAction::triggered, this, &NameListDraw::onBrowseListClicked);
}

void NameListDraw::updateClassListRow()
{
    if (!classListRow_)
        return;
    // Between rounds only: a round holds its list open in our office.
    const bool between = startButton_->isEnabled() && !list_.isOpen() && !list_.isOpening();
    chooseListButton_->setEnabled(between);
    newListButton_->setEnabled(between);
    historyButton_->setEnabled(between);
    // A correction belongs to a round under way: after a draw, before the round is over.
    const bool inRound = list_.isOpen() && !round_.isOver() && drawButton_->isVisible();
    absentButton_->setEnabled(inRound && round_.canMarkAbsent() && !drawButton_->isEnabled());
    undoButton_->setEnabled(inRound && round_.canUndo());
}

void NameListDraw::onListChosen(const QString& path)
{
    if (path.isEmpty())
        classLists_.chooseFolderList();
    else
        classLists_.choose(path);
    applyClassLists();
}

void NameListDraw::onBrowseListClicked()
{
    const QString start = classLists_.current().isEmpty() ? program().dataFolder()
                                                          : QFileInfo(classLists_.current()).absolutePath();
    const QString path = program().dialogs().chooseFile(this, FileChoice::Open, tr("换名单"), start,
                                                        tr("名单") + QLatin1Char(' ') + kListFilters);
    if (!path.isEmpty())
        onListChosen(path);
}

void NameListDraw::onNewListClicked()
{
    const QString suggested = QDir(program().dataFolder()).filePath(tr("新名单") + QStringLiteral(".xls"));
    const QString path = program().dialogs().chooseFile(
        this, FileChoice::Save, tr("新建名单"), suggested,
        tr("Excel 97 工作簿 (*.xls);;Excel 工作簿 (*.xlsx);;ODF 电子表格 (*.ods);;CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    // The layout of the sample list: the count in A1, the headings in row 2, the names from row 3.
    const QList<tablefile::Row> rows{
        {CellValue::fromNumber(0)},
        {CellValue::fromText(tr("编号")), CellValue::fromText(tr("姓名")),
         CellValue::fromText(tr("抽签顺序"))},
    };
    newListButton_->setEnabled(false);
    tablefile::write(program().spreadsheet(), path, rows, [this, path](const QString& problem) {
        updateClassListRow();
        if (!problem.isEmpty()) {
            inform(problem);
            return;
        }
        onListChosen(path);
        onEditClicked();
    });
}

void NameListDraw::onAbsentClicked()
{
    const int entry = round_.lastDrawn();
    const int order = round_.drawnCount();
    if (entry < 1 || !round_.markLastAbsent())
        return;
    report(list_.clearOrder(entry));
    logged(roundLog_.absent(order, personOf(entry)));
    rollForNext();
    updateClassListRow();
}

void NameListDraw::onUndoClicked()
{
    const bool wasAbsent = !round_.canMarkAbsent();
    const int order = wasAbsent ? 0 : round_.drawnCount();
    const int entry = round_.undoLast();
    if (entry < 1)
        return;
    // An absent person's cell is already empty.
    if (!wasAbsent)
        report(list_.clearOrder(entry));
    logged(roundLog_.undone(order, personOf(entry)));
    rollForNext();
    updateClassListRow();
}

void NameListDraw::onHistoryClicked()
{
    if (!historyView_) {
        historyView_ = new DrawHistoryView(this);
        connect(historyView_, &DrawHistoryView::fairDrawToggled, this,
                [this](bool on) { classLists_.setFairDraw(on); });
        connect(historyView_, &DrawHistoryView::exportRequested, this, [this] {
            const QString list = list_.fileToRead();
            const QString name = ClassLists::className(list);
            const QString path = program().dialogs().chooseFile(
                historyView_, FileChoice::Save, tr("导出抽签记录"),
                QDir(program().dataFolder()).filePath(name + tr("-抽签记录") + QStringLiteral(".xlsx")),
                tr("Excel 工作簿 (*.xlsx);;ODF 电子表格 (*.ods);;CSV 文件 (*.csv)"));
            if (path.isEmpty())
                return;
            // Our office holds the round's list: a workbook made now would close it unsaved.
            if ((list_.isOpen() || list_.isOpening()) &&
                QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
                inform(tr("本轮抽签结束后才能导出为 .xlsx 或 .ods 文件；现在可以导出为 .csv 文件。"));
                return;
            }
            QList<tablefile::Row> rows;
            for (const QStringList& texts : historysheet::rows(name, program().drawHistory().rounds(list))) {
                tablefile::Row row;
                for (const QString& text : texts)
                    row << (text.isEmpty() ? CellValue::empty() : CellValue::fromText(text));
                rows << row;
            }
            tablefile::write(program().spreadsheet(), path, rows, [this, path](const QString& problem) {
                inform(problem.isEmpty() ? tr("抽签记录已导出到：%1").arg(QDir::toNativeSeparators(path))
                                         : problem);
            });
        });
    }
    const QString list = list_.fileToRead();
    const QList<RoundRecord> rounds = program().drawHistory().rounds(list);
    QList<namelist::Person> people;
    if (list_.count() > 0 && QFileInfo(list_.path()) == QFileInfo(list)) {
        for (int i = 1; i <= list_.count(); ++i)
            people << personOf(i);
    } else {
        // Not read in this run: the people the history knows.
        QSet<QString> seen;
        for (const RoundRecord& round : rounds) {
            const RoundSummary summary = summarise(round);
            for (const namelist::Person& person : summary.order + summary.absent) {
                if (!seen.contains(personKey(person))) {
                    seen.insert(personKey(person));
                    people << person;
                }
            }
        }
    }
    if (!program().drawHistory().problem().isEmpty())
        inform(program().drawHistory().problem());
    historyView_->showRounds(ClassLists::className(list), rounds, people, classLists_.isFairDraw());
}
