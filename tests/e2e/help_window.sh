#!/bin/bash
# Starts the real program on an X server where no web browser is installed: 帮助 and the logo open
# the shipped help in a window of the program's own.
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
unset QT_QPA_PLATFORM BROWSER
# No browser and no desktop opener: only the system's own programs, without xdg-open and friends.
mkdir -p "$work/bin"
for tool in openbox xdotool wmctrl seq sleep head rm; do ln -s "$(command -v $tool)" "$work/bin/$tool"; done
export PATH="$work/bin"
openbox >/dev/null 2>&1 &
sleep 0.5

fail() { echo "FAIL: $*"; exit 1; }

wait_for_window() { # name, seconds
    for _ in $(seq 1 $(( $2 * 10 ))); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

"$bin" >"$work/out" 2>"$work/err" &
app=$!
wait_for_window "^Vantrel工具$" 15 || fail "the program shows no main window"
main=$(xdotool search --name "^Vantrel工具$" | head -n 1)

# 帮助 (Command6: 3960, 1815 twips, 580 × 320).
xdotool mousemove --window "$main" $(( (3960 + 290) / 15 )) $(( (1815 + 160) / 15 )) click 1
wait_for_window "Vantrel工具 帮助" 10 || fail "帮助 opened no help window"
help=$(xdotool search --onlyvisible --name "Vantrel工具 帮助" | head -n 1)
wmctrl -i -c "$help"
for _ in $(seq 1 30); do xdotool search --onlyvisible --name "Vantrel工具 帮助" >/dev/null 2>&1 || break; sleep 0.1; done

# The logo opens the same window again, at the help's about section.
xdotool mousemove --window "$main" $(( (4200 + 30 + 450) / 15 )) $(( (120 + 450) / 15 )) click 1
wait_for_window "Vantrel工具 帮助" 10 || fail "the logo opened no help window"
kill -0 $app 2>/dev/null || fail "the program ended"
kill $app
echo "PASS"
