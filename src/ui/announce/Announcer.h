#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// Says a short text through the screen reader when something happens that the teacher may not be
// looking at: the reminder, the time-up, a draw, a message. Qt from 6.8 has announcements of its
// own; on older Qt the text is the name of a small notification that is shown in the window, which
// the screen reader speaks as it appears. Called at those moments only, never on every tick.
class Announcer : public QObject {
    Q_OBJECT
public:
    Announcer();
    ~Announcer() override;

    // Speaks the text from this window (or, when it is not on screen, from another of ours that is).
    void announce(QWidget* from, const QString& text);

signals:
    // What was announced, as it was handed to the accessibility layer.
    void announced(const QString& text);

private:
    QPointer<QWidget> notice_;
};
