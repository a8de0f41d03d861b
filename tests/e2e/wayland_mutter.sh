#!/bin/bash
# The real program on GNOME's compositor (mutter, headless, 1920x1080, with XWayland): our windows go
# through XWayland, the first start says once what this desktop lacks, the main window stands at its
# standard place, the count runs, and the strip shows above a focused full-screen native Wayland
# window (screen pixels, taken through mutter's screen cast and PipeWire where those are installed).
# mutter lists no windows to programs: native Wayland windows of another program, seen through the
# accessibility bus only, switch 缩小 off while a deck is open without its show and on while the show
# runs full screen; so do LibreOffice Impress's own windows (its GTK version, native on Wayland).
# Usage: wayland_mutter.sh <vantrel> <e2e_native_window>
set -u
bin=$(readlink -f "$1")
native_window=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
for tool in mutter Xwayland foot dbus-daemon xdotool xwininfo import compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIP: the AT-SPI Python bindings (gir1.2-atspi-2.0, python3-gi) are not installed"; exit 77; }
. "$here/wayland_lib.sh"
private_folders
start_session_bus
office=""
cleanup_first() { [ -n "$office" ] && kill -9 -- -"$office" 2>/dev/null; }
unset DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP

# Screenshots: mutter casts its screen to PipeWire, whose session manager links the stream.
shots=""
if command -v pipewire >/dev/null && command -v wireplumber >/dev/null && command -v gst-launch-1.0 >/dev/null &&
    /usr/bin/python3 -c "import dbus, gi" 2>/dev/null; then
    shots=yes
    pipewire >"$work/pipewire.log" 2>&1 &
    wireplumber >"$work/wireplumber.log" 2>&1 &
    eventually 10 test -S "$XDG_RUNTIME_DIR/pipewire-0" || shots=""
fi
# The screen's colour at x y, as RRGGBB.
pixel() {
    rm -f "$work/shot.png"
    "$here/mutter_screenshot.py" "$work/shot.png" >/dev/null 2>&1
    convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6
}

display_name="vantrel-test-$$"
mutter --wayland --headless --virtual-monitor 1920x1080 --wayland-display="$display_name" >"$work/mutter.log" 2>&1 &
eventually 20 grep -q "Using public X11 display" "$work/mutter.log" || fail "mutter did not start: $(tail -3 "$work/mutter.log")"
export DISPLAY
DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/mutter.log")
export XAUTHORITY
XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
export WAYLAND_DISPLAY="$display_name" XDG_SESSION_TYPE=wayland
eventually 20 xwininfo -root >/dev/null 2>&1 || fail "XWayland did not answer on $DISPLAY"

