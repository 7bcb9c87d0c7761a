// The space station. Once per mission the player may land and trade the rocks found on the
// asteroid for supplies: each good costs one rock, but which rock buys which good is decided
// anew by a die of 6 at every visit. Asking for a good with a rock one does not carry is theft.
#include "landings/station.h"

#include <cstdint>
#include <iterator>
#include <optional>

#include "console/console.h"
#include "landings/touchdown.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/rocks.h"
#include "core/sound.h"
#include "core/lines.h"
#include "endings/endings.h"
#include "core/screen_places.h"

static void stationBlastOff();

namespace {

// --- The price lists -------------------------------------------------------------------------
// The six ways to give the three rocks to the three goods, one per face of the visit's die.
struct PriceList {
    Rock fuel;
    Rock phaserCells;
    Rock barrierGenerator;
};

constexpr Rock diamond = Rock::Diamond;
constexpr Rock platinum = Rock::Platinum;
constexpr Rock gold = Rock::Gold;

const PriceList priceLists[] = {
    // fuel      phaser cells  barrier generator
    {diamond,    platinum,     gold},      // 1
    {diamond,    gold,         platinum},  // 2
    {platinum,   diamond,      gold},      // 3
    {platinum,   gold,         diamond},   // 4
    {gold,       diamond,      platinum},  // 5
    {gold,       platinum,     diamond},   // 6
};

// The die of 6 rolled on landing stays in dieRoll for the whole visit: nothing rolls again
// before the blast-off, so every purchase reads the same list from it.
const PriceList& todaysPrices() { return priceLists[static_cast<std::size_t>(mission.dieRoll - 1)]; }

Rock price(char good)
{
    const PriceList& prices = todaysPrices();
    switch (good) {
    case 'f': return prices.fuel;
    case 'p': return prices.phaserCells;
    default: return prices.barrierGenerator;
    }
}

}  // namespace

const Lines arrestVerse = {
    "Oh no!  You cannot pay for the goods.\n",
    "You asked for goods you could not buy\n",
    "And hoped the clerk would not ask why.\n",
    "The station guards came on the run\n",
    "And clapped you in the brig for fun.\n",
    "They locked you in a tiny cell\n",
    "Where you can think on this a spell.\n",
    "But this mission is done!\n",
};

