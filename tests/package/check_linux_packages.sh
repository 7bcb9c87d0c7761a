#!/usr/bin/env bash
# The game as a player gets it on Linux: installed into a prefix by `cmake --install`, and as
# the Debian package, passed by lintian and unpacked by dpkg-deb. Each tree is checked for its
# program, its sounds and its manual page (rendered by man), and its --version against the
# project's version and the changelog; then it is played from a directory of its own by
# installed_game_check: it plays its sounds from its share folder, and resumes and freezes its
# game in the working directory.
#
# lintian holds the package to Debian's layout and rules, so they are not checked again here:
# files under /usr only, the program in /usr/games, a well-formed maintainer, a copyright file,
# the manual page (man's own warnings included) and changelog compressed, a stripped program,
# and a dependency on the C library for a program that needs it.
#
# Usage: tests/package/check_linux_packages.sh [BUILD-DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build}" && pwd)
sounds=$(find "$build/data" -maxdepth 1 -name '*.wav' | wc -l)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
. tests/package/checks.sh

check_tree() {  # check_tree ROOT NAME PREFIX: ROOT holds games/ and share/ as /usr does in Debian,
  # and is installed as PREFIX
  check "$2: share/games/zorvane holds the $sounds sounds" \
    test "$(find "$1/share/games/zorvane" -name '*.wav' | wc -l)" -eq "$sounds"
  check "$2: man -l renders the manual page" \
    grep -q 'ZORVANE(6)' <(MANWIDTH=80 man -l "$1/share/man/man6/zorvane.6.gz" 2>/dev/null)
  check "$2: --version says $version" test "$("$1/games/zorvane" --version)" == "zorvane $version"
  check "$2: the changelog's latest entry is $version" grep -q "^zorvane ($version) " <(zcat "$1/share/doc/zorvane/changelog.gz" | head -1)
  check "$2: the copyright file carries the licence of LICENSE" diff <(sed -n '/^Zorvane is free/,$p' LICENSE) \
    <(sed -n '/^License: Zorvane$/,/^$/s/^ //p' "$1/share/doc/zorvane/copyright")
  # The menu entry, its icon in the theme at every size, and the metainfo of software centres.
  check "$2: desktop-file-validate passes the menu entry" desktop-file-validate "$1/share/applications/zorvane.desktop"
  check "$2: the menu entry runs $3/games/zorvane in a terminal" \
    test "$(grep -E '^(Exec|Terminal)=' "$1/share/applications/zorvane.desktop" | paste -sd ' ')" == "Exec=\"$3/games/zorvane\" Terminal=true"
  check "$2: the icon is in hicolor as SVG and at 48, 64, 128 and 256 px" test "$(cd "$1/share/icons/hicolor" &&
    for icon in */apps/zorvane.*; do echo "$icon: $(file -b "$icon" | cut -d, -f1-2)"; done | paste -sd ' ')" == \
    "128x128/apps/zorvane.png: PNG image data, 128 x 128 256x256/apps/zorvane.png: PNG image data, 256 x 256 48x48/apps/zorvane.png: PNG image data, 48 x 48 64x64/apps/zorvane.png: PNG image data, 64 x 64 scalable/apps/zorvane.svg: SVG Scalable Vector Graphics image"
  check "$2: appstreamcli validates the metainfo" quietly appstreamcli validate --no-net \
    "$1/share/metainfo/invalid.zorvane.zorvane.metainfo.xml"
  check "$2: the metainfo's release is $version" grep -q "<release version=\"$version\"" "$1/share/metainfo/invalid.zorvane.zorvane.metainfo.xml"
  # installed_game_check plays it in working directories of its own
  check "$2: played from another directory" \
    "$build/tests/package/installed_game_check" "$1/games/zorvane" --gtest_brief=1 --gtest_filter=-*Windows*
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
check_tree "$scratch/prefix" install "$scratch/prefix"

rm -f "$build"/zorvane_*.deb
(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; exit 1; }
deb=$(echo "$build"/zorvane_*.deb)
# The C++ library shows that dpkg-shlibdeps found the program's libraries; the sound library
# is loaded only when there is sound, so it is recommended.
check "deb: in games, depends on the C++ library, recommends the sound library" \
  grep -qzE 'Section: games.*libstdc\+\+6.*Recommends: libasound2' <(dpkg-deb -f "$deb" Section Depends Recommends)
# Down to its notes: the program is hardened as Debian's own are (fortified, read-only
# relocations bound at start-up, position-independent); its notes are printed for the log.
lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.log" || { cat "$scratch/lintian.log"; exit 1; }
check "deb: lintian finds no error or warning" true
sed 's/^/  lintian: /' "$scratch/lintian.log"
check "deb: lintian finds the program hardened" test -z "$(grep ' hardening-' "$scratch/lintian.log")"
dpkg-deb -x "$deb" "$scratch/deb"
check_tree "$scratch/deb/usr" deb /usr
