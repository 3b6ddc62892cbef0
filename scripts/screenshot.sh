#!/usr/bin/env bash
# Takes the README's pictures under Wine, with copies made while Wine's
# notepad is in front, in Japanese and again in English (the -en pictures):
#   docs/main-window.png  gleaner's window after three copies;
#   docs/settings-dialog.png  the settings dialog, tray mode ticked;
#   docs/ignored-programs.png the ignored programs' dialog with two names;
#   docs/balloon.png      tray mode: the balloon beside notepad after them;
#   docs/help-window.png  the legend that the balloon's help icon opens.
# Needs a built windows preset (scripts/test.sh or run.sh).
set -euo pipefail
repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"
[ -x build/windows/bin/gleaner.exe ] || { echo "build the windows preset first" >&2; exit 1; }
mkdir -p docs
exec scripts/wine-desktop.sh bash -c '
set -euo pipefail
scripts/wine-japanese-fonts.sh
work=$(mktemp -d)
pids=()
trap "kill \${pids[*]} 2>/dev/null; rm -rf -- \"$work\"" EXIT
cp build/windows/bin/gleaner.exe "$work/"

wait_for() { for _ in $(seq 100); do xdotool search --name "$1" 2>/dev/null | head -1 && return; sleep 0.1; done; }
copy_three() {
    for text in "東京都千代田区丸の内1-1" "ID-20261206-0042" "Quote: gather, then paste once."; do
        printf "%s" "$text" | xclip -selection clipboard
        sleep 0.7
    done
}
shoot() { sleep 0.5; import -window root /tmp/gleaner-root.png; convert /tmp/gleaner-root.png "$@"; }

wine notepad & pids+=($!)
pad=$(wait_for Notepad)
sleep 0.5
xdotool windowsize "$pad" 500 300

# $1: the language gleaner.ini chooses; $2: the end of the pictures names.
pictures() {
rm -f "$work/Conf.txt"
printf "language = %s\r\nkeep collection = no\r\n" "$1" > "$work/gleaner.ini"   # no collection from the run before

# Window mode. The window sits alone near the top left corner of a black
# root window: trimming the black away leaves the window, frame and all.
wine "$work/gleaner.exe" & gleaner=$!; pids+=($gleaner)
main=$(wait_for Ver0.76)
xdotool windowmove "$main" 40 40
xdotool windowmove "$pad" 900 500
xdotool windowactivate --sync "$pad"
sleep 0.5
copy_three
xdotool mousemove 5 5
shoot -crop 800x450+0+0 +repage -trim +repage docs/main-window$2.png

# The settings dialog from the menu bar, centred on the screen. Its first
# control, the tray box, has the keyboard: ticked, the dialog shows it all.
xdotool windowmove "$pad" 1300 700
xdotool windowactivate --sync "$main" key F10 Return
sleep 1
xdotool key space
xdotool mousemove 5 5
shoot -crop 400x520+760+280 +repage -trim +repage docs/settings-dialog$2.png
xdotool key Escape                                  # the close box: nothing kept
sleep 0.5

# The dialog of the ignored programs, fifth on the menu bar, centred too.
xdotool windowactivate --sync "$main" key F10 Right Right Right Right Return
sleep 1
xdotool type --delay 30 "KeePass.exe"
xdotool key Return
xdotool type --delay 30 "mstsc.exe"
xdotool mousemove 5 5
shoot -crop 560x440+680+320 +repage -trim +repage docs/ignored-programs$2.png
xdotool key Escape                                  # nothing kept
sleep 0.5
xdotool windowmove "$pad" 900 500
xdotool windowactivate --sync "$main" key alt+F4   # closed as a person closes it
wait "$gleaner" 2>/dev/null || true

# Tray mode, the balloon at the pointer just right of notepad; it stays a
# minute, long enough for both pictures.
xdotool windowmove "$pad" 300 300
printf "task tray = 1\r\ncustom msg = 0\r\ntime auto close = 60\r\ndisp pos = ポインタ\r\n" |
    iconv -f UTF-8 -t CP932 > "$work/Conf.txt"
wine "$work/gleaner.exe" & gleaner=$!; pids+=($gleaner)
sleep 2
xdotool windowactivate --sync "$pad"
xdotool type --delay 30 "Copied here, collected there."
xdotool mousemove 1120 560
copy_three
shoot -crop 860x340+280+280 +repage docs/balloon$2.png
xdotool mousemove 1105 450 sleep 0.2 mousemove 1110 455   # over the help icon
shoot -crop 380x290+760+290 +repage docs/help-window$2.png
kill "$gleaner"; wait "$gleaner" 2>/dev/null || true
sleep 1
}
pictures ja ""
pictures en -en
'
