#!/bin/bash
# The moments the program exists for, over a real LibreOffice Impress show that has the keyboard, under
# Xvfb with a real X11 window manager: a count runs, the show starts full screen and takes the
# keyboard, then
#   - 1.5 s and 3 s into the reminder and 1.5, 3 and 5 s into the time-up a window of ours is seen
#     above the show, and the show keeps the keyboard (_NET_ACTIVE_WINDOW) throughout;
#   - F11 brings the main window back, seen, while the presenter's Right still turns the slide.
# With `projector`, one 3840x1080 screen is split into the teacher's monitor (left) and the
# projector's (right), where the show runs: the effects show on the projector, and afterwards the
# main window is back on the teacher's monitor, where F11 brings it too.
#   over_show.sh <vantrel> <openbox|xfwm4|kwin_x11> [projector]
# (kwin_x11 fails: under KWin's X11 session Impress stops drawing its show while any window that KWin
# does not manage, the strip as well, is above it.)
set -u
bin=$(readlink -f "$1")
wm=$2
layout=${3:-one}
here=$(dirname "$(readlink -f "$0")")
for tool in soffice Xvfb dbus-daemon xdotool wmctrl xprop xwininfo xrandr xwd convert "$wm"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
screen_w=1920
[ "$layout" = projector ] && screen_w=3840
. "$here/harness.sh"
. "$here/our_windows.sh"
private_folders
start_x_server "${screen_w}x1080"
start_session_bus
office=""
# soffice runs oosplash, in a process group of its own, which may hang on a plain SIGTERM.
cleanup_first() { [ -n "$office" ] && kill -9 -- -"$office" 2>/dev/null; }
fail_label="$wm, $layout"
fail_details() { echo "Windows:"; wmctrl -lG 2>/dev/null; }
start_window_manager "$wm"
# The show's monitor: the whole screen, or the right half with a projector.
show_x=0
if [ "$layout" = projector ]; then
    xrandr --setmonitor L 1920/508x1080/286+0+0 screen >/dev/null
    xrandr --setmonitor R 1920/508x1080/286+1920+0 none
    show_x=1920
fi

# The office's profile is made before the count starts: a new profile restarts the office once.
office_profile="file://$work/office"
soffice "-env:UserInstallation=$office_profile" --headless --terminate_after_init >/dev/null 2>&1
"$here/colour_deck.py" "$work/deck.fodp" 00ff00 0000ff ff00ff

"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 20 has_main || fail "no main window"
main=$(main_window)
sleep 1
# 00 : 40 with the reminder at 00 : 20.
type_into 2340 487 00
type_into 3240 487 40
type_into 2340 1027 00
type_into 3240 1027 20
click_main 620 1975
started=$(date +%s%N)

# The teacher starts the show: full screen, with the keyboard.
start_show "$work/deck.fodp" "$office_profile"
if [ "$layout" = projector ]; then
    # On the projector, as Impress's presentation display puts it there.
    wmctrl -i -r "$show" -b remove,fullscreen
    wmctrl -i -r "$show" -e 0,1920,0,1920,1080
    wmctrl -i -r "$show" -b add,fullscreen
fi
# Some managers keep the keyboard with the window last clicked: the teacher clicks into the show.
show_is_active || xdotool windowactivate "$show" 2>/dev/null
eventually 10 show_is_active || fail "the show does not have the keyboard ($(active_window) has it)"
# Screenshots are taken raw (xwd) at the moment and read afterwards: a PNG takes too long to make.
snap() { xwd -root -silent >"$work/shot.xwd"; }
pixel() { convert "xwd:$work/shot.xwd" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
slide_is() { snap && [ "$(pixel $((show_x + 100)) 900)" = "$1" ]; }
full_screen_on_its_monitor() { slide_is 00FF00; }
eventually 20 full_screen_on_its_monitor || fail "the show is not full screen on its monitor"

# The share of the show's monitor in a screenshot that is not the slide's colour, in thousandths: the
# main window covers about 33 of them.
not_slide() { # <screenshot>
    convert "xwd:$1" -crop "1920x1080+$show_x+0" +repage -fill black -opaque "#00FF00" \
        -fill white +opaque black -format '%[fx:int(mean*1000)]' info:
}
# Ours is seen, and the slide still around it: a show no longer drawn is not seen through.
seen_in() {
    local share
    share=$(not_slide "$1")
    [ -n "$share" ] || return 1
    [ "$share" -lt 200 ] || fail "the show is no longer drawn ($share of 1000 are not the slide's colour)"
    [ "$share" -ge 15 ]
}
seen() { snap && seen_in "$work/shot.xwd"; }
at() { # <seconds after the start, in tenths>
    local due=$((started + $1 * 100000000))
    while [ "$(date +%s%N)" -lt "$due" ]; do sleep 0.05; done
}
# Each moment: ours seen, the show with the keyboard. The reminder blinks its first 1.5 s, so about
# 1.5 s in the window is looked for across one blink (hidden and shown 300 ms each).
look() { # <what> <tenths>...
    local what=$1 found="" n=0
    shift
    for tenths in "$@"; do
        at "$tenths"
        n=$((n + 1))
        xwd -root -silent >"$work/look$n.xwd" || xwd -root -silent >"$work/look$n.xwd"
        show_is_active || fail "$what: the show lost the keyboard to $(active_window)"
    done
    for i in $(seq 1 $n); do
        if seen_in "$work/look$i.xwd"; then
            found=$i
            break
        fi
    done
    [ -n "$found" ] || fail "$what: nothing of ours is seen above the show"
    [ -n "${VANTREL_E2E_SHOTS:-}" ] && convert "xwd:$work/look$found.xwd" "$VANTREL_E2E_SHOTS/$wm-$layout-$what.png"
    return 0
}
look "reminder+1.5s" 212 215 218
# A loaded machine may start the blink a little late: one blink is looked across here too.
look "reminder+3s" 230 233 236
look "time-up+1.5s" 415
look "time-up+3s" 430
look "time-up+5s" 450

# The time-up is over: the main window stands ready, on the teacher's monitor.
at 475
main=$(main_window)
[ -n "$main" ] || fail "no main window after the time-up"
main_x=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left X: *//p')
if [ "$layout" = projector ]; then
    [ "$main_x" -lt 1920 ] || fail "the main window stays on the projector's monitor (x=$main_x)"
fi

# F11: the main window is seen (over the show when they share a monitor), and the presenter's
# clicker still drives the show.
tap F11
sleep 1
show_is_active || fail "F11 took the keyboard from the show ($(active_window))"
main=$(main_window)
[ -n "$main" ] || fail "no main window after F11"
main_x=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left X: *//p')
if [ "$layout" = projector ]; then
    [ "$main_x" -lt 1920 ] || fail "F11 brought the main window to the projector's monitor (x=$main_x)"
else
    seen || fail "after F11 the main window is not seen above the show"
fi
tap Right
slide_turned() { slide_is 0000FF; }
eventually 5 slide_turned || fail "Right after F11 did not turn the slide ($(pixel $((show_x + 100)) 900))"
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo "PASS"
