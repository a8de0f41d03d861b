// The countdown of the main window: Start, Pause/Continue, Stop, the one-second tick, the reminder
// effect, the time-up effect and the pause blink.
#include "models/countdown/TimeEntry.h"
#include "models/countdown/TimeText.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {

Timer* timerOf(Form* form, const char* name)
{
    return form ? form->findChild<Timer*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

void MainWindow::setEntryRowVisible(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Text4, Text5, Label22, Label29, Label28,
                                                      Label30, Label1, Label2})
        w->setVisible(visible);
}

void MainWindow::setPresetsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Option1, Option2, Option3, Label7})
        w->setEnabled(enabled);
}

void MainWindow::showCount(const QString& text)
{
    Label3->setText(text);
    program().countdown().setCountText(text);
}

void MainWindow::restoreEntries()
{
    CountMinutes = SavedTotalMinutes;
    ReminderMinutes = SavedReminderMinutes;
    TotalSeconds = SavedTotalSeconds;
    ReminderSeconds = SavedReminderSeconds;
}

void MainWindow::command1Click()
{
    Label8->setText(PresetStore::caption(selectedPreset()));
    readEntries();

    switch (checkStart(CountMinutes, TotalSeconds, ReminderMinutes, ReminderSeconds)) {
    case StartCheck::TooShort:
        placeStandard();
        program().dialogs().inform(this, EntryMessages::kTooShortTitle, EntryMessages::kTooShort);
        return;
    case StartCheck::ReminderTooLate:
        placeStandard();
        program().dialogs().inform(this, EntryMessages::kReminderTitle, EntryMessages::kReminderTooLate);
        Text2->setText(QStringLiteral("0"));
        return;
    case StartCheck::Accepted:
        break;
    }

    setPresetsEnabled(false);
    Command5->setEnabled(false);
    Label3->show();
    program().countdown().setStartedTotal(CountMinutes, TotalSeconds);

    Label31->setText(summaryText(CountMinutes, TotalSeconds, ReminderMinutes, ReminderSeconds));
    Label31->show();
    Label18->show();
    Label8->show();
    setEntryRowVisible(false);

    SavedTotalMinutes = CountMinutes;
    SavedReminderMinutes = ReminderMinutes;
    SavedTotalSeconds = TotalSeconds;
    SavedReminderSeconds = ReminderSeconds;

    MinuteText = twoDigitText(CountMinutes);
    StartSecondText = twoDigitText(TotalSeconds);
    showCount(MinuteText + QStringLiteral(" : ") + StartSecondText);

    Timer1->setEnabled(true);
    program().countdown().setState(Countdown::State::Running);
    Command4->setEnabled(true);
    // One more than entered: the first tick shows the entered time once more.
    CountSeconds = int16_t(TotalSeconds + 1);
    Command1->setEnabled(false);
    Command2->setEnabled(true);
    Command3->setEnabled(true);

    playCue();

    show();
    program().unload(WindowKind::DrawLauncher);
}

void MainWindow::timer1Tick()
{
    CountSeconds = int16_t(CountSeconds - 1);
    if (CountSeconds < 0) {
        CountSeconds = 59;
        CountMinutes = int16_t(CountMinutes - 1);
    }
    MinuteText = twoDigitText(CountMinutes);

    if (CountMinutes == 0 && CountSeconds == 0) {
        moveTwips(135, kStandardTop);
        program().tracking().clearDocked();
        program().enlargedNotice() = EnlargedNotice::TimeUp;
        Timer3->setEnabled(true);
    }

    if (ReminderMinutes + ReminderSeconds != 0 && CountMinutes == ReminderMinutes &&
        CountSeconds == ReminderSeconds) {
        reminderSavedPlace.reset();
        if (program().tracking().isDocked())
            reminderSavedPlace =
                SavedPlace{std::round(leftTwips()), topTwips(), program().tracking().docked()};
        placeStandard();
        program().tracking().clearDocked();
        Timer4->setEnabled(true);
    }

    SecondText = twoDigitText(CountSeconds);
    showCount(MinuteText + QStringLiteral(" : ") + SecondText);

    if (CountMinutes == 0 && CountSeconds == 0) {
        Timer3->setEnabled(true);
        Timer1->setEnabled(false);
        Command1->setEnabled(false);
        Command2->setEnabled(false);
        Command3->setEnabled(false);
    }
}

