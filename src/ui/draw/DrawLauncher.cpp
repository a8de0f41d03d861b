#include "ui/draw/DrawLauncher.h"

#include "models/draw/ParticipantCount.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/DataFolderLink.h"
#include "ui/DigitsValidator.h"
#include "ui/KeyboardUse.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/flow/FlowConductor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

const QColor kRed(255, 0, 0);
const QColor kPromptBrown(192, 64, 0);
const QColor kHintGrey(128, 128, 128);
const QColor kQuestionRed(192, 0, 0);

} // namespace

DrawLauncher::DrawLauncher(Program& program) : ProgramWindow(program, WindowKind::DrawLauncher)
{
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resize(twips::toPixels(kDesignClientWidth, tpp()), twips::toPixels(kDesignClientHeight, tpp()));
    buildControls();
    connect(sequenceDrawButton_, &QPushButton::clicked, this, &DrawLauncher::onSequenceDrawChosen);
    connect(nameListDrawButton_, &QPushButton::clicked, this, &DrawLauncher::onNameListDrawChosen);
    connect(slideDrawButton_, &QPushButton::clicked, this, &DrawLauncher::onSlideDrawChosen);
    connect(deckOneButton_, &QPushButton::clicked, this, &DrawLauncher::onDeckOneChosen);
    connect(deckTwoButton_, &QPushButton::clicked, this, &DrawLauncher::onDeckTwoChosen);
    connect(participantBox_, &QLineEdit::textChanged, this, &DrawLauncher::onCountEdited);
    // Enter in the count box confirms, as the button next to it does.
    connect(participantBox_, &QLineEdit::returnPressed, this, &DrawLauncher::onCountConfirmed);
    connect(confirmButton_, &QPushButton::clicked, this, &DrawLauncher::onCountConfirmed);
    connect(cancelButton_, &QPushButton::clicked, this, &DrawLauncher::onCancelClicked);
    connect(endDrawButton_, &QPushButton::clicked, this, &DrawLauncher::onEndDrawClicked);
    connect(continueDrawButton_, &QPushButton::clicked, this, &DrawLauncher::onContinueDrawClicked);
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

    bodyFrame_ = frame(QStringLiteral("Frame1"), this);
    placeTwips(bodyFrame_, 120, 15, 5895, 5445);

    // Count entry, under the mode selection.
    entryGroup_ = frame(QStringLiteral("Frame4"), bodyFrame_);
    placeTwips(entryGroup_, 180, 120, 5500, 2175);
    countPrompt_ =
        label(QStringLiteral("Label6"), tr("请输入抽签总人数："), entryGroup_, 1080, 360, 2820, 435);
    countPrompt_->setFont(twips::font(QStringLiteral("宋体"), 15, true));
    setTextColour(countPrompt_, kPromptBrown);
    cancelButton_ = button(QStringLiteral("Command6"), tr("取消"), entryGroup_, 3120, 1200, 855, 360);
    countHint_ = label(QStringLiteral("Label5"), tr("提示：抽签总人数必须为数值，控制在2-200人之内"),
                       entryGroup_, 390, 1920, 5050, 255);
    setTextColour(countHint_, kHintGrey);

    participantBox_ = named(new QLineEdit(QStringLiteral("5"), bodyFrame_), QStringLiteral("Text2"));
    placeTwips(participantBox_, 3960, 405, 615, 435);
    participantBox_->setMaxLength(3);
    participantBox_->setAlignment(Qt::AlignCenter);
    participantBox_->setFont(twips::font(QStringLiteral("Times New Roman"), 15.75, true));
    participantBox_->setAccessibleName(tr("抽签总人数"));
    confirmButton_ = button(QStringLiteral("Command5"), tr("确认"), bodyFrame_, 1680, 1320, 855, 360);

    // Round not finished.
    question_ = label(QStringLiteral("Label7"), QString(), bodyFrame_, 120, 240, 5655, 1755);
    question_->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    question_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(question_, kQuestionRed);
    endDrawButton_ = button(QStringLiteral("Command8"), tr("结束抽签"), bodyFrame_, 1390, 1730, 1215, 375);
    continueDrawButton_ =
        button(QStringLiteral("Command9"), tr("继续抽签"), bodyFrame_, 3090, 1730, 1215, 375);
    for (QWidget* hidden : std::initializer_list<QWidget*>{question_, endDrawButton_, continueDrawButton_})
        hidden->hide();

    // Mode selection, covering everything above while it is shown.
    modeView_ = frame(QStringLiteral("Frame3"), bodyFrame_);
    placeTwips(modeView_, 0, 0, 5895, 5460);
    modeView_->setAutoFillBackground(true);
    modeHeading_ = label(QStringLiteral("Label8"), tr("请选择所需功能"), modeView_, 1515, 320, 2865, 375);
    modeHeading_->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    modeHeading_->setAlignment(Qt::AlignCenter);
    setTextColour(modeHeading_, kRed);
    // Sits on the top edge of the group below like a group title: as wide as its text, centred.
    modeHeading_->setAutoFillBackground(true);
    const int headingWidth =
        modeHeading_->fontMetrics().horizontalAdvance(modeHeading_->text()) + twips::toPixels(240, tpp());
    modeHeading_->setGeometry((modeHeading_->x() * 2 + modeHeading_->width() - headingWidth) / 2,
                              modeHeading_->y(), headingWidth, modeHeading_->height());

    const QFont modeFont = twips::font(QStringLiteral("宋体"), 10.5, true);
    drawGroup_ = frame(QStringLiteral("Frame5"), modeView_);
    placeTwips(drawGroup_, 1080, 600, 3585, 2535);
    drawGroup_->setFrameShape(QFrame::StyledPanel);
    sequenceDrawButton_ =
        button(QStringLiteral("Command11"), tr("随机抽取顺序号"), drawGroup_, 390, 360, 2775, 495);
    nameListDrawButton_ =
        button(QStringLiteral("Command10"), tr("按名单随机抽签"), drawGroup_, 390, 1095, 2775, 480);
    slideDrawButton_ =
        button(QStringLiteral("Command12"), tr("PPT图文随机抽签"), drawGroup_, 390, 1815, 2775, 480);

    deckGroup_ = frame(QStringLiteral("Frame2"), modeView_);
    placeTwips(deckGroup_, 1080, 3360, 3585, 1800);
    deckGroup_->setFrameShape(QFrame::StyledPanel);
    deckOneButton_ =
        button(QStringLiteral("Command1"), tr("播放PPT说明文件一"), deckGroup_, 390, 360, 2775, 480);
    deckTwoButton_ =
        button(QStringLiteral("Command2"), tr("播放PPT说明文件二"), deckGroup_, 390, 1080, 2775, 480);
    for (QPushButton* mode :
         {sequenceDrawButton_, nameListDrawButton_, slideDrawButton_, deckOneButton_, deckTwoButton_})
        mode->setFont(modeFont);
    modeHeading_->raise();
    keyboard::addAccessKey(sequenceDrawButton_, Qt::Key_1);
    keyboard::addAccessKey(nameListDrawButton_, Qt::Key_2);
    keyboard::addAccessKey(slideDrawButton_, Qt::Key_3);
    keyboard::addAccessKey(deckOneButton_, Qt::Key_4);
    keyboard::addAccessKey(deckTwoButton_, Qt::Key_5);
    keyboard::addAccessKey(endDrawButton_, Qt::Key_E);
    keyboard::addAccessKey(continueDrawButton_, Qt::Key_C);
    // The way out that loses nothing: back from the count, on with an open round, else home.
    keyboard::setWayOut(this, [this] {
        if (continueDrawButton_->isVisible())
            continueDrawButton_->click();
        else if (cancelButton_->isVisible())
            cancelButton_->click();
        else
            close();
    });
    // Under the decks: where the teacher puts the name list and the decks of the draws.
    placeTwips(new DataFolderLink(program().dataFolder(), program().dialogs(), modeView_), 4200, 5190, 1620,
               255);
}

