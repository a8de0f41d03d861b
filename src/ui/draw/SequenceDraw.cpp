#include "ui/draw/SequenceDraw.h"

#include "models/draw/ParticipantCount.h"
#include "models/draw/RandomSource.h"
#include "platform/SoundDevice.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/main/MainWindow.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

const QColor kRed(255, 0, 0);
const QColor kOrange(255, 128, 0);
const QColor kHeadingBrown(192, 64, 0);
const QColor kListBackground(255, 224, 192);

} // namespace

SequenceDraw::SequenceDraw(Program& program) : Form(program, WindowKind::SequenceDraw)
{
    setWindowTitle(kTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resize(twips::toPixels(kDesignClientWidth, tpp()), twips::toPixels(kDesignClientHeight, tpp()));
    buildControls();
    connectHandlers();
    WindowChrome::attach(this, {}, {"Command1", "Command2", "Command4", "Command7"});
    Timer1 = makeTimer(QStringLiteral("Timer1"), 32, TickPolicy::Pacing);
    Timer1->onTick([this] { timer1Tick(); });
    sound_ = program.sounds().create();
}

SequenceDraw::~SequenceDraw() = default;

void SequenceDraw::buildControls()
{
    auto label = [this](const QString& name, const QString& text, QWidget* parent, double l, double t,
                        double w, double h) {
        auto* created = named(new QLabel(text, parent), name);
        created->setTextFormat(Qt::PlainText);
        placeTwips(created, l, t, w, h);
        return created;
    };

    Frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    placeTwips(Frame1, 150, 75, 11415, 6855);

    Label1 = label(QStringLiteral("Label1"), QString(), Frame1, 330, 120, 10770, 6615);
    Label1->setFont(twips::font(QStringLiteral("Times New Roman"), kNumberPoints, true));
    Label1->setAlignment(Qt::AlignCenter);
    setTextColour(Label1, kRed);

    Label2 = label(QStringLiteral("Label2"), QStringLiteral("请点击“开始”按钮开始抽签"), Frame1, 240, 395,
                   6015, 615);
    Label2->setFont(twips::font(QStringLiteral("宋体"), 21.75, true));
    setTextColour(Label2, kOrange);

    Label3 = label(QStringLiteral("Label3"), QStringLiteral("本轮抽签结束！"), Frame1, 240, 330, 6015, 855);
    Label3->setFont(twips::font(QStringLiteral("宋体"), 36, true));
    Label3->setAlignment(Qt::AlignCenter);
    setTextColour(Label3, kRed);
    Label3->hide();

    Frame3 = named(new QFrame(Frame1), QStringLiteral("Frame3"));
    placeTwips(Frame3, 6240, 150, 5070, 525);
    auto button = [this](const QString& name, const QString& text, const QString& tip, double left) {
        auto* created = named(new QPushButton(text, Frame3), name);
        placeTwips(created, left, 15, 1185, 495);
        created->setToolTip(tip);
        created->setFont(twips::font(QStringLiteral("宋体"), 10.5, true));
        return created;
    };
    Command1 =
        button(QStringLiteral("Command1"), QStringLiteral("抽  签"), QStringLiteral("随机抽取一个序号"), 0);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("开  始"),
                      QStringLiteral("进入随机抽签状态"), 1295);
    Command4 =
        button(QStringLiteral("Command4"), QStringLiteral("下一轮"), QStringLiteral("进行下一轮抽签"), 2590);
    Command7 =
        button(QStringLiteral("Command7"), QStringLiteral("结  束"), QStringLiteral("退出抽签程序"), 3885);
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    Command4->hide();
    Command7->hide();

    Frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    placeTwips(Frame2, 150, 7335, 11415, 900);
    Text1 = named(new QLineEdit(Frame2), QStringLiteral("Text1"));
    placeTwips(Text1, 45, 150, 11335, 690);
    Text1->setReadOnly(true);
    Text1->setFont(twips::font(QStringLiteral("Times New Roman"), 15.75, true));
    Text1->setAccessibleName(QStringLiteral("已抽出的顺序号"));
    QPalette listPalette = Text1->palette();
    listPalette.setColor(QPalette::Base, kListBackground);
    Text1->setPalette(listPalette);

    Label4 =
        label(QStringLiteral("Label4"), QStringLiteral("已抽出顺序号如下："), this, 150, 7110, 5775, 330);
    Label4->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    setTextColour(Label4, kHeadingBrown);
}

void SequenceDraw::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { command4Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { command7Click(); });
}

MainWindow* SequenceDraw::mainWindow()
{
    return program().loadedAs<MainWindow>(WindowKind::Main);
}

