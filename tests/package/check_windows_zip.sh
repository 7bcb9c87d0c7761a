#!/usr/bin/env bash
# The Windows zip as a player unpacks it: one folder holding zorvane.exe and its data folder
# of sounds, nothing else, the sounds the very files the build synthesized, and a program that
# needs no DLL beyond those every Windows has.
#
# Usage: tests/package/check_windows_zip.sh [BUILD-DIR]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build-windows}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -f "$build"/zorvane-*-windows.zip
(cd "$build" && cpack -G ZIP >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; exit 1; }
zip=$(echo "$build"/zorvane-*-windows.zip)
test -f "$zip"
folder=$(basename "$zip" .zip)
echo "   $(basename "$zip")"

. tests/package/checks.sh

is_windows_program() { file "$1" | grep 'PE32+ executable (console) x86-64' >/dev/null; }
# The DLLs of the compiler's own libraries are linked in statically, or the zip would need them.
only_system_dlls() { ! grep -iE 'libstdc|libgcc|libwinpthread' <<<"$1"; }

# What the zip should hold: the program, then the sounds, by name.
(cd "$build" && { echo "$folder/zorvane.exe"; find data -maxdepth 1 -name '*.wav' | sort | sed "s|^|$folder/|"; }) \
  >"$scratch/expected"
unzip -Z1 "$zip" | grep -v '/$' | sort >"$scratch/listed"
sort "$scratch/expected" >"$scratch/expected.sorted"
sounds=$(grep -c '\.wav$' "$scratch/expected")
check "the zip holds $folder/zorvane.exe and the $sounds sounds in $folder/data, nothing else" \
  diff "$scratch/expected.sorted" "$scratch/listed"

unzip -q "$zip" -d "$scratch/unpacked"
check "the sounds are the build's own" diff -r "$build/data" "$scratch/unpacked/$folder/data" -x .synthesized
check "zorvane.exe is a 64-bit Windows program" is_windows_program "$scratch/unpacked/$folder/zorvane.exe"
dlls=$(x86_64-w64-mingw32-objdump -p "$scratch/unpacked/$folder/zorvane.exe" | awk '/DLL Name:/ {print $3}' | sort | tr '\n' ' ')
echo "   imports: $dlls"
check "zorvane.exe needs only the system's DLLs" only_system_dlls "$dlls"

summary "Windows zip"
