#include "persist/frozen_game.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <array>
#include <string>

#include "console/files.h"
#include "core/chance.h"

const char* const frozenGameFile = "mars.dat";

namespace {

constexpr int decoyCount = 50;
constexpr int numberCount = 82;
// Counters beyond this could overflow in later arithmetic; no game gets near it.
constexpr std::int64_t counterLimit = 1000000000;
// A frozen game is well under a kilobyte; anything much larger is not one.
constexpr std::size_t largestFile = 64 * 1024;

// The saved fields, in the order of the file after the decoys.
std::int32_t* savedCounters(MissionState& s, int index)
{
    std::int32_t* fields[] = {&s.damage,      &s.warnings,       &s.fuel,       &s.spins,
                              &s.distanceLeft, &s.phaserCells,   &s.barrierCharges,
                              &s.hasDiamond,  &s.hasPlatinum,    &s.hasGold,    &s.stationVisited,
                              &s.eventDeck.last};
    return fields[index];
}
constexpr int savedFieldCount = 12;

// Reads the 82 whitespace-separated decimal integers of a frozen game; whatever follows them is
// not the game's and is left unread. False when they are not all there, whole and in 32 bits.
// (Read into an array of the file's length, so that no reading of a field can go past them.)
using Numbers = std::array<std::int64_t, numberCount>;
bool readNumbers(std::string_view text, Numbers& numbers)
{
    std::size_t i = 0, count = 0;
    while (i < text.size() && count < numbers.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        bool negative = false;
        if (c == '-' || c == '+') {
            negative = c == '-';
            ++i;
        }
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            value = value * 10 + (text[i] - '0');
            if (value > INT32_MAX + std::int64_t{1}) return false;  // beyond 32 bits
            ++digits;
            ++i;
        }
        if (digits == 0) return false;
        if (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) return false;
        value = negative ? -value : value;
        if (value > INT32_MAX || value < INT32_MIN) return false;
        numbers[count++] = value;
    }
    return count == numbers.size();
}

}  // namespace

std::string frozenGameText()
{
    std::string text;
    for (int i = 0; i < decoyCount; ++i) text += std::to_string(gameRand() % 400 + 1) + "\n";
    // A game taken up from a file with a counter at the limit the reader accepts can carry it a
    // little past; it is written back at the limit, so that the game resumes again.
    for (int i = 0; i < savedFieldCount; ++i)
        text += std::to_string(std::clamp<std::int64_t>(*savedCounters(mission, i), -counterLimit, counterLimit)) + "\n";
    for (std::int32_t card : mission.eventDeck.cards) text += std::to_string(card) + "\n";
    return text;
}

bool readFrozenGame(std::string_view text, MissionState& into)
{
    Numbers numbers{};
    if (!readNumbers(text, numbers)) return false;

    MissionState loaded = into;
    for (int i = 0; i < savedFieldCount; ++i) {
        const std::int64_t value = numbers[static_cast<std::size_t>(decoyCount + i)];
        if (value > counterLimit || value < -counterLimit) return false;
        *savedCounters(loaded, i) = static_cast<std::int32_t>(value);
    }
    for (int i = 0; i < 20; ++i)
        loaded.eventDeck.cards[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(numbers[static_cast<std::size_t>(decoyCount + savedFieldCount + i)]);

    for (std::int32_t flag : {loaded.hasDiamond, loaded.hasPlatinum, loaded.hasGold, loaded.stationVisited})
        if (flag != 0 && flag != 1) return false;
    if (!deckIsValid(loaded.eventDeck)) return false;

    into = loaded;
    return true;
}

bool saveFrozenGame(std::string& error) { return replaceFile(frozenGameFile, frozenGameText(), error); }

FrozenGameFile loadFrozenGame(MissionState& into)
{
    removeLeftoverTemporaries(frozenGameFile);
    if (!readableFileOrOtherEntryAt(frozenGameFile)) return FrozenGameFile::None;
    std::string text;
    if (!readWholeFile(frozenGameFile, largestFile, text) || text.size() > largestFile || !readFrozenGame(text, into))
        return FrozenGameFile::Damaged;
    return FrozenGameFile::Loaded;
}

void removeFrozenGame()
{
    if (readableFileOrOtherEntryAt(frozenGameFile)) removeFile(frozenGameFile);
}
