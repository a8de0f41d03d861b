#include "ui/remote/RemoteMessages.h"

#include <QJsonDocument>

namespace remote {

QByteArray encode(const QJsonObject& message)
{
    return QJsonDocument(message).toJson(QJsonDocument::Compact);
}

QJsonObject decode(const QByteArray& message)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(message, &error);
    return error.error == QJsonParseError::NoError && document.isObject() ? document.object() : QJsonObject();
}

QByteArray notice(const QString& title, const QString& text)
{
    return encode({{"type", "notice"}, {"kind", "notice"}, {"title", title}, {"text", text}});
}

QByteArray question(qint64 id, const QString& title, const QString& text)
{
    return encode({{"type", "question"}, {"kind", "ask"}, {"id", id}, {"title", title}, {"text", text}});
}

QByteArray questionOver(qint64 id)
{
    return encode({{"type", "questionOver"}, {"id", id}});
}

} // namespace remote
