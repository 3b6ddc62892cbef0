#!/usr/bin/env bash
# Run a command on a headless Windows desktop.
#
#   scripts/wine-desktop.sh COMMAND [ARGS...]
#   scripts/wine-desktop.sh ctest --preset windows
#
# Starts a private X display (Xvfb) with openbox as window manager and one
# persistent wineserver, boots the Wine prefix, runs COMMAND in there, then
# stops exactly what it started (never anything it found running) and exits
# with COMMAND's exit code, or 125 when the desktop could not be set up.
#
# Why each piece:
#   - openbox: without a window manager, hiding or destroying a visible
#     top-level window blocks ~2 s under Wine and X keyboard input follows
#     the pointer.
#   - wineserver -p: one server that outlives the individual test programs,
#     so each .exe starts in ~0.1 s instead of ~1.2 s.
#   - no winedbg: a crashing program ends at once with a non-zero exit code
#     instead of waiting for a click on Wine's crash dialog.
#
# Environment:
#   WINEPREFIX           prefix to use (default: <repo>/build/wineprefix);
#                        created on first use, reused afterwards
#   GLEANER_USE_DISPLAY  set to 1 to run on the display in $DISPLAY instead
#                        of a private Xvfb, to watch the tests as they run
#   WINEDEBUG            default -all (which also silences the "wine32 is
#                        missing" hint of Debian's wine launcher)
#   WINEDLLOVERRIDES     default "mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
#   LANG, LC_ALL         a locale whose character set is not UTF-8 (none set
#                        at all, on a minimal Debian) becomes C.UTF-8: Wine
#                        names files in the locale's character set, and
#                        without UTF-8 it cannot create one with a Japanese
#                        name (the installer's Start-menu shortcut), while
#                        msiexec still reports success
#
# Two runs on the same prefix take turns (a lock file beside the prefix).
set -euo pipefail

readonly me=wine-desktop
repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)

say() { printf '%s: %s\n' "$me" "$*" >&2; }
die() { say "$*"; exit 125; }

if [ "$(LC_ALL="${LC_ALL:-}" locale charmap 2>/dev/null)" != UTF-8 ]; then
    unset LC_ALL LC_CTYPE
    export LANG=C.UTF-8
fi

