#!/usr/bin/env bash
# Try the README's two commands on a fresh, minimal Debian 12, as a new user
# would. Not part of CI: it downloads a Debian base system and every package
# the build needs, which takes a while.
#
#   scripts/fresh-machine-check.sh [OPTIONS] [DIR]
#
# As root:
#   1. debootstrap --variant=minbase bookworm into DIR
#      (default: <repo>/build/fresh-machine);
#   2. bind /proc, /sys, /dev and /dev/pts into it;
#   3. copy the repository's committed tree (git archive HEAD, so no build/
#      folder and no uncommitted changes) to /root/gleaner in there;
#   4. run ./scripts/test.sh in there;
#   5. start ./scripts/run.sh in there in the background, check that
#      gleaner.exe's main window comes up on the virtual display and that it
#      is still running some seconds later, then stop it as a user would
#      (Ctrl+C, i.e. SIGINT to its process group): everything it started
#      must be gone and gleaner must have written its Conf.txt on the way out;
#   6. check that scripts/install-deps.sh now does nothing and says nothing;
#   7. print each step's result and time, stop anything still running inside
#      DIR, unmount what it mounted (also on failure or Ctrl+C).
# Exits non-zero when any step fails. DIR is kept for a look afterwards;
# logs go to DIR-logs/.
#
# Options:
#   --reuse            reuse the Debian in DIR when an earlier run made it
#                      (skips debootstrap; the packages stay installed, the
#                      repository copy is still a fresh one). Without it an
#                      existing DIR made by this script is removed first.
#   --run-only         skip step 4 (./scripts/run.sh alone installs and builds
#                      what it needs too)
#   --mirror URL       Debian mirror (default: the one this machine's apt
#                      sources name for Debian, else debootstrap's own)
#   --run-seconds N    how long gleaner must stay up (default 10)
#   --start-timeout N  seconds allowed for run.sh to show the window
#                      (default 300: it still builds and boots Wine first)
#
# Installs debootstrap on the host when it is missing.
set -euo pipefail

readonly me=fresh-machine-check
repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)

say() { printf '%s: %s\n' "$me" "$*" >&2; }
die() { say "$*"; exit 2; }
# The Debian mirror this machine's apt sources name (one-line or deb822
# form); nothing when they name none, and debootstrap takes its own.
host_mirror() {
    local files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
    cat -- "${files[@]}" 2>/dev/null |
        sed -nE 's/^deb( \[[^]]*\])? +([^ ]+) +bookworm( .*)? main.*/\2/p; s/^URIs: *([^ ]+).*/\1/p' |
        grep -v -e security -e '^file:' | head -n 1 || true
}
usage() { sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "${BASH_SOURCE[0]}" >&2; exit 2; }

reuse=0
run_only=0
mirror=""
run_seconds=10
start_timeout=300
dir=""
while [ $# -gt 0 ]; do
    case $1 in
        --reuse) reuse=1 ;;
        --run-only) run_only=1 ;;
        --mirror) [ $# -ge 2 ] || usage; mirror=$2; shift ;;
        --run-seconds) [ $# -ge 2 ] || usage; run_seconds=$2; shift ;;
        --start-timeout) [ $# -ge 2 ] || usage; start_timeout=$2; shift ;;
        -h | --help) usage ;;
        -*) say "unknown option $1"; usage ;;
        *) [ -z "$dir" ] || usage; dir=$1 ;;
    esac
    shift
done
case $run_seconds$start_timeout in *[!0-9]*) die "--run-seconds and --start-timeout take whole seconds" ;; esac

[ "$(id -u)" -eq 0 ] || die "run as root (debootstrap, mount and chroot need it)"
command -v git >/dev/null || die "git not found"
git -C "$repo_dir" rev-parse --verify -q HEAD >/dev/null || die "$repo_dir is not a git checkout with a commit"

dir=${dir:-$repo_dir/build/fresh-machine}
mkdir -p -- "$(dirname -- "$dir")"
dir=$(realpath -m -- "$dir")
case $dir in
    / | /proc* | /sys* | /dev* | /run* | /boot* | /etc* | /usr* | /bin* | /sbin* | /lib*)
        die "refusing to use $dir" ;;
    *[[:space:]]*) die "DIR must not contain white space: $dir" ;;
