// The Moon, met only when the first spin of a voyage shows 1.
#pragma once

void moonPass();
[[noreturn]] void moonCrashEnding();
