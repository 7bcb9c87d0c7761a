#include "core/chance.h"

#include "console/console.h"

namespace {
std::uint32_t generatorState = 1;
ForcedChance* forced = nullptr;
}  // namespace

int gameRand()
{
    if (forced) {
        if (forced->queue_.empty()) throw UnexpectedDraw{};
        const int raw = forced->queue_.front();
        forced->queue_.pop_front();
        ++forced->taken_;
        return raw;
    }
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<int>((generatorState >> 16) & 0x7fff);
}

void gameSrand(std::uint32_t seed) { generatorState = seed; }

void seedChance() { gameSrand(static_cast<std::uint32_t>(activeConsole().calendarSeconds())); }

void rollDie(int n) { mission.dieRoll = gameRand() % n + 1; }

void drawCard(NoRepeatDeck& deck)
{
    rollDie(20);
    // A deck read from outside is checked before it gets here; a broken one starts afresh
    // rather than being indexed out of its bounds.
    if (deck.last == 19 || !deckIsValid(deck)) deck = NoRepeatDeck{};

    // Count upward from the roll, wrapping from 20 to 1, to the first kind not dealt yet in
    // this cycle. The scan is repeated until it finds nothing to skip.
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i <= deck.last; ++i) {
            if (mission.dieRoll == deck.cards[static_cast<std::size_t>(i)]) {
                mission.dieRoll = deck.cards[static_cast<std::size_t>(i)] < 20 ? mission.dieRoll + 1 : 1;
                changed = true;
            }
        }
    }
    if (deck.cards[0] > 0) ++deck.last;
    deck.cards[static_cast<std::size_t>(deck.last)] = mission.dieRoll;
}

void drawEventCard() { drawCard(mission.eventDeck); }

void drawEraCard() { drawCard(mission.eraDeck); }

bool deckIsValid(const NoRepeatDeck& deck)
{
    if (deck.last < 0 || deck.last > 19) return false;
    bool seen[21] = {};
    for (int i = 0; i < 20; ++i) {
        const std::int32_t card = deck.cards[static_cast<std::size_t>(i)];
        if (i <= deck.last) {
            // An empty deck has last 0 and an empty slot 0.
            if (card == 0 && i == 0 && deck.last == 0) continue;
            if (card < 1 || card > 20 || seen[card]) return false;
            seen[card] = true;
        } else if (card != 0) {
            return false;
        }
    }
    return true;
}

ForcedChance::ForcedChance() { forced = this; }

ForcedChance::~ForcedChance() { forced = nullptr; }

ForcedChance& ForcedChance::push(int raw)
{
    queue_.push_back(raw);
    return *this;
}
