#include "encounters/scenery.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "support/game_test.h"

namespace {

using Texts = std::vector<std::string>;

struct SceneCase {
    int kind;
    std::string cue;  // "" for a silent scene
    Texts lines;
    bool soundOn;
};

const SceneCase scenes[] = {
    {1, "", {"You are hurtling toward Mars.", "The Big Dipper is to your right."}, true},
    {2, "", {"You are studying the stars with your telescope.", "Saturn with its rings is clearly in view."}, true},
    {6, "star",
     {"The beauty of the vast universe captivates you.", "A shooting star travels across the dark curtain of space."},
     true},
    {11, "nova",
     {"You are studying the cosmic majesty before you.", "A distant star suddenly explodes into a supernova."}, true},
    {14, "",
     {"You are in eerie darkness as the sun moves behind the Earth.", "The giant planet Jupiter looms in your window."},
     true},
    {15, "",
     {"The great expanse of the universe is before you.",
      "Alpha Centauri is a sparkling diamond in the deep darkness."},
     true},
};

std::vector<SceneCase> sceneCases()
{
    std::vector<SceneCase> cases;
    for (SceneCase scene : scenes) {
        for (bool sound : {true, false}) {
            scene.soundOn = sound;
            cases.push_back(scene);
        }
    }
    return cases;
}

class QuietScene : public GameTest, public ::testing::WithParamInterface<SceneCase> {};

// N with no damage waiting: quiet space answers with one upbeat line and no cue of its own, so
// the only sound is the scene's.
TEST_P(QuietScene, PaintsItsViewThenLeavesThePlayerToQuietSpace)
{
    const SceneCase& scene = GetParam();
    mission.soundOn = scene.soundOn ? 'y' : 'n';
    mission.distanceLeft = 100;  // the station would be due, had it not been met already
    mission.stationVisited = 1;
    chance->face(4).face(1);  // the repair die, then the upbeat line
    Texts atThePrompt;
    console.onScriptEmpty = [&](bool) {
        atThePrompt = rows(5, 9);
        atThePrompt.push_back(console.rowText(21));
        console.queueKeys("n");
    };
    gotoColRow(1, 5);
    quietScene(scene.kind);

    EXPECT_EQ(atThePrompt, (Texts{scene.lines[0], scene.lines[1], "", "", "",
                                  std::string(16, ' ') + "Make your move \x1e"}));
    EXPECT_EQ(rows(5, 10), (Texts{scene.lines[0], scene.lines[1], "", "", "You are zooming to Mars.", ""}));

    const bool heard = scene.soundOn && !scene.cue.empty();
    EXPECT_EQ(shortNames(sounds()), heard ? Texts{scene.cue} : Texts{});
    if (heard) {
        const auto& log = console.log();
        const auto firstOf = [&log](LogEntry::Kind kind) {
            return std::find_if(log.begin(), log.end(), [kind](const LogEntry& e) { return e.kind == kind; });
        };
        EXPECT_LT(firstOf(LogEntry::Sound), firstOf(LogEntry::Write));
    }
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(mission.warnings, 0);
    EXPECT_EQ(mission.damage, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, QuietScene, ::testing::ValuesIn(sceneCases()), [](const auto& info) {
    return "kind" + std::to_string(info.param.kind) + (info.param.soundOn ? "_soundOn" : "_soundOff");
});

// --- Dreams and visions --------------------------------------------------------------------

// A dream or a vision changes nothing but the die: the damage waiting stays unrepaired, and
// there is no warning, no cue, no pause and no key.
class Reverie : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        mission.soundOn = 'y';
        mission.damage = 2;
        mission.warnings = 1;
        mission.barrierCharges = 3;
        mission.phaserCells = 4;
        mission.fuel = 250;
        mission.distanceLeft = 120;
    }

    // Runs `reverie` from row 5 with the raw draw given, on a cleared screen.
    void dreamWith(void (*reverie)(), int raw)
    {
        clearScreen();
        console.clearLog();
        chance->push(raw);
        gotoColRow(1, 5);
        reverie();
        EXPECT_EQ(chance->left(), 0u);
        for (const LogEntry& entry : console.log())
            EXPECT_TRUE(entry.kind == LogEntry::Move || entry.kind == LogEntry::Write) << "log entry " << entry.kind;
        EXPECT_EQ(mission.damage, 2);
        EXPECT_EQ(mission.warnings, 1);
        EXPECT_EQ(mission.barrierCharges, 3);
        EXPECT_EQ(mission.phaserCells, 4);
        EXPECT_EQ(mission.fuel, 250);
        EXPECT_EQ(mission.distanceLeft, 120);
        EXPECT_EQ(rows(8, 25), Texts(18, ""));
    }
};

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

TEST_F(Reverie, DeepSleepDreamsOfTheDishItRolled)
{
    const std::string dreaming = "You are dreaming that you are eating ";
    std::set<std::string> dishes;
    for (int entry = 1; entry <= 10; ++entry) {
        SCOPED_TRACE("dream " + std::to_string(entry));
        dreamWith(deepSleep, entry - 1);
        EXPECT_EQ(mission.dieRoll, entry);
        EXPECT_EQ(console.rowText(5), "You are in a deep sleep.");
        EXPECT_EQ(console.rowText(7), "You are snoring very loudly.");
        const std::string row6 = console.rowText(6);
        ASSERT_TRUE(startsWith(row6, dreaming)) << row6;
        const std::string dish = row6.substr(dreaming.size());
        EXPECT_LE(row6.size(), 79u);
        ASSERT_FALSE(dish.empty());
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(dish.front()))) << dish;
        EXPECT_EQ(dish.back(), '.');
        EXPECT_TRUE(dishes.insert(dish).second) << "dream repeats an earlier one";
    }
    dreamWith(deepSleep, 10);  // a die of exactly ten faces comes round to the first dream
    EXPECT_EQ(console.rowText(6), "You are dreaming that you are eating a thick steak with french fries.");
    EXPECT_EQ(mission.dieRoll, 1);
}

TEST_F(Reverie, MeditationSeesTheVisionItRolled)
{
    const std::string visions = "You are having visions of ";
    std::set<Texts> seen;
    for (int entry = 1; entry <= 10; ++entry) {
        SCOPED_TRACE("vision " + std::to_string(entry));
        dreamWith(meditation, entry - 1);
        EXPECT_EQ(mission.dieRoll, entry);
        EXPECT_EQ(console.rowText(5), "You are in solemn meditation saying aaaumm aaaummm aaaummm aaaummm.");
        const std::string row6 = console.rowText(6);
        const std::string row7 = console.rowText(7);
        ASSERT_TRUE(startsWith(row6, visions)) << row6;
        const std::string scene = row6.substr(visions.size());
        EXPECT_LE(row6.size(), 79u);
        EXPECT_LE(row7.size(), 79u);
        ASSERT_FALSE(scene.empty());
        ASSERT_FALSE(row7.empty());
        if (entry > 1) {
            EXPECT_TRUE(std::islower(static_cast<unsigned char>(scene.front()))) << scene;
        }
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(row7.front()))) << row7;
        EXPECT_EQ(scene.back(), '.');
        EXPECT_EQ(row7.back(), '.');
        EXPECT_TRUE(seen.insert({scene, row7}).second) << "vision repeats an earlier one";
    }
    dreamWith(meditation, 10);
    EXPECT_EQ(rows(6, 7), (Texts{"You are having visions of Tibetan mountain scenes.",
                                 "There is a family of yaks in the background."}));
    EXPECT_EQ(mission.dieRoll, 1);
}

}  // namespace
