#pragma once

#include "models/draw/NameListOrder.h"
#include "platform/DrawHistory.h"

#include <QDateTime>
#include <QString>
#include <functional>

// Keeps the round under way in the history as it happens: the round is begun with its first draw
// (a round nothing was drawn in is not kept), then every draw, absence and take-back is written at
// once. The first write that fails is reported; the round's later events are then not kept, so that
// the history never holds a round with a gap in it.
class RoundLog {
public:
    using Clock = std::function<QDateTime()>;

    explicit RoundLog(DrawHistory* history, Clock clock = &QDateTime::currentDateTime);

    // A new round of that list; nothing is written yet.
    void start(const QString& list);
    // Each returns why the history could not keep it, once per round; empty otherwise.
    QString drawn(int order, const namelist::Person& person);
    QString absent(int order, const namelist::Person& person);
    QString undone(int order, const namelist::Person& person);

    bool isLost() const { return lost_; }

private:
    QString write(DrawEvent::Kind kind, int order, const namelist::Person& person);

    DrawHistory* history_;
    Clock clock_;
    QString list_;
    QDateTime startedAt_;
    qint64 round_ = 0;
    bool lost_ = false;
};