esac
logs="$dir-logs"
marker="$dir/.gleaner-fresh-machine"
readonly chroot_env=(env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash TERM="${TERM:-dumb}"
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)

# --- Bookkeeping: steps, times, results ----------------------------------------
started=$(date +%s)
step_names=()
step_results=()
step_times=()
step_t0=0
current_step=""
begin_step() {
    current_step=$1
    step_t0=$(date +%s)
    printf '\n=== %s: %s\n' "$me" "$1" >&2
}
end_step() {   # end_step RESULT
    step_names+=("$current_step")
    step_results+=("$1")
    step_times+=("$(($(date +%s) - step_t0))")
    current_step=""
}
fmt_time() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# --- What we mounted and started --------------------------------------------------
mounted=()
run_pid=""

is_mounted_under() {   # prints the mount points at or under $1
    awk -v d="$1" '$2 == d || index($2, d "/") == 1 { print $2 }' /proc/self/mounts
}

# PIDs of every process whose root directory is DIR: all of them were started
# by this script (nothing else runs in a chroot it has just made).
chroot_pids() {
    local p root
    for p in /proc/[0-9]*; do
        root=$(readlink "$p/root" 2>/dev/null) || continue
        [ "$root" = "$dir" ] && printf '%s\n' "${p#/proc/}"
    done
    return 0
}

# Stop what still runs inside DIR: TERM, then KILL after 10 s. Prints what
# it found, so a leftover is visible.
stop_chroot_processes() {
    local pids pid
    pids=$(chroot_pids)
    [ -n "$pids" ] || return 0
    say "still running inside $dir:"
    for pid in $pids; do
        printf '  %s %s\n' "$pid" "$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | cut -c1-120)" >&2
    done
    for pid in $pids; do kill -TERM "$pid" 2>/dev/null || true; done
    for _ in $(seq 100); do
        [ -n "$(chroot_pids)" ] || return 0
        sleep 0.1
    done
    for pid in $(chroot_pids); do kill -KILL "$pid" 2>/dev/null || true; done
    sleep 0.5
}

unmount_all() {
    local i m
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        m=${mounted[i]}
        umount -- "$m" 2>/dev/null || {
            sleep 1
            umount -- "$m" 2>/dev/null || {
                say "$m busy; detaching it lazily"
                umount -l -- "$m" || say "could not unmount $m"
            }
        }
    done
    mounted=()
}

summary() {
    local i total=$(($(date +%s) - started))
    printf '\n=== %s: summary (%s, commit %s)\n' "$me" "$dir" \
        "$(git -C "$repo_dir" rev-parse --short HEAD)" >&2
    for i in "${!step_names[@]}"; do
        printf '  %-52s %-8s %s\n' "${step_names[i]}" "${step_results[i]}" \
            "$(fmt_time "${step_times[i]}")" >&2
    done
    printf '  %-52s %-8s %s\n' total "$1" "$(fmt_time "$total")" >&2
    printf '  load: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)" >&2
    printf '  logs: %s\n' "$logs" >&2
}

