#!/bin/bash
# The phone remote through a real browser: the program started with `[remote] enabled=true` prints
# its control page's address; headless Chromium opens it as a phone would. The page's count follows
# the desktop's; 开始 and 暂停 pressed on the page act on the desktop (read through the accessibility
# bus), also after a burst of requests with wrong tokens; the Stop question is asked on the page, not on the desktop; the web clock shows the count and
# has no buttons. The tray's "手机遥控" shows the address and its QR code.
# VANTREL_E2E_SHOTS names a folder to keep the pictures of the page and of the pairing window in.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"
command -v chromium >/dev/null || { echo "SKIP: chromium is not installed"; exit 77; }
/usr/bin/python3 -c 'import websocket, gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIP: python3-websocket or the AT-SPI bindings are not installed"; exit 77; }

private_folders
start_accessible_desktop 1280x720
cdp() { /usr/bin/python3 "$here/cdp.py" "$work/browser" "$@"; }

mkdir -p "$XDG_CONFIG_HOME/vantrel"
printf '[remote]\nenabled=true\n' >"$XDG_CONFIG_HOME/vantrel/vantrel.ini"
trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true >/dev/null 2>&1 &
"$program" >"$work/app.out" 2>&1 &
main="^Vantrel工具$"
atspi wait "$main" 20 || fail "no main window on the accessibility bus"
eventually 10 grep -q '^remote control: http://' "$work/app.out" || fail "no address of the remote on standard error"
[ "$(grep -c '^remote control:' "$work/app.out")" = 1 ] || fail "the address was written more than once"
url=$(sed -n 's/^remote control: //p' "$work/app.out")
[[ $url =~ /r/[0-9a-f]{32}$ ]] || fail "the address holds no token of 128 bits: $url"

chromium --headless=new --no-sandbox --disable-gpu --no-first-run --remote-debugging-port=0 \
    --remote-allow-origins='*' --user-data-dir="$work/browser" about:blank >"$work/browser.log" 2>&1 &
eventually 20 test -s "$work/browser/DevToolsActivePort" || fail "chromium did not start: $(tail -3 "$work/browser.log")"

