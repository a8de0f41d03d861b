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
    slots_.fill(0);
    remaining_ = 0;
    for (int i = 1; i <= kMaxEntries && i <= count; ++i) {
        slots_[std::size_t(i)] = std::int16_t(i);
        ++remaining_;
    }
}

bool DrawPot::holds(int k) const
{
    return k >= 1 && k <= kMaxEntries && slots_[std::size_t(k)] != 0;
}

void DrawPot::take(int k)
{
    if (holds(k)) {
        slots_[std::size_t(k)] = 0;
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
