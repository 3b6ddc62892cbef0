#!/usr/bin/env bash
# The mutation run: breaks the host-built code on purpose, one plausible fault
# at a time, and tells whether the host tests noticed.
#
#   scripts/mutate.sh [--only TEXT] [--list FILE]
#
# Each fault in tests/mutations.txt is an exact edit of one file under src/:
#
#   ## capture: a repeat of the last copy collected again
#   in src/capture/capture_handler.cpp
#   -        if (text == state.LastCapturedText) continue;
#   +        if (false) continue;
#   survives: why no user would notice, or why no test here can reach it
#
# The "-" lines (without their dash) must stand exactly once in the file; they
# are replaced by the "+" lines (none: removed). The faults are applied to a
# copy of the tree in build/mutate, never to the working tree, so an
# interrupted run leaves nothing broken behind. Each is built with the host
# build's flags (sanitizers included), the host tests run with a time limit,
# and the line says "caught" with the first test that failed (a crash or a
# hang counts as caught), or "survived". Exits non-zero when a fault no longer
# applies or does not build, or fewer than 90 % are caught.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
list="$repo_dir/tests/mutations.txt"
only=""
while [ $# -gt 0 ]; do
    case "$1" in
        --only) only=$2; shift 2 ;;
        --list) list=$(realpath "$2"); shift 2 ;;
        *) echo "usage: scripts/mutate.sh [--only TEXT] [--list FILE]" >&2; exit 2 ;;
    esac
done

"$repo_dir/scripts/install-deps.sh"
work="$repo_dir/build/mutate"
tree="$work/tree"
build="$work/build"
jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$tree"

# The tree as it stands, uncommitted changes included; a file gone from it
# goes from the copy too, or the build would still compile it.
sources=$(cd "$repo_dir" && git ls-files -co --exclude-standard -- CMakeLists.txt cmake src tests)
printf '%s\n' "$sources" |
    (cd "$repo_dir" && while IFS= read -r f; do
        [ -f "$f" ] || continue
        mkdir -p "$tree/$(dirname -- "$f")"
        cmp -s "$f" "$tree/$f" || cp "$f" "$tree/$f"
    done)
(cd "$tree" && find . -type f | sed 's|^\./||' | { grep -vxF -f <(printf '%s\n' "$sources") || true; } | xargs -r rm -f --)

build_tests() { cmake --build "$build" --target gleaner_tests -j "$jobs" >"$work/build.log" 2>&1; }
# Prints the first test that failed, or nothing when all passed.
run_tests() {
    local rc=0
    timeout 300 "$build/tests/gleaner_tests" --gtest_brief=1 >"$work/test.log" 2>&1 || rc=$?
    [ "$rc" = 0 ] && return 0
    local first
    first=$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_./]*\).*/\1/p' "$work/test.log" | head -n 1)
    if [ -n "$first" ]; then echo "$first"
    elif [ "$rc" = 124 ]; then echo "(hung: stopped after 300 s)"
    else echo "(crashed: exit $rc)"
    fi
}

cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DGLEANER_SANITIZE=ON >"$work/configure.log" 2>&1 || {
    cat "$work/configure.log" >&2; exit 1
}
build_tests || { cat "$work/build.log" >&2; exit 1; }
if failed=$(run_tests) && [ -z "$failed" ]; then :; else
    echo "mutate: the unchanged tree fails its tests ($failed)" >&2; exit 1
fi

# Reads the list into parallel arrays, one entry a fault.
names=() files=() finds=() replaces=() reasons=()
flush() {
    [ -n "$name" ] || return 0
    names+=("$name") files+=("$file") finds+=("$find") replaces+=("$replace") reasons+=("$reason")
}
name="" file="" find="" replace="" reason=""
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        '## '*) flush; name=${line#'## '} file="" find="" replace="" reason="" ;;
        'in '*) file=${line#in } ;;
        -*) find+="${find:+$'\n'}${line#-}" ;;
        +*) replace+="${replace:+$'\n'}${line#+}" ;;
        'survives: '*) reason=${line#survives: } ;;
    esac
done <"$list"
flush

caught=0 survived=0 broken=0 total=0
for i in "${!names[@]}"; do
    [ -z "$only" ] || [[ "${names[$i]}" == *"$only"* ]] || continue
    total=$((total + 1))
    target="$tree/${files[$i]}"
    original=$(cat "$target"; printf x)
    original=${original%x}
    find=${finds[$i]}
    rest=${original#*"$find"}
    if [ -z "$find" ] || [ "$rest" = "$original" ] || [[ "$rest" == *"$find"* ]]; then
        printf 'BROKEN    %s: the "-" lines do not stand exactly once in %s\n' "${names[$i]}" "${files[$i]}"
        broken=$((broken + 1)); continue
    fi
    printf '%s' "${original/"$find"/"${replaces[$i]}"}" >"$target"
    if ! build_tests; then
        printf 'BROKEN    %s: does not build (%s)\n' "${names[$i]}" "$work/build.log"
        cp "$work/build.log" "$work/broken-$i.log"
        broken=$((broken + 1))
    elif failed=$(run_tests) && [ -z "$failed" ]; then
        survived=$((survived + 1))
        printf 'survived  %s\n' "${names[$i]}"
        [ -z "${reasons[$i]}" ] || printf '          (%s)\n' "${reasons[$i]}"
    else
        caught=$((caught + 1))
        printf 'caught    %s  <- %s\n' "${names[$i]}" "$failed"
    fi
    # A fresh time stamp, so that the next build compiles the original again.
    printf '%s' "$original" >"$target"
done
build_tests || true

[ "$total" -gt 0 ] || { echo "mutate: no fault matches" >&2; exit 1; }
printf '\n%d of %d faults caught (%d%%), %d survived, %d broken\n' \
    "$caught" "$total" $((100 * caught / total)) "$survived" "$broken"
[ "$broken" = 0 ] && [ $((100 * caught)) -ge $((90 * total)) ]
