#include "ui/main/SecondsCheck.h"

#include "models/countdown/TimeEntry.h"
#include "platform/Dialogs.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

SecondsCheck::SecondsCheck(Dialogs& dialogs, QWidget& window, QList<QLineEdit*> secondsBoxes)
    : QObject(&window), dialogs_(dialogs), window_(window), secondsBoxes_(std::move(secondsBoxes))
{
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
    // A press on the window itself also meets a click that is leaving a seconds box.
    window.installEventFilter(this);
}

bool SecondsCheck::validate(QLineEdit* box)
{
    if (!box || !box->isVisible() || secondsAcceptable(box->text()))
        return true;
    validating_ = true;
    dialogs_.inform(&window_, EntryMessages::kSecondsTitle, EntryMessages::kSecondsRange);
    box->setFocus(Qt::OtherFocusReason);
    validating_ = false;
    return false;
}

bool SecondsCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (validating_)
        return QObject::eventFilter(watched, event);

    auto* watchedBox = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusOut && watchedBox && secondsBoxes_.contains(watchedBox)) {
        QLineEdit* box = watchedBox;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason && !secondsAcceptable(box->text())) {
            // A click on another control took the focus; the press itself comes next and is held back.
            leavingBox_ = box;
            QTimer::singleShot(0, this, [this] {
                if (QLineEdit* pending = leavingBox_) {
                    leavingBox_ = nullptr;
                    validate(pending);
                }
            });
        } else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                   reason == Qt::ShortcutFocusReason) {
            QTimer::singleShot(0, this, [this, box] { validate(box); });
        }
    }

    // The click that tried to take a too-large value out of a seconds box does not happen.
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        leavingBox_ && watched != leavingBox_) {
        QLineEdit* box = leavingBox_;
        leavingBox_ = nullptr;
        if (!validate(box))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
