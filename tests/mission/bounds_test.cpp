// Every place the game checks an ending's condition ends the mission exactly at the bound, with
// that ending's verse, and not one short of it (where the game goes on: a prompt, a die, or back
// to the wheel, using the dice given). A pursuit at a bound has no exchange, not a die rolled
// (one short, the player evades): the wheel loop that follows ends it.
#include "aliens/pursuit.h"
#include "encounters/hazards.h"
#include "encounters/malfunctions.h"
#include "encounters/time_warp.h"
#include "endings/endings.h"
#include "landings/asteroid.h"
#include "mission/wheel.h"
#include "support/game_test.h"

namespace {

struct Bound {
    const char* place;
    std::int32_t MissionState::*counter;
    int ends, goesOn;
    const Lines* verse;
    void (*step)();
    std::vector<int> draws = {};  // raw results: n-1 shows n
    std::string keys = "";
    std::string line = "";  // typed at the time warp
    bool checkedFirst = false;  // at the bound, the check comes before any die of the step
};
void PrintTo(const Bound& b, std::ostream* os) { *os << b.place; }

void pursuitThenWheel() { alienPursuit(); wheelLoop(); }
const std::vector<Bound> bounds = {
    {"wheel_damage", &MissionState::damage, 5, 4, &damageVerse, wheelLoop},
    {"wheel_warnings", &MissionState::warnings, 3, 2, &warningsVerse, wheelLoop},
    {"wheel_fuel", &MissionState::fuel, 0, 1, &outOfFuelVerse, wheelLoop},
    {"pursuit_damage", &MissionState::damage, 5, 4, &damageVerse, pursuitThenWheel, {8}, "e", "", true},
    {"pursuit_warnings", &MissionState::warnings, 3, 2, &warningsVerse, pursuitThenWheel, {8}, "e", "", true},
    {"pursuit_fuel", &MissionState::fuel, 0, 1, &outOfFuelVerse, pursuitThenWheel, {8}, "e", "", true},
    // No action (N) draws a shot that misses; the exchange burns 10 units.
    {"pursuit_exchange_fuel", &MissionState::fuel, 10, 11, &outOfFuelVerse, alienPursuit, {0, 0, 0}, "n"},
    {"time_warp_entry_fuel", &MissionState::fuel, 10, 11, &outOfFuelVerse, timeWarp},
    // The first era, 1943, wants a 3: the 0 typed is a wrong era, which burns 10 more units.
    {"time_warp_wrong_era_fuel", &MissionState::fuel, 20, 21, &outOfFuelVerse, timeWarp, {0}, "", "0"},
    {"acceleration_fuel", &MissionState::fuel, 20, 21, &outOfFuelVerse, meteorStorm, {1}, "a"},
    {"acceleration_first_fuel", &MissionState::fuel, 20, 21, &outOfFuelVerse, radioDrift, {0}, "a"},
    {"asteroid_oxygen", &MissionState::oxygen, 5, 6, &suffocationVerse, chargeOxygen},
};

struct Bounds : GameTest, ::testing::WithParamInterface<Bound> {};

TEST_P(Bounds, EndTheMissionAtTheBoundAndNotOneShort)
{
    const Bound& b = GetParam();
    for (const int value : {b.ends, b.goesOn}) {
        SetUp();
        mission.*b.counter = value;
        for (const int raw : b.draws) chance->push(raw);
        console.queueKeys(b.keys + char(keyEsc));
        if (!b.line.empty()) console.queueLine(b.line);
        bool over = false;
        try { over = ends(b.step); }
        catch (const ScriptExhausted&) {}
        catch (const UnexpectedDraw&) {}
        const std::string first = (*b.verse)[0];
        const bool told = console.screenDump().find(first.substr(0, first.size() - 1)) != std::string::npos;
        EXPECT_EQ(over && told, value == b.ends) << "at " << value;
        if (value == b.goesOn) { EXPECT_EQ(chance->left(), 0u) << "the dice of the step that goes on"; }
        if (value == b.ends && b.checkedFirst) { EXPECT_EQ(chance->left(), b.draws.size()) << "a die rolled past the bound"; }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCheck, Bounds, ::testing::ValuesIn(bounds), [](const auto& info) { return std::string(info.param.place); });

}  // namespace
