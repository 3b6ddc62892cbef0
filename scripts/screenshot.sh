#!/usr/bin/env bash
# Takes docs/main-window.png: gleaner under Wine after three copies made in
# Wine's notepad. Needs a built windows preset (scripts/test.sh or run.sh).
set -euo pipefail
repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"
[ -x build/windows/bin/gleaner.exe ] || { echo "build the windows preset first" >&2; exit 1; }
mkdir -p docs
exec scripts/wine-desktop.sh bash -c '
set -euo pipefail
scripts/wine-japanese-fonts.sh
work=$(mktemp -d)
cp build/windows/bin/gleaner.exe "$work/"
wine "$work/gleaner.exe" & gleaner=$!
wine notepad & notepad=$!
trap "kill $gleaner $notepad 2>/dev/null; rm -rf -- \"$work\"" EXIT
for i in $(seq 100); do
    main=$(xdotool search --name "Ver0.76" 2>/dev/null | head -1 || true)
    pad=$(xdotool search --name "Notepad" 2>/dev/null | head -1 || true)
    [ -n "$main" ] && [ -n "$pad" ] && break
    sleep 0.1
done
xdotool windowmove "$main" 40 40
xdotool windowsize "$pad" 500 300
xdotool windowmove "$pad" 900 500
xdotool windowactivate --sync "$pad"
sleep 0.5
for text in "東京都千代田区丸の内1-1" "ID-20261206-0042" "Quote: gather, then paste once."; do
    printf "%s" "$text" | xclip -selection clipboard
    sleep 0.7
done
xdotool mousemove 5 5
sleep 0.5
import -window root /tmp/gleaner-root.png
# The window sits alone near the top left corner of a black root window:
# trimming the black away leaves the window, frame and all.
convert /tmp/gleaner-root.png -crop 800x450+0+0 +repage -trim +repage docs/main-window.png
'
