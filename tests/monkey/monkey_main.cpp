// zorvane_monkey: plays monkey games and counts how they end.
//
//   zorvane_monkey [--games N] [--first K] [--wildness PERCENT]
//
// Games K to K+N-1 are played (each number replays the same game) in a scratch directory of
// their own. The status is 1 when any game failed; the first failure is shown with its number.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "monkey/monkey.h"

int main(int argc, char** argv)
{
    long games = 1000;
    long first = 1;
    MonkeyOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--games") == 0) games = value;
        else if (std::strcmp(argv[i], "--first") == 0) first = value;
        else if (std::strcmp(argv[i], "--wildness") == 0) options.wildness = static_cast<int>(value);
        else return std::fprintf(stderr, "unknown option %s\n", argv[i]), 2;
    }

    std::string pattern = (std::filesystem::temp_directory_path() / "zorvane-monkey-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return std::perror("mkdtemp"), 2;
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(pattern);

    MonkeyTally tally;
    const auto start = std::chrono::steady_clock::now();
    for (long number = first; number < first + games; ++number)
        playMonkeyGame(static_cast<std::uint32_t>(number), options, tally);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::filesystem::current_path(home);
    std::filesystem::remove_all(pattern);
    std::printf("%ld games in %.1f s (%.0f games/s), %ld keys and %ld lines typed\n", tally.games, seconds,
                static_cast<double>(tally.games) / seconds, tally.keys, tally.lines);
    std::printf("ended by themselves %ld, still prompting at the key limit %ld, failed %ld\n", tally.ended,
                tally.capped, tally.failures);
    std::printf("Zapfest %ld, landed on Mars %ld, frozen %ld, resumed %ld, damaged file refused %ld\n",
                tally.zapfest, tally.landed, tally.frozen, tally.resumed, tally.refused);
    if (tally.failures > 0) {
        std::printf("first failure: game %ld (replay: --first %ld --games 1): %s\n", tally.firstFailure,
                    tally.firstFailure, tally.failure.c_str());
        return 1;
    }
    return 0;
}
