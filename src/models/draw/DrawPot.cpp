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
