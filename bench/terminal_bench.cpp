// How the game behaves on a real (pseudo-)terminal: the processor time it uses while it waits
// for a key and while it pauses, and how soon a key press is answered on the screen.
//
// Build and run (figures, not pass/fail; it takes about 15 seconds):
//   cmake --preset default && cmake --build --preset default --target zorvane_terminal_bench
//   build/bench/zorvane_terminal_bench [key presses, default 40]
//
// It plays the game in a scratch directory (no frozen game is touched), sound off:
//   1. the mode question, left waiting for 3 s: processor time while waiting for a key;
//   2. ESC there: the time to the quit screen (a lone ESC waits about 50 ms to be told apart
//      from an arrow key), then the 1000 ms pause before "Press ESCAPE to exit";
//   3. a new game to the wheel prompt, where S (sound on, sound off) is answered at once:
//      the time from the key press to the first byte of the answer and to "* Sound o";
//   4. ESC, Y at the quit question: the 3000 ms pause of the end-of-mission screen.
//   5. for scale, the same key press echoed by cat(1) on a raw terminal: the round trip through
//      the pseudo-terminal and the scheduler alone, with no game in it.
// Processor time is the program's own (Linux /proc/<pid>/schedstat), as a share of one core.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "console/posix_pty_session.h"

namespace {

// The processor time the game has used so far, in microseconds (Linux /proc), or -1.
long long cpuMicros(const PtySession& game)
{
    std::ifstream schedstat("/proc/" + std::to_string(game.pid()) + "/schedstat");
    long long nanos = -1;
    return schedstat >> nanos ? nanos / 1000 : -1;
}

const char* const modeQuestion = "Full game or Zapfest Game?  F or W  ";
const char* const wheelPrompt = "Spin cosmic wheel";

[[noreturn]] void giveUp(const PtySession& game, const std::string& what)
{
    std::fprintf(stderr, "bench: no \"%s\" on the screen; it showed:\n%s\n", what.c_str(),
                 rowsOf(screenAfter(game.output())).c_str());
    std::exit(1);
}

void expect(PtySession& game, const std::string& text, int timeoutMs = 5000)
{
    if (!game.waitFor(text, timeoutMs)) giveUp(game, text);
}

// Which of two texts comes first on the screen.
int expectEither(PtySession& game, const std::string& first, const std::string& second)
{
    const long long deadline = monotonicMicros() + 10000000;
    while (monotonicMicros() < deadline) {
        if (game.waitFor(first, 10)) return 0;
        if (game.waitFor(second, 10)) return 1;
    }
    giveUp(game, first + "\" or \"" + second);
}

struct Span {
    long long wallMicros;
    long long cpuMicros;
    double percent() const { return 100.0 * static_cast<double>(cpuMicros) / static_cast<double>(wallMicros); }
};

// Processor time while the game is left alone for `ms` (its output is still read).
Span idleFor(PtySession& game, int ms)
{
    const long long cpu = cpuMicros(game);
    const long long start = monotonicMicros();
    while (monotonicMicros() - start < ms * 1000LL) game.waitFor("\x01never\x01", 50);
    return {monotonicMicros() - start, cpuMicros(game) - cpu};
}

// Processor time from now until `text` shows.
Span until(PtySession& game, const std::string& text)
{
    const long long cpu = cpuMicros(game);
    const long long start = monotonicMicros();
    expect(game, text);
    return {monotonicMicros() - start, cpuMicros(game) - cpu};
}

// Types one key and waits for the first byte written in answer; the time taken.
long long firstAnswer(PtySession& program, const char* key)
{
    const std::size_t before = program.output().size();
    const long long pressed = monotonicMicros();
    program.send(key);
    while (program.output().size() == before) {
        if (!program.running()) giveUp(program, "an answer");
        program.waitFor("\x01never\x01", 1);
    }
    return monotonicMicros() - pressed;
}

void reportSpan(const char* what, const Span& span)
{
    std::printf("%-44s %8.1f ms wall %8.3f ms cpu  %6.3f %% of a core\n", what, span.wallMicros / 1000.0,
                span.cpuMicros / 1000.0, span.percent());
}

void reportLatencies(const char* what, std::vector<long long> micros)
{
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double share) {
        return micros[std::min(micros.size() - 1, static_cast<std::size_t>(share * micros.size()))] / 1000.0;
    };
    std::printf("%-44s median %7.3f ms  p90 %7.3f ms  max %7.3f ms  (%zu presses)\n", what, at(0.5), at(0.9),
                micros.back() / 1000.0, micros.size());
}

