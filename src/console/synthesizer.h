// Zorvane's sound synthesizer: every sound the game plays, made from its own recipe as mono
// 16-bit samples at 22050 Hz. The same samples on every run; across machines, within one step
// of the 16-bit scale (the maths library's last digit may differ).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int sampleRate = 22050;

// The names of every sound ("intr", "stup", ...), in the order of the game's cue catalogue.
std::vector<std::string> soundNames();

// The sound's samples; empty for a name that is no sound of ours.
std::vector<std::int16_t> synthesize(const std::string& name);

}  // namespace synth
