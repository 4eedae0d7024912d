#!/usr/bin/env bash
# Draws the committed PNG icons from the SVG sources (needs rsvg-convert, Debian librsvg2-bin).
# The small sizes have their own simpler drawings, which stay legible at 16 to 24 pixels.
set -euo pipefail
cd "$(dirname "$0")"
for s in 16 22 24 32 48 64 128 256; do
    if [ "$s" -le 24 ]; then app=vorn-small.svg; file=application-x-vorn-board-small.svg
    else app=vorn.svg; file=application-x-vorn-board.svg; fi
    mkdir -p "${s}x${s}"
    rsvg-convert -w "$s" -h "$s" "$app" -o "${s}x${s}/vorn.png"
    rsvg-convert -w "$s" -h "$s" "$file" -o "${s}x${s}/application-x-vorn-board.png"
done
