// The decision tables. First the rules of the walkers that read them, each shown once on a
// small table of the test's own; then the properties of every table of the game, read through
// the walkers' own test of a row (applies, covers): whatever the key, the die and the supplies,
// some row answers; a row that is not the table's catch-all for a key is the only one that could
// answer where it holds, so no row is shadowed and no bound overlaps a neighbour; lines end their
// row and fit the screen; cues are in the catalogue.
#include "support/trace.h"

#include <functional>

#include "aliens/battle.h"
#include "aliens/pursuit.h"
#include "aliens/zapfest.h"
#include "core/status.h"
#include "encounters/fields.h"
#include "encounters/hazards.h"
#include "encounters/malfunctions.h"
#include "encounters/moon.h"
#include "encounters/quiet_space.h"

namespace {

// Tables are settled on the encounter's die, here 1.
struct Walk : GameTest {
    void SetUp() override { GameTest::SetUp(); mission.dieRoll = 1; }
};

class Walker : public Walk, public ::testing::WithParamInterface<bool> {};

// Cues in the row's order, the pauses of the hit and alarm cues only with sound on, a beat
// with sound off too; the lines read the supplies as they stood before the row spent them.
TEST_P(Walker, CuesInOrderThenLinesOfTheSuppliesBeforeTheChange)
{
    mission.soundOn = GetParam() ? 'y' : 'n';
    mission.barrierCharges = 1;
    settle('b', {{'b', always, {keyCue, hitCue, beat(300), alarmCue, play(Cue::Star)},
                  {"first\n", onlyIf(Need::BarrierLive, "live\n"), onlyIf(Need::BarrierDead, "dead\n")},
                  spendBarrierEvenDead | addDamage | addWarning}});
    expectHeard(console, {"cue barr", "pause 1000 (sound)", "cue dama", "pause 300", "pause 1000 (sound)", "cue aler",
                          "cue star", "first\nlive\n"}, GetParam());
    EXPECT_EQ(mission.barrierCharges * 100 + mission.damage * 10 + mission.warnings, 11);
}

// The key cues: each action's own, dead for a dead supply (sound on).
TEST_F(Walk, KeyCuesNameTheActionAndADeadSupply)
{
    mission.soundOn = 'y';
    mission.barrierCharges = mission.phaserCells = 1;
    for (const char action : std::string("aebfn")) playKeyCue(action);
    mission.barrierCharges = mission.phaserCells = 0;
    for (const char action : std::string("bf")) playKeyCue(action);
    EXPECT_EQ(shortNames(sounds()), (Trace{"acce", "evad", "barr", "phas", "dead", "dead"}));
}

// Spending from a live supply always; from a dead one only the EvenDead changes: spent twice
// from 1, each supply in each form.
TEST_F(Walk, SpendingFromADeadSupply)
{
    for (auto [changes, barrier, phasers] : {std::tuple{spendBarrierEvenDead | spendPhasersWhileLive, -1, 0},
                                             {spendBarrierWhileLive | spendPhasersEvenDead, 0, -1}}) {
        mission.barrierCharges = mission.phaserCells = 1;
        for (int twice = 0; twice < 2; ++twice) settle('n', {{'n', always, {}, {}, changes}});
        EXPECT_EQ(std::pair(mission.barrierCharges, mission.phaserCells), std::pair(barrier, phasers)) << changes;
    }
}

// The A move after the lines, before them (the status still after), or with no fuel check;
// with the last 20 units the check ends the mission. The row's finale comes after everything
// else, the move included.
int seenAtFinale = -1;

// Each form with its flags: checks before the lines, checks the fuel.
TEST_F(Walk, TheAMoveChecksTheTankWhereItsFormSays)
{
    for (auto [change, checksBeforeLines, checksFuel] :
         {std::tuple{aMove, false, true}, {aMoveFirst, true, true}, {aMoveUnchecked, false, false}}) {
        SCOPED_TRACE(change);
        SetUp();
        const Table table = {{'a', always, {}, {"line\n"}, change, [] { seenAtFinale = mission.fuel; }}};
        EXPECT_FALSE(ends([&] { settle('a', table); }));
        EXPECT_EQ(seenAtFinale * 1000 + mission.distanceLeft, 380348);
        EXPECT_EQ(writes().front(), "line\n");
        EXPECT_EQ(console.rowText(20).substr(16), "You have 380 units of fuel");

        SetUp();
        mission.fuel = 20;
        if (checksFuel) console.queueKey(keyEsc);  // the ending's last screen
        EXPECT_EQ(ends([&] { settle('a', table); }), checksFuel);
        EXPECT_EQ(textAfterClear(console).find("line\n") == 0, !checksBeforeLines);
    }
}

// An exchange's deeds in order: the aliens' reply skipped once they flee, and a reply that
// kills the ship ends the row at once.
int replies = 0;

TEST_F(Walk, ExchangeDeedsStopAtTheFleeingHitOrAKill)
{
    const Battle battle = {"test", {{'f', always, {}, {}, {scoreHit, fireIfStanding, spendCell}, nextExchange}}, 2,
                           [](char, Score& score) { score.killed = ++replies == 2; }};
    Score score;  // {hits, killed}
    EXPECT_FALSE(fightExchange(battle, 'f', 1, score));  // hit, reply, cell spent
    score.hits = 0;
    EXPECT_TRUE(fightExchange(battle, 'f', 1, score));   // the reply kills: no cell spent
    score = {1, 0};
    EXPECT_FALSE(fightExchange(battle, 'f', 1, score));  // the fleeing hit: no reply
    EXPECT_EQ(std::pair(replies, mission.phaserCells), std::pair(2, -2));
}

TEST_P(Walker, AlienShotFiresThenTakesItsRowOrTheDeadlyOneWhenDefenceless)
{
    mission.soundOn = GetParam() ? 'y' : 'n';
    const AlienGun gun = {"test", 4, "defenceless\n",
                          {{roll(1, 3), eitherCover, {}, {"missed\n"}, noBlow},
                           {roll(4, 4), behindBarrier, {}, {"back\n"}, aliensHit},
                           {roll(4, 4), unprotected, {}, {"killed\n"}, shipKilled}}};
    int hits = 0, killed = 0;
    mission.phaserCells = 1;
    chance->push(3).push(3).push(0);
    alienShot(gun, 'f', hits, killed);
    mission.barrierCharges = 1;
    alienShot(gun, 'b', hits, killed);
    mission.barrierCharges = mission.phaserCells = 0;
    alienShot(gun, 'b', hits, killed);
    expectHeard(console, {"pause 1000", "cue phal", "pause 1000 (sound)", "killed\n", "pause 1000", "cue phal",
                          "pause 1000 (sound)", "back\n", "pause 1000", "cue phal", "pause 1000 (sound)",
                          "defenceless\n", "pause 2000", "killed\n"}, GetParam());
    EXPECT_EQ(hits * 10 + killed, 11);
}

INSTANTIATE_TEST_SUITE_P(Sound, Walker, ::testing::Bool());

// A row as the test reads it: whether it answers a key on a die, the supplies as they stand.
struct Rule {
    std::function<bool(char key, int die)> holds;
    bool catchAll;  // the whole die, every supply state and cover: the rest of the key's cases
};

// A table as the test reads it: the rules of its rows, and their lines and cues.
struct TableView {
    std::string name;
    int sides;
    std::string keys;
    std::vector<Rule> rules;
    std::vector<const char*> lines;  // written from column 1
    std::vector<Step> cues;
    // Settles a key on a die through the table's own walker; returns the hits on the aliens and
    // whether the ship was killed.
    std::function<std::pair<int, int>(char key, int die)> walk;
    bool acts = true;  // the player's action, not the aliens' shot

