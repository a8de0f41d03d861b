#include "platform/office/OfficeProcess.h"

#include "platform/office/OfficeLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <csignal>
#include <sys/prctl.h>
#include <sys/types.h>
#include <unistd.h>

#ifndef VANTREL_OFFICE_PROGRAM_DIR
#define VANTREL_OFFICE_PROGRAM_DIR "/usr/lib/libreoffice/program"
#endif

OfficeProcess::OfficeProcess(QObject* parent) : QObject(parent)
{
    killTimer_.setSingleShot(true);
    connect(&killTimer_, &QTimer::timeout, this, [this] { kill(0); });
    connect(&process_, &QProcess::finished, this, [this] { emit ended(); });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit ended();
    });
}

OfficeProcess::~OfficeProcess()
{
    killTimer_.stop();
    if (group_ != 0 && groupAlive()) {
        ::kill(-pid_t(group_), SIGTERM);
        if (!waitForGroupEnd(2000))
            kill(3000);
    }
    process_.waitForFinished(1000);
}

QString OfficeProcess::programFolder()
{
    const QString overridden = qEnvironmentVariable("VANTREL_OFFICE_PROGRAM");
    return overridden.isEmpty() ? QStringLiteral(VANTREL_OFFICE_PROGRAM_DIR) : overridden;
}

bool OfficeProcess::start(QString* error, const QStringList& extraArguments, bool listen)
{
    const QString soffice = QDir(programFolder()).filePath(QStringLiteral("soffice"));
    if (!QFile::exists(soffice)) {
        if (error)
            *error = QStringLiteral("LibreOffice 没有安装（找不到 %1）").arg(soffice);
        return false;
    }
    profile_ = std::make_unique<QTemporaryDir>(
        QDir::temp().filePath(kPrivateProfileMarker + QStringLiteral("XXXXXX")));
    if (!profile_->isValid()) {
        if (error)
            *error = QStringLiteral("无法建立临时文件夹：%1").arg(profile_->errorString());
        return false;
    }
    static std::atomic<int> counter{0};
    pipe_ = QStringLiteral("vantrel-%1-%2-%3")
                .arg(QCoreApplication::applicationPid())
                .arg(++counter)
                .arg(QFileInfo(profile_->path()).fileName().section(QLatin1Char('-'), -1));

    QStringList arguments{QStringLiteral("-env:UserInstallation=") + profileUrl(),
                          QStringLiteral("--headless"),
                          QStringLiteral("--invisible"),
                          QStringLiteral("--norestore"),
                          QStringLiteral("--nologo"),
                          QStringLiteral("--nodefault"),
                          QStringLiteral("--nolockcheck")};
    if (listen)
        arguments << QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe_);
    arguments << extraArguments;

    process_.setProgram(soffice);
    process_.setArguments(arguments);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QDir(profile_->path()).filePath(QStringLiteral("office.log")));
    // Its own process group, so that ending it ends the helper processes it starts as well; and it is
    // told to end should this program die without ending it (a crash), taking its helpers along.
    process_.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
    process_.start();
    if (!process_.waitForStarted(10000)) {
        if (error)
            *error = QStringLiteral("LibreOffice 无法启动：%1").arg(process_.errorString());
        return false;
    }
    group_ = process_.processId();
    return true;
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
    return profile_ ? QUrl::fromLocalFile(profile_->path()).toString(QUrl::FullyEncoded) : QString();
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
    if (!groupAlive())
        return;
    ::kill(-pid_t(group_), SIGTERM);
    killTimer_.start(graceMs);
}

void OfficeProcess::kill(int timeoutMs)
{
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
