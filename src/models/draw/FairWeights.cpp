#include "models/draw/FairWeights.h"

#include "models/draw/RoundSummary.h"

#include <algorithm>
#include <cmath>

namespace fairdraw {

std::vector<double> weights(const QList<namelist::Person>& people, const QHash<QString, int>& counts)
{
    int most = 0;
    for (const namelist::Person& person : people)
        most = std::max(most, counts.value(personKey(person)));
    std::vector<double> result;
    result.reserve(std::size_t(people.size()));
    for (const namelist::Person& person : people) {
        const int behind = std::min(most - counts.value(personKey(person)), kMaxSteps);
        result.push_back(std::pow(kBase, behind));
    }
    return result;
}

} // namespace fairdraw
