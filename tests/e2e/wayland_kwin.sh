#!/bin/bash
# The real program on KDE Plasma's compositor (KWin, headless, 1920x1080, with XWayland) and Plasma's
# desktop portal: our windows go through XWayland, the main window stands at its standard place, the
# count runs, the strip shows above a focused full-screen native Wayland window (a GTK one, put full
# screen by a window rule of KWin's; pixels of KWin's own screenshot), F9 and F11 are the desktop's global shortcuts and reach the program whichever window
# has the focus, and the title of a native Wayland window (a GTK one, on the accessibility bus)
# pulls the main window back as a deck open for editing does.
# Usage: wayland_kwin.sh <vantrel>
set -u
bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
for tool in kwin_wayland Xwayland zenity dbus-daemon dbus-update-activation-environment dbus-send xdotool \
    xwininfo import compare convert python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c "import dbus" 2>/dev/null || { echo "SKIP: python3-dbus is not installed"; exit 77; }
. "$here/wayland_lib.sh"
private_folders
start_session_bus

# Ends a service our bus started, by its name on the bus.
stop_service() {
    local pid
    pid=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" 2>/dev/null | awk '/uint32/ { print $2 }')
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
}
# The program ends first, while the desktop portal still has KWin to close its session with; then
# the portal, which would otherwise outlive KWin and the test, holding the test's output open. Its
# document store has mounted itself in the runtime folder.
office=""
cleanup_first() {
    [ -n "$office" ] && kill -9 -- -"$office" 2>/dev/null
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null && sleep 0.5
    stop_service org.freedesktop.portal.Desktop
    stop_service org.freedesktop.impl.portal.desktop.kde
    kill $(jobs -p) 2>/dev/null
    wait 2>/dev/null
    fusermount -u -q "$work/run/doc" 2>/dev/null
}
unset DISPLAY XAUTHORITY WAYLAND_DISPLAY QT_QPA_PLATFORM
# What a Plasma session tells its programs; the portal picks Plasma's back-end by the first.
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_TYPE=wayland
# KWin's screenshots otherwise go only to programs it trusts.
export KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
# A KDE program that fails (the portal, started again once KWin is gone) ends instead of waiting for
# a crash reporter, holding the test's output open.
export KDE_DEBUG=1

# The screen's colour at x y, as RRGGBB.
pixel() {
    rm -f "$work/shot.png"
    "$here/kwin_screenshot.py" "$work/shot.png" >/dev/null 2>&1
    convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6
}
# Presses one of our global shortcuts as the desktop does when its key is pressed.
press_shortcut() { # toggle-strip|bring-back
    dbus-send --session --print-reply --dest=org.kde.kglobalaccel /component/vantrel \
        org.kde.kglobalaccel.Component.invokeShortcut "string:$1" >/dev/null
}
# The keys the desktop has bound to one of our shortcuts, as Qt key codes.
shortcut_keys() {
    dbus-send --session --print-reply --dest=org.kde.kglobalaccel /component/vantrel \
        org.kde.kglobalaccel.Component.allShortcutInfos 2>/dev/null |
        awk -v id="$1" '/string "/ { n++; if (n == 1) name = $2 } /^ *}/ { n = 0 }
                        /int32/ && name == "\"" id "\"" && !seen[$2]++ { print $2 }'
}

# The native windows: GTK ones on Wayland, blue; KWin puts a running show full screen, as the
# presentation program would ask it to. (foot, used on the other compositors, dies on KWin's virtual
# screen, which has no physical size.)
mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
echo '* { background-color: #0000ff; background-image: none; }' >"$XDG_CONFIG_HOME/gtk-3.0/gtk.css"
cat >"$XDG_CONFIG_HOME/kwinrulesrc" <<'RULES'
[General]
count=1
rules=1

[1]
Description=a running show fills the screen
title=正在演示
titlematch=2
fullscreen=true
fullscreenrule=3
RULES
native_window() { # title
    GDK_BACKEND=wayland zenity --text-info --title "$1" --filename=/dev/null >/dev/null 2>&1 &
    native=$!
}

# A copy of KWin without its file capability: where the container's bounding set lacks that
# capability, starting the installed binary fails with "Operation not permitted".
cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
# KWin names its X display only to the programs it starts.
printf '#!/bin/sh\necho "$DISPLAY" >"%s/display.tmp" && mv "%s/display.tmp" "%s/display"\n' \
    "$work" "$work" "$work" >"$work/say_display.sh"
chmod +x "$work/say_display.sh"
socket="vantrel-test-$$"
"$work/kwin_wayland" --virtual --xwayland --width 1920 --height 1080 --no-lockscreen --socket "$socket" \
    "$work/say_display.sh" >"$work/kwin.log" 2>&1 &
eventually 30 test -s "$work/display" || fail "KWin did not start: $(grep -v '^>' "$work/kwin.log" | tail -3)"
export DISPLAY WAYLAND_DISPLAY="$socket"
DISPLAY=$(cat "$work/display")
eventually 20 xwininfo -root >/dev/null 2>&1 || fail "XWayland did not answer on $DISPLAY"
# Services the bus starts (the portal) see the session as the programs in it do.
dbus-update-activation-environment DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP KDE_FULL_SESSION \
    KDE_SESSION_VERSION KDE_DEBUG XDG_SESSION_TYPE XDG_RUNTIME_DIR XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
