#!/usr/bin/env bash
# How ctest runs a test program of the windows build: through Wine.
#
# Wine's loader sometimes aborts while the process is already ending
# ("Inconsistency detected by ld.so: dl-fini.c ..."), after the test program
# has printed its verdict. Only that case is judged by the printed verdict;
# every other non-zero exit stays a failure.
set -uo pipefail
log=$(mktemp "${TMPDIR:-/tmp}/wine-test.XXXXXX")
trap 'rm -f -- "$log"' EXIT
wine "$@" 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
if [ "$rc" -ne 0 ] &&
    grep -q 'Inconsistency detected by ld.so' "$log" &&
    grep -q '^\[  PASSED  \]' "$log" &&
    ! grep -q '^\[  FAILED  \]' "$log"; then
    echo "wine-test-runner: Wine aborted after the program passed (exit $rc); counted as passed" >&2
    rc=0
fi
exit "$rc"
