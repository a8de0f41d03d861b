#pragma once

#include <QList>
#include <QStringList>

// What processes leave to be seen from outside: the tests of how the program ends look for ours only,
// by names that hold our process id, never by program name (other office instances run beside them).
namespace traces {

// Processes whose command line holds one of the tokens.
QList<qint64> processesWith(const QStringList& tokens);

// The socket files the processes listen on (their named pipes).
QStringList socketFilesOf(const QList<qint64>& pids);

// Whether the process runs: a process that ended but was not reaped yet (a zombie) does not.
bool isRunning(qint64 pid);

// The id of a process that has ended (and was reaped): one no process of ours has any more.
qint64 pidOfEndedProcess();

} // namespace traces
