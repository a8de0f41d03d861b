#include "ui/ZoomedStyle.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

namespace {

QStyle* desktopStyleCopy()
{
    // A proxy owns its base; the application's own style must stay the application's.
    if (QStyle* copy = QStyleFactory::create(QApplication::style()->name()))
        return copy;
    return QStyleFactory::create(QStringLiteral("Fusion"));
}

} // namespace

ZoomedStyle::ZoomedStyle(double factor) : QProxyStyle(desktopStyleCopy()), factor_(factor) {}

int ZoomedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int designed = QProxyStyle::pixelMetric(metric, option, widget);
    // Zero and negative answers mean "none" or "ask elsewhere", not lengths.
    if (designed <= 0)
        return designed;
    return std::max(1, int(std::lround(designed * factor_)));
}

void ZoomedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_FrameFocusRect || !(option->state & State_KeyboardFocusChange))
        return;
    const int width = std::max(1, int(std::lround(factor_)));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), width));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(width / 2, width / 2, -(width + 1) / 2, -(width + 1) / 2));
    painter->restore();
}

void ZoomedStyle::applyTo(QWidget* window, double factor)
{
    ZoomedStyle* old = window->findChild<ZoomedStyle*>(QString(), Qt::FindDirectChildrenOnly);
    ZoomedStyle* zoomed = nullptr;
    if (std::abs(factor - 1.0) > 1e-9) {
        zoomed = new ZoomedStyle(factor);
        zoomed->setParent(window);
    }
    const double ratio = factor / (old ? old->factor() : 1.0);
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (widget != window && widget->isWindow())
            continue;
        // A null style is the application's again.
        widget->setStyle(zoomed);
        // Lines that frames draw themselves are as thick as they were designed, at the zoom.
        if (auto* frame = qobject_cast<QFrame*>(widget)) {
            if (frame->lineWidth() > 0)
                frame->setLineWidth(std::max(1, int(std::lround(frame->lineWidth() * ratio))));
            frame->setMidLineWidth(int(std::lround(frame->midLineWidth() * ratio)));
        }
    }
    delete old;
}
