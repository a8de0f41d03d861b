#include "platform/FirstPaint.h"

#include <QEvent>
#include <QMetaObject>
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
        std::fputs("first-paint\n", stdout);
        std::fflush(stdout);
    });
}