# The accessibility bus, as GNOME runs it; Qt programs join it with accessibility on. The system
# Python, which the Debian bindings belong to.
atspi() { /usr/bin/python3 "$here/atspi.py" "$@"; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
atspi bus || fail "no accessibility bus"

"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 20 grep -q "desktop session:" "$work/app.out" || fail "the program did not start: $(cat "$work/app.out")"
grep -q "desktop session: xwayland" "$work/app.out" || fail "not run through XWayland: $(cat "$work/app.out")"
eventually 10 grep -q "window titles: also from the accessibility bus" "$work/app.out" ||
    fail "the program does not read the accessibility bus's window titles"
# mutter alone offers no desktop portal: the program says which keys it uses.
eventually 10 grep -q "F9/F11: X11 key events, only while a window of ours has the focus" "$work/app.out" ||
    fail "the program did not say where F9/F11 come from"

# The first start on this desktop says what is missing, once.
eventually 10 has_notice || fail "no notice of what this desktop lacks"
xdotool windowactivate --sync "$(notice_window)" key Return
eventually 5 no_notice || fail "the notice did not close"
eventually 5 grep -q "desktop-xwayland-seen=true" "$XDG_CONFIG_HOME/vantrel/vantrel.ini" || fail "the notice was not remembered"

eventually 10 has_main || fail "no main window"
main=$(main_window)
eventually 5 at_standard_place 1920 || fail "the main window is at $X,$Y (${WIDTH}x$HEIGHT), not at its standard place"

start_ten_minutes
count_runs || fail "the count does not run"

# Native Wayland windows of "LibreOffice": the deck open for editing, then its show full screen.
main_title='frame:^Vantrel工具$'
shrink_enabled() { [ "$(atspi enabled "$main_title" "缩小")" = yes ]; }
shrink_disabled() { [ "$(atspi enabled "$main_title" "缩小")" = no ]; }
atspi wait "$main_title" 10 || fail "the main window is not on the accessibility bus"
eventually 5 shrink_enabled || fail "缩小 is off while the count runs and no deck is open"
native() { QT_QPA_PLATFORM=wayland "$native_window" "$@" >>"$work/native.log" 2>&1 & }
native "lesson.odp - LibreOffice Impress"
editor=$!
eventually 10 shrink_disabled || fail "缩小 stays on while a native window has the deck open without its show"
[ -z "$(xdotool search --name "lesson.odp" 2>/dev/null)" ] || fail "the deck's window is on XWayland, not native"
native "正在演示: lesson" "#00ff00" fullscreen
show=$!
if [ -n "$shots" ]; then
    eventually 10 pixel_is 100 900 00FF00 || fail "the native show is not full screen ($(pixel 100 900))"
fi
eventually 10 shrink_enabled || fail "缩小 stays off while the native show runs full screen"
kill "$show"; wait "$show" 2>/dev/null
eventually 10 shrink_disabled || fail "缩小 stays on after the native show closed"
kill "$editor"; wait "$editor" 2>/dev/null
eventually 10 shrink_enabled || fail "缩小 stays off after the deck was closed"

# The same with LibreOffice Impress itself: its GTK windows are native Wayland windows on the
# accessibility bus, titled "<file> - LibreOffice Impress" and, while the show runs, "Presenting: <name>".
# No key reaches a native window from here: the show is started and ended through the office's UNO pipe.
if [ -e /usr/lib/libreoffice/program/libvclplug_gtk3lo.so ]; then
    start_native_impress
    eventually 40 shrink_disabled ||
        fail "缩小 stays on while LibreOffice has the deck open (its windows: $(atspi windows | grep -i soffice))"
    [ -z "$(xdotool search --name "LibreOffice" 2>/dev/null)" ] || fail "LibreOffice runs on XWayland, not natively"
    eventually 20 /usr/bin/python3 "$here/office_show.py" "$pipe" start || fail "the LibreOffice show did not start"
    eventually 20 shrink_enabled ||
        fail "缩小 stays off while LibreOffice's show runs (windows on the bus: $(atspi windows))"
    main_seen_over_impress
    eventually 20 /usr/bin/python3 "$here/office_show.py" "$pipe" end || fail "the LibreOffice show did not end"
    eventually 20 shrink_disabled || fail "缩小 stays on after LibreOffice's show ended"
    kill -9 -- -"$office"; wait "$office" 2>/dev/null; office=""
    eventually 20 shrink_enabled || fail "缩小 stays off after LibreOffice ended"
else
    echo "NOTE: no LibreOffice GTK version (libreoffice-gtk3) here; LibreOffice's own windows were not tried"
fi

# 缩小 folds the main window into the strip, placed by the program at the standard top.
click_main 2798 1975
eventually 5 find_strip || fail "no strip after 缩小"
[ "$strip_y" -eq 133 ] || fail "the strip is at y=$strip_y, not at the standard top"

# A native Wayland window (not on XWayland: invisible to xdotool) goes full screen and takes the focus.
foot --fullscreen --title "正在演示: deck" -o colors.background=0000ff sleep 120 >"$work/foot.log" 2>&1 &
eventually 10 grep -qs "using .* decorations\|rendering threads" "$work/foot.log" || fail "foot did not start"
sleep 1
find_strip || fail "the strip went away under the full-screen window"
xwininfo -id "$strip" | grep -q "Override Redirect State: yes" || fail "the strip is not override-redirect"
xwininfo -id "$strip" | grep -q "Map State: IsViewable" || fail "the strip is not shown"
if [ -n "$shots" ]; then
    eventually 10 pixel_is 100 900 0000FF || fail "the native window is not full screen ($(pixel 100 900))"
    sx=$(( strip_x + strip_w / 2 )) sy=$(( strip_y + 17 ))
    eventually 5 pixel_is_not "$sx" "$sy" 0000FF || fail "the full-screen native window covers the strip"
    [ -n "${VANTREL_E2E_KEEP:-}" ] && cp "$work/shot.png" "$VANTREL_E2E_KEEP"
else
    echo "NOTE: no PipeWire screen cast here; the strip was checked as an override-redirect window only"
fi

second_start_is_quiet
echo "PASS"
