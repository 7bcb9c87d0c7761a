#!/bin/sh
# Draws the web edition's icons (web/icons/*.png) from the game's icon, desktop/zorvane.svg:
# 192 and 512 pixels as they are, and a "maskable" 512 one, where the icon without its grey edge
# fills the middle 84% of a black square that a phone may cut to a circle or any shape. The
# PNGs are committed, cut to a palette of their few colours (a quarter of the bytes); run this
# again after the SVG changes. It needs Debian's librsvg2-bin and pngquant.
set -eu
cd "$(dirname "$0")/.."
svg=desktop/zorvane.svg
out=web/icons
mkdir -p "$out"
rsvg-convert -w 192 -h 192 "$svg" -o "$out/zorvane-192.png"
rsvg-convert -w 512 -h 512 "$svg" -o "$out/zorvane-512.png"
{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
  echo '<rect width="256" height="256" fill="#000000"/>'
  echo '<g transform="translate(128 128) scale(0.84) translate(-128 -128)">'
  sed -e '/^<?xml/d' -e 's|<svg [^>]*>||' -e 's|</svg>||' -e '/stroke="#555555"/d' "$svg"
  echo '</g></svg>'
} | rsvg-convert -w 512 -h 512 -o "$out/zorvane-maskable-512.png"
for png in "$out"/zorvane-*.png; do
  pngquant --quality=80-95 --speed 1 --strip --force --output "$png" "$png"
done
