#pragma once

#include <QString>

// Whether the user has made a file read-only. Decided by the permission bits as well as by what this
// process may do: run as root, the program could write anything, yet a file without a write bit is
// one its owner meant to keep as it is.
enum class WriteProtection {
    None,
    File,   // the file is read-only
    Folder, // the file's folder is read-only, so the file cannot be replaced in it
};

WriteProtection writeProtectionOf(const QString& path);
