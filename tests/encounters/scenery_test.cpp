// The quiet scenes, then the dreams and visions.
#include "encounters/scenery.h"

#include <set>

#include "support/trace.h"

namespace {

struct SceneCase {
    const char* name;
    int kind;
    Trace lines;  // with the scene's cue first, if it has one
};

const SceneCase scenes[] = {
    {"dipper", 1, {"You are hurtling toward Mars.\n", "The Big Dipper is to your right.\n"}},
    {"saturn", 2, {"You are studying the stars with your telescope.\n", "Saturn with its rings is clearly in view.\n"}},
    {"shootingStar", 6,
     {"cue star", "The beauty of the vast universe captivates you.\n",
      "A shooting star travels across the dark curtain of space.\n"}},
    {"supernova", 11,
     {"cue nova", "You are studying the cosmic majesty before you.\n",
      "A distant star suddenly explodes into a supernova.\n"}},
    {"jupiter", 14,
     {"You are in eerie darkness as the sun moves behind the Earth.\n",
      "The giant planet Jupiter looms in your window.\n"}},
    {"alphaCentauri", 15,
     {"The great expanse of the universe is before you.\n",
      "Alpha Centauri is a sparkling diamond in the deep darkness.\n"}},
};

class QuietScene : public GameTest, public ::testing::WithParamInterface<std::tuple<SceneCase, bool>> {};

// N with no damage waiting: quiet space answers with one upbeat line and no cue of its own, so
// the only sound is the scene's, before its lines and the prompt.
TEST_P(QuietScene, PaintsItsViewThenLeavesThePlayerToQuietSpace)
{
    const auto& [scene, sound] = GetParam();
    mission.soundOn = sound ? 'y' : 'n';
    mission.distanceLeft = 100;  // the station would be due, had it not been met already
    mission.stationVisited = 1;
    chance->face(4).face(1);  // the repair die, then the upbeat line
    console.queueKeys("n");
    gotoColRow(1, 5);
    quietScene(scene.kind);

    expectTrace(console, 0, scene.lines, sound);
    const Trace shown = heard(scene.lines, false);
    EXPECT_EQ(rows(5, 10), (std::vector<std::string>{shown[0].substr(0, shown[0].size() - 1),
                                                     shown[1].substr(0, shown[1].size() - 1), "", "",
                                                     "You are zooming to Mars.", ""}));
    EXPECT_EQ(shortNames(sounds()).size(), sound && scene.lines.size() == 3 ? 1u : 0u);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(mission.warnings, 0);
    EXPECT_EQ(mission.damage, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, QuietScene, ::testing::Combine(::testing::ValuesIn(scenes), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_soundOn" : "_soundOff");
                         });

// A dream or a vision changes nothing but the die: the damage waiting stays unrepaired, and
// there is no warning, no cue, no pause and no key. Each of its ten entries is its own, and a
// die of exactly ten faces comes round to the first.
struct Reverie {
    const char* name;
    void (*run)();
    std::vector<std::string> first;  // rows 5 to 7 of the first entry
    const char* row6;                 // how row 6 starts, for every entry
    int fixedRow;                     // the row that stays the same for every entry, besides row 5
};

const Reverie reveries[] = {
    {"deepSleep", deepSleep,
     {"You are in a deep sleep.", "You are dreaming that you are eating a thick steak with french fries.",
      "You are snoring very loudly."},
     "You are dreaming that you are eating ", 7},
    {"meditation", meditation,
     {"You are in solemn meditation saying aaaumm aaaummm aaaummm aaaummm.",
      "You are having visions of Tibetan mountain scenes.", "There is a family of yaks in the background."},
     "You are having visions of ", 5},
};

class Dreams : public GameTest, public ::testing::WithParamInterface<Reverie> {};

TEST_P(Dreams, EachRollIsItsOwnAndChangesNothingElse)
{
    const Reverie& reverie = GetParam();
    mission.soundOn = 'y';
    mission.damage = 2;
    mission.warnings = 1;
    mission.barrierCharges = 3;
    mission.phaserCells = 4;
    mission.fuel = 250;
    mission.distanceLeft = 120;
    std::set<std::vector<std::string>> seen;
    for (int raw = 0; raw <= 10; ++raw) {
        SCOPED_TRACE("raw draw " + std::to_string(raw));
        clearScreen();
        console.clearLog();
        chance->push(raw);
        gotoColRow(1, 5);
        reverie.run();
        EXPECT_EQ(mission.dieRoll, raw % 10 + 1);
        for (const LogEntry& entry : console.log())
            EXPECT_TRUE(entry.kind == LogEntry::Move || entry.kind == LogEntry::Write) << "log entry " << entry.kind;
        EXPECT_EQ(std::vector<int>({mission.damage, mission.warnings, mission.barrierCharges, mission.phaserCells,
                                    mission.fuel, mission.distanceLeft}),
                  std::vector<int>({2, 1, 3, 4, 250, 120}));
        EXPECT_EQ(rows(8, 25), std::vector<std::string>(18, ""));
        const std::vector<std::string> shown = rows(5, 7);
        EXPECT_EQ(shown[0], reverie.first[0]);
        EXPECT_EQ(shown[reverie.fixedRow - 5], reverie.first[reverie.fixedRow - 5]);
        EXPECT_EQ(shown[1].rfind(reverie.row6, 0), 0u) << shown[1];
        EXPECT_GT(shown[1].size(), std::string(reverie.row6).size());
        for (const std::string& row : shown) EXPECT_TRUE(!row.empty() && row.size() <= 79u && row.back() == '.') << row;
        if (raw == 0 || raw == 10) { EXPECT_EQ(shown, reverie.first); }
        if (raw < 10) { EXPECT_TRUE(seen.insert(shown).second) << "repeats an earlier entry"; }
    }
}

INSTANTIATE_TEST_SUITE_P(Both, Dreams, ::testing::ValuesIn(reveries),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
