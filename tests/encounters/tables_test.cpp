// The decision tables of every encounter and battle, read through the game's own test of a row
// (applies, covers) and played through their own walkers: whatever the key, the die and the
// supplies, exactly one row answers as the game walks them; each row does what its lines tell;
// and the odds of harm a player meets on each key.
#include "support/trace.h"

#include <functional>
#include <sstream>

#include "aliens/battle.h"
#include "aliens/pursuit.h"
#include "aliens/zapfest.h"
#include "encounters/fields.h"
#include "encounters/hazards.h"
#include "encounters/malfunctions.h"
#include "encounters/moon.h"
#include "encounters/quiet_space.h"

namespace {

// A row as the test reads it: whether it answers a key on a die, the supplies as they stand.
struct Rule {
    std::function<bool(char key, int die)> holds;
    bool catchAll;  // the whole die, every supply state and cover: the rest of the key's cases
};

// What a case of a battle came to: the hits on the aliens, whether the ship was killed, and
// whether the fight is over.
struct Fought {
    int hits = 0, killed = 0;
    bool over = false;
};

// A table as the test reads it: the rules of its rows.
struct TableView {
    std::string name;
    int sides;
    std::string keys;
    std::vector<Rule> rules;
    // Settles a key on a die through the table's own walker.
    std::function<Fought(char key, int die)> walk;
    bool acts = true;  // the player's action, not the aliens' shot
    int missingShot = 0;  // the draw that makes the aliens' reply miss

