#!/usr/bin/env bash
# Unpacks the Windows zip and drives its vorrel.exe under Wine as a person would, on a virtual X display
# (Xvfb) under a small window manager (openbox), with the keyboard only:
# chooses both folders through the system's file dialog by typing a file's
# path, ticks both "Scan in subfolder" boxes, scans, copies the report out
# of the results box through the clipboard and compares it with
# vorrel-scan.exe's; opens About and looks for the banner on the screen,
# pixel for pixel as djpeg decodes it; moves the unused sounds aside through
# Clean up > Move unused sounds... and brings them back through Restore moved
# sounds..., then compares the tree with the original byte for byte.
#
#   drive_vorrel.sh PACKAGE_ZIP BANNER_JPG SAMPLE_SOUNDS WORK_DIR
#
# Exits 77 (skipped) when a tool it needs is missing, saying which.
set -euo pipefail
package=$1 banner=$2 samples=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
PATH=$PATH:/usr/lib/wine
for tool in Xvfb openbox xdotool xclip xwd djpeg python3 wine64 wineserver; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

rm -rf "$work"
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$package")
vorrel_exe=$(echo "$work"/unpacked/*/vorrel.exe)
scan_exe=$(echo "$work"/unpacked/*/vorrel-scan.exe)
[ -f "$vorrel_exe" ] && [ -f "$scan_exe" ] && [ -f "$(dirname "$vorrel_exe")/manual/manual.html" ] ||
    { echo "FAILED: $package does not hold vorrel.exe, vorrel-scan.exe and manual/manual.html" >&2; exit 1; }
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
pids=()
finish() {
    local status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 77 ] && [ -n "${DISPLAY:-}" ]; then
        xwd -root -silent >"$work/failure.xwd" 2>/dev/null && echo "screen at the failure: $work/failure.xwd"
    fi
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap finish EXIT
step() { echo "== $*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

# A display number nobody uses.
for number in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
Xvfb ":$number" -screen 0 1400x1000x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=:$number
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "skipped: the virtual display :$number did not start"; exit 77; }
openbox >/dev/null 2>&1 &
pids+=($!)

step "Wine prefix"
wine64 wineboot --init >/dev/null 2>&1

# The sample sound set with a scheme and a sound at the top of each folder,
# so that the file dialogs can pick a file there.
tree=$work/tree
mkdir -p "$tree"
cp -r "$samples" "$tree/Sounds"
cp "$tree/Sounds/schemas/guard/guard_alert.sch" "$tree/Sounds/schemas/top.sch"
cp "$tree/Sounds/audio/sfx/door_open.ogg" "$tree/Sounds/audio/top.ogg"
cp -a "$tree/Sounds" "$work/original"
started_in=$work/started-in
mkdir -p "$started_in"
windows_path() { echo "Z:${1//\//\\}"; }

