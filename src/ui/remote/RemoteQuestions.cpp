#include "ui/remote/RemoteQuestions.h"

#include "ui/remote/RemoteMessages.h"

#include <QEventLoop>
#include <QTimer>

RemoteQuestions::~RemoteQuestions()
{
    endAll();
}

void RemoteQuestions::inform(QWidget*, const QString& title, const QString& text, MessageIcon)
{
    send_(asker_, remote::notice(title, text));
}

void RemoteQuestions::informWithFolder(QWidget* owner, const QString& title, const QString& text,
                                       const QString&)
{
    // The folder is on the computer: the phone cannot open it.
    inform(owner, title, text, MessageIcon::Information);
}

void RemoteQuestions::systemModalNotice(const QString& title, const QString& text)
{
    inform(nullptr, title, text, MessageIcon::None);
}

Answer RemoteQuestions::askYesNo(QWidget*, const QString& title, const QString& text, MessageIcon)
{
    // One question at a time on a phone; a second one while the first is open gets the default.
    if (loop_)
        return Answer::No;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [this] { close(Answer::No); });
    openQuestion_ = ++lastQuestion_;
    askedClient_ = asker_;
    answer_ = Answer::No;
    loop_ = &loop;
    send_(askedClient_, remote::question(openQuestion_, title, text));
    timeout.start(kLongestWaitMs);
    loop.exec();
    loop_ = nullptr;
    send_(askedClient_, remote::questionOver(openQuestion_));
    openQuestion_ = 0;
    return answer_;
}

void RemoteQuestions::answer(quint64 client, qint64 question, bool yes)
{
    if (loop_ && client == askedClient_ && question == openQuestion_)
        close(yes ? Answer::Yes : Answer::No);
}

void RemoteQuestions::leave(quint64 client)
{
    if (loop_ && client == askedClient_)
        close(Answer::No);
}

void RemoteQuestions::endAll()
{
    if (loop_)
        close(Answer::No);
}

void RemoteQuestions::close(Answer answer)
{
    answer_ = answer;
    if (loop_)
        loop_->quit();
}
