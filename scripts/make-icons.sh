#!/usr/bin/env bash
# Draws the application icon (a power symbol with a rice leaf on blue) in every size the
# window, the desktop menu and the Windows resource need. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
convert -size 256x256 xc:none \
    -fill '#1f6fd1' -draw 'roundrectangle 8,8 247,247 48,48' \
    -fill none -stroke white -strokewidth 24 -draw 'circle 128,140 128,70' \
    -stroke '#1f6fd1' -strokewidth 60 -draw 'line 128,40 128,100' \
    -stroke white -strokewidth 24 -draw 'line 128,34 128,130' \
    -stroke none -fill '#8be06a' -draw 'translate 204,210 rotate -35 ellipse 0,0 22,10 0,360' \
    lanhe-shutdown-256.png
for size in 48 32 16; do
    convert lanhe-shutdown-256.png -resize "${size}x${size}" "lanhe-shutdown-${size}.png"
done
# The Windows icon: 16x16 in 24 bits first, then 256, 48, 32 and 16 in 32 bits.
opaque16=$(mktemp --suffix=.bmp)
trap 'rm -f "$opaque16"' EXIT
convert lanhe-shutdown-16.png -background '#1f6fd1' -alpha remove -alpha off -type TrueColor "BMP3:$opaque16"
convert "$opaque16" lanhe-shutdown-256.png lanhe-shutdown-48.png lanhe-shutdown-32.png \
    lanhe-shutdown-16.png lanhe-shutdown.ico
