#include "platform/startup/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <QThread>
#include <algorithm>

SingleInstance::SingleInstance(QString lockPath, QString callPath, std::chrono::milliseconds patience)
    : lock_(std::move(lockPath)), callPath_(std::move(callPath)), patience_(patience)
{
}

SingleInstance::Verdict SingleInstance::settle()
{
    if (!verdict_)
        verdict_ = decide();
    return *verdict_;
}

SingleInstance::Verdict SingleInstance::decide()
{
    switch (lock_.tryLock()) {
    case InstanceLock::State::Held:
        return becomeOnlyCopy();
    case InstanceLock::State::HeldByAnother:
        return askTheHolder();
    case InstanceLock::State::Unreadable:
        return askOtherwise([this] {
            // Another user's lock that no copy answers for is stale.
            if (lock_.takeOverUnreadable() != InstanceLock::State::Held)
                lockProblem_ = lock_.problem();
        });
    case InstanceLock::State::Unavailable:
        return askOtherwise([this] {
            // Better a second copy, now and then, than a teacher locked out by a file in the way.
            lockProblem_ = lock_.problem();
        });
    }
    return becomeOnlyCopy();
}

namespace {
// What the running copy's answer decides; nothing when no copy listens.
std::optional<SingleInstance::Verdict> verdictFrom(RunningCopyCall::Answer answer)
{
    switch (answer) {
    case RunningCopyCall::Answer::Answered:
        return SingleInstance::Verdict::OtherCopyAnswered;
    case RunningCopyCall::Answer::NoAnswer:
        return SingleInstance::Verdict::OtherCopyNotAnswering;
    case RunningCopyCall::Answer::NoOneListens:
        break;
    }
    return std::nullopt;
}
} // namespace

SingleInstance::Verdict SingleInstance::askOtherwise(const std::function<void()>& whenNoOneListens)
{
    if (const std::optional<Verdict> verdict = verdictFrom(RunningCopyCall::call(callPath_, patience_)))
        return *verdict;
    whenNoOneListens();
    return becomeOnlyCopy();
}

SingleInstance::Verdict SingleInstance::becomeOnlyCopy()
{
    if (!calls_.listen(callPath_))
        listenProblem_ = calls_.problem();
    return Verdict::OnlyCopy;
}

// The kernel holds the lock for a living process only. That copy may be a moment from listening
// (it has just started), or may have just ended.
SingleInstance::Verdict SingleInstance::askTheHolder()
{
    const QDeadlineTimer deadline(patience_);
    for (;;) {
        const auto remaining = std::chrono::milliseconds(std::max<qint64>(deadline.remainingTime(), 0));
        if (const std::optional<Verdict> verdict = verdictFrom(RunningCopyCall::call(callPath_, remaining)))
            return *verdict;
        if (lock_.tryLock() == InstanceLock::State::Held)
            return becomeOnlyCopy();
        if (deadline.hasExpired())
            return Verdict::OtherCopyNotAnswering;
        QThread::msleep(50);
    }
}

QStringList SingleInstance::problems() const
{
    QStringList problems;
    if (!lockProblem_.isEmpty())
        problems << lockProblem_ + QStringLiteral("; started without the single-instance lock");
    if (!listenProblem_.isEmpty())
        problems << listenProblem_ + QStringLiteral("; a second start cannot bring this copy into view");
    return problems;
}

QString SingleInstance::notAnsweringText() const
{
    const QString which =
        lock_.holderPid() > 0
            ? QCoreApplication::translate("SingleInstance", "（进程号 %1）").arg(lock_.holderPid())
            : QString();
    return QCoreApplication::translate("SingleInstance",
                                       "本软件已在运行%1，但没有应答，可能正忙或已停止响应。\n\n"
                                       "请稍候再启动本软件；如果一直没有应答，请在系统监视器中结束 vantrel，"
                                       "或者注销后重新登录。")
        .arg(which);
}
