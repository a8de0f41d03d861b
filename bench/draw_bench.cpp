// Times the draw pot against one pick of the random source, measured in the same run:
//   baseline  one pick, k = floor(200 x r + 1) with the clock mixed in
//   last      one draw from a pot of 200 with a single entry left (about 200 picks)
//   round     a whole round of 200, from a full pot to an empty one
// Prints the median time of each and its ratio to the baseline.
#include "models/draw/DrawPot.h"
#include "models/draw/RandomSource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <class Setup, class Work> double medianNs(int repeats, int perSample, Setup setup, Work work)
{
    std::vector<double> samples;
    for (int i = 0; i < repeats; ++i) {
        double total = 0;
        for (int j = 0; j < perSample; ++j) {
            setup();
            const auto start = Clock::now();
            work();
            total +=
                double(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count());
        }
        samples.push_back(total / perSample);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

volatile int sink = 0;

} // namespace

int main()
{
    RandomSource random(20261207);
    DrawPot pot;

    const int batch = 1000;
    const double baseline = medianNs(
                                31, 20, [] {},
                                [&] {
                                    for (int i = 0; i < batch; ++i)
                                        sink = sink + pickNumber(200, random);
                                }) /
                            batch;

    const double last = medianNs(
        31, 200,
        [&] {
            pot.fill(200);
            for (int k = 1; k <= 200; ++k)
                if (k != 137)
                    pot.take(k);
        },
        [&] { sink = sink + pot.draw(random); });

    const double round = medianNs(
        31, 5, [&] { pot.fill(200); },
        [&] {
            while (!pot.isEmpty())
                sink = sink + pot.draw(random);
        });

    std::printf("%-44s %12s %10s\n", "case", "median", "x baseline");
    std::printf("%-44s %9.0f ns %10.1f\n", "baseline: one pick (clock mixed in)", baseline, 1.0);
    std::printf("%-44s %9.0f ns %10.1f\n", "one draw, N = 200, one entry left", last, last / baseline);
    std::printf("%-44s %9.0f ns %10.1f\n", "whole round, N = 200", round, round / baseline);
    return 0;
}
