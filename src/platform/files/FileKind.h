#pragma once

#include <QString>
#include <sys/types.h>

// Words for the stderr notes about what stands at a path the program means to use as a file.
namespace filekind {

// "a directory", "a FIFO", "a symbolic link", "a socket" or "a device": what a file of this mode is.
QString describe(mode_t mode);

// The system's text for an errno value.
QString errorText(int error);

} // namespace filekind
