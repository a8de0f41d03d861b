#pragma once

#include <array>
#include <vector>

class RandomSource;

// The entries of one round of a draw: at most 200, numbered from 1, each in the pot until drawn.
// Shared by the sequence-number, name-list and slide draws.
class DrawPot {
public:
    static constexpr int kMaxEntries = 200;

    // Puts entries 1..count back (every whole number i with i <= count, at most 200). A fractional
    // count such as 2.5 holds entries 1 and 2, while the draw formula may still name 3.
    void fill(double count);

    // The count the pot was filled for, as given.
    double count() const { return count_; }

    // Whether entry k is still in the pot; false for any k outside 1..200.
    bool holds(int k) const;
    int remaining() const { return remaining_; }
    bool isEmpty() const { return remaining_ == 0; }

    // Takes entry k out of the pot.
    void take(int k);
    // Puts entry k back (a draw undone); nothing for an entry outside the pot's count.
    void putBack(int k);

    // Draws an entry at random and takes it out: k = floor(count x r + 1), tried again while entry
    // k is already out; the clock is mixed into the source before every attempt. Returns 0, without
    // trying, when the pot is empty.
    int draw(RandomSource& random);

    // Draws an entry still in the pot with a chance in proportion to its weight (weights[k - 1] for
    // entry k; a missing or non-positive weight counts as the smallest positive one given, so nobody
    // is ever left out) and takes it out. Returns 0 when the pot is empty.
    int drawWeighted(RandomSource& random, const std::vector<double>& weights);

    // Attempts the last draw needed (1 when the first pick was free).
    int lastAttempts() const { return lastAttempts_; }

private:
    // Whether entry k is in the pot, by k. Slot 0 is unused; one slot past the last entry lets a
    // fractional count's overshoot land on an empty slot.
    std::array<bool, kMaxEntries + 2> inPot_{};
    double count_ = 0;
    int remaining_ = 0;
    int lastAttempts_ = 0;
};

// One pick of k = floor(count x r + 1), with the clock mixed in first: what a rolling display shows
// and what every draw attempt tries. 1 <= k <= count for a whole count.
int pickNumber(double count, RandomSource& random);
