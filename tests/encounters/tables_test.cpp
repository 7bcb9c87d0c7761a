// The properties of every decision table, read from the game's own tables through the walkers'
// own test of a row (applies, covers): whatever the key, the die and the supplies, some row
// answers; a row that is not the table's catch-all for a key is the only one that could answer
// where it holds, so no row is shadowed and no bound overlaps a neighbour; lines end their row
// and fit the screen; cues are in the catalogue.
#include "support/game_test.h"  // first: gtest before the console's write()

#include <functional>

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

// A table as the test reads it: the rules of its rows, and their lines and cues.
struct TableView {
    std::string name;
    int sides;
    std::string keys;
    std::vector<Rule> rules;
    std::vector<const char*> lines;  // written from column 1
    std::vector<Step> cues;

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
            TableView& view = views.emplace_back(TableView{encounter->name, 10, "abefrn", {}, {}, {}});
            view.add(encounter->announcement, encounter->opening);
            for (const Row& row : encounter->rows)
                view.addRow(row, [&row](char key, int die) { return row.action == key && applies(row.when, die); });
        }
    // Each battle: its exchanges on its own die, then its alien gun.
    for (auto [battle, sides, gun, keys] : {std::tuple{&pursuitExchanges(), 10, &pursuitGun(), "abefrn"},
                                            {&zapfestExchanges(), 20, &zapfestGun(), "bf"}}) {
        TableView& exchanges = views.emplace_back(TableView{battle->name, sides, keys, {}, {}, {}});
        for (const Exchange& row : battle->exchanges)
            exchanges.addRow(row, [&row](char key, int die) { return row.key == key && applies(row.when, die); });
        TableView& shots = views.emplace_back(TableView{gun->name, gun->sides, keys, {}, {}, {}});
        if (gun->defenceless) shots.lines.push_back(gun->defenceless);
        for (const ShotRow& row : gun->rows)
            shots.addRow(row, [&row](char key, int die) { return applies(row.when, die) && covers(row.cover, key); },
                         row.cover == eitherCover);
    }
    return views;
}

class Table : public GameTest, public ::testing::WithParamInterface<TableView> {};

TEST_P(Table, EveryCaseHasOneRowEveryRowIsChosenAndLinesFit)
{
    const TableView& table = GetParam();
    std::vector<bool> chosen(table.rules.size());
    for (int state = 0; state < 8; ++state) {  // barrier, phasers and damage, each 0 or 1
        mission.barrierCharges = state & 1;
        mission.phaserCells = (state >> 1) & 1;
        mission.damage = state >> 2;
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

INSTANTIATE_TEST_SUITE_P(EveryTable, Table, ::testing::ValuesIn(everyTable()));  // named by PrintTo in messages

}  // namespace
