#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "encounters/time_warp.h"
#include "mission/wheel.h"
#include "support/trace.h"

namespace {

const std::string entryPrompt = "Enter 0 to 9 to get back  ";
const std::string successLine = "Good job, you made it back to the present!";

class TimeWarp : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        mission.soundOn = 'n';
        mission.fuel = 400;
        mission.spins = 17;
    }

    // The log reduced to what the warp's timing is made of: cues, pauses, clears and lines read.
    std::vector<std::string> beats() const
    {
        std::vector<std::string> list;
        for (const auto& e : console.log()) {
            if (e.kind == LogEntry::Sound) list.push_back("cue " + shortNames({e.text})[0]);
            if (e.kind == LogEntry::Pause) list.push_back("pause " + std::to_string(e.a));
            if (e.kind == LogEntry::Clear) list.push_back("clear");
            if (e.kind == LogEntry::Line) list.push_back("line");
        }
        return list;
    }

    int count(LogEntry::Kind kind, const std::string& text = "") const
    {
        int n = 0;
        for (const auto& e : console.log())
            if (e.kind == kind && (text.empty() || e.text == text)) ++n;
        return n;
    }

    bool wrote(const std::string& text) const
    {
        for (const auto& w : writes())
            if (w == text) return true;
        return false;
    }
};

// The worked example: 17 spins, the first era is card 1 (1943, digit 3), so the way home is
// (3 + 17) mod 10 = 0.
TEST_F(TimeWarp, TheAttentivePlayerEscapesAtOnce)
{
    chance->face(1);
    console.queueLine("0");
    EXPECT_FALSE(ends(timeWarp));
    EXPECT_EQ(mission.fuel, 390);
    EXPECT_EQ(mission.spins, 17);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(console.at(17, 22, 42), successLine);
    for (int r = 1; r <= 25; ++r)
        if (r != 22) {
            EXPECT_EQ(console.rowText(r), "") << "row " << r;
        }
}

TEST_F(TimeWarp, TheScreenWhileThePlayerThinks)
{
    chance->face(1);
    EXPECT_THROW(timeWarp(), ScriptExhausted);
    EXPECT_EQ(console.rowText(5), "Oh no!  You are going too fast.");
    EXPECT_EQ(console.rowText(6), "You have entered a time warp.");
    EXPECT_EQ(console.row(12), std::string(9, ' ') + "* The year is 1943, a world war is raging  *" +
                                   std::string(80 - 9 - 44, ' '));
    EXPECT_EQ(console.rowText(20), std::string(16, ' ') + "You have 390 units of fuel");
    EXPECT_EQ(console.at(1, 21, 42), std::string(16, ' ') + entryPrompt);
    EXPECT_EQ(console.cursorCol(), 17 + static_cast<int>(entryPrompt.size()));
    EXPECT_TRUE(wrote("You have 390 units of fuel\n"));
    // The prompt blanks its 29 columns and waits before it asks.
    const auto& log = console.log();
    ASSERT_GE(log.size(), 5u);
    const std::vector<LogEntry> tail(log.end() - 5, log.end());
    EXPECT_EQ(tail, (std::vector<LogEntry>{{LogEntry::Move, "", 17, 21},
                                           {LogEntry::Write, std::string(29, ' ')},
                                           {LogEntry::Move, "", 17, 21},
                                           {LogEntry::Pause, "", 200},
                                           {LogEntry::Write, entryPrompt}}));
}

// What the player types, and which digit it counts as (none: refused, free, asked again).
struct Entry {
    const char* name;
    std::string line;
    std::optional<int> digit;
};

const std::vector<Entry> entries = {
    {"DigitThenLetters", "7abc", 7},
    {"LeadingBlanks", "  3", 3},
    {"LeadingTab", "\t5", 5},
    {"PlusSign", "+4", 4},
    {"MinusZero", "-0", 0},
    {"TrailingBlanksAndMore", "8 9", 8},
    {"LeadingZeros", "0000000000000000000006", 6},
    {"DigitThenHighBytes", "9\xff\xfe", 9},
    {"DigitThenAHugeTail", "2" + std::string(9999, 'x'), 2},
    {"TwoDigits", "12", std::nullopt},
    {"Negative", "-1", std::nullopt},
    {"Empty", "", std::nullopt},
    {"Letters", "abc", std::nullopt},
    {"OnlyBlanks", "   ", std::nullopt},
    {"SignAlone", "+", std::nullopt},
    {"SignThenBlank", "- 3", std::nullopt},
    {"TwoSigns", "+-3", std::nullopt},
    {"TenThousandDigits", std::string(10000, '9'), std::nullopt},
    {"DigitsPastAnyInt", "99999999999999999999999999", std::nullopt},
    {"ControlCharacters", std::string("\x01\x02\x1b[A\x7f\r\x03", 8), std::nullopt},
    {"NulFirst", std::string(1, '\0') + '5', std::nullopt},
    {"HighBytes", "\xb5\xe9\xff" "5", std::nullopt},
};

