#!/bin/bash
# Drives the real program from outside on an X server with a window manager and a tray host: a left
# click on the bell brings the hidden main window back to its standard place, a right click opens
# the menu whose 退出Vantrel程序 asks before quitting, and both "退出" and the tray's exit end the program with code 0, leaving no child
# process and no lock file behind.
set -u
bin=$(readlink -f "$1")
command -v trayer >/dev/null || { echo "SKIP: trayer is not installed"; exit 77; }
. "$(dirname "$(readlink -f "$0")")/harness.sh"
private_folders
start_x_server

has_ended() { ! kill -0 "$1" 2>/dev/null; }
tray_running() { [ -n "$(xdotool search --onlyvisible --class trayer 2>/dev/null)" ]; }

# The window manager and the tray host must be up before the program maps its first window.
start_window_manager
trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true >/dev/null 2>&1 &
eventually 10 tray_running || fail "trayer did not start"

# The bell is the only icon in the tray: its centre is the centre of trayer's window.
click_tray() { # button
    local tray x y w h
    tray=$(xdotool search --onlyvisible --class trayer 2>/dev/null | tail -n 1)
    [ -n "$tray" ] || fail "no tray host window"
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    x=$((X + WIDTH / 2)); y=$((Y + HEIGHT / 2))
    # Not --sync: the pointer may already be there, and no motion would ever be reported.
    xdotool mousemove $x $y
    sleep 0.2
    xdotool click "$1"
}

# A question other than the main window, which carries the bare product title too.
question_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${main:-none}" | head -n 1; }
has_question() { [ -n "$(question_window "$1")" ]; }

answer_question() { # title pattern, key
    eventually 10 has_question "$1" || fail "no question titled $1"
    local box
    box=$(question_window "$1")
    xdotool windowactivate --sync "$box" >/dev/null 2>&1
    xdotool key --clearmodifiers "$2"
}

# Ends with the program's exit code; fails if a child of it outlives it or the lock stays.
expect_clean_end() { # pid
    local children code
    children=$(pgrep -P "$1" | tr '\n' ' ')
    eventually 15 has_ended "$1" || fail "the program did not end"
    wait "$1"; code=$?
    [ $code -eq 0 ] || fail "the program ended with code $code"
    for child in $children; do kill -0 "$child" 2>/dev/null && fail "child process $child outlived the program"; done
    [ -z "$(find "$XDG_RUNTIME_DIR" -name '*.lock' 2>/dev/null)" ] || fail "a lock file was left: $(find "$XDG_RUNTIME_DIR" -name '*.lock')"
}

start_program() {
    "$bin" >"$work/app.out" 2>&1 &
    pid=$!
    eventually 15 is_visible "^Vantrel工具$" || fail "no main window"
    main=$(visible "^Vantrel工具$")
    sleep 1 # the bell settles into the tray
}

# 1. Tray left click brings the hidden main window back to its standard place. The program hides it
#    itself when the enlarged countdown opens: start (Command1 at 330, 1815 twips), then double-click
#    the count (Label3 at 810, 60, 2655 x 765).
start_program
xdotool mousemove --window "$main" --sync 41 131 click 1
sleep 0.5
xdotool mousemove --window "$main" --sync 142 30 click --repeat 2 --delay 80 1
eventually 5 is_gone "^Vantrel工具$" || fail "the enlarged countdown did not take the main window's place"
is_visible "放大计时" || fail "no enlarged countdown"
click_tray 1
eventually 5 is_visible "^Vantrel工具$" || fail "left click on the bell did not show the main window"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
# Standard place: centred, top 2000 twips (133 px at 96 dpi); the client area sits one or two title
# bars lower, depending on when the window manager framed the window.
[ $(( (X + WIDTH / 2) - 640 )) -le 20 ] && [ $(( 640 - (X + WIDTH / 2) )) -le 20 ] || fail "not centred: x=$X w=$WIDTH"
[ "$Y" -ge 110 ] && [ "$Y" -le 180 ] || fail "not at the standard top: y=$Y"

# 2. The tray's right click opens its menu; its last entry, 退出Vantrel程序, asks; No keeps the
# program, Yes ends it.
choose_quit_in_tray_menu() {
    click_tray 3
    sleep 0.5
    # The menu has the keyboard: Up from no entry picks the last one.
    tap Up
    tap Return
}
choose_quit_in_tray_menu
answer_question "Vantrel工具提示：" Return # the default answer is No
sleep 1
kill -0 $pid 2>/dev/null || fail "answering No ended the program"
choose_quit_in_tray_menu
answer_question "Vantrel工具提示：" y
expect_clean_end $pid

# 3. The main window's "退出" (Command7 at 4575, 1785 twips, 580 x 320) asks, Yes ends the program.
start_program
xdotool mousemove --window "$main" --sync 324 129 click 1
answer_question "^Vantrel工具$" y
expect_clean_end $pid
echo "PASS"
