#include <cstdio>
#include <cstdlib>

#include "monkey/monkey.h"
#include "support/game_test.h"

namespace {

long fromEnvironment(const char* name, long otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : otherwise;
}

}  // namespace

// Whole games of random keys with the game's own chance, in both modes, some from frozen games
// sound or damaged: none fails, and between them a few hundred meet the main ways out. The test
// line plays games 1 to 300; ZORVANE_MONKEY_GAMES=N and ZORVANE_MONKEY_FIRST=K play games K to
// K+N-1 instead (a failure names its game, which ZORVANE_MONKEY_GAMES=1 replays).
TEST_F(GameTest, MonkeysPlayWholeGamesWithoutAFault)
{
    chance.reset();
    const long games = fromEnvironment("ZORVANE_MONKEY_GAMES", 300), first = fromEnvironment("ZORVANE_MONKEY_FIRST", 1);
    MonkeyTally tally;
    for (long number = first; number < first + games; ++number) playMonkeyGame(static_cast<std::uint32_t>(number), tally);
    std::printf("%ld games, %ld keys: ended by themselves %ld, still prompting at the key limit %ld, failed %ld\n"
                "Zapfest %ld, frozen %ld, resumed %ld, damaged file refused %ld\n",
                tally.games, tally.keys, tally.ended, tally.capped, tally.failures, tally.zapfest, tally.frozen,
                tally.resumed, tally.refused);
    EXPECT_EQ(tally.failures, 0) << "first failure: game " << tally.firstFailure << ": " << tally.failure;
    if (games >= 300) {
        for (long seen : {tally.zapfest, tally.resumed, tally.refused, tally.frozen}) EXPECT_GT(seen, 0);
    }
}
