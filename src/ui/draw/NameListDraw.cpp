#include "ui/draw/NameListDraw.h"

#include "models/draw/NameListFile.h"
#include "models/draw/RandomSource.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/office/Spreadsheet.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/main/MainWindow.h"

#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
constexpr int kNameColumn = 2;
constexpr int kNumberColumn = 1;
constexpr int kOrderColumn = 3;
constexpr int kFirstRow = 3;

QString trimmedNumber(int value)
{
    return QString::number(value);
}

} // namespace

NameListDraw::NameListDraw(Program& program) : Form(program, WindowKind::NameListDraw)
{
    setWindowTitle(kTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resize(twips::toPixels(kClientWidth, tpp()), twips::toPixels(kClientHeight, tpp()));
    buildControls();
    connectHandlers();
    WindowChrome::attach(this, {}, {"Command1", "CommandZb", "CommandQq", "CommandQuit", "Command2"});
    Timer1 = makeTimer(QStringLiteral("Timer1"), 50, TickPolicy::Pacing);
    Timer1->onTick([this] { timer1Tick(); });
    for (int i = 0; i < DrawPot::kMaxEntries + 1; ++i) {
        EntryNumbers << QString();
        EntryNames << QString();
    }
}

NameListDraw::~NameListDraw() = default;

void NameListDraw::buildControls()
{
    auto label = [this](const QString& name, const QString& text, QWidget* parent, double l, double t,
                        double w, double h) {
        auto* created = named(new QLabel(text, parent), name);
        created->setTextFormat(Qt::PlainText);
        placeTwips(created, l, t, w, h);
        return created;
    };
    auto box = [this](const QString& name, const QString& text, double top, const QString& accessible) {
        auto* created = named(new QLineEdit(text, Frame1), name);
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

    Frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    placeTwips(Frame1, 150, 60, 5325, 2175);
    Frame1->setFrameShape(QFrame::StyledPanel);
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("原始编号:"), Frame1, 120, 390, 1335, 375);
    Label1->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    Text1 = box(QStringLiteral("Text1"), kClickStart, 240, QStringLiteral("原始编号"));
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("抽 签 者:"), Frame1, 120, 1455, 1335, 375);
    Label2->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    Text2 = box(QStringLiteral("Text2"), kStartDrawing, 1305, QStringLiteral("抽签者"));

    Frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    placeTwips(Frame2, 150, 60, 5325, 2175);
    Frame2->setFrameShape(QFrame::StyledPanel);
    Frame2->setAutoFillBackground(true);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("稍后将自动打开Excel，修改名单后请："), Frame2,
                   240, 240, 4935, 375);
    Label4->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    setTextColour(Label4, kRed);
    Label6 =
        label(QStringLiteral("Label6"), QStringLiteral("1.核对总人数是否有误"), Frame2, 600, 720, 4500, 300);
    Label7 =
        label(QStringLiteral("Label7"), QStringLiteral("2.保存修改后的名单"), Frame2, 600, 1080, 4500, 300);
    Label9 = label(QStringLiteral("Label9"), QStringLiteral("3.关闭EXCEL窗口"), Frame2, 600, 1440, 4500, 300);
    Label10 = label(QStringLiteral("Label10"), QStringLiteral("4.退出抽签界面后重新进入"), Frame2, 600, 1800,
                    4500, 300);
    for (QLabel* step : {Label6, Label7, Label9, Label10})
        step->setFont(twips::font(QStringLiteral("宋体"), 10.5));
    Frame2->hide();

    Frame4 = named(new QFrame(this), QStringLiteral("Frame4"));
    placeTwips(Frame4, 5640, 60, 1485, 2175);
    Frame4->setFrameShape(QFrame::StyledPanel);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("1"), Frame4, 45, 120, 1395, 915);
    Label5->setFont(twips::font(QStringLiteral("Times New Roman"), 42, true));
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setToolTip(QStringLiteral("这是当前抽签者抽签得到的顺序号"));
    setTextColour(Label5, kRed);
    Line1 = named(new QFrame(Frame4), QStringLiteral("Line1"));
    placeTwips(Line1, 60, 1080, 1365, 15);
    Line1->setFrameShape(QFrame::HLine);
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("?"), Frame4, 45, 1140, 1395, 915);
    Label3->setFont(twips::font(QStringLiteral("Times New Roman"), 42, true));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setToolTip(QStringLiteral("这是参加抽签的总人数"));
    setTextColour(Label3, kBlue);

    auto button = [this](const QString& name, const QString& text, double left, double width) {
        auto* created = named(new QPushButton(text, this), name);
        placeTwips(created, left, 2370, width, 390);
        created->setFont(twips::font(QStringLiteral("宋体"), 10.5));
        return created;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("开始"), 240, 1215);
    CommandZb = button(QStringLiteral("CommandZb"), QStringLiteral("下一位"), 1655, 1215);
    CommandQq = button(QStringLiteral("CommandQq"), QStringLiteral("抽签"), 3070, 1095);
    CommandQuit = button(QStringLiteral("CommandQuit"), QStringLiteral("退出"), 4320, 1215);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("修改名单"), 5700, 1335);
    CommandZb->setEnabled(false);
    CommandQq->setEnabled(false);

    Label8 = label(QStringLiteral("Label8"), kRoundOver, this, 1320, 2355, 2895, 405);
    Label8->setFont(twips::font(QStringLiteral("宋体"), 18, true));
    Label8->setAlignment(Qt::AlignCenter);
    setTextColour(Label8, kRed);
    Label8->hide();
}

