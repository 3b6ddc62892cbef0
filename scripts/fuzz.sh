#!/usr/bin/env bash
# Fuzzes the Conf.txt reader, its number parsing and the separator decoding
# with libFuzzer (clang, with AddressSanitizer, UBSan and LeakSanitizer).
#
#   scripts/fuzz.sh [SECONDS]      (default 60)
#
# Builds tests/fuzz into build/fuzz, starts from the seed corpus in
# tests/fuzz/corpus (only read; new inputs go to build/fuzz/found) and fuzzes
# for SECONDS. Exits non-zero on any crash, sanitizer report, leak or hang;
# the input that did it is left in build/fuzz/artifacts/ and can be replayed
# with build/fuzz/conf_fuzzer FILE. The whole log is build/fuzz/fuzz.log.
set -euo pipefail

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"

seconds=${1:-60}
build=build/fuzz
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j "$jobs"
mkdir -p "$build/found" "$build/artifacts"

# -timeout: an input that runs 10 s is a hang. The outer timeout catches a
# hang outside any input, and its exit code 124 fails the run as well.
rc=0
timeout --kill-after=10 $((seconds + 120)) "$build/conf_fuzzer" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -dict=tests/fuzz/conf.dict -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
    "$build/found" tests/fuzz/corpus >"$build/fuzz.log" 2>&1 || rc=$?

if [ "$rc" -ne 0 ]; then
    tail -n 80 "$build/fuzz.log" >&2
    echo "fuzz: FAILED (exit code $rc); the input is in $build/artifacts/" >&2
    exit "$rc"
fi
grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/fuzz.log" || true
echo "fuzz: no crash, leak or hang in $seconds s; corpus $(find "$build/found" -type f | wc -l) found + $(find tests/fuzz/corpus -type f | wc -l) seeds"