PtyLaunch theGame(const std::string& scratch)
{
    PtyLaunch launch;
    launch.argv = {ZORVANE_PROGRAM_PATH};
    launch.workDir = scratch;
    return launch;
}

void benchTitleScreen(const std::string& scratch)
{
    PtySession game(theGame(scratch));
    expect(game, modeQuestion);
    reportSpan("waiting for a key at the mode question", idleFor(game, 3000));

    const long long pressed = monotonicMicros();
    game.send("\x1b");
    expect(game, "SORRY YOU CANNOT PLAY NOW");
    std::printf("%-44s %8.1f ms\n", "lone ESC to the quit screen", (monotonicMicros() - pressed) / 1000.0);
    reportSpan("the 1000 ms pause of the quit screen", until(game, "Press ESCAPE to exit "));
    game.send("\x1b");
    if (game.waitExit(2000) != 0) giveUp(game, "the end of the program");
}

// From the title to the wheel prompt; false when the blast-off crashed (one in twenty).
bool toTheWheel(PtySession& game)
{
    expect(game, modeQuestion);
    game.send("f");
    expect(game, "Do you want instructions?  Y or N  ");
    game.send("n");
    expect(game, "Do you want sound effects?  Y or N     ");
    game.send("n");
    expect(game, "Press B to blast off  ");
    game.send("b");
    return expectEither(game, wheelPrompt, "Oh no!") == 0;
}

void benchWheelPrompt(const std::string& scratch, int presses)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        PtySession game(theGame(scratch));
        if (!toTheWheel(game)) continue;

        std::vector<long long> firstByte, answer;
        for (int i = 0; i < presses; ++i) {
            const long long pressed = monotonicMicros();
            firstByte.push_back(firstAnswer(game, "s"));
            expect(game, "* Sound o");
            answer.push_back(monotonicMicros() - pressed);
            expect(game, wheelPrompt);  // asked again after its 200 ms pause
        }
        reportLatencies("key press to the first byte of the answer", firstByte);
        reportLatencies("key press to \"* Sound o\" on the screen", answer);

        game.send("\x1b");
        expect(game, "Do you want to quit this game?  Y or N  ");
        game.send("y");
        expect(game, "Bye for now space traveller!");
        reportSpan("the 3000 ms pause of the end-of-mission screen", until(game, "Press ESCAPE to exit "));
        game.send("\x1b");
        if (game.waitExit(2000) != 0) giveUp(game, "the end of the program");
        const rusage& used = game.usage();
        std::printf("%-44s %8.3f ms user %8.3f ms system\n", "the whole game, all told",
                    used.ru_utime.tv_sec * 1000.0 + used.ru_utime.tv_usec / 1000.0,
                    used.ru_stime.tv_sec * 1000.0 + used.ru_stime.tv_usec / 1000.0);
        return;
    }
    std::fprintf(stderr, "bench: the blast-off crashed five times running\n");
    std::exit(1);
}

void benchBareTerminal(int presses)
{
    PtyLaunch launch;
    launch.argv = {"/bin/sh", "-c", "stty raw -echo && echo ready && exec cat"};
    PtySession cat(launch);
    expect(cat, "ready");
    std::vector<long long> echoed;
    for (int i = 0; i < presses; ++i) echoed.push_back(firstAnswer(cat, "s"));
    reportLatencies("for scale: cat echoing a key on a raw tty", echoed);
}

}  // namespace

int main(int argc, char** argv)
{
    const int presses = argc > 1 ? std::max(2, std::atoi(argv[1])) & ~1 : 40;  // even: sound ends off
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("zorvane_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    if (!std::filesystem::exists("/proc/self/schedstat")) {
        std::fprintf(stderr, "bench: needs /proc/<pid>/schedstat (Linux)\n");
        return 1;
    }
    benchTitleScreen(scratch.string());
    benchWheelPrompt(scratch.string(), presses);
    benchBareTerminal(presses);
    std::filesystem::remove_all(scratch);
}
