#!/bin/bash
# The slide draw of the real program on an X server with a window manager: the launcher's
# "PPT图文随机抽签" converts and shows MYPPT.ppt full screen in our own show, the toolbar stays
# above the show (its red counter is on screen), 准备 rolls the slides, 抽签 stops them, the toolbar
# is dragged by its counter, 退出 ends
# the show and brings the main window back; an instruction deck plays and closes the same way.
# With a folder as second argument, screenshots are kept there.
set -u
bin=$(readlink -f "$1")
shots=${2:-}
command -v /usr/lib/libreoffice/program/soffice.bin >/dev/null || command -v soffice >/dev/null || {
    echo "SKIP: LibreOffice is not installed"; exit 0; }

. "$(dirname "$(readlink -f "$0")")/../../e2e/harness.sh"
private_folders
start_x_server
start_window_manager
[ -n "$shots" ] && export VANTREL_E2E_KEEP="$shots/failure.png"

origin() { # window -> "x y" of its client area
    client_geometry "$1" && echo "$X $Y"
}
above() { # window a, window b -> whether the window manager stacks a above b
    local i=0 ia=-1 ib=-1 w
    for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'); do
        [ $((w)) -eq $(($1)) ] && ia=$i
        [ $((w)) -eq $(($2)) ] && ib=$i
        i=$((i + 1))
    done
    [ "$ib" -ge 0 ] && [ "$ia" -gt "$ib" ]
}
screen_sum() { # a checksum of the screen outside the toolbar's row
    import -window root -crop 1280x500+0+300 -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1
}

main_title="^Vantrel工具$"
launcher_title="Vantrel工具 - 抽签"
show_title="Vantrel 幻灯片放映"
toolbar_title="PPT图文随机抽签"

"$bin" >"$work/app.out" 2>&1 &
vpid=$!
wait_visible "$main_title" 15 || fail "no main window"
main=$(visible "$main_title")

open_launcher() {
    click_twips "$(visible "$main_title")" $((3234 + 290)) $((1815 + 160))
    wait_visible "$launcher_title" 5 || fail "抽签 shows no launcher"
}