void PrintTo(const Entry& entry, std::ostream* os) { *os << entry.name; }

class TimeWarpEntry : public TimeWarp, public ::testing::WithParamInterface<Entry> {};

TEST_P(TimeWarpEntry, CountsAsItsDigitOrIsRefusedForFree)
{
    const Entry& entry = GetParam();
    chance->face(1);  // 1943: the target is 3 + spins
    if (entry.digit) {
        // Make the typed digit the right one: a misreading would cost fuel and draw an era.
        mission.spins = 10 + (*entry.digit + 7) % 10;
        console.queueLine(entry.line);
    } else {
        // Refused, then the right digit (3 + 17 ends in 0).
        console.queueLine(entry.line);
        console.queueLine("0");
    }
    EXPECT_FALSE(ends(timeWarp));
    EXPECT_EQ(mission.fuel, 390);
    EXPECT_EQ(count(LogEntry::Line), entry.digit ? 1 : 2);
    EXPECT_EQ(count(LogEntry::Write, entryPrompt), entry.digit ? 1 : 2);
    EXPECT_EQ(console.clears(), 1);  // a refused line does not clear the era away
    EXPECT_EQ(console.at(17, 22, 42), successLine);
}

INSTANTIATE_TEST_SUITE_P(Lines, TimeWarpEntry, ::testing::ValuesIn(entries),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimeWarp, AWrongDigitBurnsFuelAndShowsAnotherEra)
{
    chance->face(1).face(2);
    console.queueLine("5");
    EXPECT_THROW(timeWarp(), ScriptExhausted);
    EXPECT_EQ(mission.fuel, 380);
    EXPECT_EQ(console.rowText(20), std::string(16, ' ') + "You have 380 units of fuel");
    EXPECT_TRUE(wrote("You have 380 units of fuel"));  // no line end this time
    EXPECT_EQ(console.rowText(12).substr(0, 9 + 21), std::string(9, ' ') + "* The year is 46 B C,");
    EXPECT_EQ(console.at(1, 21, 42), std::string(16, ' ') + entryPrompt);
    EXPECT_EQ(console.rowText(5), "");  // the announcement went with the clear
}

// Card 2 is 46 B C: its digit plus the spins gives 3, which is not the way home; a refused line
// after a wrong digit is still refused for free.
TEST_F(TimeWarp, TheTargetComesFromTheFirstEraOnly)
{
    chance->face(1).face(2).face(3);
    console.queueLine("5");
    console.queueLine("xyz");
    console.queueLine("3");
    console.queueLine("0");
    EXPECT_FALSE(ends(timeWarp));
    EXPECT_EQ(mission.fuel, 370);
    EXPECT_EQ(mission.eraDeck.last, 2);
    EXPECT_EQ(count(LogEntry::Write, entryPrompt), 4);
    EXPECT_EQ(console.clears(), 3);
    EXPECT_EQ(console.at(17, 22, 42), successLine);
}

TEST_F(TimeWarp, TenUnitsRunDryBeforeAnyEra)
{
    mission.fuel = 10;
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends(timeWarp));
    EXPECT_EQ(mission.fuel, 0);
    EXPECT_EQ(chance->taken(), 0);
    EXPECT_EQ(count(LogEntry::Line), 0);
    EXPECT_EQ(count(LogEntry::Write, entryPrompt), 0);
    EXPECT_EQ(console.rowText(3), "Oh no!  You are out of fuel.");
}

TEST_F(TimeWarp, TwentyUnitsAllowOneGuess)
{
    mission.fuel = 20;
    chance->face(1);
    console.queueLine("4");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends(timeWarp));
    EXPECT_EQ(mission.fuel, 0);
    EXPECT_EQ(chance->taken(), 1);
    EXPECT_TRUE(wrote("You have 10 units of fuel\n"));
    EXPECT_TRUE(wrote("You have 0 units of fuel"));
    EXPECT_EQ(console.rowText(3), "Oh no!  You are out of fuel.");
}

// A refused line, a wrong digit, the right one: cues and their timing; with sound off every
// pause is kept.
TEST_F(TimeWarp, CuesAndPauses)
{
    for (bool sound : {true, false}) {
        SetUp();
        mission.soundOn = sound ? 'y' : 'n';
        chance->face(1).face(2);
        console.queueLine("abc");
        console.queueLine("5");
        console.queueLine("0");
        EXPECT_FALSE(ends(timeWarp));
        EXPECT_EQ(beats(), heard({"cue tiwa", "pause 1000", "pause 200", "line", "pause 200", "line", "cue tw_g",
                                  "clear", "pause 200", "line", "cue tw_g", "clear", "cue ouwa", "pause 500"},
                                 sound));
        TearDown();
    }
}

