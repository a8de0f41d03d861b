#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// The program's one source of random numbers, used by every draw and every rolling display.
//
// A xoshiro256** generator, seeded once from the system's entropy. Before each number a draw takes,
// the time of day is mixed into the generator's state: that keeps a draw unpredictable from the
// program's start, but it never restarts the sequence, so numbers taken within one clock reading
// still differ and a rejection loop that waits for the last free entry ends quickly.
class RandomSource {
public:
    // Nanoseconds (or any finer-than-a-tick reading) of a clock.
    using Clock = std::function<std::uint64_t()>;

    // A generator with a fixed seed (tests, benchmarks) reading the given clock.
    explicit RandomSource(std::uint64_t seed, Clock clock = timeOfDay);

    // The program-wide generator, seeded from std::random_device on first use.
    static RandomSource& shared();

    // The time of day in nanoseconds since the epoch.
    static std::uint64_t timeOfDay();

    // Restarts from a fixed seed (tests and benchmarks only).
    void seed(std::uint64_t seed);
    void setClock(Clock clock);

    // Mixes the current clock reading into the state. A reading that was already mixed in adds
    // nothing and is skipped.
    void mixClock();

    // The next uniform value in [0, 1), 53 random bits.
    double next();

    // The next 64 random bits.
    std::uint64_t nextBits();

private:
    void seedFromWords(const std::array<std::uint64_t, 4>& words);

    std::array<std::uint64_t, 4> state_{};
    Clock clock_;
    std::optional<std::uint64_t> lastReading_;
};
