# Helpers shared by the end-to-end tests on Wayland compositors (sourced). Our windows live on the
# compositor's XWayland display, so xdotool and xwininfo reach them; native Wayland windows they do not.

here_lib=$(dirname "${BASH_SOURCE[0]}")
. "$here_lib/harness.sh"
. "$here_lib/our_windows.sh"

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
