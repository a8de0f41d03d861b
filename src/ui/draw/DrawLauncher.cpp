#include "ui/draw/DrawLauncher.h"

#include "models/draw/ParticipantCount.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <algorithm>

namespace {

const QColor kRed(255, 0, 0);
const QColor kPromptBrown(192, 64, 0);
const QColor kHintGrey(128, 128, 128);
const QColor kQuestionRed(192, 0, 0);

} // namespace

DrawLauncher::DrawLauncher(Program& program) : Form(program, WindowKind::DrawLauncher)
{
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resize(twips::toPixels(kDesignClientWidth, tpp()), twips::toPixels(kDesignClientHeight, tpp()));
    buildControls();
    connectHandlers();
    WindowChrome::attach(this, {objectName(), "Frame1", "Frame4", "Label5", "Label6", "Label7"},
                         {"Command1", "Command2", "Command5", "Command6", "Command8", "Command9", "Command10",
                          "Command11", "Command12"});
}

void DrawLauncher::buildControls()
{
    auto frame = [](const QString& name, QWidget* parent) { return named(new QFrame(parent), name); };
    auto label = [this](const QString& name, const QString& text, QWidget* parent, double l, double t,
                        double w, double h) {
        auto* created = named(new QLabel(text, parent), name);
        created->setTextFormat(Qt::PlainText);
        placeTwips(created, l, t, w, h);
        return created;
    };
    auto button = [this](const QString& name, const QString& text, QWidget* parent, double l, double t,
                         double w, double h) {
        auto* created = named(new QPushButton(text, parent), name);
        placeTwips(created, l, t, w, h);
        return created;
    };

    Frame1 = frame(QStringLiteral("Frame1"), this);
    placeTwips(Frame1, 120, 15, 5895, 5445);

    // Count entry, under the mode selection.
    Frame4 = frame(QStringLiteral("Frame4"), Frame1);
    placeTwips(Frame4, 180, 120, 5500, 2175);
    Label6 =
        label(QStringLiteral("Label6"), QStringLiteral("请输入抽签总人数："), Frame4, 1080, 360, 2820, 435);
    Label6->setFont(twips::font(QStringLiteral("宋体"), 15, true));
    setTextColour(Label6, kPromptBrown);
    Command6 = button(QStringLiteral("Command6"), QStringLiteral("取消"), Frame4, 3120, 1200, 855, 360);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("提示：抽签总人数必须为数值，控制在2-200人之内"),
                   Frame4, 390, 1920, 5050, 255);
    setTextColour(Label5, kHintGrey);

    Text2 = named(new QLineEdit(QStringLiteral("5"), Frame1), QStringLiteral("Text2"));
    placeTwips(Text2, 3960, 405, 615, 435);
    Text2->setMaxLength(3);
    Text2->setAlignment(Qt::AlignCenter);
    Text2->setFont(twips::font(QStringLiteral("Times New Roman"), 15.75, true));
    Text2->setAccessibleName(QStringLiteral("抽签总人数"));
    Command5 = button(QStringLiteral("Command5"), QStringLiteral("确认"), Frame1, 1680, 1320, 855, 360);

    // Round not finished.
    Label7 = label(QStringLiteral("Label7"), QString(), Frame1, 120, 240, 5655, 1755);
    Label7->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Label7, kQuestionRed);
    Command8 = button(QStringLiteral("Command8"), QStringLiteral("结束抽签"), Frame1, 1390, 1730, 1215, 375);
    Command9 = button(QStringLiteral("Command9"), QStringLiteral("继续抽签"), Frame1, 3090, 1730, 1215, 375);
    for (QWidget* hidden : std::initializer_list<QWidget*>{Label7, Command8, Command9})
        hidden->hide();

    // Mode selection, covering everything above while it is shown.
    Frame3 = frame(QStringLiteral("Frame3"), Frame1);
    placeTwips(Frame3, 0, 0, 5895, 5460);
    Frame3->setAutoFillBackground(true);
    Label8 = label(QStringLiteral("Label8"), QStringLiteral("请选择所需功能"), Frame3, 1515, 320, 2865, 375);
    Label8->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    Label8->setAlignment(Qt::AlignCenter);
    setTextColour(Label8, kRed);
    // Sits on the top edge of the group below like a group title: as wide as its text, centred.
    Label8->setAutoFillBackground(true);
    const int headingWidth =
        Label8->fontMetrics().horizontalAdvance(Label8->text()) + twips::toPixels(240, tpp());
    Label8->setGeometry((Label8->x() * 2 + Label8->width() - headingWidth) / 2, Label8->y(), headingWidth,
                        Label8->height());

    const QFont modeFont = twips::font(QStringLiteral("宋体"), 10.5, true);
    Frame5 = frame(QStringLiteral("Frame5"), Frame3);
    placeTwips(Frame5, 1080, 600, 3585, 2535);
    Frame5->setFrameShape(QFrame::StyledPanel);
    Command11 =
        button(QStringLiteral("Command11"), QStringLiteral("随机抽取顺序号"), Frame5, 390, 360, 2775, 495);
    Command10 =
        button(QStringLiteral("Command10"), QStringLiteral("按名单随机抽签"), Frame5, 390, 1095, 2775, 480);
    Command12 =
        button(QStringLiteral("Command12"), QStringLiteral("PPT图文随机抽签"), Frame5, 390, 1815, 2775, 480);

    Frame2 = frame(QStringLiteral("Frame2"), Frame3);
    placeTwips(Frame2, 1080, 3360, 3585, 1800);
    Frame2->setFrameShape(QFrame::StyledPanel);
    Command1 =
        button(QStringLiteral("Command1"), QStringLiteral("播放PPT说明文件一"), Frame2, 390, 360, 2775, 480);
    Command2 =
        button(QStringLiteral("Command2"), QStringLiteral("播放PPT说明文件二"), Frame2, 390, 1080, 2775, 480);
    for (QPushButton* mode : {Command11, Command10, Command12, Command1, Command2})
        mode->setFont(modeFont);
    Label8->raise();
}