void NameListDraw::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(CommandZb, &QPushButton::clicked, this, [this] { commandZbClick(); });
    connect(CommandQq, &QPushButton::clicked, this, [this] { commandQqClick(); });
    connect(CommandQuit, &QPushButton::clicked, this, [this] { commandQuitClick(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
}

MainWindow* NameListDraw::mainWindow()
{
    return program().loadedAs<MainWindow>(WindowKind::Main);
}

Spreadsheet* NameListDraw::spreadsheet()
{
    return program().spreadsheet();
}

void NameListDraw::showMainWindow()
{
    if (MainWindow* main = mainWindow()) {
        main->show();
        hide();
        main->resumeTracking();
    }
}

void NameListDraw::inform(const QString& text)
{
    program().dialogs().inform(this, kNoticeTitle, text);
}

void NameListDraw::load()
{
    Label3->setText(QStringLiteral("?"));
    Label5->setText(QStringLiteral("1"));
    listLoaded_ = false;
    if (MainWindow* main = mainWindow())
        main->hide();
    program().windows().makeTopMost(this);
    const QSize screen = program().windows().screenSizeTwips();
    moveTwips((screen.width() - widthTwips()) / 2, (screen.height() - heightTwips()) / 2 - 2400);
}

void NameListDraw::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Command1->setFocus();
}

void NameListDraw::command1Click()
{
    CommandZb->show();
    CommandQq->show();
    Command1->setEnabled(false);
    Command2->setEnabled(false);

    // A workbook still open from an earlier round keeps what was drawn in it.
    Spreadsheet* engine = spreadsheet();
    if (engine && engine->hasWorkbook())
        saveAndClose();
    listLoaded_ = false;

    Label8->hide();
    Text1->setText(kLoading);
    Text2->setText(kPleaseWait);

    listPath_ = namelist::findFile(program().dataFolder());
    if (!engine) {
        failStart(namelist::openProblem(
            OfficeError::of(OfficeError::Code::EngineUnavailable, QStringLiteral("这个版本没有表格程序。")),
            listPath_));
        return;
    }
    // What can be told without the spreadsheet program is told at once.
    if (!QFileInfo(listPath_).isFile()) {
        failStart(namelist::openProblem(OfficeError::of(OfficeError::Code::FileMissing), listPath_));
        return;
    }
    if (const QString holder = engine->heldBy(listPath_); !holder.isEmpty()) {
        failStart(namelist::openProblem(OfficeError::of(OfficeError::Code::HeldByOther, holder), listPath_));
        return;
    }
    // Coming up takes a second or two: the window stays responsive meanwhile, and Quit abandons it.
    loading_ = true;
    QPointer<NameListDraw> self(this);
    engine->start([self](const OfficeError& error) {
        if (!self || !self->loading_)
            return;
        self->loading_ = false;
        if (error) {
            self->failStart(namelist::openProblem(error, self->listPath_));
            return;
        }
        self->readList();
    });
}

void NameListDraw::readList()
{
    Spreadsheet* engine = spreadsheet();
    if (const OfficeError error = engine->open(listPath_, namelist::kSheet)) {
        failStart(namelist::openProblem(error, listPath_));
        return;
    }
    const namelist::Total total = namelist::readTotal(engine->cell(1, 1), listPath_);
    if (!total.count) {
        failStart(total.problem);
        return;
    }
    DrawnCount = 0;
    EntryTotal = std::min<int16_t>(*total.count, DrawPot::kMaxEntries);
    Label3->setText(trimmedNumber(EntryTotal));
    Label5->setText(trimmedNumber(DrawnCount + 1));
    for (int i = 1; i <= EntryTotal; ++i) {
        EntryNumbers[i] = cellText(engine->cell(i + 2, kNumberColumn));
        EntryNames[i] = cellText(engine->cell(i + 2, kNameColumn));
        engine->setCell(i + 2, kOrderColumn, CellValue::empty());
    }
    pot_.fill(EntryTotal);
    writeLost_ = false;

    listLoaded_ = true;
    CommandQuit->setEnabled(false);
    Timer1->setEnabled(true);
    CommandZb->setEnabled(false);
    CommandQq->setEnabled(true);
    CommandQq->setFocus();
    Label3->setText(trimmedNumber(EntryTotal));
    Label5->setText(trimmedNumber(DrawnCount + 1));
}

void NameListDraw::failStart(const QString& message)
{
    loading_ = false;
    if (Spreadsheet* engine = spreadsheet())
        engine->quit();
    listLoaded_ = false;
    Timer1->setEnabled(false);
    Text1->setText(kClickStart);
    Text2->setText(kStartDrawing);
    Label3->setText(QStringLiteral("?"));
    Label5->setText(QStringLiteral("1"));
    Label8->hide();
    CommandZb->show();
    CommandQq->show();
    CommandZb->setEnabled(false);
    CommandQq->setEnabled(false);
    Command1->setText(QStringLiteral("开始"));
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    CommandQuit->setEnabled(true);
    inform(message);
}

void NameListDraw::timer1Tick()
{
    const int j = pickNumber(EntryTotal, RandomSource::shared());
    if (j < 1 || j > EntryTotal)
        return;
    Text1->setText(EntryNumbers[j].trimmed());
    Text2->setText(EntryNames[j].trimmed());
}

void NameListDraw::commandQqClick()
{
    Timer1->setEnabled(false);
    CommandZb->setEnabled(true);
    CommandZb->setFocus();
    CommandQuit->setEnabled(true);

    const int k = pot_.draw(RandomSource::shared());
    if (k < 1) {
        CommandQq->setEnabled(false);
        return;
    }
    LastDrawn = int16_t(k);
    Text1->setText(EntryNumbers[k].trimmed());
    Text2->setText(EntryNames[k].trimmed());
    ++DrawnCount;
    Label3->setText(trimmedNumber(EntryTotal));
    Label5->setText(trimmedNumber(DrawnCount));

    if (listLoaded_ && !writeLost_) {
        Spreadsheet* engine = spreadsheet();
        if (!engine || engine->setCell(k + 2, kOrderColumn, CellValue::fromNumber(DrawnCount))) {
            // The draw goes on; only the record in the file is lost, and the user is told once.
            writeLost_ = true;
            inform(namelist::writeProblem(listPath_));
        }
    }

    if (pot_.isEmpty())
        endRound();
    CommandQq->setEnabled(false);
}

void NameListDraw::endRound()
{
    Label8->show();
    Command1->setText(QStringLiteral("下一轮"));
    Label8->setText(kRoundOver);
    Text1->setFocus();
    CommandZb->setEnabled(false);
    CommandZb->hide();
    CommandQq->hide();
    DrawnCount = 0;
    Command1->setEnabled(true);
    if (listLoaded_)
        saveAndClose();
    listLoaded_ = false;
    pot_.fill(EntryTotal);
}

void NameListDraw::saveAndClose()
{
    Spreadsheet* engine = spreadsheet();
    if (!engine)
        return;
    const QString path = engine->workbookPath();
    if (engine->hasWorkbook() && !writeLost_) {
        if (const OfficeError error = engine->save()) {
            engine->quit();
            inform(namelist::saveProblem(error, path.isEmpty() ? listPath_ : path));
            return;
        }
    }
    engine->quit();
}

void NameListDraw::commandZbClick()
{
    CommandQuit->setEnabled(false);
    Timer1->setEnabled(true);
    CommandZb->setEnabled(false);
    CommandQq->setEnabled(true);
    CommandQq->setFocus();
    Label3->setText(trimmedNumber(EntryTotal));
    Label5->setText(trimmedNumber(DrawnCount + 1));
}

void NameListDraw::command2Click()
{
    Frame2->show();
    Frame2->raise();
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Timer1->setEnabled(false);

    const QString path = namelist::findFile(program().dataFolder());
    Spreadsheet* engine = spreadsheet();
    const OfficeError error = engine ? engine->openForEditing(path)
                                     : OfficeError::of(OfficeError::Code::EngineUnavailable,
                                                       QStringLiteral("这个版本没有表格程序。"));
    if (error) {
        Frame2->hide();
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        inform(namelist::openProblem(error, path));
    }
}

void NameListDraw::commandQuitClick()
{
    Text1->setText(kReturning);
    Text2->setText(kPleaseWait);
    CommandZb->show();
    CommandQq->show();
    CommandQuit->setEnabled(false);
    CommandZb->setEnabled(false);
    Frame2->hide();
    Label8->hide();
    Command1->setText(QStringLiteral("开始"));

    program().timers().yieldToEvents();
    Timer1->setEnabled(false);
    program().timers().yieldToEvents();
    Label5->setText(QStringLiteral("1"));
    Label3->setText(QStringLiteral("?"));

    // Our own background instance only: what was drawn so far is saved, then it ends.
    loading_ = false;
    if (Spreadsheet* engine = spreadsheet()) {
        engine->cancelStart();
        saveAndClose();
        listLoaded_ = false;
        // The user's own office is theirs: a list still open there stays open, unsaved edits and all.
        const QString path = namelist::findFile(program().dataFolder());
        const QString holder = engine->heldBy(path);
        if (!holder.isEmpty())
            inform(namelist::stillOpenNotice(holder, path));
    }

    hide();
    Timer1->setEnabled(false);
    Text1->setText(kClickStart);
    Text2->setText(kStartDrawing);
    CommandQq->setEnabled(false);
    CommandZb->setEnabled(false);
    Command1->setEnabled(true);
    CommandQuit->setEnabled(true);
    program().timers().yieldToEvents();

    showMainWindow();
    listLoaded_ = false;
    Command2->setEnabled(true);
}

void NameListDraw::unload()
{
    hide();
    Timer1->setEnabled(false);
    Text1->setText(kClickStart);
    Text2->setText(kStartDrawing);
    CommandQq->setEnabled(false);
    // The window goes away with what was drawn in it saved; the background instance ends with it.
    loading_ = false;
    if (Spreadsheet* engine = spreadsheet()) {
        engine->cancelStart();
        if (listLoaded_ || engine->isRunning())
            saveAndClose();
    }
    listLoaded_ = false;
    program().timers().yieldToEvents();
    showMainWindow();
}
