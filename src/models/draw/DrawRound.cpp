#include "models/draw/DrawRound.h"

#include "models/draw/RandomSource.h"

DrawRound::DrawRound() : DrawRound(RandomSource::shared()) {}

DrawRound::DrawRound(RandomSource& random) : random_(random) {}

void DrawRound::start(double count)
{
    pot_.fill(count);
    drawn_.clear();
}

int DrawRound::roll()
{
    return pickNumber(pot_.count(), random_);
}

int DrawRound::draw()
{
    const int k = pot_.draw(random_);
    if (k != 0)
        drawn_.push_back(k);
    return k;
}
