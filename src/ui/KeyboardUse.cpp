#include "ui/KeyboardUse.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace {

bool pressable(const QAbstractButton* button)
{
    return button && button->isVisible() && button->isEnabled();
}

// Sees the Enter and Esc that no control of the window took for itself.
class KeyboardUse : public QObject {
    Q_OBJECT
public:
    explicit KeyboardUse(QWidget* window) : QObject(window), window_(window)
    {
        window->installEventFilter(this);
    }

    static KeyboardUse* of(QWidget* window)
    {
        if (auto* found = window->findChild<KeyboardUse*>(QString(), Qt::FindDirectChildrenOnly))
            return found;
        return new KeyboardUse(window);
    }

    QPointer<QAbstractButton> defaultButton;
    std::function<void()> leave;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Escape && leave) {
            leave();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return pressFocusedOrDefault();
        return false;
    }

private:
    bool pressFocusedOrDefault()
    {
        QWidget* focused = window_->focusWidget();
        if (auto* button = qobject_cast<QAbstractButton*>(focused)) {
            if (!pressable(button))
                return false;
            button->click();
            return true;
        }
        if (!pressable(defaultButton))
            return false;
        defaultButton->click();
        return true;
    }

    QWidget* window_;
};

} // namespace

namespace keyboard {

void attach(QWidget* window)
{
    KeyboardUse::of(window);
}

void setDefaultButton(QWidget* window, QAbstractButton* button)
{
    KeyboardUse::of(window)->defaultButton = button;
}

void setWayOut(QWidget* window, std::function<void()> leave)
{
    KeyboardUse::of(window)->leave = std::move(leave);
}

void addAccessKey(QAbstractButton* button, Qt::Key key)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), button->window());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (!pressable(button))
            return;
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
    });
}

} // namespace keyboard

#include "KeyboardUse.moc"
