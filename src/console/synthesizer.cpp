// Zorvane's sound synthesizer: the samples of every sound the game plays, made from the sound's
// recipe. The native build runs it at build time (synth.cpp writes each sound as a WAV file);
// the browser build links it into the game, which makes each sound in the page.
//
// Every effect comes from one small recipe, a Voice: a wave shape whose pitch slides from one
// frequency to another, with vibrato, an arpeggio that flips between two pitches, noise mixed
// in, a sliding low-pass filter, tremolo, random grains (crackle, clicks, sputter) and an
// attack/sustain/decay envelope. A sound is a few voices placed in time; a tune is a string of
// notes played by one voice. The table at the bottom names one recipe per sound.
//
// This file stands alone (standard C++17, no project headers but its own): a cross build
// compiles it with the build machine's own compiler. The samples depend on nothing but this
// file and the maths library, so two runs give the same samples.
#include "console/synthesizer.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr double twoPi = 6.283185307179586;

// Our own noise source, a 32-bit xorshift, so that the noise is the same on every machine.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}
    // Uniform in [0, 1).
    double unit()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 4294967296.0;
    }
    // Uniform in [-1, 1).
    double signedUnit() { return unit() * 2.0 - 1.0; }

private:
    std::uint32_t state;
};

enum class Wave { Square, Saw, Triangle, Sine, Noise };

// One voice of a sound. The setters return a changed copy, so a recipe reads left to right:
// tone(Wave::Square, 2200).to(250).env(0, 0.05, 0.22).
struct Voice {
    Wave wave = Wave::Square;
    double freq = 440;           // Hz at the start; for Noise, how often a new random level is drawn
    double freqEnd = 0;          // Hz at the end (exponential slide); 0 keeps the pitch
    double duty = 0.5;           // share of the period a square wave is high
    double vibDepth = 0;         // pitch wobble as a share of the frequency
    double vibRate = 0;          // wobbles per second
    double arpMul = 1;           // pitch factor of every second arpeggio step
    double arpRate = 0;          // arpeggio steps per second; 0 for none
    double attack = 0;           // seconds rising to full level
    double sustain = 0.1;        // seconds at full level
    double decay = 0.1;          // seconds falling to silence
    double noiseMix = 0;         // share of white noise mixed into the wave
    double tremDepth = 0;        // share of the level the tremolo takes away at its deepest
    double tremRate = 0;         // tremolo cycles per second
    double grainRate = 0;        // random grains per second; 0 for a continuous sound
    double grainDensity = 1;     // chance that a grain sounds
    double cutoff = 0;           // low-pass corner in Hz at the start; 0 for no filter
    double cutoffEnd = 0;        // corner at the end; 0 keeps it
    double volume = 0.5;

    Voice to(double hz) const { Voice v = *this; v.freqEnd = hz; return v; }
    Voice pulse(double share) const { Voice v = *this; v.duty = share; return v; }
    Voice vibrato(double depth, double rate) const
    {
        Voice v = *this; v.vibDepth = depth; v.vibRate = rate; return v;
    }
    Voice arp(double factor, double rate) const
    {
        Voice v = *this; v.arpMul = factor; v.arpRate = rate; return v;
    }
    Voice env(double a, double s, double d) const
    {
        Voice v = *this; v.attack = a; v.sustain = s; v.decay = d; return v;
    }
    Voice noise(double share) const { Voice v = *this; v.noiseMix = share; return v; }
    Voice tremolo(double depth, double rate) const
    {
        Voice v = *this; v.tremDepth = depth; v.tremRate = rate; return v;
    }
    Voice grains(double rate, double density) const
    {
        Voice v = *this; v.grainRate = rate; v.grainDensity = density; return v;
    }
    Voice lowpass(double from, double toHz) const
    {
        Voice v = *this; v.cutoff = from; v.cutoffEnd = toHz; return v;
    }
    Voice vol(double level) const { Voice v = *this; v.volume = level; return v; }
    Voice at(double hz) const
    {
        // The same voice at another pitch; a slide keeps its ratio.
        Voice v = *this;
        if (v.freqEnd > 0) v.freqEnd *= hz / v.freq;
        v.freq = hz;
        return v;
    }
};

Voice tone(Wave wave, double hz)
{
    Voice v;
    v.wave = wave;
    v.freq = hz;
    return v;
}

