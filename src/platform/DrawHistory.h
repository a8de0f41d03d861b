#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

// One thing that happened in a round of the name-list draw, as the history keeps it.
struct DrawEvent {
    enum class Kind {
        Drawn,  // the person was drawn, at this place of the order
        Absent, // the person drawn last is absent: out of the round and of the order
        Undone, // the round's last step (a draw or an absence) was taken back
    };
    Kind kind = Kind::Drawn;
    int order = 0;
    QString number;
    QString name;
    QDateTime at;

    bool operator==(const DrawEvent& other) const = default;
};

// A round of one list with everything that happened in it, in order.
struct RoundRecord {
    qint64 id = 0;
    QString list;
    QDateTime startedAt;
    QList<DrawEvent> events;
};

// Where the rounds of the name-list draw are kept between runs. Each call is kept for good before it
// returns, so that the program ended at any moment loses at most the call under way.
class DrawHistory {
public:
    virtual ~DrawHistory() = default;

    // Starts the record of a round of that list; its id, or 0 when it could not be kept (problem()).
    virtual qint64 beginRound(const QString& list, const QDateTime& startedAt) = 0;
    // Adds an event to a round begun here; false when it could not be kept.
    virtual bool record(qint64 round, const DrawEvent& event) = 0;
    // The rounds of that list, the newest first; empty when there are none or they cannot be read.
    virtual QList<RoundRecord> rounds(const QString& list) = 0;
    // Why the last call failed, for the user; empty after a call that succeeded.
    virtual QString problem() const = 0;
};

// A history that lasts for this run only (tests, and where no database can be had).
class InMemoryDrawHistory : public DrawHistory {
public:
    qint64 beginRound(const QString& list, const QDateTime& startedAt) override
    {
        const qint64 id = ++lastId_;
        rounds_.insert(id, {id, list, startedAt, {}});
        return id;
    }
    bool record(qint64 round, const DrawEvent& event) override
    {
        if (!rounds_.contains(round))
            return false;
        rounds_[round].events.append(event);
        return true;
    }
    QList<RoundRecord> rounds(const QString& list) override
    {
        QList<RoundRecord> found;
        for (const RoundRecord& round : rounds_) {
            if (round.list == list)
                found.prepend(round);
        }
        return found;
    }
    QString problem() const override { return {}; }

private:
    QMap<qint64, RoundRecord> rounds_;
    qint64 lastId_ = 0;
};
