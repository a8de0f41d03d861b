#!/bin/bash
# The real program driven by the keyboard alone (xdotool keys, no pointer): a count typed and started
# with Enter, paused and continued with Alt+P, stopped with Alt+T and the question answered with Y;
# then 抽签 (Alt+D), the sequence draw (Alt+1), a count of 2 and Enter, both numbers drawn with the
# access keys, a new round with Space on the focused 下一轮, a number drawn with Enter on the focused
# 抽  签, and Esc out of the draw between rounds asks about the open round, whose Esc goes on.
# What happened is read on the accessibility bus.
set -u
bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
private_folders
start_accessible_desktop
key() { xdotool key --delay 80 "$@"; sleep 0.3; }
focused() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(visible "$1")" ]; }

"$bin" >"$work/app.out" 2>&1 &
main='frame:^Vantrel工具$'
atspi wait "$main" 20 || fail "no main window"
eventually 10 focused '^Vantrel工具$' || fail "the main window did not get the keyboard"

# ---- The count ----
# The focus starts in the total's minutes box; Tab goes on to its seconds.
key ctrl+a && xdotool type --delay 60 01
key Tab ctrl+a && xdotool type --delay 60 30
[ "$(atspi text "$main" "定时时间：秒")" = "30" ] || fail "Tab did not lead from the minutes to the seconds box"
key Return
on() { atspi enabled "$main" "$1" 2>/dev/null | grep -q yes; }
eventually 5 on "暂停" || fail "Enter did not start the count"
key alt+p
eventually 5 on "继续" || fail "Alt+P did not pause"
key alt+p
eventually 5 on "暂停" || fail "Alt+P did not continue"
key alt+t
question='alert:^Vantrel工具提示：$'
atspi wait "$question" 10 || fail "Alt+T did not ask"
eventually 5 focused "^Vantrel工具提示：$" || fail "the question does not have the keyboard"
key y
eventually 5 atspi text "$main" "定时时间：秒" >/dev/null 2>&1 || fail "Y did not stop the count"

# ---- A sequence draw ----
key alt+d
launcher='frame:Vantrel工具 - 抽签'
atspi wait "$launcher" 10 || fail "Alt+D did not open the launcher"
eventually 5 focused "Vantrel工具 - 抽签" || fail "the launcher does not have the keyboard"
key alt+1
eventually 5 atspi text "$launcher" "抽签总人数" >/dev/null 2>&1 || fail "Alt+1 did not ask for the count"
# The count box has the keyboard once it is shown.
key ctrl+a && xdotool type --delay 60 2
key Return
draw='frame:随机抽签程序'
atspi wait "$draw" 10 || fail "Enter in the count box did not open the draw"
eventually 5 focused "随机抽签程序" || fail "the draw does not have the keyboard"
drawn() { atspi text "$draw" "已抽出的顺序号"; }
drawn_is() { [ "$(drawn)" = "$1" ]; }
drawn_count_is() { [ "$(drawn | tr '，' '\n' | grep -c .)" -eq "$1" ]; }
key alt+d
eventually 5 drawn_count_is 1 || fail "Alt+D drew nothing"
key alt+n alt+d
eventually 5 drawn_count_is 2 || fail "Alt+N, Alt+D drew nothing more: '$(drawn)'"
drawn_is "1，2" || drawn_is "2，1" || fail "Alt+N, Alt+D did not draw the other number: '$(drawn)'"
atspi labels "$draw" | grep "本轮抽签结束！" >/dev/null || fail "the round is not over after both numbers"
# 下一轮 has the focus at the end of a round: Space presses it, and 抽  签 gets the focus.
key space
eventually 5 drawn_is "" || fail "Space on the focused 下一轮 did not start a new round"
key Return
eventually 5 drawn_count_is 1 || fail "Enter on the focused 抽  签 drew nothing"
# Mid-round, Esc asks about the open round; Esc there goes on drawing.
key alt+n Escape
atspi wait "$launcher" 10 || fail "Esc mid-round did not ask about the round"
eventually 5 focused "Vantrel工具 - 抽签" || fail "the question about the round does not have the keyboard"
key Escape
atspi wait "$draw" 10 || fail "Esc on the question did not go back to the draw"
eventually 5 focused "随机抽签程序" || fail "the draw does not have the keyboard again"
key alt+d
eventually 5 drawn_count_is 2 ||
    fail "the round did not go on where it was: '$(drawn)'"
# The round is over now: Alt+E ends the draw at once and the main window comes back.
key alt+e
atspi wait "$main" 10 || fail "Alt+E did not return to the main window"
echo "PASS"
