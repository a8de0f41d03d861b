#!/bin/bash
# The real program on an X server with openbox, driven from outside: presentation windows of another
# program switch "缩小", the tool strip stays above a focused full-screen show, F9 and F11 work while
# another window has the focus, and the main window tucks itself away at the edges and is dragged back
# out by its title bar.
# Usage: tracking.sh <vantrel> <e2e_titled_window> [screenshot.png]
set -u
bin=$(readlink -f "$1")
titled=$(readlink -f "$2")
keep_shot=${3:-}
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
. "$here/our_windows.sh"
private_folders
start_x_server
start_window_manager

# Opens a window of another program; sets win_id and win_pid.
window() { # title colour [fullscreen]
    local out="$work/window.$RANDOM"
    "$titled" "$@" >"$out" 2>/dev/null &
    win_pid=$!
    eventually 5 test -s "$out" || fail "no window $1"
    win_id=$(head -n 1 "$out")
}

"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 15 has_main || fail "no main window"
main=$(main_window)
sleep 0.5
# Where the main window stands at start-up is its standard place.
eval "$(xdotool getwindowgeometry --shell "$main")"
standard_x=$X standard_y=$Y
outer_geometry "$main"
standard_ox=$OX standard_oy=$OY

# A ten-minute countdown.
start_ten_minutes

# No presentation program: 缩小 folds the main window into the strip.
click_main 2798 1975
eventually 3 main_gone || fail "缩小 did not fold the running countdown"
eventually 3 find_strip || fail "no tool strip after folding"

# A deck open in the editing view pulls the main window back, and 缩小 is refused.
window "Microsoft PowerPoint - deck.pptx" 0xffffff
edit=$win_pid
eventually 3 has_main || fail "the main window did not come back with a deck open"
xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.3
click_main 2798 1975
sleep 0.5
has_main || fail "缩小 folded the window with a deck open and no show"
xdotool search --name "Vantrel工具提示：" >/dev/null 2>&1 && fail "a disabled 缩小 answered with a message"

# The show starts: 缩小 folds again.
window "PowerPoint 幻灯片放映 - deck" 0x0000ff
show=$win_id showpid=$win_pid
sleep 0.3
xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.3
click_main 2798 1975
eventually 3 main_gone || fail "缩小 did not fold with the show running"
eventually 3 find_strip || fail "no strip over the show"

# The show goes full screen and takes the focus; the strip stays above it.
wmctrl -i -r "$show" -b add,fullscreen
xdotool windowactivate "$show" 2>/dev/null
eventually 3 pixel_is 1200 750 0000FF || fail "the show is not full screen ($(pixel 1200 750))"
find_strip
sx=$(( strip_x + strip_w / 2 )) sy=$(( strip_y + 17 ))
eventually 3 pixel_is_not "$sx" "$sy" 0000FF || fail "the full-screen show covers the strip"
[ -n "$keep_shot" ] && cp "$work/shot.png" "$keep_shot"

# F9 while the show has the focus hides the strip and shows it again.
tap_until F9 pixel_is "$sx" "$sy" 0000FF || fail "F9 did not hide the strip"
tap_until F9 pixel_is_not "$sx" "$sy" 0000FF || fail "F9 did not show the strip again"

# F11 brings the main window back, above the show that keeps the keyboard (as a window the manager
# does not stack, so without its frame), its outer corner at the standard place.
tap F11
eventually 3 has_main || fail "F11 did not show the main window"
xwininfo -id "$main" | grep -q "Override Redirect State: yes" || fail "F11: the main window is not kept above the show"
outer_geometry "$main"
# The frame's left border is gone too: a pixel either way.
[ $((OX - standard_ox)) -ge -1 ] && [ $((OX - standard_ox)) -le 1 ] && [ "$OY" -eq "$standard_oy" ] ||
    fail "F11 placed the main window at $OX,$OY, not $standard_ox,$standard_oy"
eval "$(xdotool getwindowgeometry --shell "$main")"
eventually 3 pixel_is_not $(( X + WIDTH / 2 )) $(( Y + HEIGHT / 2 )) 0000FF || fail "the main window is under the show"
eventually 3 strip_gone || fail "F11 left the strip up"
kill "$showpid" "$edit"
sleep 0.5

# Dragged against the left edge, the main window tucks away once the pointer leaves it, and comes
# back flush with the edge when the pointer touches what is left of it.
xdotool mousemove 900 700
xdotool windowmove "$main" 0 300
tucked() { eval "$(xdotool getwindowgeometry --shell "$main")"; [ "$X" -lt -100 ]; }
eventually 3 tucked || fail "the main window did not tuck at the left edge (x=$X)"
xdotool mousemove 3 $(( Y + 60 ))
back() { eval "$(xdotool getwindowgeometry --shell "$main")"; [ "$X" -ge 0 ] && [ "$X" -le 5 ]; }
eventually 3 back || fail "the pointer did not bring the main window back (x=$X)"

