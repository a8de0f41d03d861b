#!/bin/bash
# Starts the real program on an X server where no web browser is installed: 帮助 and the logo open
# the shipped help in a window of the program's own.
set -u
bin=$(readlink -f "$1")
. "$(dirname "$(readlink -f "$0")")/harness.sh"
private_folders
start_x_server
start_window_manager
unset BROWSER
# No browser and no desktop opener for the program: only the system's own programs, without
# xdg-open and friends.
mkdir -p "$work/bin"
for tool in openbox xdotool wmctrl seq sleep head rm; do ln -s "$(command -v $tool)" "$work/bin/$tool"; done

PATH="$work/bin" "$bin" >"$work/app.out" 2>&1 &
app=$!
wait_visible "^Vantrel工具$" 15 || fail "the program shows no main window"
main=$(xdotool search --name "^Vantrel工具$" | head -n 1)

# 帮助 (Command6: 3960, 1815 twips, 580 × 320).
xdotool mousemove --window "$main" $(( (3960 + 290) / 15 )) $(( (1815 + 160) / 15 )) click 1
wait_visible "Vantrel工具 帮助" 10 || fail "帮助 opened no help window"
help=$(xdotool search --onlyvisible --name "Vantrel工具 帮助" | head -n 1)
wmctrl -i -c "$help"
wait_gone "Vantrel工具 帮助" 3

# The logo opens the same window again, at the help's about section.
xdotool mousemove --window "$main" $(( (4200 + 30 + 450) / 15 )) $(( (120 + 450) / 15 )) click 1
wait_visible "Vantrel工具 帮助" 10 || fail "the logo opened no help window"
kill -0 $app 2>/dev/null || fail "the program ended"
kill $app
echo "PASS"
