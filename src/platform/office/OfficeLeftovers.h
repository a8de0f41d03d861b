#pragma once

#include <QString>

// What our office instances leave when the program is killed: their profile folders and pipes, the
// temporary file of a save under way and the office's lock files in the data folder, and the deck
// converter's work folders. Removes those of runs whose process no longer exists, and nothing of a
// run still going or of anybody else. Call once at start-up.
void removeLeftoversOfDeadRuns(const QString& dataFolder);
void removeLeftoversOfDeadRuns(const QString& dataFolder, const QString& temporaryFolder,
                               const QString& deckCacheFolder);

// A save writes the workbook to "<prefix><pid>-<file name>.XXXXXX" beside it first.
inline const QString kSaveFilePrefix = QStringLiteral(".~vantrel.");
