#!/bin/bash
# The real program on a wlroots compositor (sway, headless, two monitors: 1920x1080 and 1280x1024 to
# its right). With XWayland: our windows go through it, the count runs, and the compositor's window
# list shows native Wayland windows to the tracking: a deck open for editing keeps 缩小 off and the
# main window in view, a full-screen show on the second monitor switches 缩小 on and the strip goes
# to that monitor, above the show (screen pixels); the show closed, 缩小 is off again. Without
# XWayland: the program runs as a native Wayland client, says once what it cannot do there, reads
# the same window list, and keeps running.
# sway refuses to run as root; as root this test runs itself as a system user made for it.
# Usage: wayland_sway.sh <vantrel>
set -u
bin=$(readlink -f "$1")
test_user=vantrel-test
for tool in sway swaymsg Xwayland grim foot xdotool xwininfo import compare convert python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
    ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }

if [ -z "${VANTREL_E2E_INNER:-}" ]; then
    here=$(dirname "$(readlink -f "$0")")
    . "$here/harness.sh"
    work_folder
    chmod 755 "$work"
    cp "$here/wayland_sway.sh" "$here/wayland_lib.sh" "$here/harness.sh" "$here/our_windows.sh" "$work/"
    if [ "$(id -u)" -ne 0 ]; then
        VANTREL_E2E_INNER=1 VANTREL_E2E_WORK="$work" "$work/wayland_sway.sh" "$bin"
        exit $?
    fi
    id "$test_user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin "$test_user" ||
        { echo "SKIP: cannot create the user $test_user"; exit 77; }
    chown "$test_user" "$work"
    # A build tree the test user cannot enter: the program alone is enough for this test.
    if ! runuser -u "$test_user" -- test -x "$bin"; then
        cp "$bin" "$work/vantrel" && chmod 755 "$work/vantrel" && bin="$work/vantrel"
    fi
    runuser -u "$test_user" -- env VANTREL_E2E_INNER=1 VANTREL_E2E_WORK="$work" PATH="$PATH" \
        "$work/wayland_sway.sh" "$bin"
    exit $?
fi

. "$VANTREL_E2E_WORK/wayland_lib.sh"
private_folders "$VANTREL_E2E_WORK"
unset DISPLAY XAUTHORITY WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM XDG_CURRENT_DESKTOP
export WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    XDG_SESSION_TYPE=wayland

# Starts sway with XWayland on or off; sets WAYLAND_DISPLAY, SWAYSOCK and, with XWayland, DISPLAY.
start_sway() { # enable|disable
    export XDG_RUNTIME_DIR="$work/run-$1"
    mkdir -p "$XDG_RUNTIME_DIR" "$work/sway" && chmod 700 "$XDG_RUNTIME_DIR"
    # A green desktop; our windows float, as they do once this rule is in the user's own config.
    cat >"$work/sway/config-$1" <<CONFIG
output HEADLESS-1 resolution 1920x1080 position 0 0 bg #00ff00 solid_color
output HEADLESS-2 resolution 1280x1024 position 1920 0 bg #00ff00 solid_color
focus output HEADLESS-1
xwayland $1
for_window [class="vantrel"] floating enable
CONFIG
    # sway serves its IPC at $SWAYSOCK when set: that of the sway before.
    unset SWAYSOCK WAYLAND_DISPLAY DISPLAY
    sway -c "$work/sway/config-$1" >"$work/sway-$1.log" 2>&1 &
    sway_pid=$!
    eventually 20 sway_socket_exists || fail "sway did not start: $(tail -3 "$work/sway-$1.log")"
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.* | head -n 1)
    WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -n 1)")
    export SWAYSOCK WAYLAND_DISPLAY
    if [ "$1" = enable ]; then
        swaymsg exec "echo \$DISPLAY >$work/display-$1" >/dev/null
        eventually 10 test -s "$work/display-$1" || fail "sway did not say its X display"
        export DISPLAY
        DISPLAY=$(cat "$work/display-$1")
        eventually 20 xwininfo -root >/dev/null 2>&1 || fail "XWayland did not answer on $DISPLAY"
    fi
}
sway_socket_exists() { ls "$XDG_RUNTIME_DIR"/sway-ipc.* >/dev/null 2>&1; }
stop_sway() {
    kill "$sway_pid" 2>/dev/null
    wait "$sway_pid" 2>/dev/null
}
# sway's windows: name, shell, app id or X class, x, y, width, height, full-screen mode, focused.
sway_windows() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("type") in ("con", "floating_con") and node.get("shell"):
        r = node["rect"]
        cls = node.get("app_id") or (node.get("window_properties") or {}).get("class")
        print("|".join(str(v) for v in (node.get("name"), node["shell"], cls, r["x"], r["y"], r["width"],
                                         r["height"], node.get("fullscreen_mode"), node.get("focused"))))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
