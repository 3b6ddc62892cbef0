#!/usr/bin/env bash
# Draws the application icon (a green leaf-shaped badge holding three
# "gathered" lines) and writes src/resources/gleaner.ico, and the icon of
# paused collecting (a grey disc, another outline, holding the two bars of a
# pause) as src/resources/gleaner-paused.ico. Run by hand when the design
# changes; the .ico files are committed so builds need no ImageMagick.
set -euo pipefail
repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
for size in 16 32 48 256; do
    s=$((size))
    r=$((s / 6))
    convert -size "${s}x${s}" xc:none \
        -fill '#2e8b57' -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \
        -fill '#e8fff0' \
        -draw "rectangle $((s * 3 / 16)),$((s * 4 / 16)) $((s * 13 / 16)),$((s * 5 / 16))" \
        -draw "rectangle $((s * 3 / 16)),$((s * 7 / 16)) $((s * 11 / 16)),$((s * 8 / 16))" \
        -draw "rectangle $((s * 3 / 16)),$((s * 10 / 16)) $((s * 9 / 16)),$((s * 11 / 16))" \
        -fill '#ffd700' -draw "circle $((s * 12 / 16)),$((s * 12 / 16)) $((s * 14 / 16)),$((s * 12 / 16))" \
        "$work/icon-$s.png"
done
convert "$work"/icon-16.png "$work"/icon-32.png "$work"/icon-48.png "$work"/icon-256.png \
    "$repo_dir/src/resources/gleaner.ico"
for size in 16 32 48 256; do
    s=$((size))
    convert -size "${s}x${s}" xc:none \
        -fill '#6b6b6b' -draw "circle $((s / 2)),$((s / 2)) $((s / 2)),0" \
        -fill '#ffffff' \
        -draw "rectangle $((s * 5 / 16)),$((s * 4 / 16)) $((s * 7 / 16)),$((s * 12 / 16))" \
        -draw "rectangle $((s * 9 / 16)),$((s * 4 / 16)) $((s * 11 / 16)),$((s * 12 / 16))" \
        "$work/paused-$s.png"
done
convert "$work"/paused-16.png "$work"/paused-32.png "$work"/paused-48.png "$work"/paused-256.png \
    "$repo_dir/src/resources/gleaner-paused.ico"
