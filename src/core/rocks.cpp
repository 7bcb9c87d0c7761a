#include "core/rocks.h"

#include "core/mission_state.h"

std::int32_t& squareOf(Rock rock)
{
    switch (rock) {
    case Rock::Diamond: return mission.diamondSquare;
    case Rock::Platinum: return mission.platinumSquare;
    default: return mission.goldSquare;
    }
}

std::int32_t& carried(Rock rock)
{
    switch (rock) {
    case Rock::Diamond: return mission.hasDiamond;
    case Rock::Platinum: return mission.hasPlatinum;
    default: return mission.hasGold;
    }
}

const char* signName(Rock rock)
{
    switch (rock) {
    case Rock::Diamond: return "DIAMOND";
    case Rock::Platinum: return "PLATINUM";
    default: return "GOLD";
    }
}
