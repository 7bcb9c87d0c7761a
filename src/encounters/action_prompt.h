// The action prompt shared by every encounter that asks the player what to do.
#pragma once

#include "core/lines.h"

// Reads keys at column 17, row 21 until one of a, b, e, f, r or n (in either case) is pressed,
// showing the help page on H; returns the letter in lower case. The prompt row is blanked and
// the cursor left at column 17, row 21.
char actionPrompt();

// The help page's text, written from row 2 (its letters' prompt comes below on row 24).
extern const Lines helpPageText;
