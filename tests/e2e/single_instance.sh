#!/bin/bash
# Starts the real program twice on an X server: the second copy shows the notice, prints nothing and
# ends with code 0 while the first keeps running and comes back into view from being minimised;
# after the first is killed the next copy starts.
set -u
bin=$(readlink -f "$1")
if [ -z "${VANTREL_E2E_INNER:-}" ]; then
    export VANTREL_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$bin"
fi

work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 &
sleep 0.5

fail() { echo "FAIL: $*"; exit 1; }

wait_for_window() { # name, seconds
    for _ in $(seq 1 $(( $2 * 10 ))); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

"$bin" >"$work/first.out" 2>"$work/first.err" &
first=$!
wait_for_window "^Vantrel工具$" 15 || fail "the first copy shows no main window"
# The teacher lost the window: it is minimised.
firstwin=$(xdotool search --name "^Vantrel工具$" 2>/dev/null | head -n 1)
xdotool windowminimize --sync "$firstwin" 2>/dev/null
xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1 && fail "the first copy could not be minimised"

"$bin" >"$work/second.out" 2>"$work/second.err" &
second=$!
wait_for_window "Vantrel工具提示：" 15 || fail "the second copy shows no notice"
notice=$(xdotool search --name "Vantrel工具提示：" 2>/dev/null | head -n 1)
[ "$(xdotool search --name "^Vantrel工具($| )" 2>/dev/null | wc -l)" -eq 1 ] || fail "the second copy opened a main window"
xdotool windowactivate --sync "$notice" >/dev/null 2>&1
xdotool key --clearmodifiers Return 2>/dev/null
for _ in $(seq 1 50); do kill -0 $second 2>/dev/null || break; sleep 0.1; done
kill -0 $second 2>/dev/null && fail "the second copy did not end after OK"
wait $second; code=$?
[ $code -eq 0 ] || fail "the second copy ended with code $code"
[ ! -s "$work/second.out" ] || fail "the second copy printed: $(cat "$work/second.out")"
kill -0 $first 2>/dev/null || fail "the first copy is gone"
wait_for_window "^Vantrel工具$" 2 || fail "the first copy's window is gone"
shown=0
for _ in $(seq 1 30); do
    xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1 && { shown=1; break; }
    sleep 0.1
done
[ $shown -eq 1 ] || fail "the second start left the first copy's window minimised"

# A crashed first copy does not block the next start.
kill -9 $first; wait $first 2>/dev/null
"$bin" >"$work/third.out" 2>"$work/third.err" &
third=$!
wait_for_window "^Vantrel工具$" 15 || fail "after a crash the next copy does not start"
sleep 0.5
xdotool search --name "Vantrel工具提示：" >/dev/null 2>&1 && fail "after a crash the next copy shows the notice"
kill $third
echo "PASS"
