#!/usr/bin/env bash
# Builds gleaner.exe, a minimal window program with one edit control and the
# idle benchmark (windows preset), and runs the benchmark on a private
# headless Windows desktop (scripts/wine-desktop.sh). It prints, for each
# program and each way of leaving it alone (its window in front; another
# application in front, the pointer on its window or elsewhere; gleaner in
# tray mode with nothing shown and with its balloon clicked open under the
# pointer), the processor time that it and the wineserver spend (the median
# of three stretches), beside the minimal program in the same state; then
# its resident memory beside the minimal program with and without gleaner's
# manifest, and its start-up time.
#
#   scripts/bench-idle.sh [--seconds N] [--starts N]     (default 10 s stretches, 5 starts; about 7 minutes)
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