// The era table, written freshly: the year each card states and its digit.
struct EraCard {
    int card;
    std::string year;
    int digit;
};

const std::vector<EraCard> eraCards = {
    {1, "1943", 3},     {2, "46 B C", 6},   {3, "1933", 3},     {4, "1862", 2},  {5, "1348", 8},
    {6, "60 A D", 0},   {7, "331 B C", 1},  {8, "1402", 2},     {9, "1492", 2},  {10, "440", 0},
    {11, "210 B C", 0}, {12, "1519", 9},    {13, "330 B C", 0}, {14, "2001", 1}, {15, "1917", 7},
    {16, "1903", 3},    {17, "1879", 9},    {18, "1927", 7},    {19, "1969", 9}, {20, "1889", 9},
};

void PrintTo(const EraCard& era, std::ostream* os) { *os << "card " << era.card << " (" << era.year << ")"; }

class EraLine : public GameTest, public ::testing::WithParamInterface<EraCard> {};

TEST_P(EraLine, StatesItsYearAndReturnsItsLastDigit)
{
    const EraCard& era = GetParam();
    chance->face(era.card);
    gotoColRow(10, 12);
    const int digit = eraLine();
    EXPECT_EQ(mission.dieRoll, era.card);
    EXPECT_EQ(digit, era.digit);
    EXPECT_EQ(digit, era.year[era.year.find_last_of("0123456789")] - '0');

    // One line from column 10 that keeps to its row: the year, an event, the closing star.
    ASSERT_EQ(writes().size(), 1u);
    const std::string line = writes()[0];
    const std::string opening = "* The year is " + era.year + ", ";
    EXPECT_EQ(line.substr(0, opening.size()), opening);
    ASSERT_GE(line.size(), opening.size() + 4);
    EXPECT_NE(line[opening.size()], ' ') << "an event follows the year";
    EXPECT_EQ(line.find(" *\n"), line.size() - 3);
    EXPECT_LE(9 + line.size() - 1, 80u);
}

INSTANTIATE_TEST_SUITE_P(AllTwenty, EraLine, ::testing::ValuesIn(eraCards),
                         [](const auto& info) { return "Card" + std::to_string(info.param.card); });

// The wheel decides: a 10 strictly between 50 and 300, then a die of 3 showing 1 or 2.
struct Trigger {
    const char* name;
    int distanceLeft;
    int wheel;
    int dieOfThree;  // 0: no die of 3 is rolled
    bool warps;
};

void PrintTo(const Trigger& trigger, std::ostream* os) { *os << trigger.name; }

class WarpTrigger : public TimeWarp, public ::testing::WithParamInterface<Trigger> {};

TEST_P(WarpTrigger, FromTheWheel)
{
    const Trigger& t = GetParam();
    mission.distanceLeft = t.distanceLeft;
    mission.spins = 16;
    chance->face(t.wheel);
    if (t.dieOfThree > 0) chance->face(t.dieOfThree);
    console.queueKey(keyEnter);
    if (t.warps) {
        chance->face(1);           // 1943, digit 3: home is (3 + 17) mod 10
        console.queueLine("0");
        EXPECT_TRUE(wheelTurn());
        EXPECT_EQ(mission.distanceLeft, t.distanceLeft);
        EXPECT_EQ(mission.fuel, 390);
        EXPECT_EQ(console.at(17, 22, 42), successLine);
        EXPECT_EQ(chance->left(), 0u);
    } else {
        // The ship moves on, and the turn goes to the event deck, whose draw the script
        // does not hold.
        EXPECT_THROW(wheelTurn(), UnexpectedDraw);
        EXPECT_EQ(mission.dieRoll, t.wheel);
        EXPECT_EQ(mission.distanceLeft, t.distanceLeft - 2 * t.wheel);
        EXPECT_EQ(mission.fuel, 390);
        EXPECT_EQ(mission.eraDeck.cards[0], 0);
        EXPECT_EQ(count(LogEntry::Line), 0);
        EXPECT_EQ(console.rowText(22), std::string(16, ' ') + "You spun a " + std::to_string(t.wheel));
    }
    EXPECT_EQ(mission.spins, 17);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, WarpTrigger,
    ::testing::Values(Trigger{"Fifty", 50, 10, 0, false}, Trigger{"ThreeHundred", 300, 10, 0, false},
                      Trigger{"FiftyOneOnOne", 51, 10, 1, true}, Trigger{"FiftyOneOnTwo", 51, 10, 2, true},
                      Trigger{"FiftyOneOnThree", 51, 10, 3, false},
                      Trigger{"TwoNinetyNineOnOne", 299, 10, 1, true},
                      Trigger{"TwoNinetyNineOnTwo", 299, 10, 2, true},
                      Trigger{"TwoNinetyNineOnThree", 299, 10, 3, false},
                      Trigger{"NineInRange", 150, 9, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
