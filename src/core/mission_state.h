// All the state of a game lives in one record, read and written directly by every screen,
// encounter and ending. It is created with the start values below and never reset as a whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// A deck that deals each kind from 1 to 20 exactly once in every cycle of twenty draws.
struct NoRepeatDeck {
    static constexpr std::size_t kinds = 20;  // the kinds of card, 1 to 20: one slot each
    std::array<std::int32_t, kinds> cards{};  // kinds drawn this cycle, in order; 0 marks an empty slot
    std::int32_t last = 0;                 // slot of the most recent card (0 also when empty)
};

struct MissionState {
    std::int32_t fuel = 400;           // units of fuel; 0 or less ends the mission
    std::int32_t distanceLeft = 350;   // hundreds of thousands of miles to Mars; may go negative
    std::int32_t oxygen = 105;         // for walking on the asteroid; never refilled
    std::int32_t barrierCharges = 0;   // force field barrier; 0 or less is a dead generator
    std::int32_t dieRoll = 0;          // the most recent roll or card
    char soundOn = 0;                  // 'y' or 'n' once the sound question is answered
    std::int32_t phaserCells = 0;      // phaser power cells; 0 or less are dead
    NoRepeatDeck eventDeck;            // which encounter comes next
    std::int32_t damage = 0;           // unrepaired damage; 5 or more ends the mission
    std::int32_t warnings = 0;         // from Mission Control; 3 or more ends the mission
    std::int32_t spins = 0;            // spins of the cosmic wheel
    std::int32_t hasDiamond = 0;       // rocks carried from the asteroid
    std::int32_t hasPlatinum = 0;
    std::int32_t hasGold = 0;
    std::int32_t stationVisited = 0;   // the space station has been met
    std::int32_t resumedGame = 0;      // the game was taken up from the frozen game file
    std::int32_t zapfestMode = 0;      // alien battles only
    NoRepeatDeck eraDeck;              // which era the time warp shows
    std::int32_t goldSquare = 0;       // asteroid squares of the rocks, chosen once per run
    std::int32_t platinumSquare = 0;
    std::int32_t diamondSquare = 0;
    std::int32_t rocksPlaced = 0;
};

extern MissionState mission;

inline bool soundIsOn() { return mission.soundOn == 'y'; }
