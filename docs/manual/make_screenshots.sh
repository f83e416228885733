#!/usr/bin/env bash
# Makes the manual's screenshots from the real windows: runs the program on a
# virtual display (Xvfb) under a small window manager (openbox), drives it
# with xdotool and captures with ImageMagick's import.
#
#   docs/manual/make_screenshots.sh [BUILD_DIR]     (default: build)
#
# Needs the packages xvfb, openbox, xdotool and imagemagick; the build and the
# tests do not. Works on a copy of the bundled sample sound set, so nothing of
# the repository changes but the PNG files beside this script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
program=$build/bin/vorrel
scan_program=$build/bin/vorrel-scan
for tool in Xvfb openbox xdotool import "$program" "$scan_program"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$root/examples/Sounds" "$work/Sounds"
printf '%s\n%s' "$work/Sounds/schemas/" "$work/Sounds/audio/" >"$work/Settings.ini"

Xvfb "$display" -screen 0 1400x950x24 -nolisten tcp &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

(cd "$work" && exec "$program") &
pids+=($!)
main=$(xdotool search --sync --onlyvisible --name 'Vorrel - Thief 3' | head -n 1)
sleep 1

# Captures the screen around the window $1 (menus and dialogs included when
# they lie inside the margin) into $2.png.
shoot() {
    sleep 0.7
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$2: ${WIDTH}x${HEIGHT}+${X}+${Y}" >&2
    local margin=6 title=${VORREL_TITLE_HEIGHT:-30}
    local left=$((X - margin < 0 ? 0 : X - margin)) top=$((Y - title - margin < 0 ? 0 : Y - title - margin))
    import -window root -crop "$((WIDTH + 2 * margin))x$((HEIGHT + title + 2 * margin))+$left+$top" \
        +repage -strip "$here/$2.png"
}
# The window whose title is $1, once it is shown.
window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# Clicks at ($2, $3) inside the client area of window $1 (below its menu bar).
click() {
    xdotool mousemove --window "$1" "$2" "$(($3 + menu_height))" click 1
    sleep 0.5
}
menu_height=${VORREL_MENU_HEIGHT:-22}

xdotool windowactivate --sync "$main"
shoot "$main" main-window

click "$main" 604 40
chooser=$(window 'Select a scheme file')
shoot "$chooser" folder-chooser
xdotool key --window "$chooser" Escape
sleep 1
xdotool windowactivate --sync "$main"

click "$main" 544 72     # "Scan in subfolder" of the schemes
click "$main" 544 136    # and of the audio files
click "$main" 608 216    # SCAN
shoot "$main" scan-report

xdotool key --window "$main" alt+c
shoot "$main" clean-up-menu
xdotool key m
move=$(window 'Move unused sounds')
shoot "$move" move-unused-sounds
# Keeps the first sound (the current row), shows it greyed with the line
# that keeps it once the selection moved off it, then takes it back and
# ticks it again, so that the move below takes every sound as before.
xdotool key alt+k
sleep 0.5
xdotool key alt+f Down
shoot "$move" move-unused-kept
xdotool key Up alt+u
sleep 0.5
xdotool key alt+f space
xdotool key Return
done_box=$(window '^Move unused sounds$' | tail -n 1)
shoot "$done_box" moved-message
xdotool key Return
sleep 1
shoot "$main" after-move

xdotool windowactivate --sync "$main" key alt+c s
missing=$(window 'Missing sounds')
shoot "$missing" missing-sounds
xdotool key Escape

xdotool windowactivate --sync "$main" key alt+c r
restore=$(window 'Restore moved sounds')
xdotool key Return
shoot "$restore" restore-moved-sounds
xdotool key Escape

echo "screenshots written to $here"
