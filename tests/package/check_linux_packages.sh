#!/usr/bin/env bash
# The game as a player gets it on Linux: installed into a prefix by `cmake --install`, and as
# the Debian package, unpacked by dpkg-deb. Each tree is checked for its program, its sounds and
# its manual page (rendered by man), then played from a directory of its own by
# installed_game_check: it leaves cleanly, finds its sounds beside its bin folder and freezes
# its game into the working directory.
#
# Usage: tests/package/check_linux_packages.sh [BUILD-DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build}" && pwd)
checker=$build/tests/package/installed_game_check
sounds=$(find "$build/data" -maxdepth 1 -name '*.wav' | wc -l)
test "$sounds" -gt 0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

. tests/package/checks.sh

field_has() {  # field_has DEB FIELD TEXT
  local value
  value=$(dpkg-deb -f "$1" "$2")
  echo "   $2: $value"
  [[ $value == *"$3"* ]]
}

man_renders() {  # the page renders without a warning, with its title and the frozen game
  local page=$1 text warnings
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
  [[ -z $warnings ]] || { echo "$warnings"; return 1; }
  [[ $text == *"ZORVANE(6)"* && $text == *"mars.dat"* && $text == *"share/zorvane/data"* ]]
}

played_elsewhere() {  # played_elsewhere PROGRAM
  (cd "$scratch/elsewhere" && "$checker" "$1" --gtest_brief=1)
}

only_under_usr() {  # only_under_usr DEB: prints any file outside /usr
  ! dpkg-deb -c "$1" | awk '{print $6}' | grep -v -e '^\./usr/' -e '^\./$'
}

check_tree() {  # check_tree ROOT NAME: ROOT holds bin/, share/zorvane/data and share/man/man6
  local root=$1 name=$2
  check "$name: bin/zorvane is a program" test -x "$root/bin/zorvane"
  check "$name: share/zorvane/data holds the $sounds sounds" \
    test "$(find "$root/share/zorvane/data" -name '*.wav' | wc -l)" -eq "$sounds"
  check "$name: man -l renders share/man/man6/zorvane.6" man_renders "$root/share/man/man6/zorvane.6"
  mkdir -p "$scratch/elsewhere"
  check "$name: played from another directory" played_elsewhere "$root/bin/zorvane"
}

echo "-- cmake --install into a scratch prefix"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
check_tree "$scratch/prefix" install

echo "-- the Debian package"
rm -f "$build"/zorvane_*.deb
(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; exit 1; }
deb=$(echo "$build"/zorvane_*.deb)
test -f "$deb"
echo "   $(basename "$deb")"
check "deb: package name" field_has "$deb" Package zorvane
check "deb: section" field_has "$deb" Section games
check "deb: maintainer" field_has "$deb" Maintainer "The Zorvane developers <noreply@zorvane.invalid>"
check "deb: depends on the C library" field_has "$deb" Depends libc6
check "deb: depends on the C++ library" field_has "$deb" Depends libstdc++6
check "deb: recommends the sound library" field_has "$deb" Recommends libasound2
check "deb: every file under /usr" only_under_usr "$deb"
dpkg-deb -x "$deb" "$scratch/deb"
check_tree "$scratch/deb/usr" deb

summary "Linux packages"
