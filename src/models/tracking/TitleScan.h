#pragma once

#include "models/tracking/ShowDetection.h"

#include <QStringList>

// The titles of the top-level windows as the last tracking tick saw them, and what they show. The
// list seldom changes from one tick to the next, so it is scanned again only when it did; unchanged
// lists share their data and compare at next to no cost.
class TitleScan {
public:
    // Takes the titles the window system delivered; true when they differ from the last ones.
    bool take(const QStringList& delivered);

    // The delivered titles without the empty ones.
    const QStringList& titles() const { return titles_; }
    const showdetection::Found& found() const { return found_; }

    // Back to no titles at all.
    void forget() { *this = TitleScan(); }

private:
    QStringList delivered_;
    QStringList titles_;
    showdetection::Found found_;
};
