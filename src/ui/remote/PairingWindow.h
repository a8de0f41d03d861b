#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

// Shows the teacher how a phone reaches the remote: the control page's address as a QR code and
// written out, what the phone and the computer need of the network, and the web clock's address.
// Closing it leaves the remote on; its button turns the remote off.
class PairingWindow : public QWidget {
    Q_OBJECT
public:
    // turnOff: what the button "关闭手机遥控" does.
    PairingWindow(QWidget* owner, std::function<void()> turnOff);

    void showAddresses(const QUrl& control, const QUrl& clock);

private:
    std::function<void()> turnOff_;
    QLabel* code_;
    QLabel* controlAddress_;
    QLabel* clockAddress_;
    QPushButton* turnOffButton_;
    QPushButton* closeButton_;
};

// The QR code of a text as a picture, side pixels wide, with the quiet margin readers need; a null
// pixmap when the text does not fit in a code.
QPixmap qrPicture(const QByteArray& text, int side);
