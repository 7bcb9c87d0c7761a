// libFuzzer target for the frozen game: any bytes as the reader's text and as "mars.dat" at the
// start-up resume offer. Aborts (and so reports) when a check of
// tests/support/frozen_game_checks.h breaks (or when the resume offer asks for more than the R
// or B it is given: the exception it throws then ends the run). The test suite replays the
// corpus with the same checks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/frozen_game_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const char* broken = frozen_game_checks::brokenCheck(std::string(reinterpret_cast<const char*>(data), size))) {
        std::fprintf(stderr, "frozen_game_fuzz: %s\n", broken);
        std::abort();
    }
    return 0;
}
