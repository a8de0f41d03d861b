#pragma once

#include <QColor>
#include <QSet>
#include <QString>

namespace testdecks {

// The colour page i (0-based) is filled with, so a test can tell pages apart by a pixel.
QColor pageColour(int page);

// A PDF of `pages` landscape 16:9 pages, each filled with its colour and showing its number.
bool writePdf(const QString& path, int pages);

// A flat ODF presentation of `slides` slides reading "Slide 1" ... ; the slides listed are hidden.
bool writeFlatOdp(const QString& path, int slides, const QSet<int>& hidden = {});

// A flat ODF presentation whose slides each carry a picture of some fifty shapes: a deck that takes
// the office seconds to convert, as a real deck of that many slides does.
bool writeBusyFlatOdp(const QString& path, int slides);

// Whether two colours are alike within a small tolerance (renderers smooth edges).
bool near(const QColor& a, const QColor& b, int tolerance = 24);

} // namespace testdecks
