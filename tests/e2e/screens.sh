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
if [ -z "${VANTREL_E2E_INNER:-}" ]; then
    export VANTREL_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 ${screen_w}x${screen_h}x24" "$0" "$bin" "$titled" "$mode" "$@"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
# openbox stays connected throughout, so the X server never resets and forgets the monitors.
openbox --sm-disable >/dev/null 2>&1 &
for _ in $(seq 1 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

fail() {
    echo "FAIL: $*"
    import -window root "$work/fail.png" 2>/dev/null
    [ -n "${VANTREL_E2E_KEEP:-}" ] && cp "$work/fail.png" "$VANTREL_E2E_KEEP" 2>/dev/null
    exit 1
}
eventually() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq 1 $tenths); do "$@" && return 0; sleep 0.1; done
    return 1
}
# outer <window>: sets X Y W H to the window's outer rectangle, its window manager frame included.
# (xdotool's window position counts the frame twice under openbox; xwininfo's is the client's own.)
outer() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
    HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
    local extents l=0 r=0 t=0 b=0
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] && IFS=, read -r l r t b <<<"$extents"
    X=$((X - l)) Y=$((Y - t)) W=$((WIDTH + l + r)) H=$((HEIGHT + t + b))
}
# within <window> <left> <top> <right> <bottom>: the window lies wholly in that area.
within() {
    outer "$1" || return 1
    [ "$X" -ge "$2" ] && [ "$Y" -ge "$3" ] && [ $((X + W)) -le "$4" ] && [ $((Y + H)) -le "$5" ]
}
main_visible() { xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1; }
main_hidden() { ! main_visible; }
click_main() {
    xdotool mousemove --window "$main" $(($1 / 15)) $(($2 / 15)) click 1
    sleep 0.3
}
double_click_count() {
    xdotool mousemove --window "$main" 142 30 click --repeat 2 --delay 80 1
}
find_enlarged() { enlarged=$(xdotool search --onlyvisible --name "放大计时" 2>/dev/null | head -n 1) && [ -n "$enlarged" ]; }
# The tool strip: our visible window that is one strip high (34 pixels).
find_strip() {
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$HEIGHT" -eq 34 ]; then
            strip=$id
            return 0
        fi
    done
    return 1
}
tap() { xdotool keydown "$1"; sleep 0.05; xdotool keyup "$1"; sleep 0.15; }
tap_until() {
    local key=$1
    shift
    for _ in $(seq 1 30); do "$@" && return 0; tap "$key"; done
    "$@"
}
start_program() {
    "$bin" >"$work/app.out" 2>&1 &
    app=$!
    eventually 15 main_visible || fail "no main window"
    main=$(xdotool search --name "^Vantrel工具$" | head -n 1)
    sleep 0.5
    # A ten-minute countdown.
    click_main 2340 487
    xdotool key ctrl+a type "10"
    click_main 620 1975
}
shot() { [ -n "$keep_shot" ] && import -window root "$keep_shot" 2>/dev/null; return 0; }

if [ "$mode" = enlarged ]; then
    start_program
    # The main window in the bottom-right corner, just clear of the edges so it does not tuck away;
    # the pointer on it keeps it out.
    outer "$main"
    xdotool windowmove "$main" $((screen_w - W - 2)) $((screen_h - H - 2))
    sleep 0.5
    outer "$main"
    [ $((X + W)) -ge $((screen_w - 40)) ] && [ $((Y + H)) -ge $((screen_h - 40)) ] ||
        fail "the main window is not in the corner: $X,$Y ${W}x$H"
    main_at="$X,$Y ${W}x$H"
    double_click_count
    eventually 5 find_enlarged || fail "no enlarged countdown"
    sleep 1
    outer "$enlarged"
    echo "enlarged countdown at $X,$Y ${W}x$H on ${screen_w}x$screen_h (main at $main_at)"
    within "$enlarged" 0 0 "$screen_w" "$screen_h" || fail "the enlarged countdown reaches off the screen: $X,$Y ${W}x$H"
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
full_right() { outer "$show" && [ "$X" -eq 1920 ] && [ "$W" -eq 1920 ] && [ "$H" -eq 1080 ]; }
eventually 3 full_right || fail "the show does not fill the right monitor: $X,$Y ${W}x$H"

# 缩小: the strip comes up on the show's monitor, the main window is away.
xdotool windowactivate --sync "$main" 2>/dev/null
sleep 0.5
click_main 2798 1975
eventually 3 main_hidden || fail "缩小 did not fold the main window"
eventually 3 find_strip || fail "no strip"
within "$strip" 1920 0 3840 1080 || fail "the strip is not on the show's monitor: $X,$Y ${W}x$H"

# F11: the main window comes back where the teacher works, on the left.
xdotool keydown F11; sleep 0.3; xdotool keyup F11
eventually 3 main_visible || fail "F11 did not bring the main window back"
sleep 0.5
within "$main" 0 0 1920 1080 || fail "the main window left the teacher's monitor: $X,$Y ${W}x$H"

# The enlarged countdown goes to the class's monitor, whole.
double_click_count
eventually 5 find_enlarged || fail "no enlarged countdown"
sleep 1
eventually 3 within "$enlarged" 1920 0 3840 1080 || fail "the enlarged countdown is not on the show's monitor: $X,$Y ${W}x$H"
# With the main window away, F9 brings the strip up again, over the show.
tap_until F9 find_strip || fail "F9 did not show the strip"
within "$strip" 1920 0 3840 1080 || fail "the strip came back off the show's monitor: $X,$Y ${W}x$H"
shot

# The projector is unplugged: both come back onto the remaining monitor.
xrandr --delmonitor R
eventually 5 within "$enlarged" 0 0 1920 1080 || fail "the enlarged countdown stayed on the removed monitor: $X,$Y ${W}x$H"
find_strip || fail "the strip went away with the monitor"
eventually 3 within "$strip" 0 0 1920 1080 || fail "the strip stayed on the removed monitor: $X,$Y ${W}x$H"
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo PASS
