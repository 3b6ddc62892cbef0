#!/usr/bin/env bash
# Builds gleaner.exe and the capture benchmark (windows preset) and runs the
# benchmark on a private headless Windows desktop (scripts/wine-desktop.sh),
# printing its figures: milliseconds per capture at collections of 10,000,
# 100,000 and 1,000,000 characters, for gleaner and for a baseline collector
# that re-sets the whole text (and the same collector appending).
#
#   scripts/bench.sh            the full run, a few minutes on 2 cores
#   scripts/bench.sh --quick    a smoke run with a handful of captures
#
# The figures are for reading, not for asserting: they move with the load on
# the machine. Run it when nothing else is busy.
#
# Environment:
#   WINEPREFIX   the Wine prefix (default: <repo>/build/wineprefix-bench, its
#                own, so a test run on the default prefix neither waits for it
#                nor shares its fonts)
set -euo pipefail

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"

started=$(date +%s)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc 2>/dev/null || echo 2)" --target gleaner gleaner_capture_bench

export WINEPREFIX="${WINEPREFIX:-$repo_dir/build/wineprefix-bench}"
bench="$repo_dir/build/windows/bench/gleaner_capture_bench.exe"
# The Japanese font names gleaner asks for map to the IPA fonts, as when it
# is run by scripts/run.sh; the baseline collector asks for the same font.
launch='scripts/wine-japanese-fonts.sh && exec wine "$@"'
rc=0
scripts/wine-desktop.sh bash -c "$launch" bash "$bench" "$@" || rc=$?
printf 'scripts/bench.sh: %d s in all (build, desktop, benchmark)\n' "$(($(date +%s) - started))" >&2
exit "$rc"
