#!/usr/bin/env bash
# Builds both builds from this tree and runs every test, headless:
#   host    - the logic's unit tests, natively, with AddressSanitizer and UBSan;
#   fuzzing - the Conf.txt reader under libFuzzer for a minute (scripts/fuzz.sh);
#   windows - the mingw-w64 cross build; the DLLs gleaner.exe imports (four
#             system DLLs, nothing else); its unit tests and Win32 tests run
#             under Wine on a private X display (scripts/wine-desktop.sh);
#             then the tray balloon once more in a second Wine prefix whose
#             desktop has 144 dots per inch.
# Installs what is missing first, so run it as root on a fresh machine.
# Exits non-zero when anything fails to build or any test fails.
set -euo pipefail

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"

jobs=$(nproc 2>/dev/null || echo 2)

step() { printf '\n=== %s\n' "$*"; }

step "installing what is missing"
scripts/install-deps.sh

host_rc=0
step "host build and tests"
{ cmake --preset host && cmake --build --preset host -j "$jobs" && ctest --preset host -j "$jobs"; } || host_rc=$?

if [ "$host_rc" = 0 ]; then
    # No test may lean on another's leftovers: the same tests again in one
    # process, in random orders (gtest prints each order's seed).
    step "host tests in shuffled orders"
    build/host/tests/gleaner_tests --gtest_shuffle --gtest_repeat=3 |
        grep -E 'seed|PASSED|FAILED\]' || host_rc=1
    step "no mutable state outside the program's state object"
    scripts/check-globals.sh || host_rc=1
fi

fuzz_rc=0
step "fuzzing the Conf.txt reader for 60 s"
scripts/fuzz.sh 60 || fuzz_rc=$?

# A DLL saved beside gleaner.exe under the name of one it imports is loaded
# before the program can say where DLLs come from: the import table names
# only kernel32, user32, gdi32 and msvcrt, which Windows always takes from
# System32 (known DLLs) and Wine from itself. The rest are loaded at run time
# from System32 only.
check_imports() {
    local exe=build/windows/bin/gleaner.exe imports
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    if [ "$imports" != "gdi32.dll kernel32.dll msvcrt.dll user32.dll " ]; then
        echo "test: $exe imports $imports- only gdi32, kernel32, msvcrt and user32 may be imported" >&2
        return 1
    fi
    echo "gleaner.exe imports: $imports"
}

# The two scenarios that copy 1,000 times 5 ms apart run up to five times
# until they pass. On a two-processor virtual machine a woken thread can wait
# tens of milliseconds for its processor (perf sched shows the watcher's
# thread queued on a virtual processor that sits idle meanwhile), and a copy
# replaced 5 ms later is gone before it is read; about one run in ten to
# twenty loses a copy so. A fault of gleaner's fails every run; the log keeps
# each failed run's output.
bursts='EndToEndRobust\.CollectsEveryCopyHoweverFast|EndToEndTray\.ShowsEachCopyInABalloon'

windows_rc=0
step "windows build, its import table, tests under Wine"
{
    cmake --preset windows &&
        cmake --build --preset windows -j "$jobs" &&
        check_imports &&
        scripts/wine-desktop.sh ctest --preset windows -E "$bursts" &&
        scripts/wine-desktop.sh ctest --preset windows -R "$bursts" --no-tests=error --repeat until-pass:5
} || windows_rc=$?

# Wine reads LogPixels when its server starts: the setting goes in with one
# start of the desktop, and the test runs in the next.
dpi_rc=0
step "the balloon at 144 DPI, in a second Wine prefix"
if [ "$windows_rc" = 0 ]; then
    dpi_prefix="$repo_dir/build/wineprefix-144dpi"
    {
        WINEPREFIX="$dpi_prefix" scripts/wine-desktop.sh \
            wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null &&
            WINEPREFIX="$dpi_prefix" GLEANER_AT_144_DPI=1 scripts/wine-desktop.sh \
                ctest --preset windows -R 'EndToEndTray\.AtHighDensity' --no-tests=error
    } || dpi_rc=$?
else
    dpi_rc=skipped
fi

step "summary"
scripts/count-lines.sh
printf 'host:    %s\n' "$([ "$host_rc" = 0 ] && echo passed || echo "FAILED ($host_rc)")"
printf 'fuzzing: %s\n' "$([ "$fuzz_rc" = 0 ] && echo passed || echo "FAILED ($fuzz_rc)")"
printf 'windows: %s\n' "$([ "$windows_rc" = 0 ] && echo passed || echo "FAILED ($windows_rc)")"
printf '144 DPI: %s\n' "$([ "$dpi_rc" = 0 ] && echo passed || echo "FAILED ($dpi_rc)")"
[ "$host_rc" = 0 ] && [ "$fuzz_rc" = 0 ] && [ "$windows_rc" = 0 ] && [ "$dpi_rc" = 0 ]
