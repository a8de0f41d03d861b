#pragma once

#include "platform/Dialogs.h"

#include <QByteArray>
#include <QPointer>
#include <functional>

class QEventLoop;

// The messages and questions of a button pressed on a phone, shown on that phone: a question waits
// for the phone's answer (the count goes on meanwhile, as under a question on the screen); a
// message is shown there and the program goes on at once, as after its OK. A phone that leaves, or
// does not answer in time, answers No, the default button.
class RemoteQuestions : public Dialogs {
public:
    static constexpr int kLongestWaitMs = 120'000;
    using Send = std::function<void(quint64 client, const QByteArray& message)>;

    explicit RemoteQuestions(Send send) : send_(std::move(send)) {}
    ~RemoteQuestions() override;

    // The phone whose button is being pressed: it is asked.
    void setAsker(quint64 client) { asker_ = client; }
    bool isAsking() const { return loop_ != nullptr; }

    // The phone's answer to the question with that number; another phone's, or an old one, is ignored.
    void answer(quint64 client, qint64 question, bool yes);
    // The phone is gone: its open question is answered No.
    void leave(quint64 client);
    // Every open question is answered No (the remote is turned off).
    void endAll();

    void inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    Answer askYesNo(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    void informWithFolder(QWidget* owner, const QString& title, const QString& text,
                          const QString& folder) override;
    void systemModalNotice(const QString& title, const QString& text) override;

private:
    void close(Answer answer);

    Send send_;
    quint64 asker_ = 0;
    qint64 lastQuestion_ = 0;
    // The question open now, and whom it was asked.
    qint64 openQuestion_ = 0;
    quint64 askedClient_ = 0;
    Answer answer_ = Answer::No;
    QPointer<QEventLoop> loop_;
};
