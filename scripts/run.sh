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
# A Wine program with windows ignores Ctrl+C (SIGINT), so gleaner.exe runs in
# the background of a small shell that catches Ctrl+C (and TERM, HUP) and
# ends it the way Windows does at log-off: WM_ENDSESSION, on which gleaner
# keeps its window's place in Conf.txt and quits. SIGTERM, which ends a Wine
# process at once, follows if it is still there 5 s later.
# shellcheck disable=SC2016  # expanded by the bash that runs it
launch='
scripts/wine-japanese-fonts.sh || exit
wine "$0" &
gleaner=$!
stop() {
    trap "" INT TERM HUP
    timeout 20 wine wineboot --end-session >/dev/null 2>&1 </dev/null
    for _ in $(seq 50); do
        kill -0 "$gleaner" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -TERM "$gleaner" 2>/dev/null
}
trap stop INT TERM HUP
while kill -0 "$gleaner" 2>/dev/null; do wait "$gleaner"; done
wait "$gleaner"
'

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
