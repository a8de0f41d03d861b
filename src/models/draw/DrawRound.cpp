#include "models/draw/DrawRound.h"

#include "models/draw/RandomSource.h"

DrawRound::DrawRound() : DrawRound(RandomSource::shared()) {}

DrawRound::DrawRound(RandomSource& random) : random_(random) {}

void DrawRound::start(double count)
{
    pot_.fill(count);
    drawn_.clear();
    absent_.clear();
    steps_.clear();
}

int DrawRound::roll()
{
    return pickNumber(pot_.count(), random_);
}

int DrawRound::draw()
{
    const int k = pot_.draw(random_);
    recordDraw(k);
    return k;
}

int DrawRound::drawWeighted(const std::vector<double>& weights)
{
    const int k = pot_.drawWeighted(random_, weights);
    recordDraw(k);
    return k;
}

void DrawRound::recordDraw(int entry)
{
    if (entry == 0)
        return;
    drawn_.push_back(entry);
    steps_.push_back({entry, false});
}

bool DrawRound::markLastAbsent()
{
    if (!canMarkAbsent())
        return false;
    // The step is the last draw, so the entry is the last of the order.
    steps_.back().absent = true;
    absent_.push_back(drawn_.back());
    drawn_.pop_back();
    return true;
}

int DrawRound::undoLast()
{
    if (steps_.empty())
        return 0;
    const Step step = steps_.back();
    steps_.pop_back();
    // An absence is taken back with the draw it corrected: the entry goes back into the pot either way.
    if (step.absent)
        absent_.pop_back();
    else
        drawn_.pop_back();
    pot_.putBack(step.entry);
    return step.entry;
}
