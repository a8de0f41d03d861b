#pragma once

#include "models/draw/NameListOrder.h"

#include <QHash>
#include <QList>
#include <vector>

// "少抽过的优先": across the rounds of a list, whoever was drawn less often is more likely to be drawn.
// A person drawn d times fewer than the most drawn of the list weighs kBase^d (d at most kMaxSteps):
// one draw behind already doubles the chance many times over, so nobody waits long, while everyone
// keeps a chance in every draw.
namespace fairdraw {

constexpr double kBase = 4;
constexpr int kMaxSteps = 6;

// The weight of each person of the list, in the list's order; counts by personKey.
std::vector<double> weights(const QList<namelist::Person>& people, const QHash<QString, int>& counts);

} // namespace fairdraw
