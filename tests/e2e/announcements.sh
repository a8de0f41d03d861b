#!/bin/bash
# What a screen reader hears of the real program, read on the accessibility bus: during a count of
# 00 : 22 with a reminder at 00 : 11, a notification at the reminder ("还剩 11 秒") and one at the
# time-up ("时间到"), nothing in between; in a sequence draw of 3, one for each number drawn, with
# that number, the last saying the round is over.
set -u
bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/harness.sh"
private_folders
start_accessible_desktop
fail_details() { echo "heard:"; cat "$work/heard.txt" 2>/dev/null; echo "listener:"; cat "$work/listener.err" 2>/dev/null; }

/usr/bin/python3 "$here/announcements.py" >"$work/heard.txt" 2>"$work/listener.err" &
eventually 10 grep -q listening "$work/listener.err" || fail "the listener did not start"
now_ms() { date +%s%3N; }
heard_lines() { wc -l <"$work/heard.txt"; }
heard_at_least() { [ "$(heard_lines)" -ge "$1" ]; }
heard_text() { sed -n "${1}p" "$work/heard.txt" | cut -f2; }
heard_at() { sed -n "${1}p" "$work/heard.txt" | cut -f1; }

"$bin" >"$work/app.out" 2>&1 &
main='frame:^Vantrel工具$'
atspi wait "$main" 20 || fail "no main window on the accessibility bus"

# ---- A count of 00 : 22, reminded at 00 : 11 ----
atspi set "$main" "定时时间：分" 00 && atspi set "$main" "定时时间：秒" 22 &&
    atspi set "$main" "提前提醒时间：分" 00 && atspi set "$main" "提前提醒时间：秒" 11 ||
    fail "cannot enter the times"
[ "$(heard_lines)" -eq 0 ] || fail "something was announced before the count started"
started=$(now_ms)
atspi press "$main" "开始" || fail "cannot press 开始"
eventually 16 heard_at_least 1 || fail "nothing heard at the reminder"
[ "$(heard_text 1)" = "还剩 11 秒" ] || fail "the reminder was heard as '$(heard_text 1)'"
reminder=$(($(heard_at 1) - started))
# Its eleventh tick, give or take a loaded machine.
[ "$reminder" -ge 10500 ] && [ "$reminder" -le 14500 ] || fail "the reminder was heard after $reminder ms"
eventually 16 heard_at_least 2 || fail "nothing heard at the time-up"
[ "$(heard_text 2)" = "时间到" ] || fail "the time-up was heard as '$(heard_text 2)'"
up=$(($(heard_at 2) - started))
[ "$up" -ge 21500 ] && [ "$up" -le 25500 ] || fail "the time-up was heard after $up ms"
# The slide and the standing window after it say nothing more.
sleep 8
[ "$(heard_lines)" -eq 2 ] || fail "more than the reminder and the time-up was heard"

# ---- A sequence draw of 3 ----
atspi press "$main" "抽签" || fail "cannot press 抽签"
launcher='frame:Vantrel工具 - 抽签'
atspi wait "$launcher" 10 || fail "no launcher"
atspi press "$launcher" "随机抽取顺序号" || fail "cannot choose the sequence draw"
atspi set "$launcher" "抽签总人数" 3 || fail "cannot enter the count"
atspi press "$launcher" "确认" || fail "cannot confirm the count"
draw='frame:随机抽签程序'
atspi wait "$draw" 10 || fail "no sequence draw"
sleep 1
[ "$(heard_lines)" -eq 2 ] || fail "opening the draw was announced: $(heard_text 3)"
drawn() { atspi text "$draw" "已抽出的顺序号"; }
for k in 1 2 3; do
    [ "$k" -gt 1 ] && { atspi press "$draw" "下一个" || fail "cannot press 下一个"; }
    # After 下一个 the button comes back once the draw is ready again; on a loaded machine that takes a moment.
    eventually 5 atspi press "$draw" "抽  签" 2>/dev/null || fail "cannot press 抽  签"
    eventually 5 heard_at_least $((2 + k)) || fail "draw $k was not heard"
    number=$(drawn | awk -F'，' '{print $NF}')
    expected="抽中 $number"
    [ "$k" -eq 3 ] && expected="抽中 $number，本轮抽签结束"
    [ "$(heard_text $((2 + k)))" = "$expected" ] || fail "draw $k ($number) was heard as '$(heard_text $((2 + k)))'"
    # The rolling display between the draws says nothing.
    sleep 1.5
    [ "$(heard_lines)" -eq $((2 + k)) ] || fail "something more was heard after draw $k"
done
echo "PASS"
