// Two games freezing in one folder at the same moment, as two processes: each writes its own
// temporary file, so the frozen game is always one of the two whole games and nothing is left
// beside it; a temporary file left by a killed game is cleared away by the next start.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

class ConcurrentFreeze : public GameTest {
protected:
    // The game of one of the two players: its fuel tells it apart.
    void setGame(int fuel)
    {
        mission.fuel = fuel;
        for (int i = 0; i < 50; ++i) chance->push(i);
    }
    std::string textOf(int fuel)
    {
        setGame(fuel);
        return frozenGameText();
    }
    std::set<std::string> filesHere() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch)) names.insert(entry.path().filename().string());
        return names;
    }
    // A child that waits for the start signal, then freezes its game: exits 0 once the
    // frozen-game screen has ended the program, 1 when the game said the freeze failed.
    pid_t freezer(int fuel, const int startSignal[2])
    {
        const pid_t pid = fork();
        if (pid != 0) return pid;
        close(startSignal[1]);
        char go;
        if (read(startSignal[0], &go, 1) != 0) _exit(3);
        setGame(fuel);
        console.queueKey(keyEsc);
        try {
            freezeGame();
        } catch (const ProgramEnded&) {
            _exit(0);
        } catch (...) {
            _exit(2);
        }
        _exit(1);
    }
    static int exitStatus(pid_t pid)
    {
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
        return WEXITSTATUS(status);
    }
};

TEST_F(ConcurrentFreeze, TheLaterRenameWinsAndNothingIsLeftBeside)
{
    const std::string first = textOf(111), second = textOf(222);
    const int rounds = 200;
    int firstWon = 0;
    for (int round = 0; round < rounds; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        const pid_t a = freezer(111, start);
        const pid_t b = freezer(222, start);
        ASSERT_GT(a, 0);
        ASSERT_GT(b, 0);
        close(start[0]);
        close(start[1]);  // both children read end of file at once: go
        ASSERT_EQ(exitStatus(a), 0) << "round " << round;
        ASSERT_EQ(exitStatus(b), 0) << "round " << round;
        const std::string frozen = readFile("mars.dat");
        ASSERT_TRUE(frozen == first || frozen == second) << "round " << round << ":\n" << frozen;
        firstWon += frozen == first;
        ASSERT_EQ(filesHere(), std::set<std::string>{"mars.dat"}) << "round " << round;
    }
    std::cout << "[ freezes ] " << rounds << " rounds of two games at once; the first won " << firstWon << "\n";
}

TEST_F(ConcurrentFreeze, TheNextStartClearsWhatAKilledGameLeft)
{
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_EQ(exitStatus(gone), 0);
    int hold[2];
    ASSERT_EQ(pipe(hold), 0);
    const pid_t alive = fork();
    if (alive == 0) {
        close(hold[1]);
        char c;
        _exit(static_cast<int>(read(hold[0], &c, 1)));
    }
    const std::string killed = "mars.dat." + std::to_string(gone) + ".tmp";
    const std::string writing = "mars.dat." + std::to_string(alive) + ".tmp";
    for (const std::string& name : {killed, writing, std::string("mars.dat.old.tmp")}) writeFile(name, "12\n3");

    offerResume();  // no frozen game: the title goes on without a question
    EXPECT_EQ(filesHere(), (std::set<std::string>{writing, "mars.dat.old.tmp"}));
    EXPECT_EQ(console.clears(), 0);
    close(hold[1]);
    close(hold[0]);
    EXPECT_EQ(exitStatus(alive), 0);
}

}  // namespace