# --- The slide draw ---
open_launcher
click_twips "$(visible "$launcher_title")" $((120 + 1080 + 390 + 1387)) $((15 + 600 + 1815 + 240))
# The first opening converts the deck: a notice says so while the program goes on.
wait_visible "正在准备演示文稿" 10 || fail "no notice while the deck converts"
[ -n "$shots" ] && import -window root "$shots/conversion-notice.png"
wait_visible "$show_title" 60 || fail "PPT图文随机抽签 shows no full-screen show"
[ -z "$(visible "正在准备演示文稿")" ] || fail "the notice stays over the show"
wait_visible "$toolbar_title" 5 || fail "no slide-draw toolbar"
toolbar=$(visible "$toolbar_title")
show=$(visible "$show_title")
sleep 1
[ -z "$(visible "$main_title")" ] || fail "the main window stays in view during the slide draw"
read -r sw sh < <(xwininfo -id "$show" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
[ "$sw" -eq 1280 ] && [ "$sh" -eq 800 ] || fail "the show is ${sw}x${sh}, not full screen"

read -r tx ty < <(origin "$toolbar")
counter_x=$(( tx + (3240 + 570) / 15 )); counter_y=$(( ty + (180 + 60) / 15 ))
[ "$(pixel $counter_x $counter_y)" = "FF0000" ] || fail "the toolbar's red counter is not on top of the show"

click_twips "$toolbar" $((120 + 382)) $((150 + 210))   # 准备
# Rolling: the slide changes, and changes again (a loaded machine may take a moment to repaint).
changed_since() { [ "$(screen_sum)" != "$1" ]; }
a=$(screen_sum)
eventually 3 changed_since "$a" || fail "准备 does not roll the slides"
a=$(screen_sum)
eventually 3 changed_since "$a" || fail "准备 showed one slide and stopped rolling"
[ -n "$shots" ] && import -window root "$shots/slide-draw-rolling.png"
click_twips "$toolbar" $((1160 + 382)) $((150 + 210))  # 抽签
sleep 0.5
a=$(screen_sum); sleep 0.3; b=$(screen_sum)
[ "$a" = "$b" ] || fail "抽签 does not stop the rolling"
[ "$(pixel $counter_x $counter_y)" = "FF0000" ] || fail "the toolbar went under the show after the draw"
[ -n "$shots" ] && import -window root "$shots/slide-draw.png"

# A click on the show (the user moving on) must not bury the toolbar.
xdotool mousemove 640 500 click 1
sleep 0.5
[ "$(pixel $counter_x $counter_y)" = "FF0000" ] || fail "a click on the show buried the toolbar"

# Dragged by its red counter, the toolbar follows the pointer and stays above the show.
xdotool mousemove $counter_x $counter_y mousedown 1
xdotool mousemove $(( counter_x + 60 )) $(( counter_y + 80 ))
sleep 0.2
xdotool mousemove $(( counter_x + 120 )) $(( counter_y + 160 )) mouseup 1
sleep 0.3
read -r nx ny < <(origin "$toolbar")
[ "$nx" -eq $(( tx + 120 )) ] && [ "$ny" -eq $(( ty + 160 )) ] || fail "the toolbar moved to $nx,$ny, not $(( tx + 120 )),$(( ty + 160 ))"
[ "$(pixel $(( counter_x + 120 )) $(( counter_y + 160 )))" = "FF0000" ] || fail "the dragged toolbar is under the show"

# Esc ends the show: the toolbar stays, grown by a line that says how to go on, and 准备 brings the
# show back.
read -r _ th0 < <(xwininfo -id "$toolbar" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
xdotool key Escape
wait_gone "$show_title" 5 || fail "Esc does not end the slide-draw show"
sleep 0.5
[ -n "$(visible "$toolbar_title")" ] || fail "the toolbar went with the show"
read -r _ th1 < <(xwininfo -id "$toolbar" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
[ "$th1" -gt $(( th0 + 20 )) ] || fail "the toolbar does not say how to go on after Esc (height $th0 -> $th1)"
[ -n "$shots" ] && import -window root "$shots/slide-draw-after-esc.png"
click_twips "$toolbar" $((120 + 382)) $((150 + 210))   # 准备
wait_visible "$show_title" 10 || fail "准备 does not bring the show back"
sleep 0.5
[ "$(pixel $(( counter_x + 120 )) $(( counter_y + 160 )))" = "FF0000" ] || fail "the toolbar is under the show brought back"
click_twips "$toolbar" $((1160 + 382)) $((150 + 210))  # 抽签

click_twips "$toolbar" $((2200 + 382)) $((150 + 210))  # 退出
wait_gone "$show_title" 5 || fail "退出 leaves the show running"
wait_visible "$main_title" 5 || fail "退出 does not bring the main window back"

# --- An instruction deck ---
# Its first opening converts it; 取消 on the notice stops that, leaves no office of ours running and
# keeps the main window.
open_launcher
click_twips "$(visible "$launcher_title")" $((120 + 1080 + 390 + 1387)) $((15 + 3360 + 360 + 240))
wait_visible "正在准备演示文稿" 10 || fail "no notice while the instruction deck converts"
notice=$(visible "正在准备演示文稿")
read -r nx ny < <(origin "$notice")
read -r nw nh < <(xwininfo -id "$notice" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
xdotool mousemove $(( nx + nw - 65 )) $(( ny + nh - 26 )) click 1
wait_gone "正在准备演示文稿" 5 || fail "取消 leaves the notice"
for _ in $(seq 1 30); do pgrep -f "work-$vpid-" >/dev/null || break; sleep 0.1; done
pgrep -f "work-$vpid-" >/dev/null && fail "the office runs on after 取消"
sleep 1
[ -z "$(visible "$show_title")" ] || fail "a show starts after 取消"
[ -n "$(visible "$main_title")" ] || fail "the main window is gone after 取消"
[ -z "$(find "$XDG_CACHE_HOME" -name 'work-*' 2>/dev/null)" ] || fail "取消 leaves the conversion's work folder"

open_launcher
click_twips "$(visible "$launcher_title")" $((120 + 1080 + 390 + 1387)) $((15 + 3360 + 360 + 240))
wait_visible "$show_title" 60 || fail "播放PPT说明文件一 shows no show"
wait_visible "$main_title" 5 || fail "the main window does not come back over the instruction show"
sleep 1
[ -n "$shots" ] && import -window root "$shots/instruction-show.png"
main=$(visible "$main_title"); show=$(visible "$show_title")
above "$main" "$show" || fail "the main window is hidden behind the instruction show"
a=$(screen_sum)
# The keyboard is the show's although the main window came up over it.
xdotool key Right
sleep 0.5
b=$(screen_sum)
[ "$a" != "$b" ] || fail "→ does not move to the next slide"
above "$main" "$show" || fail "the main window went behind the show that has the keyboard"
xdotool key Escape
wait_gone "$show_title" 5 || fail "Esc does not end the show"
kill -0 %1 2>/dev/null || fail "the program ended"
echo "PASS"