void MainWindow::timer4Tick()
{
    ReminderTicks = int16_t(ReminderTicks + 1);
    const int n = ReminderTicks;

    Form* strip = program().loadedForm(WindowKind::ToolStrip);
    if (strip && strip->isVisible())
        TipWasVisible = true;
    if (strip)
        strip->hide();
    if (n == 1 && isVisible())
        MainWasVisible = true;

    if (Form* enlarged = program().loadedForm(WindowKind::EnlargedCountdown)) {
        const double screenWidth = program().windows().screenSizeTwips().width();
        enlarged->moveTwips((screenWidth - enlarged->widthTwips()) / 2, topTwips() + heightTwips() + 600);
    }

    Command3->setEnabled(false);
    Command4->setEnabled(false);
    if (n == 1)
        playCue();
    Label6->show();
    Label1->hide();
    Label2->hide();
    Label3->hide();
    Text1->hide();
    Text2->hide();
    Label6->setText(reminderText(ReminderMinutes, ReminderSeconds));

    if (n > 5) {
        show();
        program().unload(WindowKind::DrawLauncher);
    } else {
        setVisible(!isVisible());
    }

    if (n > 12) {
        setVisible(MainWasVisible);
        if (strip) {
            strip->setVisible(TipWasVisible);
            if (strip->isVisible())
                if (Timer* stripTimer = timerOf(strip, "Timer1"))
                    stripTimer->setEnabled(true);
        }
        TipWasVisible = false;
        MainWasVisible = false;
        Command3->setEnabled(true);
        Command4->setEnabled(true);
        if (program().enlargedNotice() == EnlargedNotice::ClosedByUser) {
            show();
            MainWasVisible = true;
            program().enlargedNotice() = EnlargedNotice::None;
        }
        ReminderTicks = 0;
        Label6->hide();
        Label3->show();
        if (reminderSavedPlace) {
            show();
            moveTwips(reminderSavedPlace->left, reminderSavedPlace->top);
            program().tracking().setDocked(reminderSavedPlace->docked);
            reminderSavedPlace.reset();
        }
        Timer4->setEnabled(false);
    }
}

void MainWindow::timer3Tick()
{
    const int t = TimeUpTicks;

    show();
    if (Form* strip = program().loadedForm(WindowKind::ToolStrip))
        strip->hide();
    program().unload(WindowKind::DrawLauncher);

    Label5->show();
    Command4->setEnabled(false);
    Label1->hide();
    Label2->hide();
    Label3->hide();
    Text1->hide();
    Text2->hide();

    const double right = program().windows().screenSizeTwips().width() - widthTwips() - 135;
    if (t > 40) {
        placeStandard();
    } else if (SlideDirection == -1) {
        if (leftTwips() <= right)
            setLeftTwips(leftTwips() + 120);
    } else {
        if (leftTwips() >= 135)
            setLeftTwips(leftTwips() - 120);
    }
    if (leftTwips() <= 135 || leftTwips() > right)
        SlideDirection = int16_t(-SlideDirection);

    TimeUpTicks = int16_t(t + 1);
    if (t == 0)
        playCue();

    if (TimeUpTicks >= 120) {
        TimeUpTicks = 0;
        Label5->hide();
        restoreEntries();
        Command1->setEnabled(true);
        Command2->setEnabled(false);
        Command3->setEnabled(false);
        Command4->setEnabled(false);
        Command2->setText(QStringLiteral("暂停"));
        Timer2->setEnabled(true);
        Timer1->setEnabled(false);
        Timer3->setEnabled(false);
        MinuteText = twoDigitText(CountMinutes);
        showCount(MinuteText + QStringLiteral(" : ") + StartSecondText);
        for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Text4, Text5, Label1, Label2, Label22,
                                                          Label29, Label28, Label30})
            w->show();
        for (QWidget* w : std::initializer_list<QWidget*>{Label31, Label3, Label18, Label8})
            w->hide();
        placeStandard();
        setPresetsEnabled(true);
    }
    program().countdown().setState(Countdown::State::Stopped);
}

void MainWindow::command2Click()
{
    Countdown& countdown = program().countdown();
    countdown.setState(countdown.isPaused() ? Countdown::State::Running : Countdown::State::Paused);
    if (countdown.isCounting()) {
        Timer1->setEnabled(true);
        Command2->setText(QStringLiteral("暂停"));
        Command2->setToolTip(QStringLiteral("暂停定时器计时"));
        Label18->setText(QStringLiteral("正在计时"));
        setTextColour(Label18, QColor(0, 0, 0));
        Timer5->setEnabled(false);
        Command4->setEnabled(true);
    } else {
        Timer1->setEnabled(false);
        Command2->setText(QStringLiteral("继续"));
        Command2->setToolTip(QStringLiteral("继续开始定时器计时"));
        Label18->setText(QStringLiteral("暂停计时"));
        setTextColour(Label18, QColor(255, 0, 0));
        Label18->show();
        Label8->show();
        Timer5->setEnabled(true);
        Command4->setEnabled(false);
    }
}

void MainWindow::timer5Tick()
{
    BlinkPhase = int16_t(-BlinkPhase);
    setTextColour(Label18, BlinkPhase == 1 ? QColor(255, 0, 0) : QColor(0, 0, 255));
}

void MainWindow::command3Click()
{
    placeStandard();
    if (program().dialogs().askYesNo(this, kNoticeTitle, QStringLiteral("确实要停止计时吗?")) != Answer::Yes)
        return;

    Label18->setText(QStringLiteral("正在计时"));
    setTextColour(Label18, QColor(0, 0, 0));
    setPresetsEnabled(true);
    restoreEntries();
    Command3->setEnabled(false);
    Command2->setEnabled(false);
    Command4->setEnabled(false);
    Command1->setEnabled(true);
    Timer2->setEnabled(true);
    program().countdown().setState(Countdown::State::Stopped);
    Timer1->setEnabled(false);
    Timer5->setEnabled(false);
    Label18->hide();
    Label8->hide();
    MinuteText = twoDigitText(CountMinutes);
    showCount(MinuteText + QStringLiteral(" : ") + StartSecondText);
    Command2->setText(QStringLiteral("暂停"));
    for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Text4, Text5, Label22, Label29, Label28,
                                                      Label30, Label1, Label2})
        w->show();
    Label31->hide();
    Label3->hide();
}