    template <typename Row>
    void addRow(const Row& row, std::function<bool(char, int)> holds, bool anyCover = true)
    {
        const When& when = row.when;
        rules.push_back({std::move(holds), when.low == 1 && when.high == sides && when.need == Need::Nothing && anyCover});
    }
};

void PrintTo(const TableView& view, std::ostream* os) { *os << view.name; }

std::vector<TableView> everyTable()
{
    std::vector<TableView> views;
    for (auto tables : {hazardTables, malfunctionTables, fieldTables, moonTables, quietSpaceTables})
        for (const Encounter* encounter : tables()) {
            TableView& view = views.emplace_back(TableView{encounter->name, 10, "abefrn", {},
                                                           [encounter](char key, int die) {
                                                               mission.dieRoll = die;
                                                               settle(key, encounter->rows);
                                                               return Fought{};
                                                           }});
            for (const Row& row : encounter->rows)
                view.addRow(row, [&row](char key, int die) { return row.action == key && applies(row.when, die); });
        }
    // Each battle: its exchanges on its own die, then its alien gun.
    for (auto [battle, sides, gun, keys, miss] : {std::tuple{&pursuitExchanges(), 10, &pursuitGun(), "abefrn", 0},
                                                  {&zapfestExchanges(), 20, &zapfestGun(), "bf", 7}}) {
        TableView& exchanges = views.emplace_back(TableView{battle->name, sides, keys, {}, [battle = battle](char key, int die) {
            Score score;
            const bool over = fightExchange(*battle, key, die, score);
            return Fought{score.hits, score.killed, over};
        }});
        exchanges.missingShot = miss;
        for (const Exchange& row : battle->exchanges)
            exchanges.addRow(row, [&row](char key, int die) { return row.key == key && applies(row.when, die); });
        TableView& shots = views.emplace_back(TableView{gun->name, gun->sides, keys, {}, [gun = gun](char key, int) {
            Fought fought;
            alienShot(*gun, key, fought.hits, fought.killed);
            return fought;
        }, false});
        for (const ShotRow& row : gun->rows)
            shots.addRow(row, [&row](char key, int die) { return applies(row.when, die) && covers(row.cover, key); },
                         row.cover == eitherCover);
    }
    return views;
}

// The supplies of a case: barrier, phasers and damage waiting, each 0 or 1 (7: all live and
// damage waiting, 0: all dead and none).
void setSupplies(int state)
{
    std::tie(mission.barrierCharges, mission.phaserCells, mission.damage) = std::tuple(state & 1, (state >> 1) & 1, state >> 2);
}

// What a case did: whether it ended the program, the hits on the aliens and a kill, the
// mission before, the text written and the cues heard.
struct Played {
    bool ended;
    Fought fought;
    MissionState before;
    std::string text;
    Trace heard;
};

class GameTables : public GameTest, public ::testing::WithParamInterface<TableView> {
protected:
    // Plays a case through its walker from a fresh state with sound on (the other draws, the
    // aliens' reply among them, all `draws`).
    Played play(char key, int die, int state, int draws = 0)
    {
        mission = MissionState{};
        setSupplies(state);
        mission.soundOn = 'y';
        Played played{false, {}, mission, {}, {}};
        console = ScriptedConsole();
        installConsole(console);
        gotoColRow(1, 9);
        console.clearLog();
        chance.emplace();
        if (!GetParam().acts) chance->push(die - 1);  // the aliens' shot
        for (int draw = 0; draw < 8; ++draw) chance->push(draws);
        console.queueKey(keyEsc);  // the last screen of an ending, which is not this test's
        played.ended = ends([&] { played.fought = GetParam().walk(key, die); });
        for (const std::string& w : writes()) played.text += w;
        played.heard = shortNames(sounds());
        return played;
    }
};

// Whatever the key, the face of the die and the supplies (barrier, phasers, damage waiting), as
// the game walks the rows: the first that holds answers, and any later one that also holds is
// the key's catch-all; no face is left without a row, none off the die has one, and every row
// is the one that answers somewhere.
TEST_P(GameTables, EachFaceMeetsOneRowAndEveryRowIsMet)
{
    const TableView& table = GetParam();
    std::vector<bool> chosen(table.rules.size());
    for (int state = 0; state < 8; ++state) {
        setSupplies(state);
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

// Every case of every table: the change to the mission is what the lines written say and the
// cues let hear.
TEST_P(GameTables, EachRowDoesWhatItsLinesTell)
{
    const TableView& table = GetParam();
    for (int state = 0; state < 8; ++state)
        for (const char key : table.keys)
            for (int die = 1; die <= table.sides; ++die) {
                SCOPED_TRACE(::testing::Message() << "key " << key << ", die " << die << ", state " << state);
                const auto [ended, fought, before, text, heard] = play(key, die, state);
                if (ended) continue;
                const bool live = key == 'b' ? before.barrierCharges > 0 : before.phaserCells > 0;
                const bool says = text.find_first_not_of(" \n") != std::string::npos;

                EXPECT_EQ(mission.warnings - before.warnings, tells(text, aWarning) ? 1 : 0) << text;
                // A damage is told by a hit or a hole, or heard in the damage sound, or comes with
                // a warning for recklessness; what is got away from does no harm.
                const bool damageHeard = std::find(heard.begin(), heard.end(), "dama") != heard.end();
                if (tells(text, harm) || damageHeard) { EXPECT_EQ(mission.damage - before.damage, 1) << text; }
                if (mission.damage > before.damage) { EXPECT_TRUE(tells(text, harm) || damageHeard || tells(text, aWarning)) << text; }
                if (tells(text, noHarm) && !tells(text, harm)) { EXPECT_LE(mission.damage, before.damage) << text; }
                EXPECT_EQ(std::pair(fought.hits, fought.killed), std::pair(tells(text, aliensHit) ? 1 : 0, tells(text, shipKilled) ? 1 : 0)) << text;
                // Only the A key moves the ship.
                const bool moves = table.acts && key == 'a';
                EXPECT_EQ(std::pair(mission.distanceLeft - before.distanceLeft, mission.fuel - before.fuel),
                          moves ? std::pair(-2, -20) : std::pair(0, 0));
                // B spends a live barrier's charge and F a live phaser cell, once; a dead supply
                // may sink one below; a row that tells nothing spends nothing.
                for (auto [spent, own] : {std::pair(mission.barrierCharges - before.barrierCharges, 'b'),
                                          std::pair(mission.phaserCells - before.phaserCells, 'f')}) {
                    const bool spends = table.acts && key == own && says;
                    if (spends && live && fought.killed == 0) { EXPECT_EQ(spent, -1) << text; }
                    EXPECT_TRUE(spent == 0 || (spends && spent == -1)) << own << " " << spent << " " << text;
                }
                if (!says) { EXPECT_EQ(mission.damage, before.damage); }
                // The lines (but the status rows an A move redraws) end their rows and fit the
                // screen; a B or F key is heard as dead equipment exactly when its supply is dead.
                EXPECT_TRUE(moves || text.empty() || text.back() == '\n') << text;
                std::istringstream lines(text);
                for (std::string line; !moves && std::getline(lines, line);) { EXPECT_LE(line.size(), 79u) << text; }
                if (table.acts && (key == 'b' || key == 'f') && !heard.empty()) { EXPECT_EQ(heard[0] == "dead", !live); }
            }
}

// The odds a player meets, in faces of the die: for each key, the faces that harm the ship (a
// damage, a warning or its end), after a '+' those that hit the aliens, after a '=' those that
// end a battle (the ship destroyed among them); after a '/' the same
// with the barrier and phasers dead and no damage waiting, where that differs. So "b3/10" in
// the space junk: the live force field deflects the junk 7 in 10, a dead one never.
const std::map<std::string, std::string> odds = {
    // The live barrier turns the hazards aside 7 in 10 (the shuttle 4), the phasers clear the
    // junk and the shuttle 7 in 10 (the shuttle blows up on a 10); a repair in the face of danger
    // is always punished; a malfunction is repaired 5 in 10 and any other key makes it worse.
    {"meteor storm", "a3 b3/10 e6 f10 r10 n8"}, {"space junk", "a10 b3/10 e6 f3/10 r10 n10"},
    {"comet", "a3 b3/10 e6 f10 r10 n8"}, {"abandoned shuttle", "a10 b6/10 e6 f3/10 r10 n10"},
    {"computer malfunction", "a10 b10 e10 f10 r5 n8"}, {"radio drift", "a10 b10 e10 f10 r5 n8"},
    {"fridge breakdown", "a10 b10 e10 f10 r5 n8"}, {"beer spill", "a10 b10 e10 f10 r5 n10"},
    {"radiation field", "a3 b3/10 e6 f10 r10 n8"}, {"magnetism pocket", "a3 b3/10 e6 f10 r10 n8"},
    {"moon pass", "a3 b10 e3 f10 r10 n6"},
    // In quiet space damage left waiting draws a warning; a repair fails 3 in 10, and one with
    // nothing to repair is punished.
    {"quiet space", "a10/0 b10/0 e10/0 f10/0 r3/10 n10/0"},
    // The phasers hit the pursuers 3 in 10, the Zapfest goons 7 in 20; the pursuit ends 1 in 10
    // on A (the ship gets away), E (it eludes them), F (it destroys them) and N (they leave), and
    // a Zapfest battle on a destroying shot or a ship destroyed; their gun misses a ship
    // behind its barrier (which throws 1 in 10, and 2 in 20, back at them); a defenceless ship
    // is always destroyed.
    {"pursuit exchanges", "a0=1 b0 e0=1 f0+3=1/0 r10 n0=1"}, {"pursuit alien gun", "a4 b0+1/4 e4 f4 r4 n4"},
    {"zapfest exchanges", "b0/20=20 f0+7=1/20=20"}, {"zapfest alien gun", "b0+2/20 f8/20"},
};

TEST_P(GameTables, HarmsAsOftenAsThePlayerIsTold)
{
    std::string seen;
    for (const char key : GetParam().keys) {
        std::string faces[2];
        for (const int state : {7, 0}) {
            int harms = 0, hits = 0, overs = 0;
            for (int die = 1; die <= GetParam().sides; ++die) {
                const Played played = play(key, die, state, GetParam().missingShot);
                harms += played.ended || played.fought.killed > 0 || mission.damage > played.before.damage || mission.warnings > played.before.warnings;
                hits += played.fought.hits;
                overs += played.fought.over;
            }
            faces[state == 0] = std::to_string(harms) + (hits > 0 ? "+" + std::to_string(hits) : "") + (overs > 0 ? "=" + std::to_string(overs) : "");
        }
        seen += std::string(seen.empty() ? "" : " ") + key + faces[0] + (faces[1] != faces[0] ? "/" + faces[1] : "");
    }
    EXPECT_EQ(seen, odds.at(GetParam().name));
}

// Rules of the walkers that no line tells: a malfunction's split A move checks the tank before
// its lines, a hazard's after them; a malfunction spends nothing from a dead generator or dead
// phasers, a hazard sinks them below; aliens that have just taken the hit that makes them flee
// do not reply (a reply would draw a shot none was given for).
TEST_F(GameTest, WalkersKeepTheRulesNoLineTells)
{
    for (auto [table, linesFirst, chargesLeft] : {std::tuple{hazardTables()[0], true, -1}, {malfunctionTables()[1], false, 0}}) {
        SetUp();
        std::tie(mission.fuel, mission.dieRoll, mission.barrierCharges, mission.phaserCells) = std::tuple(20, 5, 0, 0);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([&] { settle('a', table->rows); }));
        EXPECT_EQ(textAfterClear(console, 0).empty(), !linesFirst) << table->name;
        settle('b', table->rows);
        settle('f', table->rows);
        EXPECT_EQ(std::pair(mission.barrierCharges, mission.phaserCells), std::pair(chargesLeft, chargesLeft)) << table->name;
    }
    Score score{pursuitExchanges().hitsToWin - 1, 0};
    mission.phaserCells = 1;
    chance->push(0);  // the hit message
    EXPECT_FALSE(fightExchange(pursuitExchanges(), 'f', 1, score));
}

INSTANTIATE_TEST_SUITE_P(EveryTable, GameTables, ::testing::ValuesIn(everyTable()), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
});

}  // namespace
