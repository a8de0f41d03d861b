#include "ui/main/CountDisplay.h"

#include "models/countdown/Countdown.h"
#include "models/countdown/PauseBlink.h"
#include "models/countdown/PresetStore.h"
#include "models/countdown/TimeText.h"
#include "models/settings/ProgramOptions.h"
#include "platform/CatalogueText.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/ProgramWindow.h"
#include "ui/support/CountColour.h"
#include "ui/support/Twips.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

const CatalogueText kRunning{"CountDisplay", QT_TRANSLATE_NOOP("CountDisplay", "正在计时")};
const CatalogueText kPaused{"CountDisplay", QT_TRANSLATE_NOOP("CountDisplay", "暂停计时")};

} // namespace

CountDisplay::CountDisplay(ProgramWindow& window, TimerDriver& timers, Countdown& countdown,
                           ProgramOptions& options)
    : QObject(&window), pauseBlink_(new PauseBlink(timers, this)), countdown_(countdown), options_(options)
{
    build(window);
    countLabel_->setText(countdown.countText());
    connect(&countdown, &Countdown::countTextChanged, countLabel_, &QLabel::setText);
    connect(&countdown, &Countdown::countTextChanged, this, &CountDisplay::refreshCount);
    connect(&countdown, &Countdown::paceChanged, this, &CountDisplay::refreshCount);
    connect(&options, &ProgramOptions::changed, this, &CountDisplay::refreshCount);
    connect(pauseBlink_, &PauseBlink::colourChanged, this, [this](PauseBlink::Colour colour) {
        setTextColour(runStateLabel_, colour == PauseBlink::Colour::Red ? kRed : kBlue);
    });
}

void CountDisplay::build(ProgramWindow& window)
{
    auto label = [&window](const QString& name, const QString& text, double l, double t, double w, double h) {
        auto* created = named(new QLabel(text, &window), name);
        window.placeTwips(created, l, t, w, h);
        return created;
    };
    countLabel_ = named(new ClickableLabel(QStringLiteral("05 : 00"), &window), QStringLiteral("Label3"));
    window.placeTwips(countLabel_, 810, 60, 2655, 765);
    countLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 38.25, true));
    countLabel_->setAlignment(Qt::AlignCenter);
    countLabel_->setToolTip(
        QCoreApplication::translate("CountDisplay", "显示剩余的时间,双击数字可放大计时窗口"));
    setTextColour(countLabel_, kRed);

    timeUpLabel_ = label(QStringLiteral("Label5"), QCoreApplication::translate("CountDisplay", " 时间到！"),
                         740, 120, 3015, 735);
    timeUpLabel_->setFont(twips::font(QStringLiteral("宋体"), 32.25, true));
    setTextColour(timeUpLabel_, kRed);

    reminderLabel_ = label(QStringLiteral("Label6"),
                           QCoreApplication::translate("CountDisplay", "还剩1分10秒！"), 480, 240, 3255, 495);
    reminderLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 21.75, true));
    reminderLabel_->setAlignment(Qt::AlignCenter);
    setTextColour(reminderLabel_, kRed);

    presetNameLabel_ = label(QStringLiteral("Label8"), PresetStore::caption(0), 240, 960, 735, 255);
    setTextColour(presetNameLabel_, kBlue);
    runStateLabel_ = label(QStringLiteral("Label18"), QCoreApplication::translate("CountDisplay", "暂停计时"),
                           1020, 960, 900, 255);
    setTextColour(runStateLabel_, kBlack);
    summaryLabel_ =
        label(QStringLiteral("Label31"), QCoreApplication::translate("CountDisplay", "定时 00:00 提前 00:00"),
              1980, 960, 3000, 255);
    summaryLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 10.5));
    setTextColour(summaryLabel_, kBlack);

    for (QLabel* hidden : {static_cast<QLabel*>(countLabel_), timeUpLabel_, reminderLabel_, presetNameLabel_,
                           runStateLabel_, summaryLabel_})
        hidden->hide();
}

void CountDisplay::refreshCount()
{
    const QColor colour = countColour(countdown_, options_);
    if (countLabel_->palette().color(QPalette::WindowText) != colour)
        setTextColour(countLabel_, colour);
    // "+01 : 12" read out as it is means nothing to a listener.
    const QString name =
        countdown_.isOverrun() ? overtimeSpokenText(countdown_.overtimeSeconds()) : QString();
    if (countLabel_->accessibleName() != name)
        countLabel_->setAccessibleName(name);
}

void CountDisplay::reset(ProgramWindow& window)
{
    window.moveControlTwips(reminderLabel_, 480, 240);
    window.moveControlTwips(timeUpLabel_, 740, 120);
    window.moveControlTwips(countLabel_, 810, 60);
    window.moveControlTwips(summaryLabel_, 1980, 960);
    window.moveControlTwips(runStateLabel_, 1020, 960);
    window.moveControlTwips(presetNameLabel_, 240, 960);
    runStateLabel_->setText(kRunning);
    pauseBlink_->reset();
}

void CountDisplay::setPresetName(const QString& caption)
{
    presetNameLabel_->setText(caption);
}

void CountDisplay::showRunning(const QString& summary)
{
    countLabel_->show();
    summaryLabel_->setText(summary);
    summaryLabel_->show();
    runStateLabel_->show();
    presetNameLabel_->show();
}

void CountDisplay::showPaused(bool paused)
{
    runStateLabel_->setText(paused ? kPaused : kRunning);
    setTextColour(runStateLabel_, paused ? kRed : kBlack);
    if (!paused) {
        pauseBlink_->stop();
        return;
    }
    runStateLabel_->show();
    presetNameLabel_->show();
    pauseBlink_->start();
}

void CountDisplay::showStopped()
{
    runStateLabel_->setText(kRunning);
    setTextColour(runStateLabel_, kBlack);
    pauseBlink_->stop();
    runStateLabel_->hide();
    presetNameLabel_->hide();
    summaryLabel_->hide();
    countLabel_->hide();
}

void CountDisplay::showReminder(const QString& text)
{
    reminderLabel_->show();
    countLabel_->hide();
    reminderLabel_->setText(text);
}

void CountDisplay::endReminder()
{
    reminderLabel_->hide();
    countLabel_->show();
}

void CountDisplay::showTimeUp()
{
    timeUpLabel_->show();
    countLabel_->hide();
}

void CountDisplay::endTimeUp()
{
    timeUpLabel_->hide();
}
