// The shape of an alien battle, shared by the pursuit of the full game and the Zapfest mode.
//
// A battle is a run of exchanges. In each one the player's action is settled by the first
// matching row of the battle's exchange table, and most rows let the aliens fire back; their
// shot is settled in turn by the first matching row of the alien gun's table. Both tables are
// data, one row in the code per row of the game's rules, read by the two walkers below:
//
//   // key  when                       cues           lines                    deeds              then
//   { 'f',  roll(4, 9, phasersLive),  {play(Phas)},  {pauseFor(1000), ...},   {fire, spendCell}, nextExchange },
//
// The battles differ in their rows, the size of their dice and the hits that make the aliens
// flee; the loops that run the exchanges stay with each battle.
#pragma once

#include <cstddef>
#include <vector>

#include "encounters/encounter.h"
#include "core/chance.h"

// The score of one battle, lost when it ends.
struct Score {
    int hits = 0;    // hits on the alien ship
    int killed = 0;  // 1 once an alien shot has destroyed the ship
};

// --- The exchange table ----------------------------------------------------------------------
// What an exchange does after its cues and lines, in the order its row lists them.
enum Deed {
    fire,            // the aliens fire back; a shot that kills the ship ends the battle at once
    fireIfStanding,  // the same, unless the aliens have just taken the hit that makes them flee
    spendCell,       // phaserCells -1
    spendCharge,     // barrierCharges -1, also when the generator is already dead
    scoreHit,        // hits +1
    takeWarning,     // warnings +1
    accelerateShip,  // the A move: distance -2, fuel -20, the fuel check, the status rows
};

enum Then { nextExchange, battleEnds };

struct Exchange {
    char key;
    When when;  // on the exchange's die, and the supplies as they stand before the exchange
    std::vector<Step> cues;
    std::vector<Say> lines;
    std::vector<Deed> deeds;
    Then then;
};

struct Battle {
    const char* name;  // named in the messages of the tests of the tables
    std::vector<Exchange> exchanges;
    int hitsToWin;                         // the hits that make the aliens flee
    void (*reply)(char key, Score& score);  // the aliens' shot
};

// Settles one exchange by the first row whose key and condition match the die; returns true
// when the row ends the battle or the aliens' reply killed the ship.
bool fightExchange(const Battle& battle, char key, int die, Score& score);

// --- The alien gun ---------------------------------------------------------------------------
// Whether a shot row is for a ship behind its barrier (the key was B and charges are left,
// counted before the exchange spends one), for one without, or for either.
enum Cover { eitherCover, behindBarrier, unprotected };

// Whether a shot row's cover fits the key and the barrier.
bool covers(Cover cover, char key);

enum Blow { noBlow, shipDamaged, aliensHit, shipKilled };

struct ShotRow {
    When when;  // on the alien shot
    Cover cover;
    std::vector<Step> cues;
    std::vector<Say> lines;
    Blow blow;
    void (*finale)() = nullptr;  // an ending that never returns
};

struct AlienGun {
    const char* name;  // named in the messages of the tests of the tables
    int sides;  // the shot is gameRand() % sides + 1; the top value is the deadly one
    // When set, a ship with neither phaser cells nor barrier charges hears this line and takes
    // the deadly shot whatever the draw.
    const char* defenceless;
    std::vector<ShotRow> rows;
};

// One alien shot: the aliens' fire cue, the shot drawn, then the first matching row.
void alienShot(const AlienGun& gun, char key, int& hits, int& killed);

// --- Pieces ----------------------------------------------------------------------------------
// A fixed passage of cues and lines, such as the aliens fleeing.
struct Passage {
    std::vector<Step> cues;
    std::vector<Say> lines;
};

void perform(const Passage& passage);

// One entry of a message list, chosen by gameRand() % k + 1 over its k entries.
template <typename Entry>
const Entry& oneOf(const std::vector<Entry>& list)
{
    const int choice = gameRand() % static_cast<int>(list.size()) + 1;
    return list[static_cast<std::size_t>(choice - 1)];
}

// One of the hit messages both battles use when the phasers find the alien ship.
void writeHitMessage();