if [ $# -eq 0 ] || [ "$1" = -h ] || [ "$1" = --help ]; then
    sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "${BASH_SOURCE[0]}" >&2
    exit 2
fi

for tool in Xvfb openbox xdpyinfo xprop wine wineserver flock timeout; do
    command -v "$tool" >/dev/null 2>&1 ||
        die "'$tool' not found; run scripts/install-deps.sh (as root) first"
done

# --- Wine settings ---------------------------------------------------------
export WINEPREFIX="${WINEPREFIX:-$repo_dir/build/wineprefix}"
case $WINEPREFIX in
    /*) ;;
    *) WINEPREFIX="$PWD/$WINEPREFIX" ;;   # wine insists on an absolute path
esac
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# - mscoree, mshtml: no Mono/Gecko download prompts.
# - winemenubuilder: no menu entries or file associations written to $HOME.
# - winedbg: a program that crashes ends at once with the exception code as
#   exit code (5 for an access violation). With winedbg it would wait for a
#   click on the crash dialog, and with that dialog turned off it ends with
#   exit code 0 in about one crash of three, which would pass a failed test.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d}"

# wineserver refuses to start without the prefix folder; wine itself then
# fills an empty folder on first start.
mkdir -p -- "$WINEPREFIX"

# --- One run per prefix at a time --------------------------------------------
# A second run on the same prefix waits here until the first has torn down,
# so one run's teardown never ends the other run's Wine programs. The lock
# lives on fd 9, which every program started below gets closed ("9>&-"):
# the persistent wineserver or a stray Wine process must never hold it.
exec 9>"${WINEPREFIX%/}.lock"
if ! flock -n 9; then
    say "another run is using $WINEPREFIX; waiting for it to finish"
    flock 9
fi

# --- Teardown ------------------------------------------------------------------
log_dir=$(mktemp -d "${TMPDIR:-/tmp}/wine-desktop.XXXXXX")
xvfb_pid=""
openbox_pid=""
our_wineserver=0

# Stop one process we started (a child of this shell): TERM, then KILL if it
# is still there after 5 s.
stop_pid() {
    local pid=$1
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 100); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
            return 0
        fi
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# shellcheck disable=SC2317  # reached through the EXIT trap
cleanup() {
    local rc=$?
    set +e
    if [ "$our_wineserver" = 1 ]; then
        # Ends every Wine process of this prefix, then the server itself;
        # -w waits until the server is really gone.
        wineserver -k >/dev/null 2>&1
        timeout 20 wineserver -w >/dev/null 2>&1 ||
            say "wineserver for $WINEPREFIX did not stop within 20 s"
    fi
    [ -z "$openbox_pid" ] || stop_pid "$openbox_pid"
    [ -z "$xvfb_pid" ] || stop_pid "$xvfb_pid"
    rm -rf -- "$log_dir"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Print a log of a helper that failed, then give up.
fail_with_log() {
    local what=$1 log=$2
    say "$what"
    if [ -s "$log" ]; then
        say "last lines of $(basename "$log"):"
        tail -n 30 "$log" >&2
    fi
    exit 125
}

started=$(date +%s.%N)

# --- X display -------------------------------------------------------------------
display_is_free() {
    [ ! -e "/tmp/.X11-unix/X$1" ] && [ ! -e "/tmp/.X$1-lock" ]
}

# Start Xvfb on the first free display from :99 up. Two runs starting at the
# same moment can pick the same number; the loser's Xvfb exits at once and we
# move on to the next number. The lock file names the PID of the winner.
# Xvfb and openbox run in their own session (setsid, which execs in place
# here, so $! stays their PID): a Ctrl+C meant for the command must not take
# the display away under the Wine programs; the teardown stops them.
start_xvfb() {
    local n tries=0
    for n in $(seq 99 299); do
        display_is_free "$n" || continue
        tries=$((tries + 1))
        [ "$tries" -le 5 ] || break
        setsid Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset \
            </dev/null >"$log_dir/xvfb.log" 2>&1 9>&- &
        xvfb_pid=$!
        for _ in $(seq 100); do   # up to 10 s
            if ! kill -0 "$xvfb_pid" 2>/dev/null; then
                wait "$xvfb_pid" 2>/dev/null || true
                xvfb_pid=""
                break
            fi
            if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
                [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb_pid" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        if [ -n "$xvfb_pid" ]; then   # alive but never answered
            stop_pid "$xvfb_pid"
            xvfb_pid=""
        fi
    done
    fail_with_log "could not start Xvfb" "$log_dir/xvfb.log"
}

start_openbox() {
    setsid openbox --sm-disable </dev/null >"$log_dir/openbox.log" 2>&1 9>&- &
    openbox_pid=$!
    # openbox is in charge once it has set _NET_SUPPORTING_WM_CHECK on the root.
    for _ in $(seq 100); do   # up to 10 s
        kill -0 "$openbox_pid" 2>/dev/null ||
            fail_with_log "openbox exited during start-up" "$log_dir/openbox.log"
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        sleep 0.1
    done
    fail_with_log "openbox did not take over the display within 10 s" "$log_dir/openbox.log"
}

if [ "${GLEANER_USE_DISPLAY:-}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    xdpyinfo >/dev/null 2>&1 || die "GLEANER_USE_DISPLAY=1 but display '$DISPLAY' does not answer"
    where="the existing display $DISPLAY"
else
    [ "${GLEANER_USE_DISPLAY:-}" != 1 ] || say "GLEANER_USE_DISPLAY=1 but DISPLAY is not set; using Xvfb"
    start_xvfb
    start_openbox
    where="Xvfb $DISPLAY"
fi

# --- Wine ----------------------------------------------------------------------------
# The persistent server goes first: started after wineboot it would find
# wineboot's short-lived server and give up (exit code 2).
set +e
wineserver -p </dev/null >"$log_dir/wineserver.log" 2>&1 9>&-
ws_rc=$?
set -e
case $ws_rc in
    0) our_wineserver=1 ;;
    2) die "a wineserver is already running for $WINEPREFIX and it was not started here;" \
           "stop it with 'WINEPREFIX=$WINEPREFIX wineserver -k' or use another WINEPREFIX" ;;
    *) fail_with_log "wineserver -p failed (exit code $ws_rc)" "$log_dir/wineserver.log" ;;
esac

# Boot the prefix. The first Wine program on a new server runs
# "wineboot --init" itself (creating or updating the prefix, starting the
# services) and waits until that is done, so a plain "wine wineboot" is the
# whole boot and returns when the prefix is ready, fresh or not. Not
# "wineboot -i": on an existing prefix that runs the init a second time, with
# a second services.exe, and the first window of the next program then hangs
# for ~3 s on "Failed to start RpcSs service".
wine wineboot </dev/null >"$log_dir/wineboot.log" 2>&1 9>&- ||
    fail_with_log "wine wineboot failed" "$log_dir/wineboot.log"
if grep -q 'boot event wait timed out' "$log_dir/wineboot.log"; then
    fail_with_log "the Wine prefix did not finish booting" "$log_dir/wineboot.log"
fi

say "$(awk -v t0="$started" -v t1="$(date +%s.%N)" -v where="$where" -v pfx="$WINEPREFIX" \
    'BEGIN { printf "%s, prefix %s, ready in %.1f s", where, pfx, t1 - t0 }')"

# --- The command -----------------------------------------------------------------------
# Run it in the background and wait, so that a TERM, INT or HUP sent to this
# script reaches the command at once instead of only after it has finished;
# the teardown follows when it has exited. Bash starts background commands
# with /dev/null as input and with Ctrl+C (INT, QUIT) ignored: "<&0" keeps
# our input, and env puts Ctrl+C back, for the command and all it starts.
env --default-signal=INT,QUIT -- "$@" <&0 9>&- &
cmd_pid=$!
for sig in TERM INT HUP; do
    # shellcheck disable=SC2064  # the signal and PID are meant to expand now
    trap "kill -$sig $cmd_pid 2>/dev/null || true" "$sig"
done
# wait also returns early when a signal arrives: wait again until the
# command is gone, then once more for its own exit code.
while kill -0 "$cmd_pid" 2>/dev/null; do
    wait "$cmd_pid" || true
done
set +e
wait "$cmd_pid"
rc=$?
set -e
exit "$rc"
