#!/usr/bin/env bash
# The README's pictures of the game, taken from real runs of build/zorvane in an 80x25 tmux pane
# and rendered to PNG by tools/render_screen.py: the title screen, a voyage in progress, the
# orbit around Mars and the landing.
#
# Usage: tools/screenshots.sh [BUILD-DIR [OUT-DIR]]   (defaults: build, doc/screens)
# Needs tmux, python3-pil and fonts-dejavu-core (Debian). Run it by hand when a screen changes.
#
# The voyage and the landing start from frozen games written here, so that the pictures come
# quickly; what chance still decides (the encounter the wheel brings, a crash on Mars) is taken
# as it comes, and a run that does not show the screen wanted is played again.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
out=${2:-doc/screens}
game=$build/zorvane
test -x "$game" || { echo "no $game: build it first" >&2; exit 1; }
/usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "needs python3-pil" >&2; exit 1; }
mkdir -p "$out"

scratch=$(mktemp -d)
socket=zorvane-screens-$$
tmx() { tmux -u -L "$socket" -f /dev/null "$@"; }
cleanup() {
  tmx kill-server 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A fresh game in a fresh directory (with the frozen game given, if any), in a pane of 80x25
# without a status line. UTF-8, so the game's dash is drawn as its triangle.
start() {  # start [FROZEN-GAME-NUMBERS...]
  tmx kill-server 2>/dev/null || true
  rm -rf "$scratch/work"
  mkdir -p "$scratch/work"
  if (($#)); then printf '%s\n' "$@" >"$scratch/work/mars.dat"; fi
  tmx new-session -d -s shot -x 80 -y 25 -c "$scratch/work" \
    "env LANG=C.UTF-8 HOME=$scratch '$game'; sleep 600"
  tmx set-option -g status off
  tmx resize-window -t shot -x 80 -y 25
  [[ $(tmx display-message -p -t shot '#{pane_width}x#{pane_height}') == 80x25 ]] ||
    { echo "the pane is not 80x25" >&2; return 1; }
}

screen() { tmx capture-pane -p -t shot; }

# Waits until the screen shows the text; false after the seconds given (default 10).
await() {  # await TEXT [SECONDS]
  local tries=$((${2:-10} * 10))
  while ((tries-- > 0)); do
    screen | grep -F -- "$1" >/dev/null && return 0
    sleep 0.1
  done
  echo "waited in vain for \"$1\"; the screen:" >&2
  screen >&2
  return 1
}

key() {  # key TMUX-KEY: one key, and a moment for the game to take it
  tmx send-keys -t shot "$1"
  sleep 0.3
}

shoot() {  # shoot NAME: renders the pane to OUT/NAME.png
  screen >"$scratch/$1.txt"
  /usr/bin/python3 tools/render_screen.py "$scratch/$1.txt" "$out/$1.png"
  echo "$out/$1.png"
}

decoys() { for _ in $(seq 50); do echo $((RANDOM % 400 + 1)); done; }

# A frozen game's numbers after the decoys: damage, warnings, fuel, spins, distance left (in
# hundred thousands of miles), phaser cells, barrier charges, diamond, platinum, gold, station
# visited, the deck's last slot, then its twenty cards.
frozen() { decoys; printf '%s\n' "$@"; }

resumeAndSpin() {  # resumeAndSpin FROZEN-GAME: resumes it, silent, and spins the wheel once
  # shellcheck disable=SC2086
  start $1
  await "Full game or Zapfest Game?"; key f
  await "R or B?"; key r
  await "Do you want instructions?"; key n
  await "Do you want sound effects?"; key n
  await "Spin cosmic wheel"; key Enter
}

# --- the title screen
start
await "Full game or Zapfest Game?"
shoot title

# --- a voyage in progress: fifteen spins out, 19 million 600 thousand miles to go. The deck has
# dealt the quiet scenes, the asteroid and the station's card, so the next spin brings a danger
# to answer; a time warp now and then comes instead, and that run is played again.
voyage=$(frozen 1 0 250 15 196 4 3 0 0 0 0 14 \
  1 2 4 5 6 8 9 11 12 14 15 17 18 19 20 0 0 0 0 0)
for attempt in $(seq 10); do
  resumeAndSpin "$voyage"
  if await "Make your move" 20; then
    shoot voyage
    break
  fi
  echo "attempt $attempt brought no encounter to answer; again"
done

# --- Mars: two hundred thousand miles to go, so the first spin arrives. One landing in twenty
# crashes; that run is played again.
mars=$(frozen 0 1 90 31 2 2 3 1 1 0 1 7 \
  10 3 7 16 20 13 12 4 0 0 0 0 0 0 0 0 0 0 0 0)
for attempt in $(seq 10); do
  resumeAndSpin "$mars"
  await "Press L when ready to land" 10
  ((attempt > 1)) || shoot orbit
  key l
  if await "Press ESCAPE to exit" 15 && screen | grep -F "YOU DID IT" >/dev/null; then
    shoot landed
    break
  fi
  echo "attempt $attempt crashed on Mars; again"
done
