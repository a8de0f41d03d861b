#pragma once

#include "platform/DrawHistory.h"

// The history of the draws in an SQLite database file (through Qt SQL's SQLite driver). Every call
// is its own transaction: a round cut short by a crash or a kill keeps every event written before.
// The database is opened on first use and created, with its tables, when missing.
class SqliteDrawHistory : public DrawHistory {
public:
    explicit SqliteDrawHistory(QString path);
    ~SqliteDrawHistory() override;
    SqliteDrawHistory(const SqliteDrawHistory&) = delete;
    SqliteDrawHistory& operator=(const SqliteDrawHistory&) = delete;

    qint64 beginRound(const QString& list, const QDateTime& startedAt) override;
    bool record(qint64 round, const DrawEvent& event) override;
    QList<RoundRecord> rounds(const QString& list) override;
    QString problem() const override { return problem_; }

    // The database file the program keeps in its data folder.
    static QString fileIn(const QString& dataFolder);

private:
    bool ensureOpen();
    bool fail(const QString& detail);

    QString path_;
    QString connection_;
    bool open_ = false;
    QString problem_;
};
