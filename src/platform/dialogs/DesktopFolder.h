#pragma once

#include <QString>
#include <functional>

// Shows a folder in the desktop's file manager. Teachers are told to put their name list and decks
// "in the program folder", which they cannot be expected to find by its path; the program opens it
// for them. Tests put a recorder in the desktop's place, so that no file manager opens.
namespace desktopfolder {

// Whether the desktop took the request (a desktop without a file manager refuses it).
bool show(const QString& folder);

// What to tell the teacher when the desktop refused: where the folder is, to find it by hand.
QString cannotShow(const QString& folder);

// Replaces the desktop for the tests; an empty function puts it back.
void setShowForTesting(std::function<bool(const QString&)> show);

} // namespace desktopfolder
