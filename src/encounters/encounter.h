// The encounter frame and its decision tables.
//
// Most encounters are settled by one action key and one die of 10, and their outcomes are
// written down as tables: for an action and a condition on the die or the supplies, the cues
// to play, the lines to write and the changes to the mission. This header gives those tables
// a shape in code, one Row per row of an outcome table, so that each row can be held against
// the table it came from and checked by eye:
//
//   // action  when                cues                 lines                       changes
//   { 'b',     roll(4, 10, barrierLive), {keyCue},      {"Very clever ...\n", ...}, spendBarrierEvenDead },
//
// One walker, settle(), reads every such table; the encounters differ only in their rows.
#pragma once

#include <vector>

#include "console/cues.h"

// --- Cues --------------------------------------------------------------------------------
// A step of an outcome's sound, played only while sound is on (its pause too). A Beat is the
// exception: a pause in the scene's own timing between two cues, taken with sound off too.
struct Step {
    enum Kind { Key, Play, PauseThenPlay, Beat };
    Kind kind = Play;
    Cue cue = Cue::Damage;
    int pause = 0;
};

// The key cue of the action: acce, evad, barr or dead, phas or dead, the repair tool, or none.
inline constexpr Step keyCue{Step::Key};
// The hit cue and the alarm cue: a second's pause, then the damage or the alarm sound.
inline constexpr Step hitCue{Step::PauseThenPlay, Cue::Damage, 1000};
inline constexpr Step alarmCue{Step::PauseThenPlay, Cue::Warning, 1000};
constexpr Step play(Cue cue) { return {Step::Play, cue, 0}; }
constexpr Step pauseThen(int ms, Cue cue) { return {Step::PauseThenPlay, cue, ms}; }
constexpr Step beat(int ms) { return {Step::Beat, Cue::Damage, ms}; }

// --- Conditions ----------------------------------------------------------------------------
// What a row or a line needs of the supplies, seen as they stand before the outcome changes
// them. Damage waiting means unrepaired damage (more than 0).
enum class Need { Nothing, BarrierLive, BarrierDead, PhasersLive, PhasersDead, DamageWaiting, NoDamage };
// The needs by the short names the tables use.
inline constexpr Need barrierLive = Need::BarrierLive;
inline constexpr Need barrierDead = Need::BarrierDead;
inline constexpr Need phasersLive = Need::PhasersLive;
inline constexpr Need phasersDead = Need::PhasersDead;
inline constexpr Need damageWaiting = Need::DamageWaiting;
inline constexpr Need noDamage = Need::NoDamage;

struct When {
    int low = 1;
    int high = 10;
    Need need = Need::Nothing;
};

inline constexpr When always{};
constexpr When roll(int low, int high, Need need = Need::Nothing) { return {low, high, need}; }
constexpr When when(Need need) { return {1, 10, need}; }

bool holds(Need need);
// Whether a row's condition holds for the die: the one test every walker of the tables uses.
bool applies(const When& when, int die);

// --- Lines ---------------------------------------------------------------------------------
// The two refusals of dead equipment that several tables share.
inline constexpr const char* deadBarrierLine = "No good!  Your force field generator is dead.\n";
inline constexpr const char* deadPhasersLine = "No good!  Your phaser power cells are dead.\n";

// A line of an outcome: a fixed text, written only when its need holds, a message list
// that picks and writes its own entry, or a pause between lines (taken with sound off too).
struct Say {
    Say(const char* text) : text(text) {}  // NOLINT: a plain text is the usual line
    Say(const char* text, Need only) : text(text), only(only) {}
    explicit Say(void (*list)()) : list(list) {}

    const char* text = nullptr;
    Need only = Need::Nothing;
    void (*list)() = nullptr;
    int pause = 0;
};

inline Say onlyIf(Need need, const char* text) { return {text, need}; }
inline Say fromList(void (*list)()) { return Say(list); }
inline Say pauseFor(int ms)
{
    Say line(nullptr, Need::Nothing);
    line.pause = ms;
    return line;
}

// --- Changes -------------------------------------------------------------------------------
// The changes to the mission, made after the lines unless noted.
enum Change : unsigned {
    noChange = 0,
    addDamage = 1u << 0,
    addWarning = 1u << 1,
    repairDamage = 1u << 2,      // damage -1: a successful repair in quiet space
    spendBarrierEvenDead = 1u << 3,      // barrierCharges -1, also when already dead
    spendBarrierWhileLive = 1u << 4,  // barrierCharges -1 only while above 0
    spendPhasersEvenDead = 1u << 5,      // phaserCells -1, also when already dead
    spendPhasersWhileLive = 1u << 6,  // phaserCells -1 only while above 0
    aMove = 1u << 7,             // the A move after the lines: distance -2, fuel -20, fuel check, status
    aMoveFirst = 1u << 8,        // the split A move: distance, fuel and fuel check before the lines,
                                 // the status redraw after them
    aMoveUnchecked = 1u << 9,    // distance -2, fuel -20 and the status, with no fuel check
};

constexpr Change operator|(Change a, Change b) { return static_cast<Change>(unsigned(a) | unsigned(b)); }

// --- Rows and encounters -------------------------------------------------------------------
struct Row {
    char action;
    When when;
    std::vector<Step> cues;
    std::vector<Say> lines;
    Change changes;
    void (*finale)() = nullptr;  // an ending that follows everything else and never returns
};

using Table = std::vector<Row>;

struct Encounter {
    const char* name;              // named in the messages of the tests of the tables
    std::vector<Step> opening;     // cues before the announcement
    std::vector<Say> announcement; // written from the cursor (column 1, row 5)
    Table rows;
};

// The frame: rolls the die of 10, plays the opening, writes the announcement, asks for the
// action and settles it from column 1, row 9.
void runEncounter(const Encounter& encounter);

// Settles an action by the first row of the table whose action and condition match.
void settle(char action, const Table& rows);

// The pieces of an outcome, also used by encounters that walk their own way.
void playSteps(const std::vector<Step>& steps, char action);
void writeLines(const std::vector<Say>& lines);
void playKeyCue(char action);

// The A move: distance -2, fuel -20; an empty tank ends the mission, otherwise the status
// rows are redrawn.
void accelerate();