# The window whose title contains $1, once shown (30 s at most).
window() {
    local id
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1) || true
    [ -n "$id" ] || fail "no window \"$1\" appeared"
    echo "$id"
}
# Waits until no shown window's title contains $1.
gone() {
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    fail "window \"$1\" stayed open"
}
keys() { xdotool key --delay 80 "$@"; sleep 0.4; }
# Brings the main window to the front, as a click on its title would.
use_main() { xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"; sleep 0.5; }
type_text() { xdotool type --delay 15 "$1"; sleep 0.3; }

step "start vorrel.exe"
(cd "$started_in" && exec wine64 "$vorrel_exe" >/dev/null 2>&1) &
pids+=($!)
main=$(window 'Vorrel - Thief 3')
use_main

step "choose the schemes folder through the file dialog"
keys Tab Tab Tab space                     # Edit1 -> Edit2 -> Memo1 -> first "..."
window 'Select a scheme file' >/dev/null
sleep 0.7                                  # until the dialog's file name field has the focus
type_text "$(windows_path "$tree/Sounds/schemas/top.sch")"
keys Return
gone 'Select a scheme file'

step "choose the audio folder"
keys Tab space                             # the second "..."
window 'Select an audio file' >/dev/null
sleep 0.7
type_text "$(windows_path "$tree/Sounds/audio/top.ogg")"
keys Return
gone 'Select an audio file'
expected_settings="$(windows_path "$tree/Sounds/schemas/")"$'\n'"$(windows_path "$tree/Sounds/audio/")"
[ "$(tr -d '\r' <"$started_in/Settings.ini")" = "$expected_settings" ] ||
    fail "Settings.ini holds: $(cat "$started_in/Settings.ini")"

step "tick both boxes and scan"
keys Tab Tab space Tab space               # SCAN -> box 1 -> box 2
keys shift+Tab shift+Tab space             # back to SCAN
sleep 2
keys shift+Tab shift+Tab shift+Tab         # the results box
keys ctrl+Home ctrl+shift+End ctrl+c
sleep 0.5
report=$(xclip -o -selection clipboard | tr -d '\r')
expected=$(cd "$work" && wine64 "$scan_exe" "$(windows_path "$tree/Sounds/schemas/")" \
    "$(windows_path "$tree/Sounds/audio/")" --schemes-subfolders --audio-subfolders | tr -d '\r')
[ "$report" = "$expected" ] || fail "the results box shows"$'\n'"$report"$'\n'"vorrel-scan.exe printed"$'\n'"$expected"
echo "$report" | grep -q 'Scan termined.' || fail "the report has no end line"

step "About shows the banner as djpeg decodes it"
keys F10 Down a                            # Help menu, "&About..."
about=$(window 'About')
djpeg -dct float -pnm "$banner" >"$work/banner.ppm"
# The window's own pixels: under Xvfb a second top-level window of Wine's
# may show black on the root window's picture while its own is drawn. Look
# again for a while: the window paints once Wine has mapped it.
for attempt in $(seq 20); do
    sleep 0.5
    xwd -id "$about" -silent >"$work/about.xwd"
    python3 "$here/find_picture.py" "$work/about.xwd" "$work/banner.ppm" && break
    [ "$attempt" -lt 20 ] || fail "the About banner differs from djpeg's decode"
done
xdotool windowactivate --sync "$about" 2>/dev/null || true
keys alt+F4
gone '^About$'
use_main

step "move the unused sounds aside"
keys alt+c m
window 'Move unused sounds' >/dev/null
sleep 1
keys Return                                # Move, the default button
# The message saying what was moved opens over the window, under its title.
for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --name 'Move unused sounds' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.2
done
sleep 0.5
keys Return
gone 'Move unused sounds'
manifest=$(find "$tree" -name '*.json' -path '*unused*' | head -n 1)
[ -n "$manifest" ] || fail "no manifest was written"
[ -e "$tree/Sounds/audio/top.ogg" ] && fail "top.ogg, which no scheme uses, is still in the audio folder"
moved=$(find "$(dirname "$manifest")" -type f ! -name '*.json' | wc -l)
[ "$moved" -gt 0 ] || fail "nothing is in the quarantine folder"
echo "moved $moved files into $(dirname "$manifest")"

step "restore them"
use_main
keys alt+c r
window 'Restore moved sounds' >/dev/null
sleep 1
keys Return                                # Restore, the default button
# A restore that brought everything back removes its manifest last.
for _ in $(seq 100); do
    [ -e "$manifest" ] || break
    sleep 0.2
done
sleep 0.5
keys Escape
gone 'Restore moved sounds'
diff -r "$work/original" "$tree/Sounds" || fail "the restored tree differs from the original"
cmp -s "$work/original/audio/top.ogg" "$tree/Sounds/audio/top.ogg" || fail "top.ogg came back changed"

step "close the window"
use_main
keys alt+F4
gone 'Vorrel - Thief 3'
[ "$(ls -A "$started_in")" = "Settings.ini" ] || fail "the start folder holds more than Settings.ini: $(ls -A "$started_in")"
echo "vorrel.exe passed the end-to-end run"
