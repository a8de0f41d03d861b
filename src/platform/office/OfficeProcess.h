#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// One LibreOffice process of our own, headless, with a fresh private profile (it never meets the
// user's own office, its settings or its open documents) and, for UNO clients, a private pipe.
// soffice.bin runs directly, without the launcher that would stand between us and it, in a process
// group of its own, and the kernel kills it when this program ends in any way. Destroying the object
// leaves nothing running and nothing on disk; what a killed run leaves is named after its process id
// (profile folder, pipe) for removeLeftoversOfDeadRuns().
class OfficeProcess : public QObject {
    Q_OBJECT
public:
    explicit OfficeProcess(QObject* parent = nullptr);
    ~OfficeProcess() override;
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // The office's program folder (soffice.bin, fundamentalrc); VANTREL_OFFICE_PROGRAM overrides it.
    static QString programFolder();

    // Our pipes are named "<prefix><pid>-…", our profile folders "<kPrivateProfileMarker><pid>-…".
    static inline const QString kPipePrefix = QStringLiteral("vantrel-");

    // Starts soffice listening on the pipe (when listen is true) with the extra arguments appended;
    // returns at once. False with the reason when the process cannot be started.
    bool start(QString* error, const QStringList& extraArguments = {}, bool listen = true);

    bool isRunning() const;
    // The process group of the office (its first process's id); 0 before start.
    qint64 processGroup() const { return group_; }
    QString pipeName() const { return pipe_; }
    // The URL a UNO client resolves to reach the office's component context.
    QString connectionUrl() const;
    // The profile's URL as the office writes it in its lock files.
    QString profileUrl() const;
    QString profileFolder() const;
    // The end of what the office wrote to its error output, for a message when it fails.
    QString logTail() const;

    // Asks the office to end and kills what is left after graceMs; returns at once.
    void terminate(int graceMs = 3000);
    // Kills the whole group now and waits until it is gone (at most timeoutMs).
    void kill(int timeoutMs = 3000);
    // Waits until every process of the group has ended.
    bool waitForGroupEnd(int timeoutMs);

signals:
    // The office has ended (it quit, crashed or was killed); not when it only restarts itself.
    void ended();

private:
    bool launch(QString* error);
    void finished(int exitCode, QProcess::ExitStatus status);
    bool groupAlive() const;
    void removeFiles();

    std::unique_ptr<QTemporaryDir> profile_;
    QProcess process_;
    QTimer killTimer_;
    QString pipe_;
    qint64 group_ = 0;
    int restarts_ = 0;
    bool ending_ = false;
};
