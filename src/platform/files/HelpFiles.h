#pragma once

#include <QString>
#include <QStringList>

// Where the program's help lives, relative to a folder of shipped files.
inline const QString kHelpIndex = QStringLiteral("help/index.html");

// The help's start page in the first shipped folder that has it; empty when none has.
QString findHelpIndex(const QStringList& shippedFolders);
