// Two games freezing in one folder at the same moment, as two processes: each writes its own
// temporary file, so the frozen game is always one of the two whole games and nothing is left
// beside it; a temporary file left by a killed game is cleared away by the next start, one of a
// game still running is left alone.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "endings/frozen_screen.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

class ConcurrentFreeze : public GameTest {
protected:
    // The game of one of the two players, its fuel telling it apart, and the text its freeze
    // writes: the same decoys are drawn for the text returned and for the freeze to come.
    std::string setGame(int fuel)
    {
        mission.fuel = fuel;
        for (int i = 0; i < 100; ++i) chance->push(i % 50);
        return frozenGameText();
    }
    std::set<std::string> filesHere() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch)) names.insert(entry.path().filename().string());
        return names;
    }
};

// Each player, a child process, waits until the start pipe closes, then freezes, and exits 0
// once the frozen-game screen has ended the program (anything thrown aborts it).
TEST_F(ConcurrentFreeze, TheLaterRenameWinsAndNothingIsLeftBeside)
{
    const std::set<std::string> whole{setGame(111), setGame(222)};
    for (int round = 0; round < 100; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            if ((children[i] = fork()) != 0) continue;
            close(start[1]);
            if (char go; read(start[0], &go, 1) != 0) _exit(3);
            setGame(111 * (i + 1));
            console.queueKey(keyEsc);
            _exit(ends([] { freezeGame(); }) ? 0 : 1);
        }
        close(start[0]);
        close(start[1]);
        int status = -1;  // 0: exited with 0
        for (pid_t child : children) ASSERT_TRUE(waitpid(child, &status, 0) == child && status == 0) << "round " << round;
        ASSERT_EQ(whole.count(readFile("mars.dat")), 1u) << "round " << round;
        ASSERT_EQ(filesHere(), std::set<std::string>{"mars.dat"}) << "round " << round;
    }
}

// A process id beyond any the system hands out stands for a game killed while freezing; the
// process that started the tests, for a game still writing its frozen game.
TEST_F(ConcurrentFreeze, TheNextStartClearsWhatAKilledGameLeft)
{
    const std::string running = "mars.dat." + std::to_string(getppid()) + ".tmp";
    for (const std::string& name : {std::string("mars.dat.999999999.tmp"), running, std::string("mars.dat.old.tmp")})
        writeFile(name, "12\n3");
    offerResume();  // no frozen game: the title goes on without a question
    EXPECT_EQ(filesHere(), (std::set<std::string>{running, "mars.dat.old.tmp"}));
}

}  // namespace
