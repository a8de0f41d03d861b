#!/bin/bash
# The real program on an X server with openbox while another program has the keyboard focus:
# quick taps of F9 and F11 each land once and still reach the focused program, and the reminder and
# the time-up bring the main window up without taking the focus from it.
# Usage: keys_and_focus.sh <vantrel> <e2e_titled_window>
set -u
bin=$(readlink -f "$1")
titled=$(readlink -f "$2")
if [ -z "${VANTREL_E2E_INNER:-}" ]; then
    export VANTREL_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$bin" "$titled"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
openbox --sm-disable >/dev/null 2>&1 &
for _ in $(seq 1 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

fail() {
    echo "FAIL: $*"
    exit 1
}
eventually() { # seconds command...
    local tenths=$(( $1 * 10 )); shift
    for _ in $(seq 1 $tenths); do "$@" && return 0; sleep 0.1; done
    return 1
}
main_visible() { xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1; }
main_hidden() { ! main_visible; }
click_main() { # x y, in twips of the client area
    xdotool mousemove --window "$main" $(( $1 / 15 )) $(( $2 / 15 )) click 1
    sleep 0.3
}
type_into() { click_main "$1" "$2"; xdotool key ctrl+a type "$3"; }
# The tool strip: our visible window that is one strip high (34 pixels).
strip_shown() {
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$HEIGHT" -eq 34 ] && return 0
    done
    return 1
}
strip_gone() { ! strip_shown; }
# A quick tap, as a teacher's finger makes it: 40 ms down.
tap() { xdotool keydown "$1"; sleep 0.04; xdotool keyup "$1"; }
active_is_editor() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$editor" ]; }
activate_editor() { xdotool windowactivate --sync "$editor" 2>/dev/null; sleep 0.1; active_is_editor; }
presses_seen() { grep -c '^key ' "$editor_out"; }

start_app() {
    "$bin" >"$work/app.$RANDOM.out" 2>&1 &
    app=$!
    eventually 15 main_visible || fail "no main window"
    main=$(xdotool search --name "^Vantrel工具$" | head -n 1)
    sleep 0.5
}
# A countdown of mm:ss with a reminder at mm:ss, folded into the strip.
start_folded() { # total-minutes total-seconds reminder-minutes reminder-seconds
    type_into 2340 487 "$1"
    type_into 3240 487 "$2"
    type_into 2340 1027 "$3"
    type_into 3240 1027 "$4"
    click_main 620 1975
    click_main 2798 1975
    eventually 3 main_hidden || fail "缩小 did not fold the running countdown"
    eventually 3 strip_shown || fail "no tool strip after folding"
}
# Another program's window takes the keyboard focus.
open_editor() {
    editor_out="$work/editor.$RANDOM"
    "$titled" "Notes - editor" 0xffffff >"$editor_out" 2>/dev/null &
    eventually 5 test -s "$editor_out" || fail "no editor window"
    editor=$(head -n 1 "$editor_out")
    eventually 5 activate_editor || fail "the editor did not get the focus"
}

# ---- Quick taps of F9 and F11 while the editor has the focus ----
start_app
start_folded 10 00 00 00
open_editor
expected=shown
for i in 1 2 3 4 5 6; do
    tap F9
    if [ "$expected" = shown ]; then expected=gone; else expected=shown; fi
    eventually 1 "strip_$expected" || fail "tap $i of F9 did not toggle the strip (it is not $expected)"
    sleep 0.3
    "strip_$expected" || fail "tap $i of F9 toggled the strip more than once"
done
editor_saw() { [ "$(presses_seen)" -eq "$1" ]; }
eventually 2 editor_saw 6 || fail "the editor saw $(presses_seen) of the 6 presses of F9"
active_is_editor || fail "F9 took the focus"
tap F11
eventually 1 main_visible || fail "a quick tap of F11 did not bring the main window back"
eventually 2 editor_saw 7 || fail "F11 did not reach the editor"
kill "$app"; wait "$app" 2>/dev/null

# ---- The reminder and the time-up while the editor has the focus ----
start_app
start_folded 00 22 00 11
started=$(date +%s%N)
open_editor
shown_in_reminder=no typed=no
while :; do
    elapsed=$(( ($(date +%s%N) - started) / 1000000 )) # ms
    [ $elapsed -gt 31000 ] && break
    active_is_editor || fail "our window took the focus at ${elapsed} ms ($(xdotool getactivewindow 2>/dev/null))"
    if [ $elapsed -gt 11500 ] && [ $elapsed -lt 15000 ] && main_visible; then
        shown_in_reminder=yes
        if [ $typed = no ]; then
            before=$(presses_seen)
            xdotool type --delay 20 "abc"
            typed=yes
            eventually 2 editor_saw $(( before + 3 )) || fail "typing during the reminder did not reach the editor"
        fi
    fi
    sleep 0.1
done
[ $shown_in_reminder = yes ] || fail "the main window was not shown during the reminder"
main_visible || fail "the main window is not shown after the time-up"
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo "PASS"
