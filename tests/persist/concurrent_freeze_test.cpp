// Two games freezing in one folder at the same moment, as two processes: each writes its own
// temporary file, so the frozen game is always one of the two whole games and nothing is left
// beside it; a temporary file left by a killed game is cleared away by the next start, one of a
// game still running is left alone.
#include <signal.h>
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
    static int exitStatus(pid_t pid)
    {
        int status = 0;
        return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

// Each child waits until the start pipe closes, then freezes: status 0 once the frozen-game
// screen has ended the program, 1 when the game said the freeze failed.
TEST_F(ConcurrentFreeze, TheLaterRenameWinsAndNothingIsLeftBeside)
{
    const std::set<std::string> whole{textOf(111), textOf(222)};
    for (int round = 0; round < 100; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            if ((children[i] = fork()) != 0) continue;
            close(start[1]);
            char go;
            if (read(start[0], &go, 1) != 0) _exit(3);
            setGame(111 * (i + 1));
            console.queueKey(keyEsc);
            try {
                _exit(ends([] { freezeGame(); }) ? 0 : 1);
            } catch (...) {
                _exit(2);
            }
        }
        close(start[0]);
        close(start[1]);
        for (pid_t child : children) ASSERT_EQ(exitStatus(child), 0) << "round " << round;
        ASSERT_EQ(whole.count(readFile("mars.dat")), 1u) << "round " << round;
        ASSERT_EQ(filesHere(), std::set<std::string>{"mars.dat"}) << "round " << round;
    }
}

TEST_F(ConcurrentFreeze, TheNextStartClearsWhatAKilledGameLeft)
{
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_EQ(exitStatus(gone), 0);
    const std::string killed = "mars.dat." + std::to_string(gone) + ".tmp";
    const pid_t alive = fork();
    if (alive == 0) {
        pause();  // a game still writing its frozen game, until it is killed
        _exit(0);
    }
    const std::string running = "mars.dat." + std::to_string(alive) + ".tmp";
    for (const std::string& name : {killed, running, std::string("mars.dat.old.tmp")}) writeFile(name, "12\n3");
    offerResume();  // no frozen game: the title goes on without a question
    EXPECT_EQ(filesHere(), (std::set<std::string>{running, "mars.dat.old.tmp"}));
    EXPECT_EQ(console.clears(), 0);
    kill(alive, SIGKILL);
    waitpid(alive, nullptr, 0);
}

}  // namespace
