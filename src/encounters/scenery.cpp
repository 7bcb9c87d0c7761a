// The calm spins. A quiet scene paints two lines of the view and leaves the player to quiet
// space; a dream or a vision paints three and asks nothing, so the wheel prompt comes at once.
#include "encounters/scenery.h"

#include <vector>

#include "console/console.h"
#include "encounters/encounter.h"
#include "core/message_list.h"
#include "encounters/quiet_space.h"

namespace {

struct ViewLines {
    std::vector<Step> cue;   // played before the lines
    Message lines;
};

// In the order of QuietView.
const std::vector<ViewLines> quietViews = {
    {{},                {"You are hurtling toward Mars.\n", "The Big Dipper is to your right.\n"}},
    {{},                {"You are studying the stars with your telescope.\n",
                         "Saturn with its rings is clearly in view.\n"}},
    {{play(Cue::Star)}, {"The beauty of the vast universe captivates you.\n",
                         "A shooting star travels across the dark curtain of space.\n"}},
    {{play(Cue::Nova)}, {"You are studying the cosmic majesty before you.\n",
                         "A distant star suddenly explodes into a supernova.\n"}},
    {{},                {"You are in eerie darkness as the sun moves behind the Earth.\n",
                         "The giant planet Jupiter looms in your window.\n"}},
    {{},                {"The great expanse of the universe is before you.\n",
                         "Alpha Centauri is a sparkling diamond in the deep darkness.\n"}},
};

// Each dream finishes "You are dreaming that you are eating " on the same row, so an entry has
// 42 columns at most.
const MessageList dreams = {
    {"a thick steak with french fries.\n"},
    {"a double cheeseburger with onion rings.\n"},
    {"a giant pizza with extra cheese.\n"},
    {"a stack of pancakes with maple syrup.\n"},
    {"a bowl of chili with corn bread.\n"},
    {"a roast turkey with all the trimmings.\n"},
    {"a hot fudge sundae with whipped cream.\n"},
    {"a plate of spaghetti and meatballs.\n"},
    {"a big slice of apple pie.\n"},
    {"a mountain of fried chicken.\n"},
};

// The first line of a vision finishes "You are having visions of " (53 columns left); the
// second adds a detail of the scene.
const MessageList visions = {
    {"Tibetan mountain scenes.\n", "There is a family of yaks in the background.\n"},
    {"a green meadow full of wild flowers.\n", "Butterflies are dancing in the warm sunshine.\n"},
    {"a waterfall in a quiet forest.\n", "A rainbow shimmers in the mist.\n"},
    {"the calm blue sea at dawn.\n", "Dolphins are playing in the gentle waves.\n"},
    {"a deer grazing at the edge of a wood.\n", "A rabbit hops by in the tall grass.\n"},
    {"a white sandy beach.\n", "Palm trees sway in the soft breeze.\n"},
    {"snow capped mountains at sunset.\n", "An eagle glides over the silent peaks.\n"},
    {"a still lake under the stars.\n", "Frogs are croaking softly along the shore.\n"},
    {"a field of golden wheat.\n", "The wind rolls across it in gentle waves.\n"},
    {"a bamboo grove by a bubbling brook.\n", "A panda munches quietly on the leaves.\n"},
};

}  // namespace

void quietScene(QuietView view)
{
    const ViewLines& shown = quietViews[static_cast<std::size_t>(view)];
    playSteps(shown.cue, 0);
    writeMessage(shown.lines);
    quietSpace();
}

void deepSleep()
{
    writeText("You are in a deep sleep.\n");
    writeText("You are dreaming that you are eating ");
    writeRolledEntry(dreams);
    writeText("You are snoring very loudly.\n");
}

void meditation()
{
    writeText("You are in solemn meditation saying aaaumm aaaummm aaaummm aaaummm.\n");
    writeText("You are having visions of ");
    writeRolledEntry(visions);
}