void DrawLauncher::connectHandlers()
{
    connect(Command11, &QPushButton::clicked, this, [this] { command11Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { command10Click(); });
    connect(Command12, &QPushButton::clicked, this, [this] { command12Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { text2Change(); });
    // Enter in the count box confirms, as the button next to it does.
    connect(Text2, &QLineEdit::returnPressed, this, [this] { command5Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { command5Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { command6Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { command8Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { command9Click(); });
}

MainWindow* DrawLauncher::mainWindow()
{
    return program().loadedAs<MainWindow>(WindowKind::Main);
}

void DrawLauncher::load()
{
    program().enlargedNotice() = EnlargedNotice::None;
    Label7->setText(QStringLiteral("\n本轮抽签还没有结束\n\n您确实要退出抽签程序吗？"));
    keepQuestionClearOfButtons();
    const MainWindow* main = mainWindow();
    centreHorizontally(main ? main->topTwips() : MainWindow::kStandardTop);
    setNumberH(Text2, true);
    setWindowTitle(kTitle);
    program().windows().makeTopMost(this);
}

void DrawLauncher::keepQuestionClearOfButtons()
{
    // Chinese faces space their lines widely; the buttons move down rather than cover the last line.
    const QRect text =
        Label7->fontMetrics().boundingRect(Label7->contentsRect(), int(Label7->alignment()), Label7->text());
    const int gap = twips::toPixels(60, tpp());
    const int top = std::max(Command8->y(), Label7->y() + text.bottom() + gap);
    const int lowest = twips::toPixels(kEntryFrameHeight, tpp()) - Command8->height() - gap;
    for (QPushButton* button : {Command8, Command9})
        button->move(button->x(), std::min(top, lowest));
}

void DrawLauncher::setNumberH(QLineEdit* box, bool digitsOnly)
{
    MainWindow::setNumber(box, digitsOnly);
}

void DrawLauncher::showModeSelection()
{
    Frame3->show();
    Frame3->raise();
}

void DrawLauncher::showCountEntry()
{
    Frame3->hide();
    placeTwips(Frame1, 120, 15, 5895, kEntryFrameHeight);
    setHeightTwips(kEntryWindowHeight);
}

void DrawLauncher::showRoundNotFinished()
{
    // A launcher loaded afresh (the countdown's reminder unloads it) is still at its design size.
    if (Frame3->isVisibleTo(this))
        showCountEntry();
    for (QWidget* hidden : std::initializer_list<QWidget*>{Command5, Text2, Frame4})
        hidden->hide();
    for (QWidget* shown : std::initializer_list<QWidget*>{Label7, Command8, Command9}) {
        shown->show();
        shown->raise();
    }
    show();
    // As with every question of the program, the answer that loses nothing is the default.
    Command9->setFocus();
}

void DrawLauncher::command11Click()
{
    showCountEntry();
    Text2->setFocus();
    Text2->selectAll();
}

void DrawLauncher::command10Click()
{
    if (!program().isAvailable(WindowKind::NameListDraw)) {
        notInThisVersion(Command10->text());
        return;
    }
    hide();
    Form* nameList = program().form(WindowKind::NameListDraw);
    if (!nameList)
        return;
    nameList->show();
    const MainWindow* main = mainWindow();
    nameList->centreHorizontally(main ? main->topTwips() : MainWindow::kStandardTop);
    if (auto* quit = nameList->findChild<QPushButton*>(QStringLiteral("CommandQuit")))
        quit->setEnabled(true);
}

void DrawLauncher::command12Click()
{
    if (!program().isAvailable(WindowKind::SlideDraw)) {
        notInThisVersion(Command12->text());
        return;
    }
    hide();
    InstructionShow& show = program().instructionShow();
    if (show.isOpen()) {
        if (Form* player = program().loadedForm(WindowKind::InstructionPlayer))
            QMetaObject::invokeMethod(player, "closeNoteShow");
        show.setOpen(false);
    }
    hide();
    Form* slides = program().form(WindowKind::SlideDraw);
    if (!slides)
        return;
    slides->show();
    MainWindow* main = mainWindow();
    slides->centreHorizontally(main ? main->topTwips() : MainWindow::kStandardTop);
    hide();
    if (main)
        main->hide();
}

void DrawLauncher::command1Click()
{
    playNoteDeck(QStringLiteral("Note1.PPT"), Command1->text());
}

void DrawLauncher::command2Click()
{
    playNoteDeck(QStringLiteral("Note2.PPT"), Command2->text());
}

void DrawLauncher::playNoteDeck(const QString& deck, const QString& feature)
{
    if (!program().isAvailable(WindowKind::InstructionPlayer)) {
        notInThisVersion(feature);
        return;
    }
    hide();
    program().instructionShow().setDeck(deck);
    if (Form* player = program().form(WindowKind::InstructionPlayer))
        QMetaObject::invokeMethod(player, "startNoteShow");
}

void DrawLauncher::notInThisVersion(const QString& feature)
{
    // The launcher stays open in its mode view: the user picks another draw or closes it.
    program().dialogs().inform(
        this, kNoticeTitle,
        QStringLiteral("此版本尚未提供“%1”功能。\n请选择其他功能，或关闭本窗口返回主窗口。").arg(feature));
}

void DrawLauncher::beep()
{
    ++beeps_;
    QApplication::beep();
}

void DrawLauncher::text2Change()
{
    using participants::isDigit;
    const QString text = Text2->text();
    const QChar first = text.isEmpty() ? QLatin1Char('1') : text.front();
    const QChar last = text.isEmpty() ? QLatin1Char('1') : text.back();
    if (!isDigit(first))
        refuseEnd(true);
    if (!isDigit(last))
        refuseEnd(false);
    EnteredCount = participants::clamp(participants::leadingNumber(Text2->text()));
}

void DrawLauncher::refuseEnd(bool atStart)
{
    beep();
    beep();
    Label5->show();
    // The refused character itself goes, wherever the caret is; a change handled in between may
    // already have taken it.
    QString text = Text2->text();
    if (text.isEmpty())
        return;
    const qsizetype at = atStart ? 0 : text.size() - 1;
    if (participants::isDigit(text[at]))
        return;
    int caret = Text2->cursorPosition();
    if (at < caret)
        --caret;
    text.remove(at, 1);
    // Runs this change handler again on what is left.
    Text2->setText(text);
    Text2->setCursorPosition(std::min(caret, int(Text2->text().size())));
}

void DrawLauncher::command5Click()
{
    EnteredCount = participants::clamp(participants::leadingNumber(Text2->text()));
    hide();
    // A draw window left behind from an earlier opening would keep its old count: start afresh.
    if (auto* draw = program().reopen<SequenceDraw>(EnteredCount))
        draw->show();
    else
        backToMainWindow();
}

void DrawLauncher::command6Click()
{
    backToMainWindow();
}

void DrawLauncher::backToMainWindow()
{
    MainWindow* main = mainWindow();
    if (main)
        main->resumeTracking();
    program().timers().yieldToEvents();
    program().unload(WindowKind::DrawLauncher);
    if (main)
        main->show();
}

void DrawLauncher::command8Click()
{
    for (QWidget* hidden : std::initializer_list<QWidget*>{Label7, Command8, Command9})
        hidden->hide();
    MainWindow* main = mainWindow();
    if (main)
        main->resumeTracking();
    program().timers().yieldToEvents();
    program().unload(WindowKind::DrawLauncher);
    if (Form* draw = program().loadedForm(WindowKind::SequenceDraw)) {
        if (auto* rolling = draw->findChild<Timer*>(QStringLiteral("Timer1")))
            rolling->setEnabled(false);
    }
    program().unload(WindowKind::SequenceDraw);
    if (main)
        main->show();
}

void DrawLauncher::command9Click()
{
    for (QWidget* hidden : std::initializer_list<QWidget*>{Label7, Command8, Command9})
        hidden->hide();
    Form* draw = program().loadedForm(WindowKind::SequenceDraw);
    if (!draw) {
        // Nothing to go back to: the way home is the main window.
        backToMainWindow();
        return;
    }
    hide();
    draw->show();
}

void DrawLauncher::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (Command8->isVisibleTo(this))
        command8Click();
    else
        backToMainWindow();
}
