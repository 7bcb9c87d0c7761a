#include <gtest/gtest.h>

#include "mission/sound.h"
#include "support/game_test.h"

namespace {

class Sound : public GameTest {};

struct PlaysCase {
    Cue cue;
    std::vector<std::string> plays;
};

class MultiPlay : public Sound, public ::testing::WithParamInterface<PlaysCase> {};

TEST_P(MultiPlay, EachRepetitionIsItsOwnPlayBackToBack)
{
    mission.soundOn = 'y';
    cue(GetParam().cue);
    EXPECT_EQ(shortNames(sounds()), GetParam().plays);
    EXPECT_TRUE(pauses().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, MultiPlay,
    ::testing::Values(PlaysCase{Cue::Meteor, {"mete", "mete", "mete", "mete"}},
                      PlaysCase{Cue::Station, {"stat", "stat", "stat"}},
                      PlaysCase{Cue::Arrest, {"arre", "arre", "arre"}},
                      PlaysCase{Cue::Ignition, {"stup", "blof"}},
                      PlaysCase{Cue::Applause, {"grjo", "appl", "appl", "appl", "appl", "appl", "paho"}},
                      PlaysCase{Cue::TwG, {"tw_g"}}, PlaysCase{Cue::Whee, {"whee"}}));

TEST_F(Sound, TheRepairToolIsDrawnFromTheGeneratorAndLeavesTheDieAlone)
{
    mission.soundOn = 'y';
    const std::vector<std::vector<std::string>> tools{
        {"repa", "repa", "repa", "repa", "repa"}, {"dril", "dril"}, {"hamm"}, {"wren"}, {"dri2"}, {"saw"}};
    for (int raw = 0; raw < 12; ++raw) {
        console.clearLog();
        mission.dieRoll = 17;
        chance->push(raw);
        cue(Cue::RepairTool);
        EXPECT_EQ(shortNames(sounds()), tools[static_cast<std::size_t>(raw % 6)]) << raw;
        EXPECT_EQ(mission.dieRoll, 17);
    }
}

TEST_F(Sound, SoundOffPlaysNothingDrawsNothingAndSkipsTheCuePause)
{
    for (char setting : {'n', '\0', 'Y'}) {
        mission.soundOn = setting;
        cue(Cue::RepairTool);  // no draw: the forced queue is empty
        cue(Cue::Expl);
        pauseThenCue(1000, Cue::Dama);
        EXPECT_TRUE(console.log().empty());
    }
    mission.soundOn = 'y';
    pauseThenCue(1000, Cue::Dama);
    EXPECT_EQ(console.log(), (std::vector<LogEntry>{{LogEntry::Pause, "", 1000}, {LogEntry::Sound, "data\\dama.wav"}}));
}

TEST_F(Sound, TheExitCueFollowsTheMode)
{
    mission.soundOn = 'y';
    cue(Cue::Exit);
    mission.zapfestMode = 1;
    cue(Cue::Exit);
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"exit", "zapf"}));
}

}  // namespace
