#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from senvora.svg (needs rsvg-convert from
# librsvg2-bin). The PNGs are kept in the repository; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256 512; do
    rsvg-convert --width "$size" --height "$size" senvora.svg --output "senvora-$size.png"
done