desktop_count() { atspi labels "$main" | grep -E '^[0-9]{2} : [0-9]{2}$' | head -n 1; }
page_count() { cdp eval 'document.getElementById("count").textContent'; }
page_has_count() { [[ $(page_count) =~ ^[0-9]{2}\ :\ [0-9]{2}$ ]]; }
# equals <command...> <expected>: the command prints the expected text (run anew at each try).
equals() { [ "$("${@:1:$#-1}")" = "${!#}" ]; }
has_button() { atspi buttons "$main" | grep -qx "$1"; }
seconds_of() { local m=${1%% : *} s=${1##* : }; echo $((10#$m * 60 + 10#$s)); }
# The page is not behind the desktop: read after the desktop's count, it shows that count or a
# later one. Each reading takes a while on a loaded machine, so the page is read once more after.
page_not_behind() {
    local desktop page
    desktop=$(desktop_count)
    page=$(page_count)
    [ -n "$desktop" ] && [[ $page =~ ^[0-9]{2}\ :\ [0-9]{2}$ ]] && [ "$(seconds_of "$page")" -le "$(seconds_of "$desktop")" ]
}
page_follows() { eventually 3 page_not_behind; }

cdp open "$url" || fail "the page did not load"
# Before the start the desktop shows the entry boxes, the page the count as it stands.
eventually 10 page_has_count || fail "the page shows no count: $(page_count)"
[ -n "${VANTREL_E2E_SHOTS:-}" ] && cdp shot "$VANTREL_E2E_SHOTS/control-page.png" 390 844

# 1. 开始 on the page starts the desktop's count, which the page follows live.
cdp click '#press-start' || fail "no 开始 on the page"
eventually 5 equals atspi enabled "$main" "暂停" yes || fail "开始 on the page did not start the desktop's count"
sleep 2.2
for _ in 1 2 3; do
    page_follows || fail "the page ($(page_count)) does not follow the desktop ($(desktop_count))"
    sleep 0.7
done
[ "$(seconds_of "$(desktop_count)")" -lt 300 ] || fail "the desktop's count does not run: $(desktop_count)"

# A burst of 1,000 requests with wrong tokens: refused, and the count and the open page go on.
/usr/bin/python3 - "${url%/r/*}" <<'PY' || fail "the burst of wrong tokens was not refused"
import concurrent.futures, sys, urllib.error, urllib.request
def attempt(i):
    try:
        urllib.request.urlopen("%s/r/%032x" % (sys.argv[1], i), timeout=10)
        return 200
    except urllib.error.HTTPError as error:
        return error.code
with concurrent.futures.ThreadPoolExecutor(16) as pool:
    codes = set(pool.map(attempt, range(1000)))
sys.exit(0 if codes <= {403, 429} else 1)
PY
for _ in 1 2; do
    page_follows || fail "after the burst the page ($(page_count)) does not follow the desktop ($(desktop_count))"
    sleep 0.7
done

# 2. 暂停 on the page pauses the desktop: its button reads 继续 and the count stands.
cdp click '#press-pause' || fail "no 暂停 on the page"
eventually 5 has_button "继续" || fail "暂停 on the page did not pause the desktop"
held=$(desktop_count)
sleep 2
[ "$(desktop_count)" = "$held" ] || fail "the desktop's count went on after 暂停: $held, then $(desktop_count)"
eventually 3 equals cdp eval 'document.getElementById("press-pause").textContent' "继续" ||
    fail "the page's button does not read 继续"
cdp click '#press-pause' || fail "no 继续 on the page"
eventually 5 has_button "暂停" || fail "继续 on the page did not resume the desktop"

# 3. The web clock: the running count, read only; then back to the control page.
clock=$(cdp eval 'texts.clockAddress')
[[ $clock =~ /c/[0-9a-f]{32}$ ]] || fail "no web clock address: $clock"
[ "${clock##*/}" != "${url##*/}" ] || fail "the web clock has the control page's token"
cdp open "$clock" || fail "the web clock did not load"
eventually 10 page_follows || fail "the web clock shows $(page_count), the desktop $(desktop_count)"
[ "$(cdp eval 'document.querySelectorAll("button").length')" = 0 ] || fail "the web clock has buttons"
[ -n "${VANTREL_E2E_SHOTS:-}" ] && cdp shot "$VANTREL_E2E_SHOTS/web-clock.png" 844 390
cdp open "$url" || fail "the control page did not load again"
eventually 10 page_follows || fail "the control page shows $(page_count) after the web clock"

# 4. 停止: the question is asked on the page, the desktop shows none; 是 stops the count.
cdp click '#press-stop' || fail "no 停止 on the page"
eventually 5 equals cdp eval 'document.getElementById("ask").style.display' flex ||
    fail "the page asks nothing on 停止"
[ "$(cdp eval 'document.getElementById("askText").textContent')" = "确实要停止计时吗?" ] ||
    fail "the page asks another question: $(cdp eval 'document.getElementById("askText").textContent')"
atspi windows | grep -q 'alert' && fail "the desktop asks the question too"
[ "$(atspi enabled "$main" "停止")" = yes ] || fail "the count stopped before the answer"
cdp click '#askYes' || fail "no 是 on the page"
eventually 5 equals atspi enabled "$main" "开始" yes || fail "是 on the page did not stop the desktop's count"

# 5. The tray's 手机遥控 (the menu's third entry, after 打开程序文件夹 and 设置) shows the address and its QR code, whole on the screen.
tray=$(xdotool search --onlyvisible --class trayer 2>/dev/null | tail -n 1)
[ -n "$tray" ] || fail "no tray host window"
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.2
xdotool click 3
sleep 0.5
tap Down
tap Down
tap Down
tap Return
pairing="Vantrel工具 - 手机遥控"
wait_visible "$pairing" 10 || fail "手机遥控 in the tray's menu shows no window"
atspi labels "$pairing" | grep -qxF "$url" || fail "the pairing window does not show $url"
outer_geometry "$(visible "$pairing")"
[ $OX -ge 0 ] && [ $OY -ge 0 ] && [ $((OX + OW)) -le 1280 ] && [ $((OY + OH)) -le 720 ] ||
    fail "the pairing window is cut off: $OX,$OY ${OW}x$OH"
[ -n "${VANTREL_E2E_SHOTS:-}" ] && import -window root "$VANTREL_E2E_SHOTS/pairing-window.png"
# The same remote, not a new one: the page's address still holds.
[ "$(grep -c '^remote control:' "$work/app.out")" = 1 ] || fail "the tray started the remote a second time"
echo "PASS"