double DrawLauncher::mainWindowTop()
{
    return flow().mainWindowTop();
}

void DrawLauncher::load()
{
    program().enlargedNotice() = EnlargedNotice::None;
    question_->setText(tr("\n本轮抽签还没有结束\n\n您确实要退出抽签程序吗？"));
    keepQuestionClearOfButtons();
    centreHorizontally(mainWindowTop());
    setDigitsOnly(participantBox_, true);
    setWindowTitle(kTitle);
    program().windows().makeTopMost(this);
}

void DrawLauncher::keepQuestionClearOfButtons()
{
    // Chinese faces space their lines widely; the buttons move down rather than cover the last line.
    const QRect text = question_->fontMetrics().boundingRect(question_->contentsRect(),
                                                             int(question_->alignment()), question_->text());
    const int gap = twips::toPixels(60, tpp());
    const int top = std::max(endDrawButton_->y(), question_->y() + text.bottom() + gap);
    const int lowest = twips::toPixels(kEntryFrameHeight, tpp()) - endDrawButton_->height() - gap;
    for (QPushButton* button : {endDrawButton_, continueDrawButton_})
        button->move(button->x(), std::min(top, lowest));
}

void DrawLauncher::showModeSelection()
{
    modeView_->show();
    modeView_->raise();
}

void DrawLauncher::showCountEntry()
{
    modeView_->hide();
    placeTwips(bodyFrame_, 120, 15, 5895, kEntryFrameHeight);
    setHeightTwips(kEntryWindowHeight);
}

