// The three instruction pages offered at start-up.
#pragma once

void instructionPages();
