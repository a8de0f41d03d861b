# Helpers shared by the end-to-end tests on Wayland compositors (sourced). Our windows live on the
# compositor's XWayland display, so xdotool and xwininfo reach them; native Wayland windows they do not.

fail() {
    echo "FAIL: $*"
    echo "Windows on ${DISPLAY:-no X display}:"
    for id in $(xdotool search --name . 2>/dev/null); do
        echo "  $id $(xdotool getwindowname "$id" 2>/dev/null) $(xwininfo -id "$id" 2>/dev/null | grep -o 'Map State: .*')"
    done
    echo "Program output:"; cat "$work/app.out" 2>/dev/null
    exit 1
}
# eventually <seconds> <command...>: true once the command succeeds within the time.
eventually() {
    local tenths=$(( $1 * 10 )); shift
    for _ in $(seq 1 $tenths); do "$@" && return 0; sleep 0.1; done
    return 1
}
# The window's client area in root coordinates: sets X Y WIDTH HEIGHT. xwininfo, not xdotool: under a
# reparenting compositor xdotool counts the frame's offset twice.
client_geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    X=$(printf '%s\n' "$info" | sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p')
    Y=$(printf '%s\n' "$info" | sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p')
    WIDTH=$(printf '%s\n' "$info" | sed -n 's/.*Width: *\([0-9]*\).*/\1/p')
    HEIGHT=$(printf '%s\n' "$info" | sed -n 's/.*Height: *\([0-9]*\).*/\1/p')
}
main_window() { xdotool search --onlyvisible --name "^Vantrel工具$" 2>/dev/null | head -n 1; }
notice_window() { xdotool search --onlyvisible --name "Vantrel工具提示：" 2>/dev/null | head -n 1; }
has_main() { [ -n "$(main_window)" ]; }
has_notice() { [ -n "$(notice_window)" ]; }
no_notice() { ! has_notice; }
# Clicks a control of the main window at its centre, given in twips of the client area.
click_main() {
    xdotool mousemove --window "$main" $(( $1 / 15 )) $(( $2 / 15 )) click 1
    sleep 0.3
}
# The tool strip: our visible window that is one strip high (34 pixels); sets strip_x strip_y strip_w.
find_strip() {
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        client_geometry "$id" || continue
        if [ "$HEIGHT" -eq 34 ]; then
            strip=$id strip_x=$X strip_y=$Y strip_w=$WIDTH
            return 0
        fi
    done
    return 1
}
# Whether the main window's picture changes within a few seconds: the count runs.
count_runs() {
    import -window "$main" "$work/count1.png" 2>/dev/null || return 1
    for _ in $(seq 1 30); do
        sleep 0.2
        import -window "$main" "$work/count2.png" 2>/dev/null || continue
        [ "$(compare -metric AE "$work/count1.png" "$work/count2.png" null: 2>&1)" != "0" ] && return 0
    done
    return 1
}
# Starts a ten-minute countdown in the main window.
start_ten_minutes() {
    click_main 2340 487
    xdotool key ctrl+a type "10"
    click_main 620 1975
}
# The standard place: horizontally centred, its top at 2000 twips (133 px at 96 dpi) plus the frame's
# title bar.
at_standard_place() { # screen width
    client_geometry "$main" || return 1
    local centre=$(( X + WIDTH / 2 ))
    [ $(( centre - $1 / 2 )) -ge -3 ] && [ $(( centre - $1 / 2 )) -le 3 ] && [ "$Y" -ge 133 ] && [ "$Y" -le 200 ]
}
# Ends the program ($app, started from $bin) and starts it again on the same desktop: the notice,
# seen at the first start, does not come again, and the program stays up.
second_start_is_quiet() {
    kill "$app"; wait "$app" 2>/dev/null
    "$bin" >"$work/app2.out" 2>&1 &
    app=$!
    eventually 20 has_main || fail "no main window at the second start: $(cat "$work/app2.out")"
    sleep 2
    no_notice || fail "the notice came again at the second start"
    kill -0 "$app" 2>/dev/null || fail "the program ended"
}
# LibreOffice Impress as it runs on a Wayland desktop (its GTK version, native) opens a deck of green
# slides, to be shown through its UNO pipe $pipe (no key reaches a native window from here). Sets
# $office, its process group: soffice runs oosplash, which may hang on a plain SIGTERM.
start_native_impress() {
    "$here/colour_deck.py" "$work/lesson.fodp" 00ff00 0000ff
    pipe="vantrel-e2e-$$"
    SAL_USE_VCLPLUGIN=gtk3 LANGUAGE=en_US setsid soffice "-env:UserInstallation=file://$work/office" --norestore \
        --nologo "--accept=pipe,name=$pipe;urp;" "$work/lesson.fodp" >"$work/office.log" 2>&1 &
    office=$!
}
main_kept_above() {
    main=$(main_window)
    [ -n "$main" ] && xwininfo -id "$main" | grep -q "Override Redirect State: yes"
}
# The show has the keyboard and fills the screen; the main window stays seen above it, as a window
# the compositor does not stack. Pixels where the desktop gives screenshots ($shots).
main_seen_over_impress() {
    eventually 10 main_kept_above ||
        fail "the main window is not kept above LibreOffice's show ($(xprop -root _NET_ACTIVE_WINDOW))"
    [ -n "$shots" ] || return 0
    eventually 10 pixel_is 100 900 00FF00 || fail "LibreOffice's show is not full screen ($(pixel 100 900))"
    client_geometry "$main"
    eventually 10 pixel_is_not $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) 00FF00 ||
        fail "LibreOffice's show covers the main window"
}
