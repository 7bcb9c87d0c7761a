// Interim: these event kinds pass quietly until their scenes land.
#include "instructions/instructions.h"

void instructionPages() {}
