#!/bin/bash
# Reads the buttons of two message boxes of the real program through the accessibility bus, as a
# screen reader would, under an English locale: the refusal of a 00 : 19 countdown offers 确定 alone,
# the question of 停止 offers 是 and 否, and 否 keeps the count going. Also reads the main window's
# title once loading is over.
set -u
bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
private_folders
start_accessible_desktop
export LANG=en_US.UTF-8 LANGUAGE=en_US LC_ALL=C.UTF-8

"$bin" >"$work/app.out" 2>&1 &
app=$!
main='frame:^Vantrel工具$'
atspi wait "$main" 20 || fail "no main window titled Vantrel工具 on the accessibility bus"
win=$(xdotool search --onlyvisible --name '^Vantrel工具$' | head -n 1)
title=$(xprop -id "$win" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
[ "$title" = "Vantrel工具" ] || fail "the main window is titled '$title' after loading"

# 00 : 19 is refused with one button, 确定.
atspi set "$main" "定时时间：分" 00 || fail "cannot type the minutes"
atspi set "$main" "定时时间：秒" 19 || fail "cannot type the seconds"
atspi press "$main" "开始" || fail "cannot press 开始"
refusal='alert:^Vantrel工具$'
atspi wait "$refusal" 10 || fail "00 : 19 was not refused"
atspi labels "$refusal" | grep -q "至少需大于20秒" || fail "another message: $(atspi labels "$refusal")"
buttons=$(atspi buttons "$refusal" | tr '\n' ' ')
[ "$buttons" = "确定 " ] || fail "the refusal's buttons read '$buttons', not 确定"
atspi press "$refusal" "确定" || fail "cannot press 确定"
for _ in $(seq 1 50); do atspi wait "$refusal" 0 2>/dev/null || break; sleep 0.1; done

# A count of 01 : 00; 停止 asks with 是 and 否, and 否 keeps counting.
atspi set "$main" "定时时间：分" 01
atspi set "$main" "定时时间：秒" 00
atspi press "$main" "开始" || fail "cannot press 开始 again"
sleep 1
atspi press "$main" "停止" || fail "the countdown did not start: no 停止 to press"
question='alert:^Vantrel工具提示：$'
atspi wait "$question" 10 || fail "停止 did not ask"
buttons=$(atspi buttons "$question" | sort | tr '\n' ' ')
[ "$buttons" = "否 是 " ] || fail "the Stop question's buttons read '$buttons', not 是 and 否"
atspi press "$question" "否" || fail "cannot press 否"
sleep 1
# Stopped, the window would show its entry boxes again.
atspi text "$main" "定时时间：秒" >/dev/null 2>&1 && fail "否 stopped the count"
kill -0 $app 2>/dev/null || fail "the program ended"
kill $app
echo "PASS"
