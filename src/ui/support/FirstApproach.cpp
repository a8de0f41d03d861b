#include "ui/support/FirstApproach.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

bool isApproach(QEvent::Type type)
{
    switch (type) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

// Watches the whole application: a key goes to the focused control and a move to the native window,
// neither to the window widget itself.
class FirstApproachFilter : public QObject {
public:
    FirstApproachFilter(QWidget* window, std::function<void()> then)
        : QObject(window), window_(window), then_(std::move(then))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!then_ || !isApproach(event->type()) || !belongsToWindow(receiver))
            return false;
        qApp->removeEventFilter(this);
        // Once; the event itself goes on to its control as usual.
        auto then = std::move(then_);
        then_ = nullptr;
        then();
        deleteLater();
        return false;
    }

private:
    bool belongsToWindow(QObject* receiver) const
    {
        if (!window_)
            return false;
        if (receiver->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(receiver);
            return widget == window_ || window_->isAncestorOf(widget);
        }
        return receiver->isWindowType() && receiver == window_->windowHandle();
    }

    QPointer<QWidget> window_;
    std::function<void()> then_;
};

} // namespace

void onFirstApproach(QWidget* window, std::function<void()> then)
{
    if (window && qApp)
        new FirstApproachFilter(window, std::move(then));
}
