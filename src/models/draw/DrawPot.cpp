#include "models/draw/DrawPot.h"

#include "models/draw/RandomSource.h"

#include <algorithm>
#include <cmath>

int pickNumber(double count, RandomSource& random)
{
    random.mixClock();
    return int(std::floor(count * random.next() + 1));
}

void DrawPot::fill(double count)
{
    count_ = count;
    inPot_.fill(false);
    remaining_ = 0;
    for (int i = 1; i <= kMaxEntries && i <= count; ++i) {
        inPot_[std::size_t(i)] = true;
        ++remaining_;
    }
}

bool DrawPot::holds(int k) const
{
    return k >= 1 && k <= kMaxEntries && inPot_[std::size_t(k)];
}

void DrawPot::take(int k)
{
    if (holds(k)) {
        inPot_[std::size_t(k)] = false;
        --remaining_;
    }
}

void DrawPot::putBack(int k)
{
    if (k >= 1 && k <= kMaxEntries && k <= count_ && !inPot_[std::size_t(k)]) {
        inPot_[std::size_t(k)] = true;
        ++remaining_;
    }
}

int DrawPot::drawWeighted(RandomSource& random, const std::vector<double>& weights)
{
    lastAttempts_ = 0;
    if (isEmpty())
        return 0;
    double smallest = 0;
    for (const double weight : weights) {
        if (weight > 0 && std::isfinite(weight) && (smallest == 0 || weight < smallest))
            smallest = weight;
    }
    if (smallest == 0)
        smallest = 1;
    const auto weightOf = [&](int k) {
        const double weight = std::size_t(k - 1) < weights.size() ? weights[std::size_t(k - 1)] : 0;
        return weight > 0 && std::isfinite(weight) ? weight : smallest;
    };
    double total = 0;
    for (int k = 1; k <= kMaxEntries; ++k) {
        if (holds(k))
            total += weightOf(k);
    }
    random.mixClock();
    lastAttempts_ = 1;
    double point = total * random.next();
    int chosen = 0;
    for (int k = 1; k <= kMaxEntries; ++k) {
        if (!holds(k))
            continue;
        chosen = k; // rounding may leave the point past the last weight: the last entry takes it
        point -= weightOf(k);
        if (point < 0)
            break;
    }
    take(chosen);
    return chosen;
}

int DrawPot::draw(RandomSource& random)
{
    lastAttempts_ = 0;
    // An empty pot would keep the loop below waiting for an entry that never comes.
    if (isEmpty())
        return 0;
    // Counts above the pot's size would only name entries that cannot be in it.
    const double count = std::min(count_, double(kMaxEntries));
    int k = 0;
    do {
        ++lastAttempts_;
        k = pickNumber(count, random);
    } while (!holds(k));
    take(k);
    return k;
}
