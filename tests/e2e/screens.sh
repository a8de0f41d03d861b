#!/bin/bash
# The real program on screens of different sizes, driven from outside under Xvfb with openbox.
#   screens.sh <vantrel> <e2e_titled_window> enlarged <width> <height> [screenshot.png]
#     The enlarged countdown, opened from a main window in the bottom-right corner, lies wholly on
#     the screen.
#   screens.sh <vantrel> <e2e_titled_window> projector [screenshot.png]
#     One 3840x1080 screen split into two 1920x1080 monitors: a full-screen show on the right one takes
#     the strip and the enlarged countdown there; removing that monitor brings them back to the left.
set -u
bin=$(readlink -f "$1")
titled=$(readlink -f "$2")
mode=$3
shift 3
if [ "$mode" = enlarged ]; then
    screen_w=$1 screen_h=$2 keep_shot=${3:-}
else
    screen_w=3840 screen_h=1080 keep_shot=${1:-}
fi
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
. "$here/our_windows.sh"
private_folders
start_x_server "${screen_w}x${screen_h}"
# The manager stays connected throughout, so the X server never resets and forgets the monitors.
start_window_manager

# within <window> <left> <top> <right> <bottom>: the window, its frame included, lies wholly in that
# area.
within() {
    outer_geometry "$1" || return 1
    [ "$OX" -ge "$2" ] && [ "$OY" -ge "$3" ] && [ $((OX + OW)) -le "$4" ] && [ $((OY + OH)) -le "$5" ]
}
double_click_count() {
    xdotool mousemove --window "$main" 142 30 click --repeat 2 --delay 80 1
}
find_enlarged() { enlarged=$(xdotool search --onlyvisible --name "放大计时" 2>/dev/null | head -n 1) && [ -n "$enlarged" ]; }
start_program() {
    "$bin" >"$work/app.out" 2>&1 &
    app=$!
    eventually 15 has_main || fail "no main window"
    main=$(main_window)
    sleep 0.5
    start_ten_minutes
}
shot() { [ -n "$keep_shot" ] && import -window root "$keep_shot" 2>/dev/null; return 0; }

if [ "$mode" = enlarged ]; then
    start_program
    # The main window in the bottom-right corner, just clear of the edges so it does not tuck away;
    # the pointer on it keeps it out.
    outer_geometry "$main"
    xdotool windowmove "$main" $((screen_w - OW - 2)) $((screen_h - OH - 2))
    sleep 0.5
    outer_geometry "$main"
    [ $((OX + OW)) -ge $((screen_w - 40)) ] && [ $((OY + OH)) -ge $((screen_h - 40)) ] ||
        fail "the main window is not in the corner: $OX,$OY ${OW}x$OH"
    main_at="$OX,$OY ${OW}x$OH"
    double_click_count
    eventually 5 find_enlarged || fail "no enlarged countdown"
    sleep 1
    outer_geometry "$enlarged"
    echo "enlarged countdown at $OX,$OY ${OW}x$OH on ${screen_w}x$screen_h (main at $main_at)"
    within "$enlarged" 0 0 "$screen_w" "$screen_h" || fail "the enlarged countdown reaches off the screen: $OX,$OY ${OW}x$OH"
    shot
    echo PASS
    exit 0
fi

# Two monitors side by side on one X screen, as a laptop with a projector.
xrandr --setmonitor L 1920/508x1080/286+0+0 screen >/dev/null
xrandr --setmonitor R 1920/508x1080/286+1920+0 none
xrandr --listmonitors | grep -q "Monitors: 2" || fail "no two monitors: $(xrandr --listmonitors)"

start_program
within "$main" 0 0 1920 1080 || fail "the main window did not start on the left monitor"

# A show, full screen on the right monitor.
"$titled" "PowerPoint 幻灯片放映 - deck" 0x0000ff >"$work/show.id" 2>/dev/null &
eventually 5 test -s "$work/show.id" || fail "no show window"
show=$(head -n 1 "$work/show.id")
sleep 0.3
xdotool windowmove "$show" 2400 300
sleep 0.3
wmctrl -i -r "$show" -b add,fullscreen
full_right() { outer_geometry "$show" && [ "$OX" -eq 1920 ] && [ "$OW" -eq 1920 ] && [ "$OH" -eq 1080 ]; }
eventually 3 full_right || fail "the show does not fill the right monitor: $OX,$OY ${OW}x$OH"

# 缩小: the strip comes up on the show's monitor, the main window is away.
xdotool windowactivate --sync "$main" 2>/dev/null
sleep 0.5
click_main 2798 1975
eventually 3 main_gone || fail "缩小 did not fold the main window"
eventually 3 find_strip || fail "no strip"
within "$strip" 1920 0 3840 1080 || fail "the strip is not on the show's monitor: $OX,$OY ${OW}x$OH"

# F11: the main window comes back where the teacher works, on the left.
tap F11
eventually 3 has_main || fail "F11 did not bring the main window back"
sleep 0.5
within "$main" 0 0 1920 1080 || fail "the main window left the teacher's monitor: $OX,$OY ${OW}x$OH"

# The enlarged countdown goes to the class's monitor, whole.
double_click_count
eventually 5 find_enlarged || fail "no enlarged countdown"
sleep 1
eventually 3 within "$enlarged" 1920 0 3840 1080 || fail "the enlarged countdown is not on the show's monitor: $OX,$OY ${OW}x$OH"
# With the main window away, F9 brings the strip up again, over the show.
tap_until F9 find_strip || fail "F9 did not show the strip"
within "$strip" 1920 0 3840 1080 || fail "the strip came back off the show's monitor: $OX,$OY ${OW}x$OH"
shot

# The projector is unplugged: both come back onto the remaining monitor.
xrandr --delmonitor R
eventually 5 within "$enlarged" 0 0 1920 1080 || fail "the enlarged countdown stayed on the removed monitor: $OX,$OY ${OW}x$OH"
find_strip || fail "the strip went away with the monitor"
eventually 3 within "$strip" 0 0 1920 1080 || fail "the strip stayed on the removed monitor: $OX,$OY ${OW}x$OH"
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo PASS
