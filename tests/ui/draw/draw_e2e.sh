#!/bin/bash
# Drives a whole sequence-number draw of the real program on an X server: "抽签" hides the main
# window behind the launcher, a count of 5 starts the draw, "结  束" in the middle of the round asks
# and "继续抽签" goes back, and after the fifth draw "结  束" closes at once and brings the main
# window back.
set -u
bin=$(readlink -f "$1")

. "$(dirname "$(readlink -f "$0")")/../../e2e/harness.sh"
private_folders
start_x_server 1280x1024
start_window_manager

main_title="^Vantrel工具$"
launcher_title="Vantrel工具 - 抽签"
draw_title="随机抽签程序"

"$bin" >"$work/app.out" 2>&1 &
program=$!
wait_visible "$main_title" 15 || fail "no main window"
main=$(visible "$main_title")

click_twips "$main" $((3234 + 290)) $((1815 + 160))
wait_visible "$launcher_title" 5 || fail "抽签 shows no launcher"
wait_gone "$main_title" 5 || fail "the main window stays in view behind the launcher"
launcher=$(visible "$launcher_title")

click_twips "$launcher" $((120 + 1080 + 390 + 1387)) $((15 + 600 + 360 + 247))
xdotool type --delay 50 "5"
xdotool key Return
wait_visible "$draw_title" 5 || fail "confirming a count shows no draw window"
wait_gone "$launcher_title" 5 || fail "the launcher stays in view over the draw"
draw=$(visible "$draw_title")

# The button bar: 抽  签, 下一个, 下一轮, 结  束.
bar_top=$((75 + 150 + 15 + 247))
draw_button() { click_twips "$draw" $((150 + 6240 + 590)) $bar_top; }
next_button() { click_twips "$draw" $((150 + 6240 + 1295 + 590)) $bar_top; }
end_button() { click_twips "$draw" $((150 + 6240 + 3885 + 590)) $bar_top; }

draw_button
next_button
draw_button
end_button
wait_visible "$launcher_title" 5 || fail "结  束 mid-round does not ask"
wait_gone "$draw_title" 5 || fail "the draw window stays in view under the question"
[ -z "$(visible "$main_title")" ] || fail "the main window came back mid-round"
xdotool windowactivate --sync "$(visible "$launcher_title")" >/dev/null 2>&1
xdotool key space
wait_visible "$draw_title" 5 || fail "继续抽签 does not return to the draw"
wait_gone "$launcher_title" 5 || fail "the question stays in view after 继续抽签"

for _ in 3 4 5; do
    next_button
    draw_button
done
end_button
wait_visible "$main_title" 5 || fail "结  束 after the last draw does not bring the main window back"
wait_gone "$draw_title" 5 || fail "the draw window stays after the round"
[ -z "$(visible "$launcher_title")" ] || fail "the launcher shows after a finished round"
kill -0 $program 2>/dev/null || fail "the program ended"
echo "PASS"
