#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class Dialogs;
class QLineEdit;
class QWidget;

// The check of the seconds boxes: a value above 59 is told before the focus leaves the box, whether
// by the keyboard or by a click on another control of the window; the click itself does not happen.
class SecondsCheck : public QObject {
    Q_OBJECT
public:
    // Watches every control of the window that takes the focus, and the window itself.
    SecondsCheck(Dialogs& dialogs, QWidget& window, QList<QLineEdit*> secondsBoxes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False when the box holds a value out of range: the message was shown and the box has the focus.
    bool validate(QLineEdit* box);

    Dialogs& dialogs_;
    QWidget& window_;
    QList<QLineEdit*> secondsBoxes_;
    // The message is open.
    bool validating_ = false;
    // A seconds box that a click is leaving with a value above 59.
    QPointer<QLineEdit> leavingBox_;
};
