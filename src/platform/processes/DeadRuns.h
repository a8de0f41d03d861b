#pragma once

#include <QString>

// What a run of ours leaves on disk carries the run's process id in its name, "<prefix><pid>-…", so
// that a later run can tell what a killed run left behind from what a running one still uses.

// prefix followed by this process's id and a dash.
QString namePrefixOfThisRun(const QString& prefix);

// The process id in a name "<prefix><pid>-…"; 0 when the name is not of that form.
qint64 ownerInName(const QString& name, const QString& prefix);

// Whether a process of that id exists (one of another user counts too).
bool isProcessAlive(qint64 pid);

// Whether the name is "<prefix><pid>-…" and that process no longer exists.
bool isLeftOverByDeadRun(const QString& name, const QString& prefix);