# shellcheck disable=SC2317  # reached through the EXIT trap
cleanup() {
    local rc=$?
    set +e
    trap - INT TERM HUP
    [ -z "$current_step" ] || end_step "FAILED"
    if [ -n "$run_pid" ] && kill -0 "$run_pid" 2>/dev/null; then
        kill -INT -- "-$run_pid" 2>/dev/null
        for _ in $(seq 300); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
    fi
    stop_chroot_processes
    unmount_all
    local left
    left=$(is_mounted_under "$dir")
    [ -z "$left" ] || say "still mounted under $dir (not by this run?): $left"
    summary "$([ "$rc" = 0 ] && echo passed || echo FAILED)"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

fail() { say "$*"; exit 1; }

# --- 0. The host: debootstrap ------------------------------------------------------
if ! command -v debootstrap >/dev/null 2>&1; then
    begin_step "host: installing debootstrap"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
    end_step passed
fi
[ -z "$(is_mounted_under "$dir")" ] ||
    die "something is mounted under $dir; unmount it first: $(is_mounted_under "$dir" | tr '\n' ' ')"
[ -z "$(chroot_pids)" ] ||
    die "processes of an earlier run still live inside $dir (PIDs $(chroot_pids | tr '\n' ' ')); stop them first"
mkdir -p -- "$logs"

# --- 1. A fresh minimal Debian 12 ------------------------------------------------------
if [ "$reuse" = 1 ] && grep -qx complete "$marker" 2>/dev/null; then
    say "reusing the Debian in $dir (--reuse)"
else
    if [ -e "$dir" ] && [ -n "$(ls -A -- "$dir")" ]; then
        [ -f "$marker" ] || die "$dir exists and was not made by this script; give another DIR"
        say "removing the earlier $dir"
        rm -rf --one-file-system -- "$dir"
    fi
    mkdir -p -- "$dir"
    echo incomplete >"$marker"
    [ -n "$mirror" ] || mirror=$(host_mirror)
    begin_step "debootstrap --variant=minbase bookworm${mirror:+ from $mirror}"
    debootstrap --variant=minbase bookworm "$dir" ${mirror:+"$mirror"} >"$logs/debootstrap.log" 2>&1 || {
        tail -n 20 "$logs/debootstrap.log" >&2
        fail "debootstrap failed; see $logs/debootstrap.log"
    }
    echo complete >"$marker"
    end_step passed
fi
[ -s "$dir/etc/resolv.conf" ] || cp /etc/resolv.conf "$dir/etc/resolv.conf"

# --- 2. The host's /proc, /sys, /dev and /dev/pts --------------------------------------
for m in proc sys dev dev/pts; do
    mkdir -p -- "$dir/$m"
    mount --bind "/$m" "$dir/$m"
    mounted+=("$dir/$m")
done

# --- 3. The repository, as committed ---------------------------------------------------
commit=$(git -C "$repo_dir" rev-parse HEAD)
[ -z "$(git -C "$repo_dir" status --porcelain --untracked-files=no)" ] ||
    say "note: uncommitted changes in $repo_dir are not part of the check"
rm -rf --one-file-system -- "$dir/root/gleaner"
mkdir -p -- "$dir/root/gleaner"
git -C "$repo_dir" archive --format=tar "$commit" | tar -x -C "$dir/root/gleaner"
say "copied commit $commit to $dir/root/gleaner"

in_chroot() {   # in_chroot COMMAND...: run in /root/gleaner inside DIR, clean environment
    chroot "$dir" "${chroot_env[@]}" /bin/bash -c 'cd /root/gleaner && exec "$@"' bash "$@"
}

# --- 4. The test command ------------------------------------------------------------------
if [ "$run_only" = 0 ]; then
    begin_step "./scripts/test.sh"
    # In the background, so that a TERM sent to this script is handled at
    # once rather than after the tests; env gives it Ctrl+C back, which bash
    # takes away from background commands.
    # shellcheck disable=SC2016  # expanded by the bash started here
    env --default-signal=INT,QUIT -- bash -c 'set -o pipefail; "$@" 2>&1 | tee -- "$0"' "$logs/test.log" \
        chroot "$dir" "${chroot_env[@]}" /bin/bash -c 'cd /root/gleaner && exec ./scripts/test.sh' &
    test_pid=$!
    while kill -0 "$test_pid" 2>/dev/null; do wait "$test_pid" || true; done
    set +e
    wait "$test_pid"
    test_rc=$?
    set -e
    if [ "$test_rc" -ne 0 ]; then
        fail "./scripts/test.sh failed (exit code $test_rc); see $logs/test.log"
    fi
    end_step passed
    grep -E '% tests passed' "$logs/test.log" >&2 || true
fi

# --- 5. The run command, briefly ------------------------------------------------------------
begin_step "./scripts/run.sh (window up, still up after ${run_seconds} s)"
conf="$dir/root/gleaner/build/windows/bin/Conf.txt"
rm -f -- "$conf"
# Its own session and process group (setsid execs in place: $! is its PID),
# so that stopping it is a Ctrl+C to exactly that group.
setsid chroot "$dir" "${chroot_env[@]}" /bin/bash -c 'cd /root/gleaner && exec ./scripts/run.sh' \
    </dev/null >"$logs/run.log" 2>&1 &
run_pid=$!
# setsid forks instead when it is already a process group leader (a shell
# with job control): then $! would not name the group.
own_group=0
for _ in $(seq 100); do   # up to 5 s
    if [ "$(awk '{ print $5 }' "/proc/$run_pid/stat" 2>/dev/null)" = "$run_pid" ]; then
        own_group=1
        break
    fi
    sleep 0.05
done
[ "$own_group" = 1 ] || fail "could not start ./scripts/run.sh in a process group of its own"

# Wine names an X window's class after the exe; of gleaner.exe's visible
# windows the main one is titled "ぐりーなー！ Ver<version>".
find_main_window() {
    # shellcheck disable=SC2016  # expanded by the bash inside
    chroot "$dir" env -i DISPLAY="$x_display" PATH=/usr/bin:/bin /bin/bash -c '
        for w in $(timeout 10 xdotool search --onlyvisible --class "^gleaner\.exe$" 2>/dev/null); do
            case $(timeout 10 xdotool getwindowname "$w" 2>/dev/null) in
                *" Ver"[0-9]*) echo "$w"; exit 0 ;;
            esac
        done' || true
}

