#!/bin/bash
# Remakes every picture of the help (resources/help/images) and of the README (docs/) from the running
# program, on an X server of its own with openbox, so that no picture shows a window as it once was.
#
#   scripts/make-help-pictures.sh [program [screen]]   (default: build/release/vantrel 1280x800)
#
# On another screen size than 1280x800 the pictures go to a temporary folder instead, to be looked
# at (how the windows fit a smaller projector, say); the tree keeps the 1280x800 ones.
# Needs Xvfb, openbox, xdotool, xwininfo, ImageMagick (import, convert) and xcompmgr.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(readlink -f "${1:-$root/build/release/vantrel}")
[ -x "$bin" ] || { echo "no program at $bin: build it first (make build)" >&2; exit 1; }
for tool in Xvfb openbox xdotool xwininfo import convert xcompmgr; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
screen=${2:-1280x800}
work=$(mktemp -d)
help="$root/resources/help/images"
docs="$root/docs"
if [ "$screen" != 1280x800 ]; then
    help=$(mktemp -d) docs=$help
fi
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=tests/e2e/x11_lib.sh
source "$root/tests/e2e/x11_lib.sh"

# A fresh teacher: samples in a new data folder, no settings, the desktop's own language.
fresh_home() {
    rm -rf "${work:?}/home"
    export XDG_RUNTIME_DIR="$work/home/run" XDG_DATA_HOME="$work/home/data"
    export XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache"
    mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/vantrel" && chmod 700 "$XDG_RUNTIME_DIR"
}

start_program() {
    "$bin" >"$work/out" 2>&1 &
    app=$!
    pids+=("$app")
    # The title reads "Vantrel工具" once the main window has loaded (not its loading title).
    wait_visible "^Vantrel工具$" 20 || { echo "the program shows no main window" >&2; exit 1; }
    main=$(visible "^Vantrel工具$")
    sleep 1
}

stop_program() {
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
}

# The window as the teacher sees it, with the title bar openbox gives it.
frame_of() { xwininfo -id "$1" -tree | awk '/Parent window id/{print $4}'; }
shoot() { # window, file
    local frame
    frame=$(frame_of "$1")
    [ "$frame" = "$(xwininfo -root | awk '/Window id/{print $4}')" ] && frame=$1
    import -window "$frame" "$2"
    echo "made $2"
}
shoot_client() { import -window "$1" "$2" && echo "made $2"; }

# Points on the main window, in twips from its client area's corner.
click_main() { click_twips "$main" "$1" "$2"; }
start_button() { click_main $((330 + 290)) $((1815 + 160)); }
fold_button() { click_main $((2508 + 290)) $((1815 + 160)); }
draw_button() { click_main $((3234 + 290)) $((1815 + 160)); }
help_button() { click_main $((3960 + 290)) $((1815 + 160)); }

start_x_server "$screen" "$work"
pids+=($!)
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# ---- The help's pictures, at 100 % on a 1280×800 screen ----
fresh_home
start_program
shoot "$main" "$help/main-stopped.png"

draw_button
wait_visible "^Vantrel工具 - 抽签$" 10
launcher=$(visible "^Vantrel工具 - 抽签$")
sleep 0.5
shoot "$launcher" "$help/draw-launcher.png"
[ "$help" = "$docs" ] || cp "$help/draw-launcher.png" "$docs/draw-launcher.png"
xdotool key --window "$launcher" Escape 2>/dev/null || true
wmctrl -i -c "$launcher" 2>/dev/null || xdotool windowclose "$launcher" 2>/dev/null || true
wait_visible "^Vantrel工具$" 10
main=$(visible "^Vantrel工具$")

start_button
sleep 2.2
shoot "$main" "$help/main-running.png"

# The enlarged countdown: a double click on the red count (Label3: 810, 60, 2655 × 765).
x=$(xwininfo -id "$main" | awk '/Absolute upper-left X/{print $4}')
y=$(xwininfo -id "$main" | awk '/Absolute upper-left Y/{print $4}')
xdotool mousemove $((x + (810 + 1300) / 15)) $((y + (60 + 380) / 15)) click --repeat 2 --delay 80 1
sleep 1.5
enlarged=$(xdotool search --onlyvisible --class vantrel 2>/dev/null | while read -r w; do
    [ "$(xwininfo -id "$w" | awk '/Width:/{print $2}')" -gt 700 ] && echo "$w"; done | head -n 1)
if [ -n "$enlarged" ]; then
    shoot "$enlarged" "$help/enlarged.png"
    ex=$(xwininfo -id "$enlarged" | awk '/Absolute upper-left X/{print $4}')
    ey=$(xwininfo -id "$enlarged" | awk '/Absolute upper-left Y/{print $4}')
    ew=$(xwininfo -id "$enlarged" | awk '/Width:/{print $2}')
    xdotool mousemove $((ex + ew / 2)) $((ey + 120)) click --repeat 2 --delay 80 1
    sleep 1
else
    echo "no enlarged window came up: enlarged.png kept as it was" >&2
fi
main=$(visible "^Vantrel工具$")

# Folded into the strip, then its tip.
fold_button
sleep 1
strip=$(xdotool search --onlyvisible --class vantrel 2>/dev/null | while read -r w; do
    h=$(xwininfo -id "$w" | awk '/Height:/{print $2}'); [ "$h" -lt 60 ] && [ "$h" -gt 20 ] && echo "$w"; done | head -n 1)
[ -n "$strip" ] || { echo "缩小 showed no strip" >&2; exit 1; }
shoot_client "$strip" "$help/strip.png"
click_twips "$strip" $((45 + 4530 + 120)) $((45 + 90 + 120))
sleep 1
shoot_client "$strip" "$help/tip.png"
stop_program

# ---- The help window at its own size, with the pictures just made ----
if [ "$screen" = 1280x800 ] && [ -d "$(dirname "$bin")/help" ]; then
    cp -r "$root/resources/help/." "$(dirname "$bin")/help/"
fi
fresh_home
start_program
help_button
wait_visible "Vantrel工具 帮助" 10
sleep 1
shoot "$(visible "Vantrel工具 帮助")" "$docs/help-window.png"
stop_program

# ---- The main window at 300 % ----
fresh_home
printf '[zoom]\nForm1=300\n' >"$XDG_CONFIG_HOME/vantrel/vantrel.ini"
start_program
shoot "$main" "$docs/main-window-zoom-300.png"
stop_program

# ---- The strip over a bright slide, with a compositor ----
fresh_home
convert -size "$screen" xc:white \
    -fill '#1a5fb4' -draw 'rectangle 0,0 2000,100' \
    -fill white -pointsize 56 -annotate +80+75 'Photosynthesis' \
    -fill '#222222' -pointsize 40 -annotate +100+160 '* light + water + carbon dioxide: the leaf makes sugar' \
    -annotate +100+240 '* sugar + oxygen' \
    -fill '#f6d32d' -draw 'circle 1040,520 1040,380' "$work/slide.png"
display -immutable "$work/slide.png" &
pids+=($!)
# Full screen, as a slide show is.
wait_visible "^ImageMagick" 10
wmctrl -r ImageMagick -b add,fullscreen
sleep 1
xcompmgr &
pids+=($!)
sleep 1
start_program
start_button
sleep 0.5
fold_button
sleep 1.5
import -window root "$docs/tool-strip-over-bright-slide.png"
echo "made $docs/tool-strip-over-bright-slide.png"
stop_program
[ "$screen" = 1280x800 ] || echo "the pictures for $screen are in $help"
