#pragma once

#include <QCoreApplication>
#include <QString>

// A text of the program's catalogue kept as a named constant: its Chinese source is marked for the
// catalogue where it is written (QT_TRANSLATE_NOOP), and it is looked up in the user's language each
// time it is used. Constants are made before main() installs the translator, so a QString made then
// would keep the source text whatever the language.
class CatalogueText {
public:
    constexpr CatalogueText(const char* context, const char* source) : context_(context), source_(source) {}

    QString text() const { return QCoreApplication::translate(context_, source_); }
    // Wherever a QString is wanted (a title, a label's text, a comparison in a test).
    operator QString() const { return text(); }

private:
    const char* context_;
    const char* source_;
};
