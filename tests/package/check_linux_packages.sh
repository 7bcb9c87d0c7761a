#!/usr/bin/env bash
# The game as a player gets it on Linux: installed into a prefix by `cmake --install`, and as
# the Debian package, checked by lintian and unpacked by dpkg-deb. Each tree is checked for its
# program, its sounds, its manual page (rendered by man), its copyright file and changelog,
# then played from a directory of its own by installed_game_check: it answers --help and
# --version, leaves cleanly, finds its sounds beside its games folder and freezes its game into
# the working directory.
#
# Usage: tests/package/check_linux_packages.sh [BUILD-DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build}" && pwd)
checker=$build/tests/package/installed_game_check
sounds=$(find "$build/data" -maxdepth 1 -name '*.wav' | wc -l)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
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
  [[ $text == *"ZORVANE(6)"* && $text == *"mars.dat"* && $text == *"share/games/zorvane"* && $text == *--version* ]]
}

says_version() {  # says_version PROGRAM CHANGELOG: the project's version, the changelog's latest
  local said
  said=$("$1" --version)
  echo "   $said"
  [[ $said == "zorvane $version" && $(zcat "$2") == "zorvane ($version) "* ]]
}

lintian_silent() {  # lintian_silent DEB: no error and no warning (its own stderr notes aside)
  local said
  said=$(lintian --fail-on error,warning "$1" 2>"$scratch/lintian.err") && [[ -z $said ]] ||
    { echo "$said"; cat "$scratch/lintian.err"; return 1; }
}

played_elsewhere() {  # played_elsewhere PROGRAM
  (cd "$scratch/elsewhere" && "$checker" "$1" --gtest_brief=1 --gtest_filter=-*Windows*)
}

check_tree() {  # check_tree ROOT NAME: ROOT holds games/ and share/ as /usr does in Debian
  local root=$1 name=$2
  check "$name: games/zorvane is a program" test -x "$root/games/zorvane"
  check "$name: share/games/zorvane holds the $sounds sounds" \
    test "$(find "$root/share/games/zorvane" -name '*.wav' | wc -l)" -eq "$sounds"
  check "$name: man -l renders share/man/man6/zorvane.6.gz" man_renders "$root/share/man/man6/zorvane.6.gz"
  check "$name: --version says $version" says_version "$root/games/zorvane" "$root/share/doc/zorvane/changelog.gz"
  mkdir -p "$scratch/elsewhere"
  check "$name: played from another directory" played_elsewhere "$root/games/zorvane"
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
check "deb: section" field_has "$deb" Section games
check "deb: maintainer" field_has "$deb" Maintainer "The Zorvane developers <noreply@zorvane.invalid>"
check "deb: depends on the C library" field_has "$deb" Depends libc6
check "deb: depends on the C++ library" field_has "$deb" Depends libstdc++6
check "deb: recommends the sound library" field_has "$deb" Recommends libasound2
# lintian also holds the package to Debian's layout: files under /usr only, the program in
# /usr/games, a copyright file, the manual page and changelog compressed, a stripped program.
check "deb: lintian says nothing" lintian_silent "$deb"
dpkg-deb -x "$deb" "$scratch/deb"
check_tree "$scratch/deb/usr" deb

summary "Linux packages"
