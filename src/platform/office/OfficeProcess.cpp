#include "platform/office/OfficeProcess.h"

#include "platform/office/OfficeLock.h"
#include "platform/office/OfficePipes.h"
#include "platform/processes/DeadRuns.h"
#include "platform/processes/TiedProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>
#include <atomic>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

#ifndef VANTREL_OFFICE_PROGRAM_DIR
#define VANTREL_OFFICE_PROGRAM_DIR "/usr/lib/libreoffice/program"
#endif

namespace {

// soffice.bin asks to be started again after it created a new profile; the launcher we bypass would
// do that for us.
constexpr int kRestartExitCode = 81;
constexpr int kMaxRestarts = 2;

} // namespace

OfficeProcess::OfficeProcess(QObject* parent) : QObject(parent)
{
    killTimer_.setSingleShot(true);
    connect(&killTimer_, &QTimer::timeout, this, [this] { kill(0); });
    connect(&process_, &QProcess::finished, this, &OfficeProcess::finished);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit ended();
    });
}

OfficeProcess::~OfficeProcess()
{
    ending_ = true;
    killTimer_.stop();
    if (group_ != 0 && groupAlive()) {
        ::kill(-pid_t(group_), SIGTERM);
        if (!waitForGroupEnd(2000))
            kill(3000);
    }
    process_.waitForFinished(1000);
    removeFiles();
}

QString OfficeProcess::programFolder()
{
    const QString overridden = qEnvironmentVariable("VANTREL_OFFICE_PROGRAM");
    return overridden.isEmpty() ? QStringLiteral(VANTREL_OFFICE_PROGRAM_DIR) : overridden;
}

bool OfficeProcess::start(QString* error, const QStringList& extraArguments, bool listen)
{
    const QString office = QDir(programFolder()).filePath(QStringLiteral("soffice.bin"));
    if (!QFileInfo(office).isExecutable()) {
        if (error)
            *error =
                QCoreApplication::translate("OfficeProcess", "LibreOffice 没有安装（找不到 %1）").arg(office);
        return false;
    }
    profile_ = std::make_unique<QTemporaryDir>(
        QDir::temp().filePath(namePrefixOfThisRun(kPrivateProfileMarker) + QStringLiteral("XXXXXX")));
    const QString temporaryFolder = QDir(profileFolder()).filePath(QStringLiteral("tmp"));
    if (!profile_->isValid() || !QDir().mkpath(temporaryFolder)) {
        if (error)
            *error = QCoreApplication::translate("OfficeProcess", "无法建立临时文件夹：%1")
                         .arg(profile_->errorString());
        return false;
    }
    static std::atomic<int> counter{0};
    pipe_ = namePrefixOfThisRun(kPipePrefix) +
            QStringLiteral("%1-%2").arg(++counter).arg(
                QFileInfo(profileFolder()).fileName().section(QLatin1Char('-'), -1));
    QStringList pipes{officeInstancePipePath(profileUrl())};
    if (listen)
        pipes << officePipePath(pipe_);
    if (!recordOfficePipes(profileFolder(), pipes)) {
        if (error)
            *error = QCoreApplication::translate("OfficeProcess", "无法写入临时文件夹 %1")
                         .arg(QDir::toNativeSeparators(profileFolder()));
        return false;
    }

    QStringList arguments{QStringLiteral("-env:UserInstallation=") + officeArgumentUrl(profileFolder()),
                          QStringLiteral("--headless"),
                          QStringLiteral("--invisible"),
                          QStringLiteral("--norestore"),
                          QStringLiteral("--nologo"),
                          QStringLiteral("--nodefault"),
                          QStringLiteral("--nolockcheck")};
    if (listen)
        arguments << QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe_);
    arguments << extraArguments;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // What the launcher would set: documents are locked for other programs too, not only by lock file.
    environment.insert(QStringLiteral("SAL_ENABLE_FILE_LOCKING"), QStringLiteral("1"));
    // Its temporary files go into the profile folder and go with it.
    environment.insert(QStringLiteral("TMPDIR"), temporaryFolder);
    process_.setProcessEnvironment(environment);
    process_.setProgram(office);
    process_.setArguments(arguments);
    process_.setStandardOutputFile(QProcess::nullDevice());
    tieToThisProgram(process_);
    restarts_ = 0;
    return launch(error);
}

bool OfficeProcess::launch(QString* error)
{
    process_.setStandardErrorFile(QDir(profileFolder()).filePath(QStringLiteral("office.log")),
                                  QIODevice::Append);
    process_.start();
    if (!process_.waitForStarted(10000)) {
        if (error)
            *error = QCoreApplication::translate("OfficeProcess", "LibreOffice 无法启动：%1")
                         .arg(process_.errorString());
        return false;
    }
    group_ = process_.processId();
    return true;
}

void OfficeProcess::finished(int exitCode, QProcess::ExitStatus status)
{
    if (!ending_ && status == QProcess::NormalExit && exitCode == kRestartExitCode &&
        !killTimer_.isActive() && restarts_ < kMaxRestarts) {
        ++restarts_;
        if (launch(nullptr))
            return;
    }
    emit ended();
}

bool OfficeProcess::isRunning() const
{
    return process_.state() != QProcess::NotRunning;
}

QString OfficeProcess::connectionUrl() const
{
    return QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipe_);
}

QString OfficeProcess::profileUrl() const
{
    return profile_ ? officeUrl(profile_->path()) : QString();
}

QString OfficeProcess::profileFolder() const
{
    return profile_ ? profile_->path() : QString();
}

QString OfficeProcess::logTail() const
{
    if (!profile_)
        return {};
    QFile log(QDir(profile_->path()).filePath(QStringLiteral("office.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = log.readAll();
    return QString::fromUtf8(content.right(400)).trimmed();
}

bool OfficeProcess::groupAlive() const
{
    return group_ != 0 && ::kill(-pid_t(group_), 0) == 0;
}

void OfficeProcess::terminate(int graceMs)
{
    ending_ = true;
    if (!groupAlive())
        return;
    ::kill(-pid_t(group_), SIGTERM);
    killTimer_.start(graceMs);
}

void OfficeProcess::kill(int timeoutMs)
{
    ending_ = true;
    killTimer_.stop();
    if (!groupAlive())
        return;
    ::kill(-pid_t(group_), SIGKILL);
    waitForGroupEnd(timeoutMs);
}

bool OfficeProcess::waitForGroupEnd(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        // Reaps our first process as soon as it ends, so that it no longer counts as alive.
        if (process_.state() != QProcess::NotRunning)
            process_.waitForFinished(20);
        if (!groupAlive())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

void OfficeProcess::removeFiles()
{
    if (!profile_ || groupAlive())
        return;
    // The office leaves its pipes when it is killed, and sometimes when it quits.
    removeRecordedOfficePipes(profileFolder());
    profile_.reset();
}