// White noise for the hiss family: a new level every sample.
Voice hiss() { return tone(Wave::Noise, sampleRate); }

struct Layer {
    double start;  // seconds from the start of the sound
    Voice voice;
};
using Sound = std::vector<Layer>;

Sound solo(const Voice& v) { return {{0.0, v}}; }

Sound operator+(Sound a, const Sound& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Sound later(double seconds, Sound sound)
{
    for (Layer& layer : sound) layer.start += seconds;
    return sound;
}

// `times` copies of a voice, `every` seconds apart, each `pitchStep` times the pitch of the one
// before (knocks, footsteps, a laugh).
Sound repeat(const Voice& v, int times, double every, double pitchStep = 1.0)
{
    Sound sound;
    Voice next = v;
    for (int i = 0; i < times; ++i) {
        sound.push_back({i * every, next});
        next = next.at(next.freq * pitchStep);
    }
    return sound;
}

// A tune for one voice: notes such as "c5", "f#4" or "bb3", optionally followed by ":beats"
// (default 1), and "r" (any other letter) for a rest, separated by blanks. Each note sounds for most of its beats
// and rings out with the voice's decay.
Sound melody(const Voice& instrument, double beat, const char* notes)
{
    static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    Sound sound;
    double time = 0;
    const char* p = notes;
    while (*p != '\0') {
        while (*p == ' ') ++p;
        if (*p == '\0') break;
        const char letter = *p++;
        const bool rest = letter < 'a' || letter > 'g';
        int semitone = rest ? 0 : semitones[letter - 'a'];
        if (*p == '#') { ++semitone; ++p; }
        else if (*p == 'b') { --semitone; ++p; }
        int octave = 4;
        if (*p >= '0' && *p <= '9') octave = *p++ - '0';
        double beats = 1;
        if (*p == ':') {
            // Whole beats and decimals ("3", "0.67"), read as the nearest double to the written
            // number; the browser build carries no general number parser for this alone.
            long digits = 0;
            long scale = 1;
            bool decimals = false;
            for (++p; (*p >= '0' && *p <= '9') || (*p == '.' && !decimals); ++p) {
                if (*p == '.') { decimals = true; continue; }
                digits = digits * 10 + (*p - '0');
                if (decimals) scale *= 10;
            }
            beats = static_cast<double>(digits) / static_cast<double>(scale);
        }
        const double length = beats * beat;
        if (!rest) {
            const int midi = 12 * (octave + 1) + semitone;
            Voice note = instrument.at(440.0 * std::pow(2.0, (midi - 69) / 12.0));
            note.sustain = std::max(0.0, length * 0.85 - note.attack);
            sound.push_back({time, note});
        }
        time += length;
    }
    return sound;
}

double slide(double from, double to, double progress)
{
    if (to <= 0 || from <= 0) return from;
    return from * std::pow(to / from, progress);
}

double envelope(const Voice& v, double t)
{
    // A millisecond of fade-in at the least, so that no sound starts with a click.
    const double attack = std::max(v.attack, 0.001);
    if (t < attack) return t / attack;
    if (t < attack + v.sustain) return 1.0;
    if (v.decay <= 0) return 0.0;
    const double rest = 1.0 - (t - attack - v.sustain) / v.decay;
    return rest > 0 ? rest * rest : 0.0;
}

double waveAt(Wave wave, double phase, double duty, double heldNoise)
{
    switch (wave) {
    case Wave::Square: return phase < duty ? 1.0 : -1.0;
    case Wave::Saw: return 2.0 * phase - 1.0;
    case Wave::Triangle: return 4.0 * std::fabs(phase - 0.5) - 1.0;
    case Wave::Sine: return std::sin(twoPi * phase);
    case Wave::Noise: break;
    }
    return heldNoise;
}

void render(const Voice& v, double start, std::vector<double>& mix, NoiseSource& noise)
{
    const double length = std::max(v.attack, 0.001) + v.sustain + v.decay;
    const auto first = static_cast<std::size_t>(std::lround(start * sampleRate));
    const auto count = static_cast<std::size_t>(std::lround(length * sampleRate));
    if (mix.size() < first + count) mix.resize(first + count, 0.0);

    double phase = 0;
    double held = noise.signedUnit();
    double filtered = 0;
    double grainPhase = 1.0;  // the first sample starts a grain
    double grainLevel = 1.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double progress = t / length;

        double hz = slide(v.freq, v.freqEnd, progress);
        if (v.vibDepth > 0) hz *= 1.0 + v.vibDepth * std::sin(twoPi * v.vibRate * t);
        if (v.arpRate > 0 && static_cast<long>(t * v.arpRate) % 2 == 1) hz *= v.arpMul;
        phase += hz / sampleRate;
        if (phase >= 1.0) {
            phase -= std::floor(phase);
            held = noise.signedUnit();
        }

        double sample = waveAt(v.wave, phase, v.duty, held);
        if (v.noiseMix > 0) sample = sample * (1.0 - v.noiseMix) + noise.signedUnit() * v.noiseMix;
        if (v.cutoff > 0) {
            const double corner = slide(v.cutoff, v.cutoffEnd, progress);
            filtered += (1.0 - std::exp(-twoPi * corner / sampleRate)) * (sample - filtered);
            sample = filtered;
        }

        double level = envelope(v, t) * v.volume;
        if (v.tremDepth > 0) level *= 1.0 - v.tremDepth * (0.5 - 0.5 * std::cos(twoPi * v.tremRate * t));
        if (v.grainRate > 0) {
            grainPhase += v.grainRate / sampleRate;
            if (grainPhase >= 1.0) {
                grainPhase -= std::floor(grainPhase);
                grainLevel = noise.unit() < v.grainDensity ? 0.4 + 0.6 * noise.unit() : 0.0;
            }
            // Each grain strikes and dies away, which is what makes a click or a clap.
            level *= grainLevel * std::exp(-4.0 * grainPhase);
        }
        mix[first + i] += sample * level;
    }
}

