#pragma once

#include <QLocale>
#include <QString>

// Installs the program's catalogue for the first of the locale's languages that has one
// (vantrel_<language>.qm in the folder; the build puts them under :/translations). Without one
// (C, POSIX, a language not translated yet) the texts stay the Chinese of the sources, which the
// Chinese catalogue leaves as they are. False when no catalogue was installed.
bool installCatalogue(const QLocale& locale, const QString& folder = QStringLiteral(":/translations"));
