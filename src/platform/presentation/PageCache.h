#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <list>
#include <vector>

class QPdfDocument;

// Where a page of the given size sits on a screen area: as large as fits, aspect ratio kept, centred.
QRect fitPage(const QSizeF& pagePoints, const QSize& area);

// Rendered pages of a shown PDF. Every page gets a small preview, rendered ahead of time within a
// memory budget, so a rolling show only swaps ready images; the page that stays on screen is then
// rendered sharp at the screen's resolution (the last few are kept).
class PageCache {
public:
    static constexpr qint64 kDefaultPreviewBudget = 128LL * 1024 * 1024;
    static constexpr int kSharpKept = 4;

    // screenPixels: the show's size in device pixels.
    PageCache(QPdfDocument& document, const QSize& screenPixels,
              qint64 previewBudgetBytes = kDefaultPreviewBudget);

    int pageCount() const { return int(previews_.size()); }
    // The page's place on the screen, in device pixels. Pages are 0-based here.
    QRect placeOf(int page) const;

    // The sharp image, rendered when missing.
    const QImage& sharp(int page);
    bool hasSharp(int page) const;
    // The preview, rendered when missing.
    const QImage& preview(int page);
    bool hasPreview(int page) const;
    // Renders one missing preview, the wanted page first if it lacks one. False once all are ready.
    bool renderAhead(int wantedPage);
    int previewsReady() const { return previewsReady_; }
    // Scale of previews against the sharp rendering (1 = full size).
    double previewScale() const { return previewScale_; }

private:
    QImage render(int page, double scale) const;

    QPdfDocument& document_;
    QSize screen_;
    double previewScale_ = 1;
    std::vector<QImage> previews_;
    int previewsReady_ = 0;
    int nextAhead_ = 0;
    // Most recently used first.
    std::list<std::pair<int, QImage>> sharp_;
};
