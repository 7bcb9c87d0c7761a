// Walking an encounter's outcome table: each expected outcome is written out in the test from
// the game's own tables, then played at both ends of its die range, with every state of the
// supplies it allows, with sound on and off. Each run checks the screen, the cues with their
// pauses in order against the lines, the draws taken, and the changes to the mission.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "support/game_test.h"

namespace walk {

// What an outcome needs of the supplies, as they stand when the key is pressed.
enum class Supplies { Any, BarrierLive, BarrierDead, PhasersLive, PhasersDead };
constexpr Supplies any = Supplies::Any;
constexpr Supplies charged = Supplies::BarrierLive;
constexpr Supplies noCharges = Supplies::BarrierDead;
constexpr Supplies celled = Supplies::PhasersLive;
constexpr Supplies noCells = Supplies::PhasersDead;

// How the outcome leaves the encounter.
enum class Then {
    Stays,    // no movement
    Moves,    // the A move: distance -2, fuel -20, the status redrawn after everything else
    Crashes,  // an ending clears the screen after the cues and lines
};

struct Delta {
    int damage = 0;
    int warnings = 0;
    int barrier = 0;
    int phasers = 0;
};

// One outcome row. Cues are short sound names in order: "~aler" is a pause of a second, then
// the sound (the hit and alarm cues); "+500" is a pause taken with sound on or off; "tool" is
// the repair-tool cue, whose draw the walk forces to the wrench.
struct Outcome {
    char action;
    int low;
    int high;
    Supplies supplies;
    std::vector<std::string> cues;
    std::vector<std::string> lines;
    Delta delta;
    Then then = Then::Stays;
    int story = 0;  // the entry, 1..3, of a story drawn by rand() % 3 + 1 after the die; 0: none
};

struct Scene {
    const char* name;
    void (*run)();
    std::vector<std::string> opening;       // cues before the announcement, as above
    std::vector<std::string> announcement;  // rows 5 and on
    int announcementStory;                  // a line of the announcement drawn after the die; 0: none
    std::vector<Outcome> outcomes;
};

struct SupplyState {
    const char* name;
    int barrier;
    int phasers;
};

// Live, each one dead at zero, and both overdrawn below zero.
inline const std::vector<SupplyState>& supplyStates()
{
    static const std::vector<SupplyState> states = {
        {"full", 2, 2}, {"noCharges", 0, 2}, {"noCells", 2, 0}, {"overdrawn", -1, -1}};
    return states;
}

// An outcome that cares nothing for the supplies is played with both live and both overdrawn;
// one that does, with each state that meets its need, the other supply live or dead.
inline bool allows(Supplies need, const SupplyState& state)
{
    switch (need) {
    case Supplies::Any: return (state.barrier > 0) == (state.phasers > 0);
    case Supplies::BarrierLive: return state.barrier > 0;
    case Supplies::BarrierDead: return state.barrier <= 0;
    case Supplies::PhasersLive: return state.phasers > 0;
    case Supplies::PhasersDead: return state.phasers <= 0;
    }
    return false;
}

struct Case {
    const Scene* scene;
    const Outcome* outcome;
    int die;
    SupplyState supplies;
    bool sound;
};

inline std::vector<Case> casesOf(const Scene& scene)
{
    std::vector<Case> cases;
    for (const Outcome& outcome : scene.outcomes) {
        std::vector<int> dice = {outcome.low};
        if (outcome.high != outcome.low) dice.push_back(outcome.high);
        for (int die : dice)
            for (const SupplyState& state : supplyStates())
                if (allows(outcome.supplies, state))
                    for (bool sound : {true, false}) cases.push_back({&scene, &outcome, die, state, sound});
    }
    return cases;
}

inline std::string nameOf(const Case& c)
{
    std::string name = std::string(1, c.outcome->action) + "_die" + std::to_string(c.die) + "_" + c.supplies.name;
    if (c.outcome->story > 0) name += "_story" + std::to_string(c.outcome->story);
    return name + (c.sound ? "_soundOn" : "_soundOff");
}

inline std::string caseName(const ::testing::TestParamInfo<Case>& info) { return nameOf(info.param); }

// Failures name the case rather than dump its bytes.
inline void PrintTo(const Case& c, std::ostream* out) { *out << c.scene->name << " " << nameOf(c); }

// The raw draw that makes the repair-tool cue pick the wrench (rand() % 6 + 1 == 4).
inline constexpr int wrenchDraw = 3;

// Cue names as the log shows them: the pause before a "~" cue; with sound off only the "+ms"
// pauses, which are taken either way.
inline std::vector<std::string> expand(const std::vector<std::string>& cues, bool sound)
{
    std::vector<std::string> trace;
    for (const std::string& name : cues) {
        if (name[0] == '+') {
            trace.push_back("~" + name.substr(1));
        } else if (!sound) {
            continue;
        } else if (name == "tool") {
            trace.push_back("wren");
        } else if (name[0] == '~') {
            trace.push_back("~1000");
            trace.push_back(name.substr(1));
        } else {
            trace.push_back(name);
        }
    }
    return trace;
}

inline bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// The pauses, sounds and text lines from `from` on, in order: "~ms" for a pause, the short
// name for a sound, each written line with its "\n". Runs of blanks (prompt erasers) are left
// out. The trace stops at the status redraw ("status") or at a cleared screen ("clear").
inline std::vector<std::string> traceFrom(const std::vector<LogEntry>& log, std::size_t from)
{
    std::vector<std::string> trace;
    for (std::size_t i = from; i < log.size(); ++i) {
        const LogEntry& entry = log[i];
        switch (entry.kind) {
        case LogEntry::Clear: trace.push_back("clear"); return trace;
        case LogEntry::Move:
            if (entry.a == 17 && entry.b == 19) {
                trace.push_back("status");
                return trace;
            }
            break;
        case LogEntry::Pause: trace.push_back("~" + std::to_string(entry.a)); break;
        case LogEntry::Sound: trace.push_back(shortNames({entry.text})[0]); break;
        case LogEntry::Write: {
            std::size_t start = 0;
            while (start < entry.text.size()) {
                std::size_t end = entry.text.find('\n', start);
                end = end == std::string::npos ? entry.text.size() : end + 1;
                std::string piece = entry.text.substr(start, end - start);
                if (!blank(piece)) trace.push_back(piece);
                start = end;
            }
            break;
        }
        default: break;
        }
    }
    return trace;
}

// The trace of an outcome: everything after the action key.
inline std::vector<std::string> outcomeTrace(const ScriptedConsole& console)
{
    const auto& log = console.log();
    for (std::size_t i = 0; i < log.size(); ++i)
        if (log[i].kind == LogEntry::Key) return traceFrom(log, i + 1);
    return {};
}

// The cues and pauses of an opening: everything before the action prompt is drawn.
inline std::vector<std::string> openingTrace(const ScriptedConsole& console)
{
    std::vector<std::string> trace;
    for (const LogEntry& entry : console.log()) {
        if (entry.kind == LogEntry::Move && entry.a == 17 && entry.b == 21) break;
        if (entry.kind == LogEntry::Pause) trace.push_back("~" + std::to_string(entry.a));
        if (entry.kind == LogEntry::Sound) trace.push_back(shortNames({entry.text})[0]);
    }
    return trace;
}

inline std::string withoutLineEnd(std::string line)
{
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
}

// The fixture: one case of one scene's table.
class TableWalk : public GameTest, public ::testing::WithParamInterface<Case> {
protected:
    static constexpr int damageBefore = 1;  // earlier damage waiting, which no outcome here repairs
    static constexpr int warningsBefore = 1;
    static constexpr int fuelBefore = 200;
    static constexpr int distanceBefore = 200;

