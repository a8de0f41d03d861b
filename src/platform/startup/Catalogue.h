#pragma once

#include <QLocale>
#include <QString>
#include <functional>

// Installs the program's catalogue for the first of the locale's languages that has one
// (vantrel_<language>.qm in the folder; the build puts them under :/translations). Without one
// (C, POSIX, a language not translated yet) the texts stay the Chinese of the sources, which the
// Chinese catalogue leaves as they are. False when no catalogue was installed.
bool installCatalogue(const QLocale& locale, const QString& folder = QStringLiteral(":/translations"));

// The desktop's language settings, as the C library's message catalogues read them.
struct LocaleEnvironment {
    QString lcAll;
    QString lcMessages;
    QString lang;
    // The list of languages (GNU): "en_GB:en", taken before the locale unless the locale is C.
    QString language;

    static LocaleEnvironment fromProcess();
};

// The language of the interface: the settings' `[ui] language` when it names one ("zh_CN", "en", or
// any language that has a catalogue), else ("auto", empty, unknown) the desktop's: Chinese for zh*,
// C and POSIX and any language without a catalogue; a language with one (en* → "en") for that one.
// `hasCatalogue` tells whether a language ("en", "en_GB") has a catalogue.
QString chooseLanguage(const QString& setting, const LocaleEnvironment& desktop,
                       const std::function<bool(const QString&)>& hasCatalogue);

// Whether the folder holds a catalogue for the language.
bool catalogueExists(const QString& language, const QString& folder = QStringLiteral(":/translations"));