# sway_has <part of the title> <shell> <app id or class> [full-screen and focused]
sway_has() {
    sway_windows | awk -F'|' -v title="$1" -v shell="$2" -v cls="$3" -v fs="${4:-}" '
        $1 == title && $2 == shell && $3 == cls && (fs == "" || ($8 == "1" && $9 == "True")) { found = 1 }
        END { exit !found }'
}
# The screen's colour at x y, as RRGGBB, from a screenshot of the compositor.
pixel() {
    grim "$work/shot.png" 2>/dev/null
    convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6
}

# --- With XWayland ---------------------------------------------------------------------------------
start_sway enable
# The notice was seen at an earlier start.
mkdir -p "$XDG_CONFIG_HOME/vantrel"
printf '[notices]\ndesktop-xwayland-seen=true\n' >"$XDG_CONFIG_HOME/vantrel/vantrel.ini"
"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 20 has_main || fail "no main window"
eventually 10 grep -q "desktop session: xwayland" "$work/app.out" || fail "not run through XWayland"
eventually 5 sway_has Vantrel工具 xwayland vantrel || fail "sway does not list our main window as an XWayland window"
sleep 1
no_notice || fail "the notice came although it was seen before"
main=$(main_window)
# sway places floating windows itself (centred) and ignores moves a client asks for: only the
# horizontal part of the standard place holds.
client_geometry "$main"
[ $(( X + WIDTH / 2 - 960 )) -ge -3 ] && [ $(( X + WIDTH / 2 - 960 )) -le 3 ] || fail "the main window is not centred (x=$X)"

eventually 5 grep -q "window titles: also from the compositor's window list" "$work/app.out" ||
    fail "the program does not read the compositor's window list"

start_ten_minutes
count_runs || fail "the count does not run"

# A deck open for editing in a native Wayland window (a terminal titled like LibreOffice Impress's
# edit window): 缩小 is off, a click on it leaves the main window in view.
foot --title "deck.odp - LibreOffice Impress" sleep 120 >"$work/editor.log" 2>&1 &
editor=$!
eventually 10 sway_has "deck.odp - LibreOffice Impress" xdg_shell foot || fail "no native edit window: $(sway_windows)"
sleep 1
click_main 2798 1975
sleep 1
has_main || fail "缩小 folded the main window away while a deck was open without its show"
find_strip && fail "a strip came while a deck was open without its show"

# Its show, full screen (blue) and focused on the second monitor: 缩小 is on, and the strip goes to
# that monitor and stays above the show.
swaymsg focus output HEADLESS-2 >/dev/null
foot --fullscreen --title "正在演示: deck" -o colors.background=0000ff sleep 120 >"$work/foot.log" 2>&1 &
show=$!
eventually 10 sway_has "正在演示: deck" xdg_shell foot fullscreen ||
    fail "no focused full-screen native window: $(sway_windows)"
eventually 5 pixel_is 2020 900 0000FF || fail "the native window does not fill the second monitor ($(pixel 2020 900))"
sleep 1
click_main 2798 1975
eventually 5 find_strip || fail "no strip after 缩小 with the show running"
eventually 5 main_gone || fail "the main window stayed in view after 缩小"
[ "$strip_x" -ge 1920 ] || fail "the strip is at x=$strip_x, not on the show's monitor (from x=1920)"
sx=$(( strip_x + strip_w / 2 )) sy=$(( strip_y + 17 ))
eventually 5 pixel_is_not "$sx" "$sy" 0000FF || fail "the full-screen native window covers the strip"
[ -n "${VANTREL_E2E_KEEP:-}" ] && cp "$work/shot.png" "$VANTREL_E2E_KEEP"

# The show ends, the deck stays open: 缩小 is off again and the main window comes back into view.
kill "$show"; wait "$show" 2>/dev/null
eventually 5 has_main || fail "the main window did not come back when the show closed"
click_main 2798 1975
sleep 1
has_main || fail "缩小 folded the main window away after the show closed"
kill "$editor"; wait "$editor" 2>/dev/null
kill "$app"; wait "$app" 2>/dev/null
stop_sway

# --- Without XWayland ------------------------------------------------------------------------------
start_sway disable
"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 20 grep -q "desktop session: wayland" "$work/app.out" || fail "not run as a native Wayland client"
eventually 10 grep -q "F9/F11: not available" "$work/app.out" || fail "the program did not say that F9/F11 are not available"
eventually 10 sway_has Vantrel工具提示： xdg_shell vantrel || fail "no notice on a desktop without XWayland: $(sway_windows)"
eventually 5 sway_has Vantrel工具 xdg_shell vantrel || fail "no native main window: $(sway_windows)"
grep -q "window titles: also from the compositor's window list" "$work/app.out" ||
    fail "the native program does not read the compositor's window list"
sleep 2
kill -0 "$app" 2>/dev/null || fail "the program ended"
[ -n "${VANTREL_E2E_KEEP:-}" ] && grim "${VANTREL_E2E_KEEP%.png}-native.png"
grep -q "desktop-wayland-seen" "$XDG_CONFIG_HOME/vantrel/vantrel.ini" && fail "the notice counted as seen while still open"
echo "PASS"
