#include "ui/main/TimeEntryControls.h"

#include "ui/Controls.h"
#include "ui/DigitsValidator.h"
#include "ui/ProgramWindow.h"
#include "ui/support/Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

} // namespace

TimeEntryControls::TimeEntryControls(ProgramWindow& window) : QObject(&window)
{
    build(window);
    for (int i = 0; i < PresetStore::kPresets; ++i)
        connect(presetButtons_[i], &QRadioButton::clicked, this, [this, i] { onPresetClicked(i); });
    for (QLineEdit* box : {totalMinutesBox_, reminderMinutesBox_, totalSecondsBox_, reminderSecondsBox_})
        connect(box, &QLineEdit::textChanged, this, [this, box] { onBoxEdited(box); });
}

QLineEdit* TimeEntryControls::makeTimeBox(ProgramWindow& window, const QString& name, const QString& text)
{
    auto* box = named(new QLineEdit(text, &window), name);
    box->setMaxLength(2);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(twips::font(QStringLiteral("Times New Roman"), 14.25));
    box->setContextMenuPolicy(Qt::NoContextMenu);
    return box;
}

void TimeEntryControls::build(ProgramWindow& window)
{
    auto label = [&window](const QString& name, const QString& text, double l, double t, double w, double h) {
        auto* created = named(new QLabel(text, &window), name);
        window.placeTwips(created, l, t, w, h);
        return created;
    };
    totalCaption_ =
        label(QStringLiteral("Label1"), QCoreApplication::translate("TimeEntryControls", "输入定时时间："),
              240, 345, 1695, 255);
    totalMinutesBox_ = makeTimeBox(window, QStringLiteral("Text1"), QStringLiteral("01"));
    window.placeTwips(totalMinutesBox_, 2040, 270, 600, 435);
    totalMinutesBox_->setToolTip(
        QCoreApplication::translate("TimeEntryControls", "定时时间须大于0，最多两位数字"));
    totalMinutesBox_->setAccessibleName(QCoreApplication::translate("TimeEntryControls", "定时时间：分"));
    totalMinutesUnit_ = label(QStringLiteral("Label22"),
                              QCoreApplication::translate("TimeEntryControls", "分"), 2600, 345, 255, 255);
    totalSecondsBox_ = makeTimeBox(window, QStringLiteral("Text4"), QStringLiteral("00"));
    window.placeTwips(totalSecondsBox_, 2940, 270, 600, 435);
    totalSecondsBox_->setAccessibleName(QCoreApplication::translate("TimeEntryControls", "定时时间：秒"));
    totalSecondsUnit_ = label(QStringLiteral("Label28"),
                              QCoreApplication::translate("TimeEntryControls", "秒"), 3690, 345, 255, 255);
    reminderCaption_ =
        label(QStringLiteral("Label2"), QCoreApplication::translate("TimeEntryControls", "提前提醒时间："),
              240, 855, 1680, 285);
    reminderMinutesBox_ = makeTimeBox(window, QStringLiteral("Text2"), QStringLiteral("00"));
    window.placeTwips(reminderMinutesBox_, 2040, 810, 600, 435);
    reminderMinutesBox_->setToolTip(
        QCoreApplication::translate("TimeEntryControls", "提前提醒时间须小于定时时间，也可以为0"));
    reminderMinutesBox_->setAccessibleName(
        QCoreApplication::translate("TimeEntryControls", "提前提醒时间：分"));
    reminderMinutesUnit_ = label(QStringLiteral("Label29"),
                                 QCoreApplication::translate("TimeEntryControls", "分"), 2600, 855, 255, 255);
    reminderSecondsBox_ = makeTimeBox(window, QStringLiteral("Text5"), QStringLiteral("30"));
    window.placeTwips(reminderSecondsBox_, 2940, 810, 600, 435);
    reminderSecondsBox_->setAccessibleName(
        QCoreApplication::translate("TimeEntryControls", "提前提醒时间：秒"));
    reminderSecondsUnit_ = label(QStringLiteral("Label30"),
                                 QCoreApplication::translate("TimeEntryControls", "秒"), 3690, 855, 255, 255);
    presetCaption_ =
        label(QStringLiteral("Label7"), QCoreApplication::translate("TimeEntryControls", "当前定时选择："),
              240, 1380, 1695, 310);

    const std::array<const char*, PresetStore::kPresets> presetNames{"Option1", "Option2", "Option3"};
    const std::array<double, PresetStore::kPresets> presetLefts{1800, 3030, 4260};
    for (int i = 0; i < PresetStore::kPresets; ++i) {
        auto* option =
            named(new QRadioButton(PresetStore::caption(i), &window), QString::fromLatin1(presetNames[i]));
        window.placeTwips(option, presetLefts[i], 1380, 1200, 255);
        setTextColour(option, i == 0 ? kRed : kBlack);
        presetButtons_[i] = option;
    }
    presetButtons_[0]->setChecked(true);
}

