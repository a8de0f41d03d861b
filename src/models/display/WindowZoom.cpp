#include "models/display/WindowZoom.h"

#include "platform/ZoomStore.h"

#include <algorithm>
#include <cstdlib>

WindowZoom::WindowZoom(ZoomStore* store) : store_(store) {}

int WindowZoom::snapToStep(int percent)
{
    return *std::min_element(kSteps.begin(), kSteps.end(), [percent](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
}

int WindowZoom::percent(const QString& kind) const
{
    auto known = percents_.find(kind);
    if (known != percents_.end())
        return *known;
    int loaded = kNormal;
    if (store_)
        loaded = snapToStep(store_->percent(kind).value_or(kNormal));
    percents_.insert(kind, loaded);
    return loaded;
}

int WindowZoom::setPercent(const QString& kind, int wanted)
{
    const int percent = snapToStep(wanted);
    const int before = this->percent(kind);
    percents_.insert(kind, percent);
    if (store_ && percent != before)
        store_->setPercent(kind, percent);
    return percent;
}

int WindowZoom::zoomIn(const QString& kind)
{
    const int current = percent(kind);
    auto next = std::upper_bound(kSteps.begin(), kSteps.end(), current);
    return setPercent(kind, next == kSteps.end() ? kSteps.back() : *next);
}

int WindowZoom::zoomOut(const QString& kind)
{
    const int current = percent(kind);
    auto below = std::lower_bound(kSteps.begin(), kSteps.end(), current);
    return setPercent(kind, below == kSteps.begin() ? kSteps.front() : *std::prev(below));
}

int WindowZoom::reset(const QString& kind)
{
    return setPercent(kind, kNormal);
}

int WindowZoom::largestFitting(int percent, QSizeF designSize, QSizeF area)
{
    const int wanted = snapToStep(percent);
    for (auto step = kSteps.rbegin(); step != kSteps.rend(); ++step) {
        if (*step > wanted)
            continue;
        const double factor = *step / 100.0;
        if (designSize.width() * factor <= area.width() && designSize.height() * factor <= area.height())
            return *step;
    }
    return kNormal;
}
