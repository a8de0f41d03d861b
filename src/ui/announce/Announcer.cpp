#include "ui/announce/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// The notification whose appearance the screen reader speaks: invisible itself (1 px, nothing
// painted, no clicks), its accessible name the text. A new one for every text: the accessibility
// layer's clients keep the name of an object they have read, and would say an old text again. It
// hides after a moment and goes long after, and does not come back with its window, whose next
// showing would speak it once more.
class SpokenNotice : public QWidget {
    Q_OBJECT
public:
    SpokenNotice(QWidget* window, const QString& text) : QWidget(window)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        setAccessibleName(text);
        QTimer::singleShot(kShownMs, this, &QWidget::hide);
        QTimer::singleShot(kKeptMs, this, &QObject::deleteLater);
        show();
    }

protected:
    bool event(QEvent* event) override
    {
        // Hidden with its window: it stays hidden when the window comes back, and stays readable.
        if (event->type() == QEvent::Hide && !isHidden())
            QTimer::singleShot(0, this, &QWidget::hide);
        return QWidget::event(event);
    }

private:
    // Shown for a moment; kept long after, since a screen reader busy with other events reads the
    // name of what was shown seconds later (Orca on a loaded machine: 3.6 s, measured).
    static constexpr int kShownMs = 2000;
    static constexpr int kKeptMs = 60000;
};

QAccessibleInterface* noticeAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("SpokenNotice") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}
#endif

// The window to speak from: the asking one when it is on screen, else one of ours that is; none when
// nothing of ours is (a notice in a hidden window would be spoken, late, when it shows).
QWidget* speakingWindow(QWidget* from)
{
    QWidget* window = from ? from->window() : nullptr;
    if (window && window->isVisible())
        return window;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && !top->inherits("QMenu") && top->windowType() != Qt::ToolTip)
            return top;
    return nullptr;
}

} // namespace

Announcer::Announcer()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    static const bool installed = [] {
        QAccessible::installFactory(noticeAccessible);
        return true;
    }();
    Q_UNUSED(installed);
#endif
}

Announcer::~Announcer()
{
    delete notice_;
}

void Announcer::announce(QWidget* from, const QString& text)
{
    if (text.isEmpty())
        return;
    QWidget* window = speakingWindow(from);
    if (!window)
        return;
    emit announced(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, text);
    QAccessible::updateAccessibility(&event);
#else
    if (notice_)
        notice_->hide();
    notice_ = new SpokenNotice(window, text);
#endif
}

#include "Announcer.moc"
