#include "ui/announce/SpokenCount.h"

#include "models/announce/SpokenTexts.h"
#include "models/countdown/TimeText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

const char* const kSpokenCount = "vantrelSpokenCount";

class SpokenCountAccessible : public QAccessibleWidget {
public:
    explicit SpokenCountAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto* label = static_cast<const QLabel*>(object());
        // In overtime the label carries its words itself ("超时 1 分 12 秒"): "+01 : 12" is no time left.
        const QString ownWords = label->accessibleName();
        if (!ownWords.isEmpty() && (kind == QAccessible::Name || kind == QAccessible::Description))
            return ownWords;
        if (kind == QAccessible::Name)
            return label->text();
        if (kind == QAccessible::Description) {
            bool minutesRead = false, secondsRead = false;
            const int minutes = displayMinutes(label->text()).toInt(&minutesRead);
            const int seconds = displaySeconds(label->text()).toInt(&secondsRead);
            if (minutesRead && secondsRead)
                return spokenRemaining(minutes, seconds);
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* countAccessible(const QString&, QObject* object)
{
    if (auto* label = qobject_cast<QLabel*>(object); label && label->property(kSpokenCount).toBool())
        return new SpokenCountAccessible(label);
    return nullptr;
}

} // namespace

void speakCountInWords(QLabel* count)
{
    static const bool installed = [] {
        QAccessible::installFactory(countAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    count->setProperty(kSpokenCount, true);
    // With the accessibility bus on, giving the label its text already made the plain label's.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(count);
    if (made && !dynamic_cast<SpokenCountAccessible*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
