// Chance: one generator, seeded once from the calendar clock, and the dice and decks built on it.
#pragma once

#include <cstdint>
#include <deque>

#include "core/mission_state.h"

// The generator: state = state * 214013 + 2531011 (mod 2^32); the result is bits 16 to 30 of
// the new state, 0..32767. The same seed gives the same game on every platform.
int gameRand();
void gameSrand(std::uint32_t seed);

// Seeds the generator from the calendar time in seconds. Called once, at program start.
void seedChance();

// dieRoll = gameRand() % n + 1.
void rollDie(int n);

// Leaves the next kind, 1..20, in dieRoll and records it in the deck.
void drawCard(NoRepeatDeck& deck);
void drawEventCard();
void drawEraCard();

// The deck invariants: last 0..19, slots 0..last distinct kinds 1..20, the rest 0.
bool deckIsValid(const NoRepeatDeck& deck);

// Forced chance for tests and headless drivers: while a ForcedChance lives, gameRand() returns
// the queued raw results in order, and a draw beyond the queue throws UnexpectedDraw.
struct UnexpectedDraw {};

class ForcedChance {
public:
    ForcedChance();
    ~ForcedChance();
    ForcedChance(const ForcedChance&) = delete;
    ForcedChance& operator=(const ForcedChance&) = delete;

    ForcedChance& push(int raw);
    // Queues the raw result that makes a die of any size of at least `face` show `face`.
    ForcedChance& face(int face) { return push(face - 1); }
    std::size_t left() const { return queue_.size(); }
    int taken() const { return taken_; }

private:
    friend int gameRand();
    std::deque<int> queue_;
    int taken_ = 0;
};
