// "少抽过的优先" against the plain draw, over many lessons of one class: 1,000 lessons of a class of 40,
// 5 drawn a lesson, the counts of earlier lessons weighting each lesson's draws as the window does.
// Prints, for each, the longest wait of a student between two of their draws (in lessons; the wait
// before the first draw and after the last counts too), the mean wait, and the chi-square of the
// draw counts against an even share (39 degrees of freedom: about 39 for a fair die, 62 at p = 0.01).
#include "models/draw/DrawRound.h"
#include "models/draw/FairWeights.h"
#include "models/draw/RandomSource.h"
#include "models/draw/RoundSummary.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kStudents = 40;
constexpr int kLessons = 1000;
constexpr int kPerLesson = 5;

struct Outcome {
    int longestWait = 0;
    double meanWait = 0;
    double chiSquare = 0;
};

Outcome simulate(bool fair, std::uint64_t seed)
{
    RandomSource random(seed);
    QList<namelist::Person> people;
    for (int i = 1; i <= kStudents; ++i)
        people.append({QString::number(i), QStringLiteral("学生%1").arg(i)});
    QHash<QString, int> counts;
    std::vector<int> lastDrawn(kStudents, -1);
    Outcome outcome;
    long waits = 0;
    long waitSum = 0;
    DrawRound round(random);
    for (int lesson = 0; lesson < kLessons; ++lesson) {
        round.start(kStudents);
        const std::vector<double> weights = fair ? fairdraw::weights(people, counts) : std::vector<double>{};
        for (int d = 0; d < kPerLesson; ++d) {
            const int entry = fair ? round.drawWeighted(weights) : round.draw();
            const int i = entry - 1;
            ++counts[personKey(people.at(i))];
            const int wait = lesson - lastDrawn[std::size_t(i)];
            outcome.longestWait = std::max(outcome.longestWait, wait);
            waitSum += wait;
            ++waits;
            lastDrawn[std::size_t(i)] = lesson;
        }
    }
    for (int i = 0; i < kStudents; ++i)
        outcome.longestWait = std::max(outcome.longestWait, kLessons - lastDrawn[std::size_t(i)]);
    outcome.meanWait = double(waitSum) / double(waits);
    const double expected = double(kLessons * kPerLesson) / kStudents;
    for (const namelist::Person& person : people) {
        const double off = counts.value(personKey(person)) - expected;
        outcome.chiSquare += off * off / expected;
    }
    return outcome;
}

} // namespace

int main()
{
    std::printf("%d lessons, %d students, %d drawn a lesson; 5 runs each\n", kLessons, kStudents, kPerLesson);
    std::printf("%-12s %14s %10s %12s\n", "draw", "longest wait", "mean wait", "chi-square");
    for (const bool fair : {false, true}) {
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            const Outcome outcome = simulate(fair, 20261208 + seed);
            std::printf("%-12s %14d %10.2f %12.1f\n", fair ? "fair" : "plain", outcome.longestWait,
                        outcome.meanWait, outcome.chiSquare);
        }
    }
    return 0;
}
