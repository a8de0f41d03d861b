#include "ui/support/FirstPaint.h"

#include <QEvent>
#include <QFile>
#include <QMetaObject>
#include <QSet>
#include <QWidget>
#include <cstdio>

namespace {

class FirstPaintFilter : public QObject {
public:
    FirstPaintFilter(QWidget* window, std::function<void()> then) : QObject(window), then_(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the children are painted and the picture is flushed once control returns.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    then_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// The peak memory so far (VmHWM, kB) and the shared libraries mapped, read from /proc: at this very
// moment, before anything loaded in the background comes in.
QByteArray memoryAndLibraries()
{
    QByteArray peak = "?";
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').value(0);
        }
    }
    QSet<QByteArray> libraries;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const qsizetype slash = line.indexOf('/');
            if (slash >= 0 && line.indexOf(".so", slash) >= 0)
                libraries.insert(line.mid(slash));
        }
    }
    return peak + ' ' + QByteArray::number(libraries.size());
}

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> then)
{
    if (window)
        window->installEventFilter(new FirstPaintFilter(window, std::move(then)));
}

void reportFirstPaintWhenAsked(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("VANTREL_REPORT_FIRST_PAINT"))
        return;
    afterFirstPaint(window, [] {
        const QByteArray line = "first-paint " + memoryAndLibraries() + '\n';
        std::fputs(line.constData(), stdout);
        std::fflush(stdout);
    });
}
