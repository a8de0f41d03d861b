#include "platform/presentation/PageCache.h"

#include <QPdfDocument>
#include <algorithm>
#include <cmath>

QRect fitPage(const QSizeF& pagePoints, const QSize& area)
{
    if (pagePoints.width() <= 0 || pagePoints.height() <= 0 || area.isEmpty())
        return QRect(QPoint(0, 0), area);
    const QSizeF fitted = pagePoints.scaled(QSizeF(area), Qt::KeepAspectRatio);
    const QSize size(std::max(1, int(std::lround(fitted.width()))),
                     std::max(1, int(std::lround(fitted.height()))));
    return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

PageCache::PageCache(QPdfDocument& document, const QSize& screenPixels, qint64 previewBudgetBytes)
    : document_(document), screen_(screenPixels), previews_(size_t(std::max(0, document.pageCount())))
{
    // Previews of all pages share the budget; a small deck gets them at full size.
    const double bytesPerPage = 4.0 * std::max(1, screen_.width()) * std::max(1, screen_.height());
    const double pages = std::max<size_t>(1, previews_.size());
    previewScale_ = std::clamp(std::sqrt(double(previewBudgetBytes) / (bytesPerPage * pages)), 0.1, 1.0);
}

QRect PageCache::placeOf(int page) const
{
    return fitPage(document_.pagePointSize(page), screen_);
}

QImage PageCache::render(int page, double scale) const
{
    const QSize full = placeOf(page).size();
    const QSize size(std::max(1, int(full.width() * scale)), std::max(1, int(full.height() * scale)));
    QImage image = document_.render(page, size);
    if (image.isNull()) {
        // A page the renderer cannot draw still shows as a page, not as the previous one.
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    // Opaque images are blitted fastest.
    return image.convertToFormat(QImage::Format_RGB32);
}

bool PageCache::hasSharp(int page) const
{
    return std::any_of(sharp_.begin(), sharp_.end(),
                       [page](const auto& entry) { return entry.first == page; });
}

const QImage& PageCache::sharp(int page)
{
    auto found =
        std::find_if(sharp_.begin(), sharp_.end(), [page](const auto& entry) { return entry.first == page; });
    if (found != sharp_.end()) {
        sharp_.splice(sharp_.begin(), sharp_, found);
        return sharp_.front().second;
    }
    if (previewScale_ >= 1.0) {
        sharp_.emplace_front(page, preview(page));
    } else {
        sharp_.emplace_front(page, render(page, 1.0));
    }
    while (int(sharp_.size()) > kSharpKept)
        sharp_.pop_back();
    return sharp_.front().second;
}

bool PageCache::hasPreview(int page) const
{
    return page >= 0 && page < pageCount() && !previews_[size_t(page)].isNull();
}

const QImage& PageCache::preview(int page)
{
    QImage& slot = previews_[size_t(page)];
    if (slot.isNull()) {
        slot = render(page, previewScale_);
        ++previewsReady_;
    }
    return slot;
}

bool PageCache::renderAhead(int wantedPage)
{
    if (previewsReady_ >= pageCount())
        return false;
    if (wantedPage >= 0 && wantedPage < pageCount() && !hasPreview(wantedPage)) {
        preview(wantedPage);
        return true;
    }
    while (nextAhead_ < pageCount() && hasPreview(nextAhead_))
        ++nextAhead_;
    if (nextAhead_ < pageCount())
        preview(nextAhead_);
    return previewsReady_ < pageCount();
}
