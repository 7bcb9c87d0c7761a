#!/usr/bin/env bash
# The Windows zip as a player unpacks it: one folder holding zorvane.exe, its data folder of
# sounds and the licence, nothing else, the sounds the very files the build synthesized, and a
# 64-bit console program that needs no DLL beyond those every Windows has (the compiler's own
# libraries are linked in statically, or the zip would need their DLLs). (That it shows the
# small upward triangle is seen under Wine: see installed_game_check.)
#
# Usage: tests/package/check_windows_zip.sh [BUILD-DIR]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build-windows}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
. tests/package/checks.sh

rm -f "$build"/zorvane-*-windows.zip
(cd "$build" && cpack -G ZIP >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; exit 1; }
zip=$(echo "$build"/zorvane-*-windows.zip)
folder=$(basename "$zip" .zip)
unzip -q "$zip" -d "$scratch/unpacked"
check "the zip holds $folder/zorvane.exe, $folder/data and $folder/LICENSE.txt, nothing else" \
  test "$(cd "$scratch/unpacked" && find . -maxdepth 2 | sort | paste -sd ' ')" == \
  ". ./$folder ./$folder/LICENSE.txt ./$folder/data ./$folder/zorvane.exe"
check "LICENSE.txt is the licence" cmp LICENSE "$scratch/unpacked/$folder/LICENSE.txt"
check "data holds the build's own sounds, nothing else" \
  diff -r "$build/data" "$scratch/unpacked/$folder/data" -x .synthesized
x86_64-w64-mingw32-objdump -p "$scratch/unpacked/$folder/zorvane.exe" >"$scratch/objdump"
check "zorvane.exe is a 64-bit Windows program" grep -q 'file format pei-x86-64' "$scratch/objdump"
check "zorvane.exe is a console program" grep -q 'Subsystem.*(Windows CUI)' "$scratch/objdump"
check "zorvane.exe needs only the system's DLLs" \
  test -z "$(grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)' "$scratch/objdump")"
