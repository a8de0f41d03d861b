#!/bin/bash
# The real program on an X server with openbox while another program has the keyboard focus:
# quick taps of F9 and F11 each land once and still reach the focused program, and the reminder and
# the time-up bring the main window up without taking the focus from it.
# Usage: keys_and_focus.sh <vantrel> <e2e_titled_window>
set -u
bin=$(readlink -f "$1")
titled=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
. "$here/our_windows.sh"
private_folders
start_x_server
start_window_manager

active_is_editor() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$editor" ]; }
activate_editor() { xdotool windowactivate --sync "$editor" 2>/dev/null; sleep 0.1; active_is_editor; }
presses_seen() { grep -c '^key ' "$editor_out"; }

start_app() {
    "$bin" >"$work/app.out" 2>&1 &
    app=$!
    eventually 15 has_main || fail "no main window"
    main=$(main_window)
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
    eventually 3 main_gone || fail "缩小 did not fold the running countdown"
    eventually 3 find_strip || fail "no tool strip after folding"
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
eventually 1 has_main || fail "a quick tap of F11 did not bring the main window back"
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
    if [ $elapsed -gt 11500 ] && [ $elapsed -lt 15000 ] && has_main; then
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
has_main || fail "the main window is not shown after the time-up"
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo "PASS"
