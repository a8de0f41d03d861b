#include "platform/history/SqliteDrawHistory.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <optional>
#include <utility>

namespace {

const QString kDriver = QStringLiteral("QSQLITE");

QString kindText(DrawEvent::Kind kind)
{
    switch (kind) {
    case DrawEvent::Kind::Drawn:
        return QStringLiteral("drawn");
    case DrawEvent::Kind::Absent:
        return QStringLiteral("absent");
    case DrawEvent::Kind::Undone:
        return QStringLiteral("undone");
    }
    return {};
}

std::optional<DrawEvent::Kind> kindOf(const QString& text)
{
    if (text == QLatin1String("drawn"))
        return DrawEvent::Kind::Drawn;
    if (text == QLatin1String("absent"))
        return DrawEvent::Kind::Absent;
    if (text == QLatin1String("undone"))
        return DrawEvent::Kind::Undone;
    return std::nullopt;
}

// Times are kept as UTC text with milliseconds: readable in any SQLite tool, and sorted as written.
QString timeText(const QDateTime& at)
{
    return at.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime timeOf(const QString& text)
{
    QDateTime at = QDateTime::fromString(text, Qt::ISODateWithMs);
    return at.isValid() ? at.toLocalTime() : at;
}

} // namespace

SqliteDrawHistory::SqliteDrawHistory(QString path) : path_(std::move(path))
{
    static std::atomic<int> made{0};
    connection_ = QStringLiteral("vantrel-history-%1").arg(++made);
}

SqliteDrawHistory::~SqliteDrawHistory()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString SqliteDrawHistory::fileIn(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("draw-history.sqlite"));
}

bool SqliteDrawHistory::fail(const QString& detail)
{
    problem_ = QCoreApplication::translate("SqliteDrawHistory", "抽签记录无法写入 %1：%2")
                   .arg(QDir::toNativeSeparators(path_), detail);
    return false;
}

bool SqliteDrawHistory::ensureOpen()
{
    if (open_)
        return true;
    if (!QSqlDatabase::isDriverAvailable(kDriver))
        return fail(QCoreApplication::translate("SqliteDrawHistory", "没有 SQLite 数据库驱动。"));
    QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                          : QSqlDatabase::addDatabase(kDriver, connection_);
    db.setDatabaseName(path_);
    if (!db.open())
        return fail(db.lastError().text());
    QSqlQuery query(db);
    // A full sync at every commit: a draw kept is on the disk, whatever happens to the program next.
    const QStringList setup{
        QStringLiteral("PRAGMA synchronous=FULL"),
        QStringLiteral("PRAGMA foreign_keys=ON"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS rounds(id INTEGER PRIMARY KEY, list TEXT NOT NULL, "
                       "started TEXT NOT NULL)"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS events(id INTEGER PRIMARY KEY, "
            "round INTEGER NOT NULL REFERENCES rounds(id), kind TEXT NOT NULL, "
            "draw_order INTEGER NOT NULL, number TEXT NOT NULL, name TEXT NOT NULL, at TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS rounds_by_list ON rounds(list)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS events_by_round ON events(round)"),
    };
    for (const QString& statement : setup) {
        if (!query.exec(statement)) {
            const QString why = query.lastError().text();
            db.close();
            return fail(why);
        }
    }
    open_ = true;
    return true;
}

qint64 SqliteDrawHistory::beginRound(const QString& list, const QDateTime& startedAt)
{
    if (!ensureOpen())
        return 0;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral("INSERT INTO rounds(list, started) VALUES(?, ?)"));
    query.addBindValue(list);
    query.addBindValue(timeText(startedAt));
    if (!query.exec()) {
        fail(query.lastError().text());
        return 0;
    }
    problem_.clear();
    return query.lastInsertId().toLongLong();
}

bool SqliteDrawHistory::record(qint64 round, const DrawEvent& event)
{
    if (!ensureOpen())
        return false;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral(
        "INSERT INTO events(round, kind, draw_order, number, name, at) VALUES(?, ?, ?, ?, ?, ?)"));
    query.addBindValue(round);
    query.addBindValue(kindText(event.kind));
    query.addBindValue(event.order);
    query.addBindValue(event.number);
    query.addBindValue(event.name);
    query.addBindValue(timeText(event.at));
    if (!query.exec())
        return fail(query.lastError().text());
    problem_.clear();
    return true;
}

QList<RoundRecord> SqliteDrawHistory::rounds(const QString& list)
{
    if (!ensureOpen())
        return {};
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT id, started FROM rounds WHERE list = ? ORDER BY started DESC, id DESC"));
    query.addBindValue(list);
    if (!query.exec()) {
        fail(query.lastError().text());
        return {};
    }
    QList<RoundRecord> found;
    while (query.next())
        found.append({query.value(0).toLongLong(), list, timeOf(query.value(1).toString()), {}});
    QSqlQuery events(db);
    events.prepare(
        QStringLiteral("SELECT kind, draw_order, number, name, at FROM events WHERE round = ? ORDER BY id"));
    for (RoundRecord& round : found) {
        events.addBindValue(round.id);
        if (!events.exec()) {
            fail(events.lastError().text());
            return {};
        }
        while (events.next()) {
            const std::optional<DrawEvent::Kind> kind = kindOf(events.value(0).toString());
            if (!kind)
                continue; // written by a later version of the program
            round.events.append({*kind, events.value(1).toInt(), events.value(2).toString(),
                                 events.value(3).toString(), timeOf(events.value(4).toString())});
        }
    }
    problem_.clear();
    // A round nothing was drawn in tells the teacher nothing.
    found.removeIf([](const RoundRecord& round) { return round.events.isEmpty(); });
    return found;
}