std::uint32_t seedFor(const std::string& name)
{
    std::uint32_t hash = 2166136261u;  // FNV-1a, so each sound has noise of its own
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return hash;
}

std::vector<std::int16_t> renderSound(const std::string& name, const Sound& sound)
{
    NoiseSource noise(seedFor(name));
    std::vector<double> mix;
    for (const Layer& layer : sound) render(layer.voice, layer.start, mix, noise);

    // Narrow pulses and held noise carry a steady offset that would thump in the speaker at
    // the start and end of a sound; a gentle high-pass (corner near 17 Hz) takes it out.
    double lastIn = 0;
    double lastOut = 0;
    for (double& s : mix) {
        lastOut = s - lastIn + 0.995 * lastOut;
        lastIn = s;
        s = lastOut;
    }

    // Voices may add up past full scale; a loud mix is scaled down as a whole rather than clipped.
    double peak = 0;
    for (double s : mix) peak = std::max(peak, std::fabs(s));
    const double gain = peak > 0.95 ? 0.95 / peak : 1.0;
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(mix[i] * gain * 32767.0));
    return samples;
}

// Instruments of the tunes.
const Voice chip = tone(Wave::Square, 440).pulse(0.25).env(0.005, 0, 0.06).vol(0.32);
const Voice thinChip = tone(Wave::Square, 440).pulse(0.125).env(0.003, 0, 0.04).vol(0.3);
const Voice brass = tone(Wave::Saw, 440).vibrato(0.008, 5).lowpass(2600, 2600).env(0.02, 0, 0.08).vol(0.45);
const Voice bell = tone(Wave::Triangle, 440).vibrato(0.012, 5).env(0.01, 0, 0.35).vol(0.4);
const Voice bass = tone(Wave::Triangle, 110).env(0.005, 0, 0.05).vol(0.5);
const Voice pad = tone(Wave::Sine, 110).vibrato(0.004, 3).env(0.3, 0, 0.4).vol(0.35);

// Building blocks shared by several effects.
const Voice thud = tone(Wave::Triangle, 110).to(45).env(0, 0.02, 0.22).noise(0.5).vol(1.0);
const Voice click = hiss().env(0, 0.004, 0.03).lowpass(6500, 6500).vol(0.8);

struct Recipe {
    const char* name;  // the game names it "data\\<name>.wav"
    Sound sound;
};

