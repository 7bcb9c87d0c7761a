// The calm spins: quiet scenes, dreams and visions.
#pragma once

// The scene of event kind 1, 2, 6, 11, 14 or 15, then the quiet-space response.
void quietScene(int kind);
void deepSleep();   // event kind 8
void meditation();  // event kind 19
