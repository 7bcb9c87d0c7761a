#include "encounters/quiet_space.h"

#include <set>

#include "encounters/table_walk.h"

namespace {

using Texts = std::vector<std::string>;

// The first entries of the lists, the only ones whose words are fixed.
const std::string zooming = "You are zooming to Mars.";
const std::string nagFirst = "Wake up and pay attention, repairs are needed.";
const Texts praiseFirst = {"Nice fix up job!", "You are handy and dandy."};
const Texts mishapFirst = {"Your screwdriver slipped and you sliced your finger.",
                           "You bungled the job and need first aid."};

// One row of the quiet-space table. Cues are as heard with sound on: "key" is the action's key
// cue, "~1000" a pause. A row that speaks through a list expects that list's first entry (the
// tests queue a 1 for the list's die).
struct QuietRow {
    char action;
    bool damageWaiting;
    int low, high;  // the repair die
    Texts cues;
    Texts lines;
    bool rollsList;
    int damage, warnings, barrier, phasers;
    bool moves;
};

Texts join(Texts a, const Texts& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<QuietRow> quietTable = {
    {'a', false, 1, 10, {"key"}, {zooming}, true, 0, 0, 0, 0, true},
    {'a', true, 1, 10, {"key", "~1000", "aler"},
     {"Wake up space cadet!  You are ignoring ship damage.", "You are on a joy ride instead of working.",
      "You have received a warning from Mission Control."},
     false, +1, +1, 0, 0, true},
    {'e', false, 1, 10, {"key"}, {}, false, 0, 0, 0, 0, false},
    {'e', true, 1, 10, {"key", "aler"},
     {"You are ignoring needed repairs.", "Mission Control is giving you a warning for reckless action."},
     false, +1, +1, 0, 0, false},
    {'b', false, 1, 10, {"key", "aler"}, {}, false, 0, 0, 0, 0, false},
    {'b', true, 1, 10, {"key", "aler"},
     {"You are ignoring needed repairs.", "You are using the force field barrier frivolously.",
      "You have been given a warning from Mission Control."},
     false, +1, +1, -1, 0, false},
    {'f', false, 1, 10, {"key", "aler"}, {}, false, 0, 0, 0, 0, false},
    {'f', true, 1, 10, {"key", "aler"},
     {"You are ignoring needed repairs.", "You are using the phasers  frivolously.",
      "You have been given a warning from Mission Control."},
     false, +1, +1, 0, -1, false},
    {'n', false, 1, 10, {}, {zooming}, true, 0, 0, 0, 0, false},
    {'n', true, 1, 10, {"aler"}, {nagFirst, "You have received a warning from Mission Control."}, true, +1, +1, 0, 0,
     false},
    {'r', false, 1, 10, {"key", "aler"},
     {"No repairs are needed.", "Pay attention or you will be called back to Earth.",
      "You have been given a warning from Mission Control."},
     false, 0, +1, 0, 0, false},
    {'r', true, 1, 7, {"key"}, praiseFirst, true, -1, 0, 0, 0, false},
    {'r', true, 8, 10, {"key", "dama", "trip"}, mishapFirst, true, +1, 0, 0, 0, false},
};

struct QuietCase {
    QuietRow row;
    int die;
    bool suppliesLive;
    bool soundOn;
};

std::vector<QuietCase> quietCases()
{
    std::vector<QuietCase> cases;
    for (const QuietRow& row : quietTable)
        for (int die : {1, 7, 8, 10})
            if (die >= row.low && die <= row.high)
                for (bool live : {true, false})
                    for (bool sound : {true, false}) cases.push_back({row, die, live, sound});
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<QuietCase>& info)
{
    const QuietCase& c = info.param;
    return std::string(1, c.row.action) + (c.row.damageWaiting ? "_damage" : "_noDamage") + "_die" +
           std::to_string(c.die) + (c.suppliesLive ? "_live" : "_dead") + (c.soundOn ? "_soundOn" : "_soundOff");
}

// The repair-tool cue is told to pick tool 3, the hammer.
std::string keyCueOf(char action, bool live)
{
    switch (action) {
    case 'a': return "acce";
    case 'e': return "evad";
    case 'b': return live ? "barr" : "dead";
    case 'f': return live ? "phas" : "dead";
    case 'r': return "hamm";
    }
    return "?";
}

class QuietSpaceTable : public GameTest, public ::testing::WithParamInterface<QuietCase> {};

TEST_P(QuietSpaceTable, SettlesTheActionByItsRow)
{
    const QuietCase& c = GetParam();
    const QuietRow& row = c.row;
    mission.soundOn = c.soundOn ? 'y' : 'n';
    mission.damage = row.damageWaiting ? 1 : 0;
    mission.warnings = 1;
    mission.barrierCharges = c.suppliesLive ? 3 : 0;
    mission.phaserCells = c.suppliesLive ? 3 : 0;
    mission.distanceLeft = 200;
    mission.fuel = 300;
    const MissionState before = mission;

    chance->face(c.die);
    if (row.action == 'r' && c.soundOn) chance->push(2);  // the hammer
    if (row.rollsList) chance->face(1);
    console.queueKey(row.action);
    gotoColRow(1, 5);
    quietSpace();

    Texts screen = join(row.lines, Texts(10 - row.lines.size(), ""));
    EXPECT_EQ(rows(9, 18), screen);

    // The cues, then the lines; only the A move redraws the status rows.
    Texts trace;
    if (c.soundOn)
        for (const std::string& cue : row.cues) trace.push_back(cue == "key" ? keyCueOf(row.action, c.suppliesLive) : cue);
    for (const std::string& line : row.lines) trace.push_back(line + "\n");
    if (row.moves) trace.push_back("status");
    EXPECT_EQ(walk::outcomeTrace(console), trace);

    EXPECT_EQ(mission.damage, before.damage + row.damage);
    EXPECT_EQ(mission.warnings, before.warnings + row.warnings);
    EXPECT_EQ(mission.barrierCharges, before.barrierCharges + row.barrier);
    EXPECT_EQ(mission.phaserCells, before.phaserCells + row.phasers);
    EXPECT_EQ(mission.distanceLeft, before.distanceLeft - (row.moves ? 2 : 0));
    EXPECT_EQ(mission.fuel, before.fuel - (row.moves ? 20 : 0));
    if (row.moves) {
        EXPECT_EQ(console.rowText(19), std::string(16, ' ') + "Miles to Mars: 19 million, 8 hundred thousand");
        EXPECT_EQ(console.rowText(20), std::string(16, ' ') + "You have 280 units of fuel");
    } else {
        EXPECT_EQ(rows(19, 20), (Texts{"", ""}));
    }
    // A list rolls again after the repair die: its roll is the one left behind.
    EXPECT_EQ(mission.dieRoll, row.rollsList ? 1 : c.die);
    EXPECT_EQ(chance->left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, QuietSpaceTable, ::testing::ValuesIn(quietCases()), caseName);

// --- The message lists ---------------------------------------------------------------------

struct ListCase {
    const char* name;
    void (*list)();
    int entries;
    int firstLines, otherLines;
    Texts first;
    Texts cues;  // the cue before each entry with sound on, "" for none; empty for a silent list
};

const ListCase listCases[] = {
    {"upbeatLine", upbeatLine, 5, 1, 1, {zooming}, {}},
    {"repairMishap", repairMishap, 12, 2, 2, mishapFirst,
     {"trip", "trip", "", "trip", "", "trip", "", "", "trip", "trip", "spla", ""}},
    {"repairPraise", repairPraise, 8, 2, 1, praiseFirst, {}},
    {"repairNag", repairNag, 8, 1, 1, {nagFirst}, {}},
};

class MessageList : public GameTest, public ::testing::WithParamInterface<ListCase> {
protected:
    // Runs the list once with the raw draw given and returns what it wrote, as lines.
    Texts speak(int raw)
    {
        console.clearLog();
        chance->push(raw);
        gotoColRow(1, 9);
        GetParam().list();
        std::string text;
        for (const std::string& written : writes()) text += written;
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        Texts lines;
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
};

// Each roll writes its own entry, the cue (if any) before the lines; with sound off nothing is
// heard and nothing waited for.
TEST_P(MessageList, EachRollWritesItsOwnEntry)
{
    const ListCase& list = GetParam();
    for (char sound : {'y', 'n'}) {
        mission.soundOn = sound;
        std::set<Texts> seen;
        for (int entry = 1; entry <= list.entries; ++entry) {
            SCOPED_TRACE(std::string("sound ") + sound + " entry " + std::to_string(entry));
            const Texts lines = speak(entry - 1);
            EXPECT_EQ(mission.dieRoll, entry);
            EXPECT_EQ(lines.size(), std::size_t(entry == 1 ? list.firstLines : list.otherLines));
            for (const std::string& line : lines) EXPECT_TRUE(!line.empty() && line.size() <= 79u) << line;
            if (entry == 1) { EXPECT_EQ(lines, list.first); }
            EXPECT_TRUE(seen.insert(lines).second) << "entry repeats an earlier one";

            const std::string cue = list.cues.empty() || sound == 'n' ? "" : list.cues[std::size_t(entry - 1)];
            EXPECT_EQ(shortNames(sounds()), cue.empty() ? Texts{} : Texts{cue});
            EXPECT_TRUE(pauses().empty());
            if (!cue.empty()) { EXPECT_EQ(console.log()[1].kind, LogEntry::Sound) << "the cue comes before the lines"; }
        }
    }
}

// The die is exactly as big as the list: the draw that would show one past the last entry on a
// bigger die comes round to the first.
TEST_P(MessageList, DieHasOneFacePerEntry)
{
    const ListCase& list = GetParam();
    EXPECT_EQ(speak(list.entries), list.first);
    EXPECT_EQ(mission.dieRoll, 1);
}

INSTANTIATE_TEST_SUITE_P(QuietSpace, MessageList, ::testing::ValuesIn(listCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
