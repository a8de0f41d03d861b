#pragma once

#include "platform/Spreadsheet.h"

#include <QString>

// How the program reaches the user's files: it looks at what a name is before it opens it, and never
// opens a pipe, a device or a socket as if it were a file (opening a pipe waits for a writer that may
// never come, and the window with it).

enum class FileUse { Read, ReadWrite };

// Opens a regular file without following it into anything else; -1 (errno set, EINVAL for a file of
// another kind) when it cannot be opened or is no regular file.
int openRegularFile(const QString& path, FileUse use);

// Why the file cannot be read, told before anything opens it: it is missing, a folder or a special
// file has its name, or this user may not read it (or may not reach the folder it is in).
OfficeError readProblem(const QString& path);

// Something other than a lock file at the name of the office's lock beside the document (a pipe, a
// folder): the office cannot lock the document, and reading that "lock" would never end. Empty when
// the name is free or holds a regular file; otherwise what it is, for the user.
QString lockObstacle(const QString& documentPath);
