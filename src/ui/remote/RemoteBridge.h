#pragma once

#include "platform/CatalogueText.h"
#include "ui/remote/RemoteQuestions.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QSet>

class Program;
class QAbstractButton;
class Timer;

// The program as the pages on the phones see it: what the control page shows (the count, its state,
// the buttons of the main window and of an open draw, as they stand on the screen) and what a press
// there does: the same button of the same window is pressed, so everything follows as if the teacher
// had clicked it, its questions asked on the phone that pressed. The web clock is told the count
// only. Knows no network: the messages go in and out as text.
class RemoteBridge : public QObject {
    Q_OBJECT
public:
    // How often the state of the windows is looked at while a page is open; with none open, never.
    static constexpr int kWatchMs = 250;

    static inline const CatalogueText kTitle{"RemoteBridge",
                                             QT_TRANSLATE_NOOP("RemoteBridge", "Vantrel工具 - 手机遥控")};
    static inline const CatalogueText kEnlarge{"RemoteBridge", QT_TRANSLATE_NOOP("RemoteBridge", "放大")};

    explicit RemoteBridge(Program& program, QObject* parent = nullptr);
    ~RemoteBridge() override;

    // A page opened (control or clock): it is told its words and what stands now.
    void join(quint64 client, bool control, const QString& clockAddress = {});
    void leave(quint64 client);
    // A message from a control page. A press runs once control is back in the event loop.
    void receive(quint64 client, const QByteArray& message);
    // The remote is turned off: an open question is answered No.
    void endAll();

    // What a control page shows now.
    QJsonObject state() const;
    bool isAsking() const { return questions_.isAsking(); }

signals:
    void toClient(quint64 client, const QByteArray& message);
    void toControls(const QByteArray& message);
    void toClocks(const QByteArray& message);

private:
    void press(quint64 client, const QString& control);
    // The button behind a control of the page, when it can be pressed now.
    QAbstractButton* pressable(const QString& control) const;
    bool canEnlarge() const;
    void pushState();
    void pushClock();
    QJsonObject clock() const;
    // The count as the pages show it.
    QString shownCount() const;

    Program& program_;
    RemoteQuestions questions_;
    QSet<quint64> controls_;
    QSet<quint64> clocks_;
    QByteArray lastState_;
    QByteArray lastClock_;
    Timer* watch_;
};
