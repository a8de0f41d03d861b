#!/bin/bash
# A pipe (FIFO) named like the list's lock, .~lock.name.xls#, beside the list: the real program on an
# X server must neither freeze at "按名单随机抽签" nor at 开始, must say what is in the way, leave the
# pipe where it is, and still end on SIGTERM. Reading the pipe as a lock would wait for a writer
# forever, with the window and the signal handling.
set -u
bin=$(readlink -f "$1")

. "$(dirname "$(readlink -f "$0")")/../e2e/harness.sh"
private_folders
data="$XDG_DATA_HOME/vantrel"
mkdir -p "$data"
cp "$(dirname "$0")/../../resources/samples/name.xls" "$data/name.xls"
mkfifo "$data/.~lock.name.xls#"

start_x_server 1280x1024
start_window_manager

main_title="^Vantrel工具$"
launcher_title="Vantrel工具 - 抽签"
draw_title="Vantrel工具 - 按名单随机抽签"
notice_title="Vantrel工具提示："

"$bin" >"$work/app.out" 2>&1 &
program=$!
wait_visible "$main_title" 15 || fail "no main window"
click_twips "$(visible "$main_title")" $((3234 + 290)) $((1815 + 160))
wait_visible "$launcher_title" 5 || fail "抽签 shows no launcher (frozen while the list is prepared?)"
click_twips "$(visible "$launcher_title")" $((120 + 1080 + 390 + 1387)) $((15 + 600 + 1095 + 240))
wait_visible "$draw_title" 5 || fail "按名单随机抽签 shows no draw window"
click_twips "$(visible "$draw_title")" $((240 + 607)) $((2370 + 195))
wait_visible "$notice_title" 10 || fail "开始 says nothing about the pipe (frozen?)"
[ -p "$data/.~lock.name.xls#" ] || fail "the pipe was removed or replaced"

# The notice is read and closed; the window answers again, and SIGTERM ends the program.
xdotool windowactivate --sync "$(visible "$notice_title")" >/dev/null 2>&1
xdotool key Return
for _ in $(seq 1 50); do
    [ -z "$(visible "$notice_title")" ] && break
    sleep 0.1
done
[ -z "$(visible "$notice_title")" ] || fail "the notice does not close"
[ -n "$(visible "$draw_title")" ] || fail "the draw window went away"
kill -TERM $program
for _ in $(seq 1 50); do
    kill -0 $program 2>/dev/null || break
    sleep 0.1
done
kill -0 $program 2>/dev/null && fail "SIGTERM does not end the program"
wait $program
echo "PASS"
