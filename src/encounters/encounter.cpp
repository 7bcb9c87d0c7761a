#include "encounters/encounter.h"

#include "console/console.h"
#include "encounters/action_prompt.h"
#include "core/chance.h"
#include "endings/endings.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/status.h"

namespace {

bool matches(const Row& row, char action)
{
    return row.action == action && applies(row.when, mission.dieRoll);
}

bool has(Change changes, Change change) { return (unsigned(changes) & unsigned(change)) != 0; }

void burnAcceleration()
{
    mission.distanceLeft -= 2;
    mission.fuel -= 20;
}

void checkFuel()
{
    if (mission.fuel < 1) endWith(outOfFuelEnding);
}

// The counters of an outcome, made after its lines.
void applyCounters(Change changes)
{
    if (has(changes, addDamage)) ++mission.damage;
    if (has(changes, repairDamage)) --mission.damage;
    if (has(changes, addWarning)) ++mission.warnings;
    if (has(changes, spendBarrierEvenDead) || (has(changes, spendBarrierWhileLive) && mission.barrierCharges > 0))
        --mission.barrierCharges;
    if (has(changes, spendPhasersEvenDead) || (has(changes, spendPhasersWhileLive) && mission.phaserCells > 0))
        --mission.phaserCells;
}

}  // namespace

bool holds(Need need)
{
    switch (need) {
    case Need::BarrierLive: return mission.barrierCharges > 0;
    case Need::BarrierDead: return mission.barrierCharges <= 0;
    case Need::PhasersLive: return mission.phaserCells > 0;
    case Need::PhasersDead: return mission.phaserCells <= 0;
    case Need::DamageWaiting: return mission.damage > 0;
    case Need::NoDamage: return mission.damage <= 0;
    case Need::Nothing: break;
    }
    return true;
}

bool applies(const When& when, int die) { return die >= when.low && die <= when.high && holds(when.need); }

void playKeyCue(char action)
{
    switch (action) {
    case 'a': cue(Cue::Accelerate); break;
    case 'e': cue(Cue::Evade); break;
    case 'b': cue(mission.barrierCharges > 0 ? Cue::Barrier : Cue::DeadEquipment); break;
    case 'f': cue(mission.phaserCells > 0 ? Cue::Phasers : Cue::DeadEquipment); break;
    case 'r': cue(Cue::RepairTool); break;
    default: break;
    }
}

void playSteps(const std::vector<Step>& steps, char action)
{
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Key: playKeyCue(action); break;
        case Step::Play: cue(step.cue); break;
        case Step::PauseThenPlay: pauseThenCue(step.pause, step.cue); break;
        case Step::Beat: pauseMs(step.pause); break;
        }
    }
}

void writeLines(const std::vector<Say>& lines)
{
    for (const Say& line : lines) {
        if (line.list)
            line.list();
        else if (line.pause > 0)
            pauseMs(line.pause);
        else if (holds(line.only))
            writeText(line.text);
    }
}

void accelerate()
{
    burnAcceleration();
    checkFuel();
    showStatus();
}

void settle(char action, const Table& rows)
{
    for (const Row& row : rows) {
        if (!matches(row, action)) continue;
        const Change changes = row.changes;
        playSteps(row.cues, action);
        if (has(changes, aMoveFirst)) {
            burnAcceleration();
            checkFuel();
        }
        writeLines(row.lines);
        applyCounters(changes);
        if (has(changes, aMove)) accelerate();
        if (has(changes, aMoveFirst)) showStatus();
        if (has(changes, aMoveUnchecked)) {
            burnAcceleration();
            showStatus();
        }
        if (row.finale) row.finale();
        return;
    }
}

void runEncounter(const Encounter& encounter)
{
    rollDie(10);
    playSteps(encounter.opening, 0);
    writeLines(encounter.announcement);
    const char action = actionPrompt();
    gotoColRow(1, 9);
    settle(action, encounter.rows);
}