void TimeEntryControls::reset()
{
    totalMinutesBox_->setText(QStringLiteral("01"));
    totalSecondsBox_->setText(QStringLiteral("00"));
    reminderMinutesBox_->setText(QStringLiteral("00"));
    reminderSecondsBox_->setText(QStringLiteral("30"));
    presets_ = PresetStore();
    // Digits-only boxes (the launcher's count box takes the same style when it loads).
    for (QLineEdit* box : {totalMinutesBox_, reminderMinutesBox_, totalSecondsBox_, reminderSecondsBox_})
        setDigitsOnly(box, true);
}

void TimeEntryControls::takePresets(const PresetStore& presets)
{
    presets_ = presets;
    onPresetClicked(selectedPreset());
}

int TimeEntryControls::selectedPreset() const
{
    for (int i = 0; i < PresetStore::kPresets; ++i) {
        if (presetButtons_[i]->isChecked())
            return i;
    }
    return 0;
}

void TimeEntryControls::onPresetClicked(int preset)
{
    presetButtons_[preset]->setChecked(true);
    for (int i = 0; i < PresetStore::kPresets; ++i)
        setTextColour(presetButtons_[i], i == preset ? kRed : kBlack);
    // Each fill passes through onBoxEdited and stores the same text back.
    const PresetStore copy = presets_;
    totalMinutesBox_->setText(copy.text(preset, PresetStore::TotalMinutes));
    totalSecondsBox_->setText(copy.text(preset, PresetStore::TotalSeconds));
    reminderMinutesBox_->setText(copy.text(preset, PresetStore::ReminderMinutes));
    reminderSecondsBox_->setText(copy.text(preset, PresetStore::ReminderSeconds));
    totalMinutesBox_->setFocus(Qt::OtherFocusReason);
}

void TimeEntryControls::onBoxEdited(QLineEdit* box)
{
    PresetStore::Slot slot = PresetStore::ReminderSeconds;
    if (box == totalMinutesBox_)
        slot = PresetStore::TotalMinutes;
    else if (box == totalSecondsBox_)
        slot = PresetStore::TotalSeconds;
    else if (box == reminderMinutesBox_)
        slot = PresetStore::ReminderMinutes;
    presets_.setText(selectedPreset(), slot, box->text());
}

void TimeEntryControls::setRowVisible(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             totalMinutesBox_, reminderMinutesBox_, totalSecondsBox_, reminderSecondsBox_, totalMinutesUnit_,
             reminderMinutesUnit_, totalSecondsUnit_, reminderSecondsUnit_, totalCaption_, reminderCaption_})
        w->setVisible(visible);
}

void TimeEntryControls::setPresetsEnabled(bool enabled)
{
    for (QRadioButton* preset : presetButtons_)
        preset->setEnabled(enabled);
    presetCaption_->setEnabled(enabled);
}

QList<QWidget*> TimeEntryControls::coveredByNotice() const
{
    return {totalCaption_, reminderCaption_, totalMinutesBox_, reminderMinutesBox_};
}
