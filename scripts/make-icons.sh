#!/usr/bin/env bash
# Draws the application icon (a power symbol with a rice leaf on blue) in every size the
# window, the desktop menu and the Windows resource need. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
# 8 bits per channel with alpha: what icon PNGs on Windows and desktop menus expect.
convert -size 256x256 xc:none \
    -fill '#1f6fd1' -draw 'roundrectangle 8,8 247,247 48,48' \
    -fill none -stroke white -strokewidth 24 -draw 'circle 128,140 128,70' \
    -stroke '#1f6fd1' -strokewidth 60 -draw 'line 128,40 128,100' \
    -stroke white -strokewidth 24 -draw 'line 128,34 128,130' \
    -stroke none -fill '#8be06a' -draw 'translate 204,210 rotate -35 ellipse 0,0 22,10 0,360' \
    -depth 8 PNG32:lanhe-shutdown-256.png
for size in 48 32 16; do
    convert lanhe-shutdown-256.png -resize "${size}x${size}" -depth 8 "PNG32:lanhe-shutdown-${size}.png"
done

# The Windows icon holds five images in this order: 16x16 in 24 bits, opaque on the icon's
# blue, then 256x256 (as PNG), 48x48, 32x32 and 16x16 in 32 bits with alpha. ImageMagick
# writes every icon image in 32 bits, so the file is put together here image by image.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bytes() {
    local format=''
    for byte in "$@"; do
        format+=$(printf '\\x%02x' "$byte")
    done
    # The format is built of \x escapes only.
    # shellcheck disable=SC2059
    printf "$format"
}
le16() { bytes $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { bytes $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }

# An icon image in bitmap form is a BITMAPINFOHEADER whose height counts the colour rows and
# the transparency mask together, the colour rows, then a 1-bit mask (all zero: opaque) with
# rows padded to 4 bytes. The 24-bit bitmap from ImageMagick lacks the doubled height and the
# mask; its 14-byte file header is dropped.
convert lanhe-shutdown-16.png -background '#1f6fd1' -alpha remove -alpha off -depth 8 \
    -type TrueColor -compress none "BMP3:$work/opaque16.bmp"
{
    tail -c +15 "$work/opaque16.bmp" | head -c 8
    le32 32
    tail -c +27 "$work/opaque16.bmp"
    head -c 64 /dev/zero
} >"$work/image1"
cp lanhe-shutdown-256.png "$work/image2"
image=3
for size in 48 32 16; do
    convert "lanhe-shutdown-${size}.png" "ICO:$work/single.ico"
    tail -c +23 "$work/single.ico" >"$work/image$image"  # past the 6-byte header, 1 entry
    image=$((image + 1))
done

sizes=(16 256 48 32 16)
depths=(24 32 32 32 32)
{
    le16 0 && le16 1 && le16 5  # reserved, type icon, image count
    offset=$((6 + 5 * 16))
    for i in 0 1 2 3 4; do
        length=$(stat -c %s "$work/image$((i + 1))")
        bytes $((sizes[i] & 255)) $((sizes[i] & 255)) 0 0  # 256 is written as 0
        le16 1 && le16 "${depths[i]}" && le32 "$length" && le32 "$offset"
        offset=$((offset + length))
    done
    cat "$work"/image{1,2,3,4,5}
} >lanhe-shutdown.ico

# The picture of the installer's finish page: the icon on white, in the 164x314 pixels the page
# gives it, as an uncompressed 8-bit bitmap.
convert -size 164x314 xc:white \( lanhe-shutdown-256.png -resize 128x128 \) -gravity north \
    -geometry +0+48 -composite -alpha off -type palette -compress none \
    BMP3:lanhe-shutdown-installer.bmp
