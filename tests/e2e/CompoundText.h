#pragma once

#include <QByteArray>
#include <QString>

// COMPOUND_TEXT of a text, as an old toolkit would store a window title.
QByteArray compoundText(const QString& text);