namespace {

// A good asked for with a rock the player does not carry: the refusal stays on the screen a
// moment, then the arrest.
const Ending arrested = {2000, {Cue::Arrest}, false, 0, 3, arrestVerse};

// --- The trading table -----------------------------------------------------------------------
enum class Deal { AddFuel, FreshCells, NewGenerator, CannotPay };

// A message; a fuel sale tells the new fuel count between its two parts.
struct TradeWords {
    const char* text;
    const char* afterFuel = nullptr;
};

struct Trade {
    char good;
    Rock rock;
    bool hasIt;
    std::optional<Cue> cue;
    TradeWords message;
    Deal deal;
};

constexpr bool yes = true;
constexpr bool no = false;
constexpr Cue rockCue = Cue::RockTaken;
constexpr Cue damaCue = Cue::Damage;
constexpr std::nullopt_t noCue = std::nullopt;
const TradeWords fuelSold = {"\nOkay, you now have ", " units of fuel\n"};

const Trade trades[] = {
    // good rock      has it? cue      message                                                   deal
    {'f', diamond,  yes, rockCue, fuelSold,                                                   Deal::AddFuel},
    {'f', platinum, yes, rockCue, fuelSold,                                                   Deal::AddFuel},
    {'f', gold,     yes, rockCue, fuelSold,                                                   Deal::AddFuel},
    {'p', diamond,  yes, rockCue, {"\nGood \x1e you now have fresh phaser power cells\n"},      Deal::FreshCells},
    {'p', platinum, yes, rockCue, {"\nYou now have fresh phaser power cells.\n"},               Deal::FreshCells},
    {'p', gold,     yes, rockCue, {"\nNice transaction, you have fresh phaser power cells.\n"}, Deal::FreshCells},
    {'b', diamond,  yes, rockCue, {"\nNifty, you now have a new barrier generator.\n"},         Deal::NewGenerator},
    {'b', platinum, yes, rockCue, {"\nYou now have a new barrier generator.\n"},                Deal::NewGenerator},
    {'b', gold,     yes, rockCue, {"\nNice job, you have a new barrier generator.\n"},          Deal::NewGenerator},
    {'f', diamond,  no,  damaCue, {"\nYou do not have any diamonds.\n"},                        Deal::CannotPay},
    {'f', platinum, no,  damaCue, {"\nYou do not have any platinum\n"},                         Deal::CannotPay},
    {'f', gold,     no,  damaCue, {"\nYou do not have any gold.\n"},                            Deal::CannotPay},
    {'p', diamond,  no,  damaCue, {"\nCome on!  You do not have a diamond.\n"},                 Deal::CannotPay},
    {'p', platinum, no,  damaCue, {"\nNice try, but You do not have any platinum.\n"},          Deal::CannotPay},
    {'p', gold,     no,  damaCue, {"\nYou do not have any gold.\n"},                            Deal::CannotPay},
    {'b', diamond,  no,  damaCue, {"\nStop that!  You do not have a diamond.\n"},               Deal::CannotPay},
    {'b', platinum, no,  damaCue, {"\nNice try, but You do not have any platinum.\n"},          Deal::CannotPay},
    {'b', gold,     no,  noCue,   {"\nYou do not have any gold.\n"},                            Deal::CannotPay},
};

// Phaser cells and the barrier generator come new with five charges, whatever was left.
void settleDeal(Deal deal, Rock rock)
{
    switch (deal) {
    case Deal::AddFuel: mission.fuel += 200; break;
    case Deal::FreshCells: mission.phaserCells = 5; break;
    case Deal::NewGenerator: mission.barrierCharges = 5; break;
    case Deal::CannotPay: return;
    }
    carried(rock) = 0;
}

// One purchase of the good: its cue, the deal (so that a fuel sale tells the new count), the
// message, and for a rock not carried the arrest.
void buy(char good)
{
    const Rock rock = price(good);
    const bool hasIt = carried(rock) == 1;
    for (const Trade& trade : trades) {
        if (trade.good != good || trade.rock != rock || trade.hasIt != hasIt) continue;
        if (trade.cue) cue(*trade.cue);
        settleDeal(trade.deal, rock);
        writeText(trade.message.text);
        if (trade.message.afterFuel != nullptr) write(mission.fuel, trade.message.afterFuel);
        if (trade.deal == Deal::CannotPay) endWith(arrested);
        return;
    }
}

void showSign()
{
    writeText("You see a large sign, it says:\n");
    writeText("SUPPLIES FOR SALE HERE!\n");
    const PriceList& prices = todaysPrices();
    write("FUEL - ONE ", signName(prices.fuel), " ROCK\n\n");
    write("PHASER POWER CELLS - ONE ", signName(prices.phaserCells), " ROCK\n\n");
    write("BARRIER GENERATOR - ONE ", signName(prices.barrierGenerator), " ROCK\n\n");
}

char askForGood()
{
    char key = 0;
    do {
        writeText("Press the first letter of the item you want or N for none - ");
        key = lowerKey(readKey());
    } while (key != 'f' && key != 'p' && key != 'b' && key != 'n');
    return key;
}

}  // namespace

// --- The endings -----------------------------------------------------------------------------
const Lines stationLandingCrashVerse = {
    "\nOh no!  You crashed while trying to land.\n",
    "You missed the dock and hit the mast,\n",
    "You came in wrong, you came in fast.\n",
    "The station shook with a mighty clang,\n",
    "Its lights went dark, its sirens rang,\n",
    "And every crewman cursed the bang.\n",
    "But THIS MISSION IS OVER!\n",
};

const Lines stationBlastOffCrashVerse = {
    "Oh no!  You have crashed on blastoff.\n",
    "You pulled away with all your might,\n",
    "But something on the dock held tight.\n",
    "Your ship swung round and struck the bay,\n",
    "And pieces flew out every way.\n",
    "The crew will patch the dock you broke\n",
    "And tell the tale as one long joke.\n",
    "But THIS MISSION IS OVER!\n",
};

void spaceStation()
{
    if (!approachAndLand(Cue::Station, "You are nearing a space station.\n",
                         "Its flashing lights are visible in the darkness.\n", 30, stationLandingCrashVerse))
        return;
    gotoColRow(1, 5);
    writeText("Beautiful landing.\n");
    rollDie(static_cast<int>(std::size(priceLists)));  // today's price list
    pauseMs(2000);
    showSign();

    for (char good = askForGood(); good != 'n'; good = askForGood()) buy(good);
    stationBlastOff();
}

// The blast-off prompt and the die of 20; returns after a good blast-off.
static void stationBlastOff()
{
    do {
        gotoColRow(1, 21);
        writeBlanks(69);
        gotoColRow(statusCol, promptRow);
        pauseMs(200);
        writeText("Press B when ready to blast off  ");
    } while (lowerKey(readKey()) != 'b');

    rollForCrash(Cue::Ignition, stationBlastOffCrashVerse);
    clearScreen();
    gotoColRow(1, 5);
    writeText("Successful blastoff!\n");
    writeText("You are back on course and ready to resume your trip.\n");
}