void DrawLauncher::showRoundNotFinished()
{
    // A launcher loaded afresh (the countdown's reminder unloads it) is still at its design size.
    if (modeView_->isVisibleTo(this))
        showCountEntry();
    for (QWidget* hidden : std::initializer_list<QWidget*>{confirmButton_, participantBox_, entryGroup_})
        hidden->hide();
    for (QWidget* shown : std::initializer_list<QWidget*>{question_, endDrawButton_, continueDrawButton_}) {
        shown->show();
        shown->raise();
    }
    show();
    // As with every question of the program, the answer that loses nothing is the default.
    continueDrawButton_->setFocus();
}

void DrawLauncher::onSequenceDrawChosen()
{
    showCountEntry();
    participantBox_->setFocus();
    participantBox_->selectAll();
}

void DrawLauncher::onNameListDrawChosen()
{
    if (!flow().offers(WindowKind::NameListDraw)) {
        notInThisVersion(nameListDrawButton_->text());
        return;
    }
    hide();
    flow().openNameListDraw();
}

void DrawLauncher::onSlideDrawChosen()
{
    if (!flow().offers(WindowKind::SlideDraw)) {
        notInThisVersion(slideDrawButton_->text());
        return;
    }
    hide();
    flow().openSlideDraw();
}

void DrawLauncher::onDeckOneChosen()
{
    playInstructionDeck(QStringLiteral("Note1.PPT"), deckOneButton_->text());
}

void DrawLauncher::onDeckTwoChosen()
{
    playInstructionDeck(QStringLiteral("Note2.PPT"), deckTwoButton_->text());
}

void DrawLauncher::playInstructionDeck(const QString& deck, const QString& feature)
{
    if (!program().instructionShow().isAvailable()) {
        notInThisVersion(feature);
        return;
    }
    hide();
    program().instructionShow().play(deck);
}

void DrawLauncher::notInThisVersion(const QString& feature)
{
    // The launcher stays open in its mode view: the user picks another draw or closes it.
    program().dialogs().inform(
        this, kNoticeTitle,
        tr("此版本尚未提供“%1”功能。\n请选择其他功能，或关闭本窗口返回主窗口。").arg(feature));
}

void DrawLauncher::beep()
{
    ++beeps_;
    QApplication::beep();
}

void DrawLauncher::onCountEdited()
{
    using participants::isDigit;
    const QString text = participantBox_->text();
    const QChar first = text.isEmpty() ? QLatin1Char('1') : text.front();
    const QChar last = text.isEmpty() ? QLatin1Char('1') : text.back();
    if (!isDigit(first))
        refuseEnd(true);
    if (!isDigit(last))
        refuseEnd(false);
    enteredCount_ = participants::clamp(participants::leadingNumber(participantBox_->text()));
}

void DrawLauncher::refuseEnd(bool atStart)
{
    beep();
    beep();
    countHint_->show();
    // The refused character itself goes, wherever the caret is; a change handled in between may
    // already have taken it.
    QString text = participantBox_->text();
    if (text.isEmpty())
        return;
    const qsizetype at = atStart ? 0 : text.size() - 1;
    if (participants::isDigit(text[at]))
        return;
    int caret = participantBox_->cursorPosition();
    if (at < caret)
        --caret;
    text.remove(at, 1);
    // Runs this change handler again on what is left.
    participantBox_->setText(text);
    participantBox_->setCursorPosition(std::min(caret, int(participantBox_->text().size())));
}

void DrawLauncher::onCountConfirmed()
{
    enteredCount_ = participants::clamp(participants::leadingNumber(participantBox_->text()));
    hide();
    flow().openSequenceDraw(enteredCount_);
}

void DrawLauncher::onCancelClicked()
{
    backToMainWindow();
}

void DrawLauncher::backToMainWindow()
{
    flow().leaveLauncher();
}

void DrawLauncher::hideQuestion()
{
    for (QWidget* hidden : std::initializer_list<QWidget*>{question_, endDrawButton_, continueDrawButton_})
        hidden->hide();
}

void DrawLauncher::onEndDrawClicked()
{
    hideQuestion();
    flow().endSequenceRound();
}

void DrawLauncher::onContinueDrawClicked()
{
    hideQuestion();
    flow().continueSequenceRound();
}

void DrawLauncher::showEvent(QShowEvent* event)
{
    ProgramWindow::showEvent(event);
    // Only the choice of draws leads to the name list; the question about a round does not.
    if (modeView_->isVisibleTo(this))
        program().prepareNameList();
}

void DrawLauncher::hideEvent(QHideEvent* event)
{
    ProgramWindow::hideEvent(event);
    program().leaveNameList();
}

void DrawLauncher::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (endDrawButton_->isVisibleTo(this))
        onEndDrawClicked();
    else
        backToMainWindow();
}