    void add(const std::vector<Say>& says, const std::vector<Step>& steps)
    {
        for (const Say& say : says)
            if (say.text != nullptr) lines.push_back(say.text);
        cues.insert(cues.end(), steps.begin(), steps.end());
    }
    template <typename Row>
    void addRow(const Row& row, std::function<bool(char, int)> holds, bool anyCover = true)
    {
        const When& when = row.when;
        rules.push_back({std::move(holds), when.low == 1 && when.high == sides && when.need == Need::Nothing && anyCover});
        add(row.lines, row.cues);
    }
};

void PrintTo(const TableView& view, std::ostream* os) { *os << view.name; }

std::vector<TableView> everyTable()
{
    std::vector<TableView> views;
    for (auto tables : {hazardTables, malfunctionTables, fieldTables, moonTables, quietSpaceTables})
        for (const Encounter* encounter : tables()) {
            TableView& view = views.emplace_back(TableView{encounter->name, 10, "abefrn", {}, {}, {},
                                                           [encounter](char key, int die) {
                                                               mission.dieRoll = die;
                                                               settle(key, encounter->rows);
                                                               return std::pair(0, 0);
                                                           }});
            view.add(encounter->announcement, encounter->opening);
            for (const Row& row : encounter->rows)
                view.addRow(row, [&row](char key, int die) { return row.action == key && applies(row.when, die); });
        }
    // Each battle: its exchanges on its own die, then its alien gun.
    for (auto [battle, sides, gun, keys] : {std::tuple{&pursuitExchanges(), 10, &pursuitGun(), "abefrn"},
                                            {&zapfestExchanges(), 20, &zapfestGun(), "bf"}}) {
        TableView& exchanges = views.emplace_back(TableView{battle->name, sides, keys, {}, {}, {}, [battle = battle](char key, int die) {
            Score score;
            fightExchange(*battle, key, die, score);
            return std::pair(score.hits, score.killed);
        }});
        for (const Exchange& row : battle->exchanges)
            exchanges.addRow(row, [&row](char key, int die) { return row.key == key && applies(row.when, die); });
        TableView& shots = views.emplace_back(TableView{gun->name, gun->sides, keys, {}, {}, {}, [gun = gun](char key, int) {
            int hits = 0, killed = 0;
            alienShot(*gun, key, hits, killed);
            return std::pair(hits, killed);
        }, false});
        if (gun->defenceless) shots.lines.push_back(gun->defenceless);
        for (const ShotRow& row : gun->rows)
            shots.addRow(row, [&row](char key, int die) { return applies(row.when, die) && covers(row.cover, key); },
                         row.cover == eitherCover);
    }
    return views;
}

class GameTables : public GameTest, public ::testing::WithParamInterface<TableView> {};

TEST_P(GameTables, EveryCaseHasOneRowEveryRowIsChosenAndLinesFit)
{
    const TableView& table = GetParam();
    std::vector<bool> chosen(table.rules.size());
    for (int state = 0; state < 8; ++state) {  // barrier, phasers and damage, each 0 or 1
        std::tie(mission.barrierCharges, mission.phaserCells, mission.damage) = std::tuple(state & 1, (state >> 1) & 1, state >> 2);
        for (const char key : table.keys)
            for (int die = 0; die <= table.sides + 1; ++die) {
                SCOPED_TRACE(::testing::Message() << "key " << key << ", die " << die << ", state " << state);
                std::vector<std::size_t> holding;  // rows numbered from 1
                for (std::size_t r = 1; r <= table.rules.size(); ++r)
                    if (table.rules[r - 1].holds(key, die)) holding.push_back(r);
                // Off the die (0 or one past it) no row may hold: a bound written one too far.
                EXPECT_EQ(holding.empty(), die == 0 || die > table.sides);
                if (holding.empty()) continue;
                chosen[holding[0] - 1] = true;
                for (std::size_t i = 1; i < holding.size(); ++i)
                    EXPECT_TRUE(table.rules[holding[i] - 1].catchAll) << "row " << holding[i] << " overlaps " << holding[0];
            }
    }
    for (std::size_t r = 0; r < chosen.size(); ++r) EXPECT_TRUE(chosen[r]) << "row " << r + 1 << " is never chosen";
    // Lines end their row and fit the screen; cues are in the catalogue.
    for (const std::string line : GetParam().lines) {
        EXPECT_EQ(line.back(), '\n') << line;
        for (std::size_t start = 0, end; start < line.size(); start = end + 1)
            EXPECT_LE((end = line.find('\n', start)) - start, 79u) << line;
    }
    for (const Step& step : GetParam().cues)
        if (step.kind != Step::Key && step.kind != Step::Beat) { EXPECT_FALSE(cuePlays(step.cue, 1).empty()); }
}

// What a row's lines tell, from the phrases the rows use: a warning from Mission Control, a hit
// or a hole in the ship, a danger got away from, a hit on the aliens, the ship destroyed.
bool tells(const std::string& text, std::initializer_list<const char*> phrases)
{
    return std::any_of(phrases.begin(), phrases.end(), [&](const char* p) { return text.find(p) != std::string::npos; });
}
const auto aWarning = {"warning"};
const auto harm = {"been hit", " hole", " dent", "damage"};
const auto noHarm = {"out of danger", "clear", "away", "escaped", "repaired", "in time", "deflected", "blocked", "eluded"};
const auto aliensHit = {"hit the space goons", "Good shot"};
const auto shipKilled = {"whacked you"};

// Every case of every table, run through its walker from a fresh state with sound on (the other
// draws show 1, the aliens' reply a miss or a hit), with the status rows showing a longer line
// before: the change to the mission is what the lines written say and the cues let hear, and an
// A move redraws whole rows.
TEST_P(GameTables, EachRowDoesWhatItsLinesTell)
{
    const TableView& table = GetParam();
    for (int state = 0; state < 8; ++state)
        for (const char key : table.keys)
            for (int die = 1; die <= table.sides; ++die) {
                SCOPED_TRACE(::testing::Message() << "key " << key << ", die " << die << ", state " << state);
                mission = MissionState{};
                std::tie(mission.barrierCharges, mission.phaserCells, mission.damage) = std::tuple(state & 1, (state >> 1) & 1, state >> 2);
                mission.distanceLeft = 182;
                mission.soundOn = 'y';
                const MissionState before = mission;
                console = ScriptedConsole();
                installConsole(console);
                showStatus();
                const std::vector<std::string> status = rows(19, 20);
                gotoColRow(1, 9);
                console.clearLog();
                chance.emplace();
                if (!table.acts) chance->push(die - 1);  // the aliens' shot
                for (int draw = 0; draw < 8; ++draw) chance->push(0);
                std::pair<int, int> hitsAndKilled;
                console.queueKey(keyEsc);  // the last screen of an ending, which is not this test's
                if (ends([&] { hitsAndKilled = table.walk(key, die); })) continue;
                std::string text;
                for (const std::string& w : writes()) text += w;
                const bool live = key == 'b' ? before.barrierCharges > 0 : before.phaserCells > 0;
                const bool says = text.find_first_not_of(" \n") != std::string::npos;

                EXPECT_EQ(mission.warnings - before.warnings, tells(text, aWarning) ? 1 : 0) << text;
                // A damage is told by a hit or a hole, or heard in the damage sound, or comes with
                // a warning for recklessness; what is got away from does no harm.
                const Trace heard = shortNames(sounds());
                const bool damageHeard = std::find(heard.begin(), heard.end(), "dama") != heard.end();
                if (tells(text, harm) || damageHeard) { EXPECT_EQ(mission.damage - before.damage, 1) << text; }
                if (mission.damage > before.damage) { EXPECT_TRUE(tells(text, harm) || damageHeard || tells(text, aWarning)) << text; }
                if (tells(text, noHarm) && !tells(text, harm)) { EXPECT_LE(mission.damage, before.damage) << text; }
                EXPECT_EQ(hitsAndKilled, std::pair(tells(text, aliensHit) ? 1 : 0, tells(text, shipKilled) ? 1 : 0)) << text;
                // Only the A key moves the ship, and its move redraws the status rows whole.
                const bool moves = table.acts && key == 'a';
                EXPECT_EQ(std::pair(mission.distanceLeft - before.distanceLeft, mission.fuel - before.fuel),
                          moves ? std::pair(-2, -20) : std::pair(0, 0));
                const Trace redrawn = {std::string(16, ' ') + "Miles to Mars: 18 million", std::string(16, ' ') + "You have 380 units of fuel"};
                EXPECT_EQ(rows(19, 20), moves ? redrawn : status);
                // B spends a live barrier's charge and F a live phaser cell, once; a dead supply
                // may sink one below; a row that tells nothing spends nothing.
                for (auto [spent, own] : {std::pair(mission.barrierCharges - before.barrierCharges, 'b'),
                                          std::pair(mission.phaserCells - before.phaserCells, 'f')}) {
                    const bool spends = table.acts && key == own && says;
                    if (spends && live && hitsAndKilled.second == 0) { EXPECT_EQ(spent, -1) << text; }
                    EXPECT_TRUE(spent == 0 || (spends && spent == -1)) << own << " " << spent << " " << text;
                }
                if (!says) { EXPECT_EQ(mission.damage, before.damage); }
            }
}

INSTANTIATE_TEST_SUITE_P(EveryTable, GameTables, ::testing::ValuesIn(everyTable()), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
});

}  // namespace
