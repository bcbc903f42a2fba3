#!/bin/sh
# Renders the 32 x 32, 16-colour window icon from the scalable drawing.
# The palette is fixed by hand: letting the quantiser choose merges the
# mother's yellow into the father's yellow-green at this size.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

set --
for colour in '#111922' '#18232f' '#34475c' '#26344a' '#f6cf1a' '#bce02e' '#ffe84a' \
    '#dde33c' '#8a7a20' '#6c8028' '#4d4a22' '#445324' '#c9b31e' '#9cb82a' '#ecd92f'; do
    set -- "$@" "xc:$colour"
done
# 15 opaque colours plus transparency for the rounded corners: 16 entries.
convert "$@" xc:none +append "$tmp/palette.png"

rsvg-convert -w 32 -h 32 "$here/kindrell.svg" -o "$tmp/raw.png"
convert "$tmp/raw.png" +dither -remap "$tmp/palette.png" -strip PNG8:"$here/icon32.png"
