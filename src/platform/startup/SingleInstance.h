#pragma once

#include "platform/CatalogueText.h"
#include "platform/ProgramNoticeTitle.h"
#include "platform/startup/InstanceLock.h"
#include "platform/startup/RunningCopyCall.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

// Tells whether another copy of the program is running. The lock in the runtime folder says who
// runs; where it cannot (a file in its way, a full folder), asking the running copy decides, so that
// nothing left on disk keeps the teacher out. The copy that runs takes the calls of later starts.
class SingleInstance {
public:
    enum class Verdict {
        OnlyCopy,
        // Another copy runs and was asked to show itself.
        OtherCopyAnswered,
        // Another copy runs but did not answer within the patience: it is stopped or hung.
        OtherCopyNotAnswering,
    };

    static inline const CatalogueText& kNoticeTitle = kProgramNoticeTitle;
    static constexpr std::chrono::milliseconds kPatience{3000};

    explicit SingleInstance(QString lockPath = InstanceLock::defaultPath(),
                            QString callPath = RunningCopyCall::defaultPath(),
                            std::chrono::milliseconds patience = kPatience);

    // Decides once; asking again gives the same verdict.
    Verdict settle();

    // Where the only copy hears of later starts.
    RunningCopyCall& calls() { return calls_; }
    // For the log: why the only copy runs without the lock, or cannot be called by later starts.
    QStringList problems() const;

    // What a start says when the running copy does not answer.
    QString notAnsweringText() const;

private:
    Verdict decide();
    Verdict becomeOnlyCopy();
    Verdict askTheHolder();
    // The lock says nothing: the running copy, if any, is asked; when none listens, the start goes on
    // after the given step.
    Verdict askOtherwise(const std::function<void()>& whenNoOneListens);

    InstanceLock lock_;
    QString callPath_;
    std::chrono::milliseconds patience_;
    RunningCopyCall calls_;
    std::optional<Verdict> verdict_;
    QString lockProblem_;
    QString listenProblem_;
};
