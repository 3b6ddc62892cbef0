#!/usr/bin/env bash
# Fails when the program's logic keeps mutable state outside the one state
# object: a writable variable at namespace scope, or a function's static, in
# any object file of the host build of src/ (the Win32 glue, which is not
# built there, may keep what its C callbacks need). Run after the host build.
#
#   scripts/check-globals.sh [BUILD_DIR]      (default build/host)
set -euo pipefail
cd "$(dirname -- "${BASH_SOURCE[0]}")/.."
build=${1:-build/host}
objects=$(find "$build/src" -name '*.o' | sort)
[ -n "$objects" ] || { echo "check-globals: no objects under $build/src; build the host preset first" >&2; exit 2; }
found=0
for object in $objects; do
    # Writable data sections; .data.rel.ro is read-only once loaded. The
    # sanitizers' own bookkeeping and static-local guards are not ours.
    hits=$(objdump -t -C "$object" |
        grep -E ' O \.(data|bss|tdata|tbss)([.][^ ]*)?[[:space:]]' |
        grep -vE ' O \.data\.rel\.ro' |
        grep -vE '__asan|__odr_asan|\.LASAN|__ubsan|\.Lubsan|guard variable for|DW\.ref\.__gxx_personality' || true)
    if [ -n "$hits" ]; then
        found=1
        printf '%s:\n%s\n' "${object#"$build/src/CMakeFiles/"}" "$hits"
    fi
done
if [ "$found" = 1 ]; then
    echo "check-globals: mutable state outside the program's state object (above)" >&2
    exit 1
fi
echo "check-globals: no mutable variable outside the state object"