x_display=""
window=""
deadline=$(($(date +%s) + start_timeout))
while [ "$(date +%s)" -lt "$deadline" ]; do
    kill -0 "$run_pid" 2>/dev/null || { tail -n 30 "$logs/run.log" >&2; fail "./scripts/run.sh ended on its own"; }
    if [ -z "$x_display" ]; then
        x_display=$(sed -n 's/^wine-desktop: Xvfb \(:[0-9][0-9]*\),.*/\1/p' "$logs/run.log" | head -n 1)
    fi
    if [ -n "$x_display" ]; then
        window=$(find_main_window)
        [ -z "$window" ] || break
    fi
    sleep 1
done
[ -n "$window" ] || { tail -n 30 "$logs/run.log" >&2; fail "no gleaner window within $start_timeout s"; }
window_name() {
    chroot "$dir" env -i DISPLAY="$x_display" PATH=/usr/bin:/bin \
        timeout 10 xdotool getwindowname "$1" 2>/dev/null
}
say "gleaner's window \"$(window_name "$window")\" is up on $x_display after $(($(date +%s) - step_t0)) s"
sleep "$run_seconds"
kill -0 "$run_pid" 2>/dev/null || { tail -n 30 "$logs/run.log" >&2; fail "./scripts/run.sh ended within $run_seconds s"; }
window_name "$window" >/dev/null || fail "gleaner's window went away within $run_seconds s"
say "still up after $run_seconds s; stopping it with Ctrl+C (SIGINT to its process group)"
kill -INT -- "-$run_pid"
stopped=0
for _ in $(seq 600); do   # up to 60 s
    if ! kill -0 "$run_pid" 2>/dev/null; then stopped=1; break; fi
    sleep 0.1
done
set +e
wait "$run_pid" 2>/dev/null
set -e
run_pid_was=$run_pid
[ "$stopped" = 1 ] || fail "./scripts/run.sh (PID $run_pid_was) did not stop within 60 s of Ctrl+C"
run_pid=""
sleep 1
leftovers=$(chroot_pids)
if [ -n "$leftovers" ]; then
    stop_chroot_processes
    fail "./scripts/run.sh left processes running after Ctrl+C"
fi
# gleaner writes Conf.txt when it ends properly, not when it is killed.
[ -s "$conf" ] || fail "gleaner did not end properly on Ctrl+C: no Conf.txt written"
say "Ctrl+C stopped it and all it started; gleaner wrote Conf.txt on its way out"
end_step passed

# --- 6. Once everything is installed, install-deps.sh must do nothing and say nothing.
begin_step "./scripts/install-deps.sh again: nothing to do"
deps_out=$(in_chroot ./scripts/install-deps.sh 2>&1) || fail "install-deps.sh failed: $deps_out"
[ -z "$deps_out" ] || fail "install-deps.sh still had something to do: $deps_out"
end_step passed
