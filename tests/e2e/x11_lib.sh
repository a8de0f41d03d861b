# Helpers shared by the end-to-end tests that drive the program under Xvfb (sourced).

# eventually <seconds> <command...>: true once the command succeeds within the time.
eventually() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq 1 $tenths); do "$@" && return 0; sleep 0.1; done
    return 1
}
# The first visible window whose title matches.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
is_visible() { [ -n "$(visible "$1")" ]; }
is_gone() { [ -z "$(visible "$1")" ]; }
wait_visible() { eventually "$2" is_visible "$1"; } # title, seconds
wait_gone() { eventually "$2" is_gone "$1"; }       # title, seconds
# Clicks a point given in twips from the client area's top-left corner of a window.
click_twips() { # window, left, top
    local x y
    x=$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print $4}')
    y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/{print $4}')
    xdotool mousemove $((x + $2 / 15)) $((y + $3 / 15)) click 1
    sleep 0.3
}
# start_x_server <width>x<height> <work folder>: an Xvfb of its own, on a display it picks itself (so
# that tests may run side by side), exported as DISPLAY.
start_x_server() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -dpi 96 -nolisten tcp 3>"$2/display" 2>/dev/null &
    eventually 10 test -s "$2/display" || { echo "FAIL: no X server"; exit 1; }
    export DISPLAY=":$(head -n 1 "$2/display")"
}
