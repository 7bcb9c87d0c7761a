// The space station: rocks traded for fuel, phaser cells and a barrier generator.
#pragma once

void spaceStation();  // event kind 1, once, in the second half of the voyage
