#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The messages between the program and the pages on the phones, as JSON text. To a page:
//   {"type":"texts", "texts":{...}}            the page's own words, in the program's language
//   {"type":"state", "count", "stateText", "buttons", "presets", "sequence", "names"}   the control page
//   {"type":"clock", "count", "stateText"}     the web clock
//   {"type":"question", "id", "title", "text", "kind":"ask"}   a Yes/No question to answer
//   {"type":"notice", "title", "text", "kind":"notice"}        a message with OK
//   {"type":"questionOver", "id"}              the question was answered or went away
//   {"type":"refused", "control"}              the button could not be pressed now
// From a control page:
//   {"type":"press", "control":"<id>"}         a button pressed
//   {"type":"answer", "id", "yes":bool}        the answer to a question
namespace remote {

QByteArray encode(const QJsonObject& message);
// The message as an object; empty when it is not one (not JSON, too deep, not an object).
QJsonObject decode(const QByteArray& message);

QByteArray notice(const QString& title, const QString& text);
QByteArray question(qint64 id, const QString& title, const QString& text);
QByteArray questionOver(qint64 id);

} // namespace remote
