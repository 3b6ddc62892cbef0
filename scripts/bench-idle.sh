#!/usr/bin/env bash
# Builds gleaner.exe, a minimal window program with one edit control and the
# idle benchmark (windows preset), and runs the benchmark on a private
# headless Windows desktop (scripts/wine-desktop.sh). It prints, for each
# program, the processor time that it and the wineserver spend while it
# idles with another application in front (gleaner in window and in tray
# mode), its resident memory and its start-up time, with the ratios to the
# minimal program.
#
#   scripts/bench-idle.sh [--seconds N] [--starts N]     (default 20 s, 5 starts; about 3 minutes)
#
# The figures are for reading, not for asserting: they move with whatever
# else the machine does. Run it when nothing else is busy.
#
# Environment:
#   WINEPREFIX   the Wine prefix (default: <repo>/build/wineprefix-bench, the
#                capture benchmark's, with the Japanese fonts mapped as when
#                gleaner is run by scripts/run.sh)
set -euo pipefail

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target gleaner gleaner_idle_bench

export WINEPREFIX="${WINEPREFIX:-$repo_dir/build/wineprefix-bench}"
bench="$repo_dir/build/windows/bench/gleaner_idle_bench.exe"
launch='scripts/wine-japanese-fonts.sh && exec wine "$@"'
scripts/wine-desktop.sh bash -c "$launch" bash "$bench" "$@"
