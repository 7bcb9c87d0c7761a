// What must hold for any text offered as a frozen game, shared by the fuzz target (which aborts
// on a broken check) and the test that replays the fuzz corpus on every run (which fails):
// - the reader accepts only a sound state, and changes nothing when it refuses;
// - an accepted state, frozen again and read back, is the same state and the same text;
// - the resume offer resumes a file the reader accepts (and no other), asks for no more than the
//   R or B it is given, and leaves the file as it was.
// The resume offer reads "mars.dat" in the working directory: the check writes it there and
// removes it again. It installs a scripted console of its own and uses the game's own chance.
#pragma once

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "core/chance.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"
#include "support/scripted_console.h"

namespace frozen_game_checks {

inline auto fields(const MissionState& s)
{
    return std::tie(s.fuel, s.distanceLeft, s.oxygen, s.barrierCharges, s.dieRoll, s.soundOn, s.phaserCells, s.eventDeck.cards,
                    s.eventDeck.last, s.damage, s.warnings, s.spins, s.hasDiamond, s.hasPlatinum, s.hasGold, s.stationVisited,
                    s.resumedGame, s.zapfestMode, s.eraDeck.cards, s.eraDeck.last, s.goldSquare, s.platinumSquare, s.diamondSquare, s.rocksPlaced);
}
inline bool same(const MissionState& a, const MissionState& b) { return fields(a) == fields(b); }

// The text a freeze of `s` writes, its decoys drawn from the game's chance as seeded.
inline std::string frozenTextOf(const MissionState& s) { return mission = s, gameSrand(1), frozenGameText(); }

// A game under way, so that a reader writing fields the file does not hold is seen.
inline MissionState startState()
{
    MissionState start;
    start.oxygen = 45;
    return start;
}

// The first check `text` breaks, or nothing when it breaks none.
inline const char* brokenCheck(const std::string& text)
{
    const MissionState start = startState();
    MissionState loaded = start, reread = start;
    const bool accepted = readFrozenGame(text, loaded);
    // Sound: flags 0 or 1 (no bit beyond the lowest in any of them), decks sound. (A counter
    // beyond the billion a file may hold would not come back the same from a freeze, which
    // writes it at the limit.)
    if (accepted && (((loaded.hasDiamond | loaded.hasPlatinum | loaded.hasGold | loaded.stationVisited) & ~1) != 0 ||
                     !deckIsValid(loaded.eventDeck) || !deckIsValid(loaded.eraDeck)))
        return "the reader accepted a state that is not sound";
    if (accepted && (!readFrozenGame(frozenTextOf(loaded), reread) || !same(reread, loaded) || frozenTextOf(reread) != frozenTextOf(loaded)))
        return "an accepted state, frozen again, did not come back the same";
    if (!accepted && !same(loaded, start)) return "the reader changed the state of a text it refused";

    // The resume offer, the player pressing R and then B: R resumes a sound file, a damaged one
    // offers only B. Files beyond 64 KiB are refused unread.
    if (!(std::ofstream(frozenGameFile, std::ios::binary) << text)) return "mars.dat could not be written";
    ScriptedConsole console;
    installConsole(console);
    console.queueKeys("rb");
    mission = start;
    offerResume();
    const bool fileKept = std::string(std::istreambuf_iterator<char>(std::ifstream(frozenGameFile, std::ios::binary).rdbuf()), {}) == text;
    std::remove(frozenGameFile);
    if (!fileKept) return "the resume offer changed the file";
    const bool resumable = accepted && text.size() <= 64 * 1024;
    if (console.keysLeft() != (resumable ? 1u : 0u)) return "the resume offer took other keys than R or B";
    MissionState expected = resumable ? loaded : start;
    expected.resumedGame = resumable;
    if (!same(mission, expected)) return "the resume offer resumed other than what the reader read";
    return nullptr;
}

}  // namespace frozen_game_checks
