// The calm spins: quiet scenes, dreams and visions.
#pragma once

// The six quiet views: two lines of the view (a shooting star and a supernova with their cue
// before them), then quiet space.
enum class QuietView { BigDipper, Saturn, ShootingStar, Supernova, Jupiter, AlphaCentauri };
void quietScene(QuietView view);
void deepSleep();   // a dream: three lines, no question
void meditation();  // a vision: three lines, no question
