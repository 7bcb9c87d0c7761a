// Every row of the four collision-hazard tables, at both bounds of its die range, with the
// supplies live and dead, with sound on and off.
#include <gtest/gtest.h>

#include "encounters/hazards.h"
#include "mission/wheel.h"
#include "support/game_test.h"

namespace {

struct HazardCase {
    const char* hazard;
    char action;
    std::vector<int> dice;      // every roll this row covers, at least both bounds
    int barrier;                // charges and cells before the action
    int phasers;
    std::vector<std::string> cues;  // with sound on, after the key: files and "p<ms>" pauses
    std::vector<std::string> lines;  // rows 9 and on
    int damage, warnings, barrierSpent, phasersSpent;
    bool accelerates;
};

void (*hazardFunction(const std::string& name))()
{
    if (name == "meteor") return meteorStorm;
    if (name == "junk") return spaceJunk;
    if (name == "comet") return comet;
    return abandonedShuttle;
}

std::vector<std::string> opening(const std::string& name)
{
    if (name == "meteor") return {"mete", "mete", "mete", "mete"};
    if (name == "junk") return {};
    if (name == "comet") return {"come"};
    return {"shut"};
}

std::vector<std::string> announcement(const std::string& name)
{
    if (name == "meteor")
        return {"You are caught in a huge meteor storm.", "Giant meteors are whizzing past your ship on all sides."};
    if (name == "junk") return {"There is a dangerous situation developing.", "There is a load of space junk up ahead."};
    if (name == "comet") return {"Look out!  A comet is coming your way.", "It looks like a big snowball in space."};
    return {"You see something up ahead.", "It looks like an old abandoned space shuttle."};
}

const std::string dash = "\x1e";
const std::string deadBarrier = "No good!  Your force field generator is dead.";
const std::vector<std::string> hit{"p1000", "dama"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Repair rows with sound on draw the tool first: the raw 2 picks the hammer.
const std::vector<std::string> tool{"hamm"};

std::vector<HazardCase> hazardCases()
{
    return {
        // --- Meteor storm
        {"meteor", 'a', {1, 3}, 3, 3, std::vector<std::string>{"acce"} + hit,
         {"Bing bong kaboom " + dash + " you have been hit by a meteor.", "There is a hole in your hull."}, 1, 0, 0, 0, true},
        {"meteor", 'a', {4, 10}, 3, 3, {"acce"}, {"You escaped from the meteor deluge " + dash + " good job!"}, 0, 0, 0, 0, true},
        {"meteor", 'e', {1, 4}, 3, 3, {"evad"}, {"Crafty maneuver!", "You snaked between the hurtling meteors."}, 0, 0, 0, 0, false},
        {"meteor", 'e', {5, 10}, 3, 3, std::vector<std::string>{"evad"} + hit,
         {"You turned the wrong way!", "You have been hit and have sustained damage."}, 1, 0, 0, 0, false},
        {"meteor", 'b', {4, 10}, 1, 3, {"barr"},
         {"Very clever space captain.", "The big rocks are bouncing off your barrier like rubber balls."}, 0, 0, 1, 0, false},
        {"meteor", 'b', {1, 3}, 2, 3, std::vector<std::string>{"barr"} + hit,
         {"Too bad!  You were not fast enough.", "You got clipped and have a dent."}, 1, 0, 1, 0, false},
        {"meteor", 'b', {1, 10}, 0, 3, std::vector<std::string>{"dead"} + hit,
         {deadBarrier, "You got clipped and have a dent."}, 1, 0, 1, 0, false},
        {"meteor", 'f', {1, 10}, 3, 1, std::vector<std::string>{"phas"} + hit,
         {"Your phasers have had no effect on the meteors.", "A meteor has smashed into your ship and there is damage."},
         1, 0, 0, 1, false},
        {"meteor", 'f', {1, 10}, 3, -2, std::vector<std::string>{"dead"} + hit,
         {"Nice try but your phaser power cells are dead.", "A meteor has smashed into your ship and there is damage."},
         1, 0, 0, 1, false},
        {"meteor", 'r', {1, 10}, 3, 3, tool + std::vector<std::string>{"dama", "aler"},
         {"This is no time to repair your ship.", "Your actions are irrational and irresponsible.",
          "A meteor has blasted  into your ship and made a hole.", "You have received a warning from Mission Control."},
         1, 1, 0, 0, false},
        {"meteor", 'n', {9, 10}, 3, 3, {}, {"The meteors have miraculously missed your ship.", "You are out of danger."},
         0, 0, 0, 0, false},
        {"meteor", 'n', {1, 8}, 3, 3, {"dama"},
         {"You have choked under pressure space cadet!", "Your lack of action has allowed a meteor to make a dent ."},
         1, 0, 0, 0, false},
        // --- Space junk
        {"junk", 'a', {1, 10}, 3, 3, std::vector<std::string>{"acce"} + hit,
         {"For goodness sake!  You smashed right into the junk.", "The impact has dented your fuel tank."}, 1, 0, 0, 0, true},
        {"junk", 'e', {1, 4}, 3, 3, {"evad"},
         {"You are a crack pilot space cadet.", "You circumvented the junk.", "The path is clear again."}, 0, 0, 0, 0, false},
        {"junk", 'e', {5, 10}, 3, 3, std::vector<std::string>{"evad"} + hit,
         {"Oh no!  You collided with the junk.", "The impact has damaged the fuel tank."}, 1, 0, 0, 0, false},
        {"junk", 'b', {1, 7}, 5, 3, {"barr"},
         {"Quick thinking space cadet.", "The force field barrier has deflected the junk."}, 0, 0, 1, 0, false},
        {"junk", 'b', {8, 10}, 5, 3, std::vector<std::string>{"barr"} + hit,
         {"It did not work.  The junk cracked your fuel tank.", "Your ship is in peril."}, 1, 0, 1, 0, false},
        {"junk", 'b', {1, 10}, -1, 3, std::vector<std::string>{"dead"} + hit, {deadBarrier, "Your ship is in peril."},
         1, 0, 1, 0, false},
        {"junk", 'f', {4, 10}, 3, 1, {"phas", "p1000", "expl"},
         {"Good shooting, you vaporized the junk.", "You blasted your path clear."}, 0, 0, 0, 1, false},
        {"junk", 'f', {1, 3}, 3, 1, std::vector<std::string>{"phas"} + hit,
         {"Bad shot!  You missed the junk.", "Your fuel tank has been damaged."}, 1, 0, 0, 1, false},
        {"junk", 'f', {1, 10}, 3, 0, std::vector<std::string>{"dead"} + hit,
         {"No good!  Your phaser power cells are dead.", "Your fuel tank has been damaged."}, 1, 0, 0, 1, false},
        {"junk", 'r', {1, 10}, 3, 3, tool + std::vector<std::string>{"aler"},
         {"You must be delirious rocket rider.  This is no time for repairs.", "Your behavior is ludicrous.",
          "You have smashed into the junk.", "There is now a crack in your fuel tank.",
          "You also have received a warning from Mission Control."},
         1, 1, 0, 0, false},
        {"junk", 'n', {1, 10}, 3, 3, {"dama"},
         {"Get it together will you please!.", "You crashed into the junk and damaged your fuel tank."}, 1, 0, 0, 0, false},
        // --- Comet
        {"comet", 'a', {1, 3}, 3, 3, std::vector<std::string>{"acce"} + hit,
         {"You got nailed by flying ice from the comet.", "There is a crack on your starboard side."}, 1, 0, 0, 0, true},
        {"comet", 'a', {4, 10}, 3, 3, {"acce"}, {"You got out of its path in time " + dash + " lucky break."}, 0, 0, 0, 0, true},
        {"comet", 'e', {1, 4}, 3, 3, {"evad"}, {"Very tricky space cadet " + dash + " you got out of the way."}, 0, 0, 0, 0, false},
        {"comet", 'e', {5, 10}, 3, 3, std::vector<std::string>{"evad"} + hit,
         {"Too bad!  You got some of the sloshy tail.", "The slop got in your generator."}, 1, 0, 0, 0, false},
        {"comet", 'b', {1, 7}, 1, 3, {"barr"}, {"Fast thinking space captain.", "You shielded your ship in time."},
         0, 0, 1, 0, false},
        {"comet", 'b', {8, 10}, 1, 3, std::vector<std::string>{"barr"} + hit,
         {"What a shame!  You were too slow.", "You got hit and have damage."}, 1, 0, 1, 0, false},
        {"comet", 'b', {1, 10}, 0, 3, std::vector<std::string>{"dead"} + hit, {deadBarrier, "You got hit and have damage."},
         1, 0, 1, 0, false},
        {"comet", 'f', {1, 10}, 3, 2, std::vector<std::string>{"phas"} + hit,
         {"The comet has absorbed your phaser attack.", "The comet tail has caught your ship and made a crack."},
         1, 0, 0, 1, false},
        {"comet", 'f', {1, 10}, 3, 0, std::vector<std::string>{"dead"} + hit,
         {"Nice try but your phaser power cells are dead.", "The comet tail has caught your ship and made a crack."},
         1, 0, 0, 1, false},
        {"comet", 'r', {1, 10}, 3, 3, tool + std::vector<std::string>{"aler"},
         {"This is no time to repair your ship.", "Your actions are irrational and irresponsible.",
          "A piece of the comet has hit you and made a hole.", "You have received a warning from Mission Control."},
         1, 1, 0, 0, false},
        {"comet", 'n', {9, 10}, 3, 3, {}, {"The comet has veered away from your ship.", "You are in the clear now."},
         0, 0, 0, 0, false},
        {"comet", 'n', {1, 8}, 3, 3, {"dama"},
         {"Get with it space wizard!", "Your failure to act has allowed the comet to make a dent ."}, 1, 0, 0, 0, false},
        // --- Abandoned shuttle
        {"shuttle", 'a', {1, 10}, 3, 3, std::vector<std::string>{"acce"} + hit,
         {"Watch out!  You collided with it.", "Your ship is quite shaken up."}, 1, 0, 0, 0, true},
        {"shuttle", 'e', {1, 4}, 3, 3, {"evad"},
         {"That was wild!  You looped over that shuttle.", "The coast is clear again."}, 0, 0, 0, 0, false},
        {"shuttle", 'e', {5, 10}, 3, 3, std::vector<std::string>{"evad"} + hit,
         {"It did not work.  You hit the shuttle.", "Your ship has been shaken up."}, 1, 0, 0, 0, false},
        {"shuttle", 'b', {7, 10}, 1, 3, {"barr"},
         {"Crafty, very crafty star tripper.", "The shuttle bounced off your force field barrier."}, 0, 0, 1, 0, false},
        {"shuttle", 'b', {1, 6}, 1, 3, std::vector<std::string>{"barr"} + hit,
         {"No luck this time buddy.  Your barrier let you down.", "Your ship is hurting badly."}, 1, 0, 1, 0, false},
        {"shuttle", 'b', {1, 10}, 0, 3, std::vector<std::string>{"dead"} + hit, {deadBarrier, "Your ship is hurting badly."},
         1, 0, 1, 0, false},
        {"shuttle", 'f', {3, 9}, 3, 1, {"phas", "p1000", "expl"}, {"Crack shot!  You turned it into powder."},
         0, 0, 0, 1, false},
        {"shuttle", 'f', {1, 2}, 3, 1, std::vector<std::string>{"phas"} + hit,
         {"You did not hit it.", "You smashed into the shuttle."}, 1, 0, 0, 1, false},
        {"shuttle", 'f', {1, 10}, 3, 0, std::vector<std::string>{"dead"} + hit,
         {"No good!  Your phaser power cells are dead.", "You smashed into the shuttle."}, 1, 0, 0, 1, false},
        {"shuttle", 'r', {1, 10}, 3, 3, tool + std::vector<std::string>{"aler"},
         {"You are losing your marbles space cadet - This is no time for repairs.", "You have collided with the shuttle.",
          "There is now a crack in your fuel tank.", "You also have received a warning from Mission Control."},
         1, 1, 0, 0, false},
        {"shuttle", 'n', {1, 10}, 3, 3, {"dama"},
         {"A very poor decision!", "You crashed into the shuttle and damaged your wing."}, 1, 0, 0, 0, false},
    };
}

class HazardRow : public GameTest, public ::testing::WithParamInterface<HazardCase> {
protected:
    // The pauses and sounds after the action key, as "p<ms>" and short names.
    std::vector<std::string> afterTheKey() const
    {
        const auto& log = console.log();
        std::size_t start = 0;
        for (std::size_t i = 0; i < log.size(); ++i)
            if (log[i].kind == LogEntry::Key) start = i + 1;
        std::vector<std::string> events;
        for (std::size_t i = start; i < log.size(); ++i) {
            if (log[i].kind == LogEntry::Pause) events.push_back("p" + std::to_string(log[i].a));
            if (log[i].kind == LogEntry::Sound) events.push_back(shortNames({log[i].text})[0]);
        }
        return events;
    }
};

TEST_P(HazardRow, PlaysWritesAndChangesAsTheTableSays)
{
    const HazardCase& c = GetParam();
    for (int die : c.dice) {
        for (char sound : {'y', 'n'}) {
            SCOPED_TRACE(std::string(c.hazard) + " " + c.action + " die " + std::to_string(die) + " sound " + sound);
            SetUp();
            mission.soundOn = sound;
            mission.barrierCharges = c.barrier;
            mission.phaserCells = c.phasers;
            mission.damage = 1;
            mission.warnings = 1;
            mission.fuel = 200;
            mission.distanceLeft = 150;
            chance->face(die);
            if (c.action == 'r' && sound == 'y') chance->push(2);  // the hammer
            console.queueKey(std::toupper(c.action));
            gotoColRow(1, 5);
            hazardFunction(c.hazard)();

            EXPECT_EQ(rows(5, 6), announcement(c.hazard));
            EXPECT_EQ(console.rowText(7), "");
            EXPECT_EQ(console.rowText(8), "");
            EXPECT_EQ(rows(9, 8 + static_cast<int>(c.lines.size())), c.lines);
            EXPECT_EQ(console.rowText(9 + static_cast<int>(c.lines.size())), "");

            std::vector<std::string> expected = sound == 'y' ? c.cues : std::vector<std::string>{};
            if (sound == 'n')
                for (const auto& cue : c.cues)
                    if (cue == "p500") expected.push_back(cue);
            if (c.accelerates) expected = expected + std::vector<std::string>{"p1000", "p1000"};
            EXPECT_EQ(afterTheKey(), expected);
            const std::vector<std::string> before = sound == 'y' ? opening(c.hazard) : std::vector<std::string>{};
            const auto played = shortNames(sounds());
            EXPECT_EQ(std::vector<std::string>(played.begin(), played.begin() + std::min(played.size(), before.size())),
                      before);

            EXPECT_EQ(mission.damage, 1 + c.damage);
            EXPECT_EQ(mission.warnings, 1 + c.warnings);
            EXPECT_EQ(mission.barrierCharges, c.barrier - c.barrierSpent);
            EXPECT_EQ(mission.phaserCells, c.phasers - c.phasersSpent);
            EXPECT_EQ(mission.fuel, c.accelerates ? 180 : 200);
            EXPECT_EQ(mission.distanceLeft, c.accelerates ? 148 : 150);
            EXPECT_EQ(chance->left(), 0u);
            if (c.accelerates) {
                EXPECT_EQ(console.at(17, 20, 26), "You have 180 units of fuel");
            }
            TearDown();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRow, HazardRow, ::testing::ValuesIn(hazardCases()));

class Hazard : public GameTest {};

TEST_F(Hazard, TheShuttleShotAtTenBlowsUpTheShip)
{
    for (char sound : {'y', 'n'}) {
        SetUp();
        mission.soundOn = sound;
        mission.phaserCells = 2;
        mission.spins = 9;
        mission.distanceLeft = 150;
        chance->face(10);
        console.queueKeys("f");
        console.queueKey(keyEsc);
        gotoColRow(1, 5);
        EXPECT_TRUE(ends([] { abandonedShuttle(); }));
        EXPECT_EQ(console.rowText(5), "Oh no!  The shuttle explosion blew you to bits.");
        EXPECT_EQ(console.rowText(10), "And THIS MISSION IS DONE!");
        EXPECT_EQ(console.rowText(11), "You made 9 spins of the cosmic wheel.");
        EXPECT_EQ(console.rowText(12), "You had 15 million miles to go.");
        for (int row = 1; row <= 25; ++row) EXPECT_EQ(console.rowText(row).find("Crack shot"), std::string::npos);
        EXPECT_EQ(mission.phaserCells, 2);
        if (sound == 'y')
            EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"shut", "phas", "expl", "expl", "exit"}));
        else
            EXPECT_TRUE(sounds().empty());
        const std::vector<int> tail = sound == 'y' ? std::vector<int>{200, 1000, 500, 1000, 3000}
                                                   : std::vector<int>{200, 500, 1000, 3000};
        EXPECT_EQ(pauses(), tail);
        TearDown();
    }
}

TEST_F(Hazard, AnEmptyTankEndsTheMissionAfterTheLines)
{
    mission.soundOn = 'n';
    mission.fuel = 20;
    mission.damage = 0;
    chance->face(2);
    console.queueKeys("a");
    console.queueKey(keyEsc);
    gotoColRow(1, 5);
    EXPECT_TRUE(ends([] { meteorStorm(); }));
    EXPECT_EQ(mission.damage, 1);  // counted before the move
    EXPECT_EQ(mission.fuel, 0);
    EXPECT_EQ(console.rowText(3), "Oh no!  You are out of fuel.");
    bool wroteHit = false;
    for (const auto& text : writes()) wroteHit = wroteHit || text.find("Bing bong kaboom") != std::string::npos;
    EXPECT_TRUE(wroteHit);
}

TEST_F(Hazard, AcceleratingToMarsLeavesTheArrivalToTheWheel)
{
    mission.soundOn = 'n';
    mission.distanceLeft = 1;
    chance->face(5);
    console.queueKeys("a");
    gotoColRow(1, 5);
    comet();
    EXPECT_EQ(mission.distanceLeft, -1);
    EXPECT_EQ(console.rowText(19), "");  // no distance line at or below zero
    EXPECT_FALSE(wheelTurn());
}

}  // namespace
