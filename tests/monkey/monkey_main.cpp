// zorvane_monkey: plays monkey games and counts how they end.
//
//   zorvane_monkey [--games N] [--first K]
//
// Games K to K+N-1 are played (each number replays the same game) in a scratch directory of
// their own. The status is 1 when any game failed; the first failure is shown with its number.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "monkey/monkey.h"

int main(int argc, char** argv)
{
    long games = 1000, first = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option != "--games" && option != "--first") return std::fprintf(stderr, "unknown option %s\n", argv[i]), 2;
        (option == "--games" ? games : first) = std::strtol(argv[i + 1], nullptr, 10);
    }
    std::string scratch = (std::filesystem::temp_directory_path() / "zorvane-monkey-XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) return std::perror("mkdtemp"), 2;
    std::filesystem::current_path(scratch);
    MonkeyTally tally;
    for (long number = first; number < first + games; ++number) playMonkeyGame(static_cast<std::uint32_t>(number), tally);
    std::filesystem::current_path("/");
    std::filesystem::remove_all(scratch);
    std::printf("%ld games, %ld keys: ended by themselves %ld, still prompting at the key limit %ld, failed %ld\n"
                "Zapfest %ld, frozen %ld, resumed %ld, damaged file refused %ld\n",
                tally.games, tally.keys, tally.ended, tally.capped, tally.failures, tally.zapfest, tally.frozen,
                tally.resumed, tally.refused);
    if (tally.failures != 0)
        std::printf("first failure: game %ld (replay: --first %ld --games 1): %s\n", tally.firstFailure,
                    tally.firstFailure, tally.failure.c_str());
    return tally.failures != 0;
}