    void walkOneCase()
    {
        const Case& c = GetParam();
        const Scene& scene = *c.scene;
        const Outcome& outcome = *c.outcome;

        mission.soundOn = c.sound ? 'y' : 'n';
        mission.barrierCharges = c.supplies.barrier;
        mission.phaserCells = c.supplies.phasers;
        mission.damage = damageBefore;
        mission.warnings = warningsBefore;
        mission.fuel = fuelBefore;
        mission.distanceLeft = distanceBefore;
        mission.spins = 3;

        chance->face(c.die);
        if (scene.announcementStory > 0) chance->push(scene.announcementStory - 1);
        bool usesTool = false;
        for (const std::string& name : outcome.cues) usesTool = usesTool || name == "tool";
        if (usesTool && c.sound) chance->push(wrenchDraw);
        if (outcome.story > 0) chance->push(outcome.story - 1);
        console.queueKeys(std::string(1, outcome.action));
        if (outcome.then == Then::Crashes) console.queueKey(keyEsc);

        gotoColRow(1, 5);
        const bool ended = ends(scene.run);

        EXPECT_EQ(ended, outcome.then == Then::Crashes);
        EXPECT_EQ(chance->left(), 0u) << "draws queued but not taken";
        EXPECT_EQ(mission.dieRoll, c.die) << "a later draw overwrote the die";

        EXPECT_EQ(openingTrace(console), expand(scene.opening, c.sound));

        std::vector<std::string> trace = expand(outcome.cues, c.sound);
        trace.insert(trace.end(), outcome.lines.begin(), outcome.lines.end());
        if (outcome.then == Then::Moves) trace.push_back("status");
        if (outcome.then == Then::Crashes) trace.push_back("clear");
        EXPECT_EQ(outcomeTrace(console), trace);

        if (outcome.then != Then::Crashes) {
            // The announcement from row 5, the outcome from row 9, and nothing else above the
            // status rows; the prompt row has been blanked.
            std::vector<std::string> screen(18);
            for (std::size_t i = 0; i < scene.announcement.size(); ++i)
                screen[4 + i] = withoutLineEnd(scene.announcement[i]);
            for (std::size_t i = 0; i < outcome.lines.size(); ++i) screen[8 + i] = withoutLineEnd(outcome.lines[i]);
            EXPECT_EQ(rows(1, 18), screen) << console.screenDump();
            EXPECT_EQ(console.rowText(21), "");
        }

        const bool moved = outcome.then == Then::Moves;
        if (moved) {
            EXPECT_EQ(console.rowText(19), "                Miles to Mars: 19 million, 8 hundred thousand");
            EXPECT_EQ(console.rowText(20), "                You have 180 units of fuel");
        } else if (outcome.then == Then::Stays) {
            EXPECT_EQ(rows(19, 20), (std::vector<std::string>{"", ""}));
        }

        EXPECT_EQ(mission.damage, damageBefore + outcome.delta.damage);
        EXPECT_EQ(mission.warnings, warningsBefore + outcome.delta.warnings);
        EXPECT_EQ(mission.barrierCharges, c.supplies.barrier + outcome.delta.barrier);
        EXPECT_EQ(mission.phaserCells, c.supplies.phasers + outcome.delta.phasers);
        EXPECT_EQ(mission.fuel, moved ? fuelBefore - 20 : fuelBefore);
        EXPECT_EQ(mission.distanceLeft, moved ? distanceBefore - 2 : distanceBefore);
    }
};

// The A move with the last of the fuel, for each A row of a scene (at the low end of its die):
// 20 and 0 units run dry, 21 leave one. `linesFirst`: the row's lines and counts come before
// the tank is checked; otherwise an empty tank ends the mission before a word is said.
struct LastFuelCase {
    const Scene* scene;
    const Outcome* accelerate;
    int fuel;
    bool sound;
};

inline std::vector<LastFuelCase> lastFuelCases(const std::vector<const Scene*>& scenes)
{
    std::vector<LastFuelCase> cases;
    for (const Scene* scene : scenes)
        for (const Outcome& outcome : scene->outcomes)
            if (outcome.action == 'a')
                for (int fuel : {20, 21, 0})
                    for (bool sound : {true, false}) cases.push_back({scene, &outcome, fuel, sound});
    return cases;
}

inline std::string lastFuelName(const ::testing::TestParamInfo<LastFuelCase>& info)
{
    const LastFuelCase& c = info.param;
    return std::string(c.scene->name) + "_die" + std::to_string(c.accelerate->low) + "_fuel" + std::to_string(c.fuel) +
           (c.sound ? "_soundOn" : "_soundOff");
}

class LastFuelWalk : public GameTest, public ::testing::WithParamInterface<LastFuelCase> {
protected:
    void walkLastFuel(bool linesFirst)
    {
        const LastFuelCase& c = GetParam();
        const Outcome& accelerate = *c.accelerate;
        const bool runsDry = c.fuel <= 20;
        mission.soundOn = c.sound ? 'y' : 'n';
        mission.fuel = c.fuel;
        mission.distanceLeft = 100;
        chance->face(accelerate.low);
        if (c.scene->announcementStory > 0) chance->push(c.scene->announcementStory - 1);
        console.queueKeys("a");
        console.queueKey(keyEsc);

        gotoColRow(1, 5);
        EXPECT_EQ(ends(c.scene->run), runsDry);

        const bool spoke = !runsDry || linesFirst;
        std::vector<std::string> expected = expand(accelerate.cues, c.sound);
        if (spoke) expected.insert(expected.end(), accelerate.lines.begin(), accelerate.lines.end());
        if (runsDry) {
            expected.push_back("~2000");
            if (c.sound) expected.push_back("fuel");
            expected.push_back("clear");
            EXPECT_EQ(console.rowText(3), "Oh no!  You are out of fuel.");
        } else {
            expected.push_back("status");
            EXPECT_EQ(console.rowText(20), "                You have 1 units of fuel");
        }
        EXPECT_EQ(outcomeTrace(console), expected);
        EXPECT_EQ(mission.damage, spoke ? accelerate.delta.damage : 0) << "counted before the move";
        EXPECT_EQ(mission.warnings, spoke ? accelerate.delta.warnings : 0);
        EXPECT_EQ(mission.fuel, c.fuel - 20);
        EXPECT_EQ(mission.distanceLeft, 98);
    }
};

}  // namespace walk
