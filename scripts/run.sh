#!/usr/bin/env bash
# Installs what is missing, builds gleaner.exe and starts it. On Windows-less
# Linux it runs under Wine: on your own display when $DISPLAY is set,
# otherwise on a private virtual display (see the note printed below).
# The program keeps Conf.txt beside the exe in build/windows/bin.
set -euo pipefail

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target gleaner

exe="$repo_dir/build/windows/bin/gleaner.exe"
launch='scripts/wine-japanese-fonts.sh && exec wine "$0"'

if [ -n "${DISPLAY:-}" ]; then
    GLEANER_USE_DISPLAY=1 exec scripts/wine-desktop.sh bash -c "$launch" "$exe"
fi

cat >&2 <<'NOTE'
No $DISPLAY: gleaner runs on a private virtual display (Xvfb) whose number
wine-desktop prints below. To look at it from another shell:
    import -display :<n> -window root /tmp/gleaner.png     # a screenshot
    apt-get install x11vnc && x11vnc -display :<n>          # or watch it live over VNC
Stop it with Ctrl+C here.
NOTE
exec scripts/wine-desktop.sh bash -c "$launch" "$exe"
