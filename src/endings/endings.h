// The four endings the wheel loop watches for. None of them returns.
#pragma once

[[noreturn]] void damageEnding();
[[noreturn]] void warningsEnding();
[[noreturn]] void outOfFuelEnding();
[[noreturn]] void marsArrival();
