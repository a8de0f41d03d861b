#include "models/draw/RandomSource.h"

#include <chrono>
#include <random>

namespace {

// Spreads the bits of a 64-bit value over the whole word (splitmix64 finaliser).
std::uint64_t spread(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

RandomSource::RandomSource(std::uint64_t seed, Clock clock) : clock_(std::move(clock))
{
    this->seed(seed);
}

RandomSource& RandomSource::shared()
{
    static RandomSource source = [] {
        std::random_device device;
        RandomSource seeded(0);
        std::array<std::uint64_t, 4> words{};
        for (std::uint64_t& word : words)
            word = (std::uint64_t(device()) << 32) ^ device();
        seeded.seedFromWords(words);
        return seeded;
    }();
    return source;
}

std::uint64_t RandomSource::timeOfDay()
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count());
}

void RandomSource::seed(std::uint64_t seed)
{
    std::array<std::uint64_t, 4> words{};
    for (std::uint64_t& word : words) {
        seed = spread(seed);
        word = seed;
    }
    seedFromWords(words);
}

void RandomSource::seedFromWords(const std::array<std::uint64_t, 4>& words)
{
    state_ = words;
    // The all-zero state is the one state the generator cannot leave.
    if (state_ == std::array<std::uint64_t, 4>{})
        state_[0] = 0x9E3779B97F4A7C15ULL;
    lastReading_.reset();
}

void RandomSource::setClock(Clock clock)
{
    clock_ = std::move(clock);
    lastReading_.reset();
}

void RandomSource::mixClock()
{
    if (!clock_)
        return;
    const std::uint64_t reading = clock_();
    if (lastReading_ == reading)
        return;
    lastReading_ = reading;
    // XOR keeps everything the state already held; a reading alone never decides the next numbers.
    // Word 1 is the one the next output is made from, so the reading shows in the very next number.
    state_[1] ^= spread(reading);
    state_[3] ^= spread(reading ^ 0xD1B54A32D192ED03ULL);
    if (state_ == std::array<std::uint64_t, 4>{})
        state_[1] = 0x9E3779B97F4A7C15ULL;
}

std::uint64_t RandomSource::nextBits()
{
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

double RandomSource::next()
{
    return double(nextBits() >> 11) * 0x1.0p-53;
}
