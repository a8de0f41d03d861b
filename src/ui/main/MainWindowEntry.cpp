// Presets and time entry of the main window.
#include "models/countdown/TimeEntry.h"
#include "platform/Dialogs.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {
PresetStore::Slot slotOf(const MainWindow& w, const QLineEdit* box)
{
    if (box == w.Text1)
        return PresetStore::TotalMinutes;
    if (box == w.Text4)
        return PresetStore::TotalSeconds;
    if (box == w.Text2)
        return PresetStore::ReminderMinutes;
    return PresetStore::ReminderSeconds;
}
} // namespace

int MainWindow::selectedPreset() const
{
    if (Option2->isChecked())
        return 1;
    if (Option3->isChecked())
        return 2;
    return 0;
}

void MainWindow::selectPreset(int preset)
{
    QRadioButton* options[] = {Option1, Option2, Option3};
    options[preset]->setChecked(true);
    for (int i = 0; i < PresetStore::kPresets; ++i) {
        setTextColour(options[i], i == preset ? QColor(255, 0, 0) : QColor(0, 0, 0));
    }
    // Each fill passes through boxChanged and stores the same text back.
    const PresetStore copy = presets_;
    Text1->setText(copy.text(preset, PresetStore::TotalMinutes));
    Text4->setText(copy.text(preset, PresetStore::TotalSeconds));
    Text2->setText(copy.text(preset, PresetStore::ReminderMinutes));
    Text5->setText(copy.text(preset, PresetStore::ReminderSeconds));
    Text1->setFocus(Qt::OtherFocusReason);
}

void MainWindow::boxChanged(QLineEdit* box)
{
    presets_.setText(selectedPreset(), slotOf(*this, box), box->text());
}

bool MainWindow::validateSeconds(QLineEdit* box)
{
    if (!box || !box->isVisible() || secondsAcceptable(box->text()))
        return true;
    validating_ = true;
    program().dialogs().inform(this, EntryMessages::kSecondsTitle, EntryMessages::kSecondsRange);
    box->setFocus(Qt::OtherFocusReason);
    validating_ = false;
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (validating_)
        return Form::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut && (watched == Text4 || watched == Text5)) {
        auto* box = static_cast<QLineEdit*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason && !secondsAcceptable(box->text())) {
            // A click on another control took the focus; the press itself comes next and is held back.
            leavingSecondsBox_ = box;
            QTimer::singleShot(0, this, [this] {
                if (QLineEdit* pending = leavingSecondsBox_) {
                    leavingSecondsBox_ = nullptr;
                    validateSeconds(pending);
                }
            });
        } else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                   reason == Qt::ShortcutFocusReason) {
            QTimer::singleShot(0, this, [this, box] { validateSeconds(box); });
        }
    }

    // The click that tried to take a too-large value out of a seconds box does not happen.
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        leavingSecondsBox_ && watched != leavingSecondsBox_) {
        QLineEdit* box = leavingSecondsBox_;
        leavingSecondsBox_ = nullptr;
        if (!validateSeconds(box))
            return true;
    }
    return Form::eventFilter(watched, event);
}

void MainWindow::readEntries()
{
    CountMinutes = readBox(Text1->text());
    ReminderMinutes = readBox(Text2->text());
    TotalSeconds = readBox(Text4->text());
    ReminderSeconds = readBox(Text5->text());
}
