// The three rocks: found on the asteroid, carried in the ship, traded at the space station.
#pragma once

#include <cstdint>

enum class Rock { Diamond, Platinum, Gold };

// The rock's square on the asteroid, 1..16, kept for the whole run.
std::int32_t& squareOf(Rock rock);
// 1 while the player carries the rock, else 0.
std::int32_t& carried(Rock rock);
// The rock's name on the station's price list: "DIAMOND", "PLATINUM", "GOLD".
const char* signName(Rock rock);