// One recipe per sound, in the order of the game's cue catalogue. The times are in seconds.
std::vector<Recipe> catalogue()
{
    return {
        // The sound question answered Y: a bright rising fanfare over a walking bass.
        {"intr", melody(chip, 0.15, "c5 g4 c5 e5 g5:2 e5 g5 c6:4 b5 g5 d6:2 c6:6")
                     + melody(bass, 0.15, "c3:4 c3:4 a2:4 g2:4 c3:6")},
        // Ignition: the engines spool up, then the roar of blast-off.
        {"stup", solo(tone(Wave::Saw, 60).to(420).env(0.05, 0.9, 0.15).noise(0.2).lowpass(1500, 4000).vol(0.5))
                     + solo(click.vol(0.9))},
        {"blof", solo(tone(Wave::Noise, 800).to(2500).env(0.15, 0.8, 0.5).lowpass(600, 3000).vol(0.8))
                     + solo(tone(Wave::Triangle, 50).to(80).env(0.1, 0.85, 0.5).vol(0.5))},
        // A spin of the cosmic wheel: a quick rising sweep.
        {"whee", solo(tone(Wave::Triangle, 250).to(1400).env(0.01, 0.35, 0.15).vibrato(0.03, 12).vol(0.6))
                     + solo(tone(Wave::Square, 500).to(2800).pulse(0.25).env(0.01, 0.35, 0.15).vol(0.12))},
        // Quitting: everything powers down.
        {"quit", solo(tone(Wave::Saw, 700).to(70).env(0, 0.3, 0.4).lowpass(3000, 400).vol(0.6))},
        // The last ESC: a closing cadence for the full game, an arcade jingle for the Zapfest.
        {"exit", melody(brass, 0.17, "g5 e5 c5 g4 a4 f4 g4:2 b4 d5 c5:6")
                     + melody(bass, 0.17, "c3:4 f2:2 g2:4 c3:6")},
        {"zapf", melody(thinChip, 0.085, "c6 g5 e5 c5 e5 g5 c6 e6 d6 b5 g5 d5 g5 b5 d6:2 c6 c6 c6 c7:6")
                     + melody(bass, 0.085, "c3:8 g2:8 c3:9")},
        // The ship's own actions.
        {"acce", solo(tone(Wave::Saw, 90).to(360).env(0.05, 0.55, 0.25).noise(0.3).lowpass(1200, 3500).vol(0.6))
                     + solo(hiss().env(0.1, 0.5, 0.25).lowpass(2000, 5000).vol(0.25))},
        {"barr", solo(tone(Wave::Sine, 220).to(880).env(0.05, 0.4, 0.3).vibrato(0.04, 18).vol(0.5))
                     + solo(tone(Wave::Square, 440).to(1760).pulse(0.125).tremolo(0.6, 20).env(0.05, 0.4, 0.3).vol(0.15))},
        {"dead", solo(tone(Wave::Square, 140).to(60).env(0, 0.15, 0.3).noise(0.35).grains(30, 0.6).vol(0.9))},
        {"evad", solo(tone(Wave::Triangle, 600).env(0.02, 0.45, 0.25).vibrato(0.35, 2.5).vol(0.6))
                     + solo(hiss().env(0.05, 0.4, 0.25).lowpass(1500, 4000).tremolo(0.8, 5).vol(0.2))},
        {"phas", solo(tone(Wave::Square, 2200).to(250).env(0, 0.05, 0.22).vol(0.5))},
        // The repair tools. repa plays five times and dril twice, so those two are short.
        {"repa", solo(click) + solo(tone(Wave::Square, 1900).to(1500).env(0, 0.01, 0.09).vol(0.25))
                     + later(0.12, solo(click.vol(0.5)) + solo(tone(Wave::Square, 1700).to(1400).env(0, 0.01, 0.09).vol(0.15)))},
        {"dril", solo(tone(Wave::Saw, 170).to(190).env(0.04, 0.45, 0.15).vibrato(0.02, 35).tremolo(0.4, 28).noise(0.25).vol(0.55))},
        {"hamm", repeat(tone(Wave::Triangle, 180).to(90).env(0, 0.02, 0.12).noise(0.4).vol(0.9), 4, 0.26)
                     + repeat(tone(Wave::Sine, 1250).env(0, 0.01, 0.2).vol(0.2), 4, 0.26)},
        {"wren", repeat(click, 10, 0.07)
                     + solo(tone(Wave::Saw, 220).to(260).env(0.05, 0.5, 0.2).tremolo(0.9, 14).lowpass(1200, 1200).vol(0.25))},
        {"dri2", solo(tone(Wave::Square, 250).to(800).pulse(0.3).env(0.03, 0.45, 0.05).tremolo(0.3, 40).noise(0.2).vol(0.4))
                     + later(0.5, solo(tone(Wave::Square, 800).to(450).pulse(0.3).env(0.03, 0.3, 0.4).tremolo(0.3, 40).noise(0.2).vol(0.4)))},
        {"saw", solo(hiss().env(0.08, 0.1, 0.1).lowpass(2500, 4500).vol(0.6))
                    + later(0.27, solo(hiss().env(0.08, 0.1, 0.1).lowpass(4500, 2000).vol(0.55)))
                    + later(0.54, solo(hiss().env(0.08, 0.1, 0.1).lowpass(2500, 4500).vol(0.6)))
                    + later(0.81, solo(hiss().env(0.08, 0.1, 0.1).lowpass(4500, 2000).vol(0.55)))},
        // The hit cue and the alarm cue of every encounter.
        {"dama", solo(tone(Wave::Noise, 2500).to(300).env(0, 0.05, 0.45).vol(0.9))
                     + solo(tone(Wave::Square, 220).to(55).env(0, 0.05, 0.35).vol(0.4))
                     + later(0.1, solo(tone(Wave::Noise, 6000).env(0, 0.2, 0.2).grains(25, 0.5).vol(0.4)))},
        {"aler", solo(tone(Wave::Square, 660).arp(1.335, 5).env(0.01, 1.0, 0.1).lowpass(3000, 3000).vol(0.45))},
        // Collision hazards. The meteor whoosh plays four times in a row.
        {"mete", solo(hiss().env(0.08, 0.05, 0.2).lowpass(600, 4000).vol(0.8))},
        {"come", solo(hiss().env(0.3, 0.4, 0.6).lowpass(300, 2500).vol(0.7))
                     + solo(tone(Wave::Sine, 1600).to(500).env(0.2, 0.5, 0.5).vibrato(0.01, 6).vol(0.25))
                     + solo(tone(Wave::Sine, 3000).arp(1.5, 14).grains(18, 0.5).env(0.2, 0.6, 0.4).vol(0.15))},
        {"shut", solo(tone(Wave::Saw, 65).env(0.3, 0.6, 0.4).vibrato(0.03, 0.8).lowpass(500, 400).vol(0.6))
                     + solo(tone(Wave::Sine, 131).to(124).env(0.3, 0.6, 0.4).tremolo(0.5, 1.5).vol(0.3))
                     + later(0.4, solo(tone(Wave::Square, 300).to(260).pulse(0.1).grains(40, 0.9).env(0.1, 0.3, 0.3).vol(0.15)))},
        // Every explosion and crash: a noise burst whose pitch falls as it dies away.
        {"expl", solo(tone(Wave::Noise, 3000).to(60).env(0, 0.08, 1.3).lowpass(5000, 200).vol(1.0))
                     + solo(tone(Wave::Triangle, 90).to(30).env(0, 0.1, 1.2).vol(0.5))},
        // Mishaps and malfunctions.
        {"trip", solo(tone(Wave::Sine, 700).to(180).env(0, 0.15, 0.2).vibrato(0.08, 14).vol(0.6))
                     + later(0.35, solo(thud))},
        {"spla", solo(hiss().env(0, 0.05, 0.55).lowpass(5000, 900).vol(0.8))
                     + solo(tone(Wave::Sine, 1500).to(2400).grains(30, 0.35).env(0.05, 0.3, 0.3).vol(0.35))},
        {"raal", solo(hiss().env(0, 1.1, 0.1).grains(70, 0.3).vol(0.8))
                     + solo(tone(Wave::Square, 1400).tremolo(1.0, 4).env(0, 1.1, 0.1).vol(0.2))},
        {"radi", solo(tone(Wave::Sine, 600).to(1900).vibrato(0.05, 5).env(0.05, 0.9, 0.25).vol(0.4))
                     + solo(hiss().env(0.05, 0.9, 0.25).grains(60, 0.7).lowpass(4000, 4000).vol(0.35))},
        {"refr", solo(tone(Wave::Saw, 60).to(35).env(0.05, 0.8, 0.3).tremolo(0.5, 7).noise(0.1).lowpass(800, 300).vol(0.7))
                     + later(1.05, solo(thud.at(150).vol(0.8)))},
        {"bebo", solo(tone(Wave::Sine, 1320).env(0, 0.01, 0.15).vol(0.6))
                     + solo(tone(Wave::Sine, 2660).env(0, 0.01, 0.08).vol(0.25))
                     + later(0.2, solo(tone(Wave::Sine, 1250).env(0, 0.01, 0.1).vol(0.35)))
                     + later(0.4, solo(tone(Wave::Sine, 180).to(320).tremolo(0.9, 9).env(0.02, 0.35, 0.15).vol(0.45)))},
        {"besw", repeat(hiss().env(0.1, 0.1, 0.15).lowpass(1200, 3000).vol(0.5), 3, 0.38)},
        // Scenery and the time warp.
        {"star", solo(tone(Wave::Sine, 2600).to(900).env(0.02, 0.3, 0.5).vibrato(0.01, 9).vol(0.5))
                     + solo(tone(Wave::Sine, 4000).arp(1.25, 20).grains(25, 0.6).env(0.05, 0.3, 0.45).vol(0.2))},
        {"nova", solo(tone(Wave::Noise, 600).to(120).env(0.35, 0.25, 0.9).lowpass(3000, 250).vol(0.9))
                     + solo(tone(Wave::Sine, 70).to(35).env(0.3, 0.3, 0.9).vol(0.6))},
        {"tiwa", solo(tone(Wave::Sine, 200).to(1600).env(0.1, 0.8, 0.4).vibrato(0.25, 7).vol(0.5))
                     + solo(tone(Wave::Square, 100).to(800).pulse(0.2).vibrato(0.25, 7).env(0.1, 0.8, 0.4).vol(0.12))},
        {"tw_g", solo(tone(Wave::Square, 880).pulse(0.25).arp(1.5, 12).env(0, 0.25, 0.1).vol(0.4))},
        {"ouwa", solo(tone(Wave::Sine, 1600).to(200).env(0.05, 0.6, 0.45).vibrato(0.25, 7).vol(0.5))
                     + later(1.0, solo(tone(Wave::Sine, 523).env(0, 0.05, 0.4).vol(0.4)))},
        // The aliens.
        {"alie", solo(tone(Wave::Sine, 520).to(740).env(0.15, 0.75, 0.35).vibrato(0.06, 6).vol(0.5))
                     + solo(tone(Wave::Triangle, 1040).to(1480).vibrato(0.06, 6.3).env(0.15, 0.75, 0.35).vol(0.2))},
        {"laug", repeat(tone(Wave::Saw, 520).to(440).env(0.01, 0.06, 0.06).vibrato(0.05, 30).lowpass(2500, 1800).vol(0.55),
                        6, 0.16, 0.93)},
        {"alla", melody(tone(Wave::Saw, 440).to(420).vibrato(0.03, 5).lowpass(1500, 900).env(0.02, 0, 0.1).vol(0.5),
                        0.22, "g4 f#4 f4 e4:3")},
        {"phal", solo(tone(Wave::Square, 300).to(1800).pulse(0.25).vibrato(0.15, 40).env(0, 0.1, 0.2).vol(0.45))},
        {"hit", solo(tone(Wave::Noise, 4000).to(800).env(0, 0.03, 0.25).vol(0.8))
                    + solo(tone(Wave::Square, 600).to(150).env(0, 0.03, 0.2).vol(0.4))},
        {"defl", solo(tone(Wave::Sine, 1200).to(2800).env(0, 0.1, 0.3).vibrato(0.04, 25).vol(0.5))
                     + solo(click.vol(0.6))},
        // The asteroid.
        {"aste", solo(tone(Wave::Noise, 300).env(0.3, 0.6, 0.4).lowpass(400, 250).tremolo(0.5, 1.2).vol(0.9))
                     + solo(tone(Wave::Triangle, 55).to(49).env(0.3, 0.6, 0.4).vol(0.5))},
        {"walk", repeat(hiss().env(0.01, 0.05, 0.12).grains(120, 0.7).lowpass(3500, 1500).vol(1.0), 4, 0.3)},
        {"wolf", solo(tone(Wave::Triangle, 330).to(620).env(0.15, 0.35, 0.05).vibrato(0.01, 5).vol(0.5))
                     + later(0.5, solo(tone(Wave::Triangle, 620).to(400).env(0.05, 0.5, 0.4).vibrato(0.02, 5).vol(0.5)))
                     + solo(hiss().env(0.2, 0.8, 0.4).lowpass(900, 600).vol(0.08))},
        {"rock", solo(tone(Wave::Triangle, 900).to(600).env(0, 0.005, 0.06).noise(0.6).vol(0.9))
                     + later(0.12, solo(tone(Wave::Triangle, 800).to(550).env(0, 0.005, 0.06).noise(0.6).vol(0.8)))
                     + later(0.2, solo(tone(Wave::Triangle, 700).to(500).env(0, 0.005, 0.08).noise(0.6).vol(0.4)))},
        {"oxyg", solo(hiss().env(0.05, 0.9, 0.4).lowpass(2500, 800).tremolo(0.95, 2.2).vol(0.7))
                     + solo(tone(Wave::Sine, 900).to(300).env(0, 1.0, 0.3).vol(0.15))},
        {"roen", solo(hiss().grains(140, 0.6).env(0, 1.0, 0.15).vol(0.8))
                     + solo(tone(Wave::Sine, 400).to(1800).env(0.1, 0.9, 0.15).vol(0.25))},
        {"clif", solo(tone(Wave::Sine, 1900).to(250).env(0.02, 1.05, 0.1).vibrato(0.01, 6).vol(0.5))
                     + later(1.2, solo(thud.at(90).to(40).env(0, 0.02, 0.25)))},
        {"lago", solo(tone(Wave::Saw, 260).to(110).env(0.05, 0.7, 0.3).noise(0.3).lowpass(2500, 900).vol(0.5))
                     + later(1.0, solo(tone(Wave::Noise, 1500).to(200).env(0, 0.03, 0.3).vol(0.8)))},
        // The space station: a docking beacon (three times), and the police (three times).
        {"stat", solo(tone(Wave::Sine, 1046).env(0, 0.02, 0.38).vol(0.55))
                     + solo(tone(Wave::Sine, 2093).env(0, 0.02, 0.2).vol(0.2))},
        {"arre", solo(tone(Wave::Square, 700).vibrato(0.3, 1.8).lowpass(2500, 2500).env(0.02, 0.45, 0.08).vol(0.45))},
        // The endings.
        {"fuel", solo(tone(Wave::Saw, 130).to(35).env(0, 1.1, 0.35).grains(14, 0.75).noise(0.25).lowpass(2000, 300).vol(1.0))},
        {"warn", melody(tone(Wave::Square, 220).pulse(0.4).vibrato(0.01, 6).lowpass(1800, 1800).env(0.01, 0, 0.1).vol(0.45),
                        0.25, "e3 e3 c3:3")},
        {"tune", melody(bell, 0.2, "e5 g5 b5:2 a5 g5 e5:2 d5 e5 g5:4")
                     + melody(pad, 0.2, "e3:8 c3:6")},
        // The landing on Mars: a fanfare, applause (five times) and a cheerful send-off.
        {"grjo", melody(brass, 0.14, "g4:0.67 g4:0.67 g4:0.66 c5:3 g4 c5 e5:2 g5:5")
                     + melody(bass, 0.14, "c3:2 c3:3 e3:4 c3:5")},
        {"appl", solo(hiss().grains(23, 0.55).lowpass(2500, 2500).env(0.1, 0.8, 0.3).vol(0.9))
                     + solo(hiss().grains(29, 0.55).lowpass(3500, 3500).env(0.1, 0.8, 0.3).vol(0.9))
                     + solo(hiss().grains(31, 0.55).lowpass(4200, 4200).env(0.1, 0.8, 0.3).vol(0.9))
                     + solo(hiss().grains(37, 0.55).lowpass(5000, 5000).env(0.1, 0.8, 0.3).vol(0.9))},
        {"paho", melody(chip, 0.16, "c5 c5 d5 e5 c5 e5 d5:2 g4:2 c5 e5 g5 c6:4")
                     + melody(bass, 0.16, "c3:2 c3:2 g2:2 g2:2 c3:2 e3:2 c3:5")},
    };
}

}  // namespace

std::vector<std::string> soundNames()
{
    std::vector<std::string> names;
    for (const Recipe& recipe : catalogue()) names.push_back(recipe.name);
    return names;
}

std::vector<std::int16_t> synthesize(const std::string& name)
{
    for (const Recipe& recipe : catalogue())
        if (name == recipe.name) return renderSound(recipe.name, recipe.sound);
    return {};
}

}  // namespace synth