# Where the main window's client area is on the screen, and how high the title bar above it is.
client_place() {
    local info
    info=$(xwininfo -id "$main")
    client_x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    client_y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    title_height=$(xprop -id "$main" _NET_FRAME_EXTENTS | awk -F'[=,]' '{ print $4 + 0 }')
}
at_place() { # x y: the client area is there, give or take a pixel
    client_place
    [ $(( client_x - $1 )) -ge -1 ] && [ $(( client_x - $1 )) -le 1 ] &&
        [ $(( client_y - $2 )) -ge -1 ] && [ $(( client_y - $2 )) -le 1 ]
}
# Takes the main window by its title bar and drags it by dx dy in twelve steps, with ticks of the
# tracking in between: it follows the pointer all the way, and stays where it is dropped, also once
# the pointer leaves it. The window manager tells the program where the window went only when the
# button is released.
drag_by_title_bar() { # dx dy
    client_place
    [ "$title_height" -gt 0 ] || fail "the main window has no title bar to take"
    local x=$(( client_x + 150 )) y=$(( client_y - title_height / 2 ))
    local from_x=$client_x from_y=$client_y
    xdotool mousemove "$x" "$y"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.2
    local step_x step_y
    for i in $(seq 1 12); do
        step_x=$(( from_x + $1 * i / 12 )) step_y=$(( from_y + $2 * i / 12 ))
        xdotool mousemove $(( x + $1 * i / 12 )) $(( y + $2 * i / 12 ))
        sleep 0.15
        # The first step only starts the window manager's move.
        [ "$i" -eq 1 ] || at_place "$step_x" "$step_y" ||
            fail "dragged by the title bar to $step_x,$step_y, the window went to $client_x,$client_y before the button was released"
    done
    local dropped_x=$(( from_x + $1 )) dropped_y=$(( from_y + $2 ))
    xdotool mouseup 1
    sleep 0.5
    at_place "$dropped_x" "$dropped_y" || fail "dropped at $dropped_x,$dropped_y, the window went to $client_x,$client_y"
    xdotool mousemove 1100 700
    sleep 1
    at_place "$dropped_x" "$dropped_y" ||
        fail "dropped at $dropped_x,$dropped_y, the window went to $client_x,$client_y once the pointer left"
}
# Out of the left edge, to the middle of the screen.
drag_by_title_bar 400 150

# The same out of the top edge, where the title bar is tucked away and comes out with the window.
xdotool windowmove "$main" 400 0
tucked_top() { client_place; [ "$client_y" -lt -100 ]; }
eventually 3 tucked_top || fail "the main window did not tuck at the top edge (y=$client_y)"
xdotool mousemove $(( client_x + 100 )) 2
out_top() { client_place; [ "$client_y" -ge 0 ] && [ "$client_y" -le "$title_height" ]; }
eventually 3 out_top || fail "the pointer did not bring the main window out at the top (y=$client_y)"
drag_by_title_bar 100 350

kill -0 "$app" 2>/dev/null || fail "the program ended"

# A reminder that fires while the window is tucked at the right edge brings it to the middle and then
# puts it back where the window manager had let it go, still tucked: the pointer on its edge brings
# it out.
kill "$app"; wait "$app" 2>/dev/null
"$bin" >"$work/app2.out" 2>&1 &
app=$!
eventually 15 has_main || fail "no main window after a restart"
main=$(main_window)
sleep 0.5
type_into 2340 487 00
type_into 3240 487 20
type_into 2340 1027 00
type_into 3240 1027 10
click_main 620 1975 # a 00 : 20 countdown, reminder at 00 : 10 (11 s from now)
xdotool mousemove 600 700
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowmove "$main" $(( 1280 - WIDTH )) 300
tucked_right() { eval "$(xdotool getwindowgeometry --shell "$main")"; [ "$X" -gt 1180 ]; }
eventually 3 tucked_right || fail "the main window did not tuck at the right edge (x=$X)"
tucked_x=$X
centred() { eval "$(xdotool getwindowgeometry --shell "$main")"; [ "$X" -eq "$standard_x" ]; }
eventually 14 centred || fail "the reminder did not bring the window to the middle (x=$X)"
put_back() { eval "$(xdotool getwindowgeometry --shell "$main")"; [ "$X" -eq "$tucked_x" ]; }
eventually 6 put_back || fail "after the reminder the window is at x=$X, not back at $tucked_x"
xdotool mousemove 1278 $(( Y + 60 ))
flush_right() { eval "$(xdotool getwindowgeometry --shell "$main")"; [ $(( X + WIDTH )) -ge 1270 ] && [ "$X" -lt 1100 ]; }
eventually 3 flush_right || fail "the pointer did not bring the window out at the right edge (x=$X)"
echo "PASS"
