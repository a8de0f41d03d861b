#pragma once

#include "platform/startup/SingleInstance.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

// A first copy for tests: it settles and listens on a thread of its own, as it would in its own
// process, so that a start in the test's thread is answered while it waits. It can be stopped as
// SIGSTOP stops a copy: its thread then takes no call until it goes on.
class CopyOnItsOwnThread {
public:
    CopyOnItsOwnThread(const QString& lockPath, const QString& callPath)
    {
        thread_.start();
        anchor_->moveToThread(&thread_);
        onThread([&] {
            instance_ = std::make_unique<SingleInstance>(lockPath, callPath);
            verdict_ = instance_->settle();
            QObject::connect(&instance_->calls(), &RunningCopyCall::called, [this] { ++calls_; });
        });
    }
    ~CopyOnItsOwnThread()
    {
        goOn();
        onThread([this] { instance_.reset(); });
        thread_.quit();
        thread_.wait();
    }
    CopyOnItsOwnThread(const CopyOnItsOwnThread&) = delete;
    CopyOnItsOwnThread& operator=(const CopyOnItsOwnThread&) = delete;

    SingleInstance::Verdict verdict() const { return verdict_; }
    int calls() const { return calls_; }

    bool waitForCalls(int count, int milliseconds = 5000) const
    {
        const QDeadlineTimer deadline(milliseconds);
        while (calls_ < count && !deadline.hasExpired())
            QThread::msleep(10);
        return calls_ >= count;
    }

    void stop()
    {
        stopped_ = true;
        QMetaObject::invokeMethod(
            anchor_.get(), [this] { wakeUp_.acquire(); }, Qt::QueuedConnection);
    }
    void goOn()
    {
        if (stopped_.exchange(false))
            wakeUp_.release();
    }

private:
    void onThread(const std::function<void()>& work)
    {
        QMetaObject::invokeMethod(anchor_.get(), work, Qt::BlockingQueuedConnection);
    }

    QThread thread_;
    std::unique_ptr<QObject> anchor_ = std::make_unique<QObject>();
    std::unique_ptr<SingleInstance> instance_;
    SingleInstance::Verdict verdict_ = SingleInstance::Verdict::OtherCopyNotAnswering;
    std::atomic<int> calls_{0};
    std::atomic<bool> stopped_{false};
    QSemaphore wakeUp_;
};
