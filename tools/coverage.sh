#!/usr/bin/env bash
# The coverage report: builds the coverage preset, runs the whole test suite once, then prints
# the line coverage of src/.
#
#   tools/coverage.sh        (needs gcovr: apt-get install gcovr; .ci/run --coverage installs it)
#
# Fails (status 1) when the line coverage of src/ is below 95%, when a source file of the
# Linux build is missing from the report. The full per-file report is left in
# build-coverage/coverage.txt.
#
# The Windows backends (src/console/windows_*.cpp) and the browser's (src/console/web_*.cpp) are
# not built on Linux, so they are left out by name. The game itself (src/mission/main.cpp and the POSIX backend) is counted from the
# terminal tests, which run the real program on a pseudo-terminal: each child writes its counts
# at exit, also when it ends by a signal (see exitAtOnce in src/console/posix_raw_terminal.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."

minimum=95
build=build-coverage

command -v gcovr >/dev/null 2>&1 || { echo "coverage: gcovr is missing (apt-get install gcovr)" >&2; exit 1; }

cmake --preset coverage >/dev/null
cmake --build --preset coverage

# Counts add up across runs: start from zero.
find "$build" -name '*.gcda' -delete
ctest --preset coverage

failed=0

echo
echo "== line coverage of src/ (the Windows and browser backends are not built on Linux)"
gcovr -r . --object-directory "$build" -j 2 --filter 'src/' --exclude 'src/console/(windows|web)_.*' \
  --txt "$build/coverage.txt"
# The eight lowest files, then the total.
awk '$1 ~ /^src\// && $2 > 0 { printf "%-36s %5d lines %5d run %5.1f%%\n", $1, $2, $3, 100 * $3 / $2 }' \
  "$build/coverage.txt" | sort -k6,6n -k2,2nr | head -8
total=$(awk '$1 == "TOTAL" { print $2, $3 }' "$build/coverage.txt")
read -r lines run <<<"$total"
awk -v l="$lines" -v r="$run" -v m="$minimum" 'BEGIN {
  printf "TOTAL: %d of %d lines run, %.1f%% (at least %d%% needed)\n", r, l, 100 * r / l, m
  exit (100 * r < m * l) }' || failed=1

# Every other source file must be compiled with the counters: a file that no program builds
# would otherwise drop out of the total unseen. (A file with no lines to run, such as the one
# that only defines the mission record, is built but has no row in the report.)
for source in $(find src -name '*.cpp' ! -name 'windows_*' ! -name 'web_*' | sort); do
  [[ -n "$(find "$build" -path "*/$source.gcno" -print -quit)" ]] || { echo "not built: $source"; failed=1; }
done
echo "left out, not built on Linux:" $(find src -name 'windows_*.cpp' -o -name 'web_*.cpp' | sort)

if ((failed)); then
  echo "coverage: FAILED"
  exit 1
fi
echo "coverage: passed"