portal=""
[ -e /usr/share/dbus-1/services/org.freedesktop.impl.portal.desktop.kde.service ] && portal=yes

"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 20 grep -q "desktop session:" "$work/app.out" || fail "the program did not start: $(cat "$work/app.out")"
grep -q "desktop session: xwayland" "$work/app.out" || fail "not run through XWayland: $(cat "$work/app.out")"
if [ -n "$portal" ]; then
    eventually 20 grep -q "F9/F11: the desktop portal's global shortcuts" "$work/app.out" ||
        fail "F9/F11 are not the desktop's global shortcuts: $(grep F9 "$work/app.out")"
    # Bound to F9 and F11 as asked (Qt's key codes), where the user can change them.
    [ "$(shortcut_keys toggle-strip)" = 16777272 ] || fail "the strip's shortcut is not F9: $(shortcut_keys toggle-strip)"
    [ "$(shortcut_keys bring-back)" = 16777274 ] || fail "bringing back is not F11: $(shortcut_keys bring-back)"
else
    eventually 20 grep -q "F9/F11: X11 key events, only while a window of ours has the focus" "$work/app.out" ||
        fail "the program did not say where F9/F11 come from"
    echo "NOTE: Plasma's desktop portal (xdg-desktop-portal-kde) is not installed; its global shortcuts were not checked"
fi

# The first start on this desktop says what is missing, once.
eventually 10 has_notice || fail "no notice of what this desktop lacks"
xdotool windowactivate --sync "$(notice_window)" key Return
eventually 5 no_notice || fail "the notice did not close"

eventually 10 has_main || fail "no main window"
main=$(main_window)
eventually 5 at_standard_place 1920 || fail "the main window is at $X,$Y (${WIDTH}x$HEIGHT), not at its standard place"
start_ten_minutes
count_runs || fail "the count does not run"

# LibreOffice Impress's own show, native on this desktop, full screen with the keyboard: the main
# window, its count running, stays seen above it.
if [ -e /usr/lib/libreoffice/program/libvclplug_gtk3lo.so ]; then
    shots=yes
    start_native_impress
    eventually 40 /usr/bin/python3 "$here/office_show.py" "$pipe" start || fail "the LibreOffice show did not start"
    main_seen_over_impress
    eventually 20 /usr/bin/python3 "$here/office_show.py" "$pipe" end || fail "the LibreOffice show did not end"
    kill -9 -- -"$office"; wait "$office" 2>/dev/null; office=""
    eventually 10 has_main || fail "no main window after LibreOffice ended"
    main=$(main_window)
else
    echo "NOTE: no LibreOffice GTK version (libreoffice-gtk3) here; LibreOffice's own show was not tried"
fi

# 缩小 folds the main window into the strip, placed by the program at the standard top.
click_main 2798 1975
eventually 5 find_strip || fail "no strip after 缩小"
[ "$strip_y" -eq 133 ] || fail "the strip is at y=$strip_y, not at the standard top"

# A native Wayland window (invisible to xdotool) goes full screen in blue and takes the focus.
native_window "正在演示: deck"
eventually 10 pixel_is 100 900 0000FF || fail "the native window is not full screen ($(pixel 100 900))"
find_strip || fail "the strip went away under the full-screen window"
xwininfo -id "$strip" | grep -q "Override Redirect State: yes" || fail "the strip is not override-redirect"
sx=$(( strip_x + strip_w / 2 )) sy=$(( strip_y + 17 ))
eventually 5 pixel_is_not "$sx" "$sy" 0000FF || fail "the full-screen native window covers the strip"
[ -n "${VANTREL_E2E_KEEP:-}" ] && cp "$work/shot.png" "$VANTREL_E2E_KEEP"

if [ -n "$portal" ]; then
    # F9 while the native window has the focus hides the strip and shows it again; F11 brings the
    # main window back.
    press_shortcut toggle-strip
    eventually 5 strip_gone || fail "F9 from the desktop did not hide the strip"
    eventually 5 pixel_is "$sx" "$sy" 0000FF || fail "the strip is still drawn after F9 ($(pixel "$sx" "$sy"))"
    press_shortcut toggle-strip
    eventually 5 find_strip || fail "F9 from the desktop did not show the strip again"
    press_shortcut bring-back
    eventually 5 has_main || fail "F11 from the desktop did not bring the main window back"
    main=$(main_window)
    eventually 5 at_standard_place 1920 || fail "after F11 the main window is at $X,$Y, not at its standard place"
    # Seen above the full-screen window that keeps the keyboard: a window KWin does not stack.
    xwininfo -id "$main" | grep -q "Override Redirect State: yes" || fail "after F11 the main window is not kept above"
    eventually 5 pixel_is_not $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) 0000FF ||
        fail "after F11 the full-screen native window covers the main window"
    click_main 2798 1975
    eventually 5 main_gone || fail "缩小 did not fold the main window again"
fi

# The show ends and the deck stays open for editing in a native Wayland program: its title comes
# from the accessibility bus (GTK programs join it by themselves) and pulls the main window back.
if grep -q "window titles: also from the accessibility bus" "$work/app.out"; then
    kill "$native"
    native_window "deck.odp - LibreOffice Impress"
    eventually 15 has_main || fail "the title of a native window did not pull the main window back"
else
    echo "NOTE: no accessibility bus; native window titles were not checked"
fi

second_start_is_quiet
echo "PASS"