void SequenceDraw::fitNumberFont()
{
    QFont font = twips::font(QStringLiteral("Times New Roman"), kNumberPoints, true);
    const QFontMetricsF metrics(font, Label1);
    qreal widestDigit = 0;
    qreal glyphTop = 0, glyphBottom = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
        const QChar c = QLatin1Char(digit);
        widestDigit = std::max(widestDigit, metrics.horizontalAdvance(c));
        const QRectF box = metrics.tightBoundingRect(QString(c));
        glyphTop = std::min(glyphTop, box.top());
        glyphBottom = std::max(glyphBottom, box.bottom());
    }
    // The label centres the line box; the digits sit between the baseline and their tops in it.
    const qreal lineTop = (Label1->height() - metrics.height()) / 2;
    const qreal baseline = lineTop + metrics.ascent();
    const qreal digitsTop = baseline + glyphTop;
    const qreal digitsBottom = baseline + glyphBottom;
    const qreal room = Label1->height();
    qreal scale = 1;
    const int widestNumber = 3;
    if (widestDigit * widestNumber > Label1->width() * 0.98)
        scale = std::min(scale, Label1->width() * 0.98 / (widestDigit * widestNumber));
    if (digitsTop < 0 || digitsBottom > room)
        scale = std::min(scale, room * 0.96 / (glyphBottom - glyphTop));
    if (scale < 1)
        font.setPointSizeF(kNumberPoints * scale);
    Label1->setFont(font);
}

void SequenceDraw::load()
{
    ProgramState& s = program().state();
    roundOpen_ = false;
    Command1->setEnabled(true);
    Command1->show();
    program().timers().yieldToEvents();
    program().windows().makeTopMost(this);
    Command2->setText(QStringLiteral("下一个"));
    Label2->setText(kReadyPrompt);
    sound_->setFileName(QStringLiteral("notify.wav"));

    moveControlTwips(Frame3, 6240, 150);
    placeTwips(Frame1, 150, 75, 11415, 6855);
    placeTwips(Label1, 330, 120, 10770, 6615);
    fitNumberFont();
    const Form* launcher = program().loadedForm(WindowKind::DrawLauncher);
    const MainWindow* main = mainWindow();
    centreHorizontally(launcher ? launcher->topTwips() : main ? main->topTwips() : MainWindow::kStandardTop);

    program().timers().yieldToEvents();
    playCue(QStringLiteral("notify.wav"));

    TotalCount = participants::clamp(s.DrawTotal);
    pot_.fill(TotalCount);
    Timer1->setEnabled(true);
    Label4->setText(QStringLiteral("抽签总人数为") + QString::number(double(TotalCount), 'g', 7) +
                    QStringLiteral("人，") + QStringLiteral("已抽出顺序号如下："));
}

void SequenceDraw::unload()
{
    if (sound_)
        sound_->close();
}

void SequenceDraw::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Command1->show();
    Command2->show();
    if (Command1->isEnabled())
        Command1->setFocus();
    Command4->show();
    Command7->show();
    Label1->show();
}

void SequenceDraw::playCue(const QString& fileName)
{
    sound_->setFileName(fileName);
    // Only one device holds the sound output at a time.
    if (MainWindow* main = mainWindow())
        main->soundDevice().close();
    sound_->close();
    program().timers().yieldToEvents();
    sound_->open();
    sound_->play();
}

void SequenceDraw::timer1Tick()
{
    Label1->setText(QString::number(pickNumber(TotalCount, RandomSource::shared())));
}

void SequenceDraw::command1Click()
{
    // A rolling tick must not overwrite the number drawn below.
    Timer1->setEnabled(false);
    setHeightTwips(kDrawnHeight);
    Label1->show();
    Label2->setText(kDrawnPrompt);
    Label2->show();
    Label3->hide();

    const int drawn = pot_.draw(RandomSource::shared());
    Label1->setText(QString::number(drawn));
    Label2->show();
    const QString number = QString::number(drawn);
    Text1->setText(Text1->text().isEmpty() ? number : Text1->text() + kSeparator + number);
    Text1->setCursorPosition(int(Text1->text().size()));

    const bool remaining = !pot_.isEmpty();
    roundOpen_ = remaining;
    Command2->setEnabled(true);
    Command2->setFocus();
    if (!remaining) {
        Label3->show();
        playCue(QStringLiteral("ding.wav"));
        Label2->hide();
        Command1->setEnabled(false);
        Command2->setEnabled(false);
        Command4->setEnabled(true);
        Command4->setFocus();
        pot_.fill(TotalCount);
    }
    Command1->setEnabled(false);
}

void SequenceDraw::command2Click()
{
    roundOpen_ = true;
    Label2->setText(kNextPrompt);
    Command1->setEnabled(true);
    Command1->setFocus();
    Command2->setEnabled(false);
    Timer1->setEnabled(true);
}

void SequenceDraw::command4Click()
{
    Label2->show();
    Label2->setText(kReadyPrompt);
    Text1->clear();
    Command4->setEnabled(false);
    Command1->setEnabled(true);
    Command2->setEnabled(false);
    Command1->setFocus();
    Label3->hide();
    Label1->setText(QStringLiteral("0"));
    Timer1->setEnabled(true);
}

void SequenceDraw::command7Click()
{
    if (roundOpen_) {
        playCue(QStringLiteral("notify.wav"));
        hide();
        if (auto* launcher = program().formAs<DrawLauncher>(WindowKind::DrawLauncher))
            launcher->showRoundNotFinished();
        return;
    }
    MainWindow* main = mainWindow();
    if (main)
        main->resumeTracking();
    Timer1->setEnabled(false);
    program().timers().yieldToEvents();
    hide();
    program().unload(WindowKind::SequenceDraw);
    if (main)
        main->show();
}

void SequenceDraw::closeEvent(QCloseEvent* event)
{
    event->ignore();
    command7Click();
}
