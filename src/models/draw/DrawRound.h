#pragma once

#include "models/draw/DrawPot.h"

#include <vector>

class RandomSource;

// One round of a draw over entries 1..count: what is still in the pot, what was drawn and in which
// order, and whether the round is under way. The sequence-number, name-list and slide draws each
// run their rounds through one of these.
class DrawRound {
public:
    // Draws from the program's shared source unless given another (tests, benchmarks).
    DrawRound();
    explicit DrawRound(RandomSource& random);

    // Starts a round: entries 1..count back in the pot, nothing drawn. A fractional count keeps its
    // whole entries and still names the next one in the draw rule (see DrawPot).
    void start(double count);
    // A new round over the same count.
    void restart() { start(pot_.count()); }

    double count() const { return pot_.count(); }

    // A number for the rolling display, drawn or not: k = floor(count x r + 1).
    int roll();

    // Draws an entry not drawn before in this round and records it; 0, recording nothing, when the
    // round is over.
    int draw();

    // As draw(), each entry in the pot weighted as DrawPot::drawWeighted takes it.
    int drawWeighted(const std::vector<double>& weights);

    // The entry drawn last is absent: it stays out of this round, leaves the draw order (the next
    // draw takes its place in it) and is kept among the absent. False when nothing was drawn since
    // the last correction.
    bool markLastAbsent();
    // Takes back the round's last step, a draw or an absence: the entry goes back into the pot and
    // out of the order and the absent. Returns that entry; 0 when the round has no step left.
    int undoLast();
    // The entries found absent, in the order they were marked.
    const std::vector<int>& absent() const { return absent_; }
    // Whether the round's last step can be marked absent: a draw not yet corrected.
    bool canMarkAbsent() const { return !steps_.empty() && !steps_.back().absent; }
    bool canUndo() const { return !steps_.empty(); }

    // The entries drawn so far, in the order they came.
    const std::vector<int>& drawn() const { return drawn_; }
    int drawnCount() const { return int(drawn_.size()); }
    // The entry drawn last; 0 before the first draw.
    int lastDrawn() const { return drawn_.empty() ? 0 : drawn_.back(); }
    int remaining() const { return pot_.remaining(); }

    // Every entry is out: nothing more can be drawn until the next round starts.
    bool isOver() const { return pot_.isEmpty(); }
    // Drawn from and not over: leaving now would lose a round half done.
    bool isOpen() const { return !drawn_.empty() && !isOver(); }

    const DrawPot& pot() const { return pot_; }
    RandomSource& random() { return random_; }

private:
    RandomSource& random_;
    DrawPot pot_;
    // What happened in the round, in order, so that its last step can be taken back.
    struct Step {
        int entry = 0;
        bool absent = false;
    };
    void recordDraw(int entry);

    std::vector<int> drawn_;
    std::vector<int> absent_;
    std::vector<Step> steps_;
};
