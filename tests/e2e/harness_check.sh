#!/bin/bash
# The harness itself: a failure stays a failure (message, exit code, also through the cleanup), the
# cleanup leaves no folder and no process behind, the X server has the asked size and dpi, a window's
# outer rectangle holds its manager's frame, and one tap is one key press.
# Usage: harness_check.sh <e2e_titled_window>
set -u
titled=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
private_folders

# A test script of its own, sourcing the harness, with the given body.
run_script() { # name, body
    printf '#!/bin/bash\nset -u\n. "%s/harness.sh"\n%s\n' "$here" "$2" >"$work/$1.sh"
    chmod +x "$work/$1.sh"
    "$work/$1.sh" >"$work/$1.out" 2>&1
}

# ---- Outcomes ----
run_script failing 'private_folders; fail "the clock is wrong"; echo "after fail"'
code=$?
[ $code -eq 1 ] || fail "fail ended its script with $code, not 1"
grep -qx "FAIL: the clock is wrong" "$work/failing.out" || fail "fail did not say why: $(cat "$work/failing.out")"
grep -q "after fail" "$work/failing.out" && fail "the script went on after fail"
# A cleanup that itself fails does not turn a failure into a success, nor a success into a failure.
run_script failing_cleanup 'private_folders; cleanup_first() { false; }; exit 3'
code=$?
[ $code -eq 3 ] || fail "with a failing cleanup a script's exit code 3 became $code"
run_script passing 'private_folders; cleanup_first() { false; }; true'
code=$?
[ $code -eq 0 ] || fail "with a failing cleanup a passing script ended with $code"
eventually 1 false && fail "eventually reported a condition that never held"
flag="$work/flag"
(sleep 0.5 && touch "$flag") &
eventually 3 test -e "$flag" || fail "eventually missed a condition that came true in time"

# ---- Cleanup: folders and processes, a stopped one too ----
run_script leaving 'private_folders
for folder in "$HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"; do
    case $folder in "$work"/*) ;; *) echo "outside: $folder"; exit 4 ;; esac
done
[ "$(stat -c %a "$XDG_RUNTIME_DIR")" = 700 ] || exit 5
sleep 300 & echo "running $!"
sleep 301 & kill -STOP $!; echo "stopped $!"
echo "work $work"'
code=$?
[ $code -eq 0 ] || fail "private folders are not private ($code): $(cat "$work/leaving.out")"
left=$(sed -n 's/^work //p' "$work/leaving.out")
[ -n "$left" ] && [ ! -e "$left" ] || fail "the work folder $left was left behind"
for pid in $(sed -n 's/^\(running\|stopped\) //p' "$work/leaving.out"); do
    kill -0 "$pid" 2>/dev/null && fail "process $pid outlived its test"
done

# ---- The X server, the frame, the keys ----
start_x_server 1024x768
dimensions=$(xdpyinfo | sed -n 's/ *dimensions: *\([0-9x]*\) pixels.*/\1/p')
[ "$dimensions" = 1024x768 ] || fail "the X server is $dimensions, not 1024x768"
resolution=$(xdpyinfo | sed -n 's/ *resolution: *\([0-9x]*\) dots.*/\1/p')
[ "$resolution" = 96x96 ] || fail "the X server has $resolution dpi, not 96"
start_window_manager
"$titled" "Notes - editor" 0xffffff >"$work/editor.out" 2>/dev/null &
eventually 5 test -s "$work/editor.out" || fail "no window"
editor=$(head -n 1 "$work/editor.out")
framed() { [ -n "$(xprop -id "$editor" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')" ]; }
eventually 5 framed || fail "openbox did not frame the window"
outer_geometry "$editor" || fail "no geometry of the window"
[ "$WIDTH" -eq 320 ] && [ "$HEIGHT" -eq 200 ] || fail "the client area is ${WIDTH}x$HEIGHT, not 320x200"
# openbox gives the window a title bar above it and a border of a pixel or more around it.
[ $((Y - OY)) -gt 10 ] && [ "$OH" -gt $((HEIGHT + Y - OY)) ] && [ "$OX" -lt "$X" ] && [ "$OW" -gt "$WIDTH" ] ||
    fail "the outer rectangle $OX,$OY ${OW}x$OH does not hold the frame around $X,$Y ${WIDTH}x$HEIGHT"
client_geometry "$editor"
[ "$X" -gt "$OX" ] && [ "$Y" -gt "$OY" ] || fail "client_geometry did not read the client area: $X,$Y"
focused() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$editor" ]; }
xdotool windowactivate --sync "$editor" 2>/dev/null
eventually 5 focused || fail "the window did not get the focus"
for _ in 1 2 3; do tap F9; done
presses() { grep -c '^key ' "$work/editor.out"; }
three_presses() { [ "$(presses)" -eq 3 ]; }
eventually 2 three_presses || fail "three taps made $(presses) key presses"
echo "PASS"
