#include "aliens/battle.h"

#include "console/console.h"
#include "core/mission_state.h"
#include "core/sound.h"

bool covers(Cover cover, char key)
{
    const bool shielded = key == 'b' && mission.barrierCharges > 0;
    switch (cover) {
    case behindBarrier: return shielded;
    case unprotected: return !shielded;
    case eitherCover: break;
    }
    return true;
}

namespace {

const std::vector<const char*> hitMessages = {
    "Good shot!  You clipped the buggers\n",
    "Zap!  You singed the space goons good\n",
    "Direct hit!  The creeps are smoking now\n",
    "Right on the nose, those skunks felt that one\n",
    "Pow!  You put a dent in the punks' ship\n",
};

}  // namespace

void writeHitMessage() { writeText(oneOf(hitMessages)); }

void perform(const Passage& passage)
{
    playSteps(passage.cues, 0);
    writeLines(passage.lines);
}

bool fightExchange(const Battle& battle, char key, int die, Score& score)
{
    for (const Exchange& row : battle.exchanges) {
        if (row.key != key || !applies(row.when, die)) continue;
        playSteps(row.cues, key);
        writeLines(row.lines);
        for (const Deed deed : row.deeds) {
            switch (deed) {
            case fireIfStanding:
                if (score.hits >= battle.hitsToWin) break;
                [[fallthrough]];
            case fire:
                battle.reply(key, score);
                // The rest of the row belongs to a ship that is still there.
                if (score.killed) return true;
                break;
            case spendCell: --mission.phaserCells; break;
            case spendCharge: --mission.barrierCharges; break;
            case scoreHit: ++score.hits; break;
            case takeWarning: ++mission.warnings; break;
            case accelerateShip: accelerate(); break;
            }
        }
        return row.then == battleEnds;
    }
    return false;
}

void alienShot(const AlienGun& gun, char key, int& hits, int& killed)
{
    pauseMs(1000);
    if (soundIsOn()) {
        cue(Cue::AlienFire);
        pauseMs(1000);
    }
    int shot = gameRand() % gun.sides + 1;
    if (gun.defenceless && mission.phaserCells < 1 && mission.barrierCharges < 1) {
        shot = gun.sides;
        writeText(gun.defenceless);
        pauseMs(2000);
    }
    for (const ShotRow& row : gun.rows) {
        if (!applies(row.when, shot) || !covers(row.cover, key)) continue;
        playSteps(row.cues, key);
        writeLines(row.lines);
        switch (row.blow) {
        case noBlow: break;
        case shipDamaged: ++mission.damage; break;
        case aliensHit: ++hits; break;
        case shipKilled: killed = 1; break;
        }
        if (row.finale) row.finale();
        return;
    }
}
