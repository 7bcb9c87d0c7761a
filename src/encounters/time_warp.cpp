// The time warp: going too fast in mid-voyage throws the ship back into history. The player
// sees an era and types the digit that leads back to the present; every wrong digit burns fuel
// and shows another era. The right digit is fixed by the first era shown and the spins made,
// so a player who knows the trick escapes at once.
#include "encounters/time_warp.h"

#include <iterator>
#include <optional>
#include <string_view>

#include "console/console.h"
#include "core/chance.h"
#include "endings/endings.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/screen_places.h"

namespace {

struct Era {
    const char* line;
    int digit;  // the last digit of the year the line states
};

// Indexed by the era card, 1 to 20. Each line is written from column 10, so it must stay
// within 71 characters to keep to its row.
const Era eras[] = {
    {"* The year is 1943, a world war is raging  *\n", 3},
    {"* The year is 46 B C, Julius Caesar gives Rome a new calendar *\n", 6},
    {"* The year is 1933, Prohibition comes to an end in America *\n", 3},
    {"* The year is 1862, two ironclad warships duel off Virginia *\n", 2},
    {"* The year is 1348, the Black Death sweeps across Europe *\n", 8},
    {"* The year is 60 A D, Queen Boudica rises against Rome *\n", 0},
    {"* The year is 331 B C, Alexander routs the Persians at Gaugamela *\n", 1},
    {"* The year is 1402, Timur defeats the Ottoman army at Ankara *\n", 2},
    {"* The year is 1492, Columbus sails west across the Atlantic *\n", 2},
    {"* The year is 440, Leo the Great becomes Bishop of Rome *\n", 0},
    {"* The year is 210 B C, the First Emperor of China is laid to rest *\n", 0},
    {"* The year is 1519, Magellan sets sail to go round the world *\n", 9},
    {"* The year is 330 B C, the palace of Persepolis goes up in flames *\n", 0},
    {"* The year is 2001, a new orbiter sets off to map Mars *\n", 1},
    {"* The year is 1917, revolution sweeps through Russia *\n", 7},
    {"* The year is 1903, the first powered aeroplane takes to the air *\n", 3},
    {"* The year is 1879, the electric light bulb begins to glow *\n", 9},
    {"* The year is 1927, the first solo flight crosses the Atlantic *\n", 7},
    {"* The year is 1969, men walk on the Moon for the first time *\n", 9},
    {"* The year is 1889, the Eiffel Tower opens in Paris *\n", 9},
};
static_assert(std::size(eras) == NoRepeatDeck::kinds, "an era for each card of the deck");

// The number at the start of a typed line, if it is a digit from 0 to 9: blanks and tabs
// skipped, an optional sign, then decimal digits; whatever follows is ignored. The line may be
// anything the player's terminal delivers, so nothing here assumes a length or a character
// set, and an endless run of digits saturates instead of overflowing.
std::optional<int> leadingDigit(std::string_view line)
{
    std::size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    bool negative = false;
    if (at < line.size() && (line[at] == '+' || line[at] == '-')) {
        negative = line[at] == '-';
        ++at;
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (at >= line.size() || !isDigit(line[at])) return std::nullopt;
    int value = 0;
    for (; at < line.size() && isDigit(line[at]); ++at) {
        value = value * 10 + (line[at] - '0');
        if (value > 9) return std::nullopt;  // out of range, however many digits follow
    }
    if (negative && value != 0) return std::nullopt;
    return value;
}

// Asks until the player types a usable digit. A refused line costs nothing and leaves the era
// on the screen. The terminal echoes the line after the prompt: the row is blanked to its edge
// before each ask, so that no tail of a refused line stays beside the prompt.
int enteredDigit()
{
    for (;;) {
        showPrompt(statusCol, promptRow, blanksToEdge(statusCol), 200, "Enter 0 to 9 to get back  ");
        if (const auto digit = leadingDigit(readLine())) return *digit;
    }
}

}  // namespace

int eraLine()
{
    drawEraCard();
    const Era& era = eras[static_cast<std::size_t>(mission.dieRoll - 1)];
    writeText(era.line);
    return era.digit;
}

void timeWarp()
{
    cue(Cue::TimeWarpIn);
    gotoColRow(1, 5);
    writeText("Oh no!  You are going too fast.\n");
    writeText("You have entered a time warp.\n");
    pauseMs(1000);

    mission.fuel -= 10;
    if (mission.fuel < 1) endWith(outOfFuelEnding);
    gotoColRow(statusCol, fuelRow);
    write("You have ", mission.fuel, " units of fuel\n");
    gotoColRow(10, 12);

    int target = 0;
    for (int attempt = 1;; ++attempt) {
        const int digit = eraLine();
        // Kept in 0..9 even for a spin count read back negative from a tampered frozen game,
        // which would otherwise leave no digit that leads home.
        if (attempt == 1) target = ((digit + mission.spins) % 10 + 10) % 10;

        const int guess = enteredDigit();
        cue(Cue::WarpNumberTyped);
        clearScreen();
        if (guess == target) {
            cue(Cue::TimeWarpOut);
            pauseMs(500);
            gotoColRow(statusCol, spinRow);
            writeText("Good job, you made it back to the present!");
            return;
        }

        mission.fuel -= 10;
        gotoColRow(statusCol, fuelRow);
        write("You have ", mission.fuel, " units of fuel");
        gotoColRow(10, 12);
        if (mission.fuel < 1) endWith(outOfFuelEnding);
    }
}
