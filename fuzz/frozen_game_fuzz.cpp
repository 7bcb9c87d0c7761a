// libFuzzer target for the frozen game: any bytes as the reader's text and as "mars.dat" at the
// start-up resume offer. Aborts (and so reports) when
// - the reader accepts a state that is not sound, or changes the state when it refuses;
// - an accepted state, frozen again and read back, is not the same state;
// - the resume offer resumes a file the reader refuses (or not one it accepts), asks for more
//   than the R or B it is given (the exception it throws then ends the run), or changes the file.
// The resume offer reads "mars.dat" in the working directory: each run writes it there and
// removes it again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "support/scripted_console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"

#define CHECK(condition) \
    ((condition) ? (void)0 : (std::fprintf(stderr, "frozen_game_fuzz: %s\n", #condition), std::abort()))

namespace {

auto fields(const MissionState& s)
{
    return std::tie(s.fuel, s.distanceLeft, s.oxygen, s.barrierCharges, s.dieRoll, s.soundOn, s.phaserCells,
                    s.eventDeck.cards, s.eventDeck.last, s.damage, s.warnings, s.spins, s.hasDiamond,
                    s.hasPlatinum, s.hasGold, s.stationVisited, s.resumedGame, s.zapfestMode, s.eraDeck.cards,
                    s.eraDeck.last, s.goldSquare, s.platinumSquare, s.diamondSquare, s.rocksPlaced);
}
bool same(const MissionState& a, const MissionState& b) { return fields(a) == fields(b); }

// Flags 0 or 1 and decks sound. (A counter beyond the billion a file may hold would not come
// back the same from a freeze, which writes it at the limit.)
bool sound(const MissionState& s)
{
    for (std::int32_t flag : {s.hasDiamond, s.hasPlatinum, s.hasGold, s.stationVisited})
        if (flag != 0 && flag != 1) return false;
    return deckIsValid(s.eventDeck) && deckIsValid(s.eraDeck);
}

std::string frozenTextOf(const MissionState& s)
{
    mission = s;
    gameSrand(1);
    return frozenGameText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    MissionState start;  // a game under way, so that a reader writing fields the file does not hold is seen
    start.oxygen = 45;

    MissionState loaded = start;
    const bool accepted = readFrozenGame(text, loaded);
    if (accepted) {
        CHECK(sound(loaded));
        const std::string again = frozenTextOf(loaded);
        MissionState reread = start;
        CHECK(readFrozenGame(again, reread) && same(reread, loaded) && frozenTextOf(reread) == again);
    } else {
        CHECK(same(loaded, start));
    }

    // The resume offer, the player pressing R and then B: R resumes a sound file, a damaged one
    // offers only B. Files beyond 64 KiB are refused unread.
    CHECK(std::ofstream(frozenGameFile, std::ios::binary).write(text.data(), static_cast<std::streamsize>(size)).good());
    ScriptedConsole console;
    installConsole(console);
    console.queueKeys("rb");
    mission = start;
    offerResume();
    std::ifstream in(frozenGameFile, std::ios::binary);
    CHECK(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) == text);
    std::remove(frozenGameFile);
    const bool resumable = accepted && size <= 64 * 1024;
    CHECK(console.keysLeft() == (resumable ? 1u : 0u));
    MissionState expected = resumable ? loaded : start;
    expected.resumedGame = resumable;
    CHECK(same(mission, expected));
    return 0;
}
