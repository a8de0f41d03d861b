# The end-to-end tests' harness (sourced): a work folder cleaned up on exit, private home and XDG
# folders, an X server of the test's own, a window manager, a session bus, and the helpers that
# every test drives windows with. Nothing here starts by itself: each test calls what it needs.

# eventually <seconds> <command...>: true once the command succeeds within the time.
eventually() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq 1 $tenths); do "$@" && return 0; sleep 0.1; done
    return 1
}

# fail <message>: ends the test. What is on the screen and what the program said go with the message;
# VANTREL_E2E_KEEP names a file to keep the screenshot in. A test adds its own details by defining
# fail_details, and a label (the window manager, the layout) through fail_label.
fail() {
    echo "FAIL${fail_label:+ ($fail_label)}: $*"
    declare -F fail_details >/dev/null && fail_details
    if [ -n "${harness_xserver:-}" ] && ! kill -0 "$harness_xserver" 2>/dev/null; then
        echo "The X server of this test (pid $harness_xserver, $DISPLAY) has ended: $(tail -3 "$harness_xlog" 2>/dev/null)"
    elif [ -n "${harness_wm:-}" ] && ! kill -0 "$harness_wm" 2>/dev/null; then
        echo "The window manager of this test has ended: $(tail -3 "$work/wm.log" 2>/dev/null)"
    fi
    if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then
        echo "Windows on $DISPLAY:"
        for id in $(xdotool search --name . 2>/dev/null); do
            echo "  $id $(xdotool getwindowname "$id" 2>/dev/null) $(xwininfo -id "$id" 2>/dev/null | grep -o 'Map State: .*')"
        done
        if [ -n "${work:-}" ] && import -window root "$work/fail.png" 2>/dev/null; then
            [ -n "${VANTREL_E2E_KEEP:-}" ] && cp "$work/fail.png" "$VANTREL_E2E_KEEP" 2>/dev/null
        fi
    fi
    [ -s "${work:-/nonexistent}/app.out" ] && { echo "Program output:"; cat "$work/app.out"; }
    exit 1
}

# work_folder [folder]: $work, a folder for the test's files, removed on exit with every process the
# test started in the background (a stopped one too). A test that must end something first (an office
# in a process group of its own, a service on the bus) defines cleanup_first. A folder handed in is
# the caller's to remove.
work_folder() {
    if [ -n "${1:-}" ]; then
        work=$1 harness_made_work=""
    else
        work=$(mktemp -d) harness_made_work=yes
    fi
    trap harness_cleanup EXIT
}
harness_cleanup() {
    declare -F cleanup_first >/dev/null && cleanup_first
    local left
    left=$(jobs -p)
    if [ -n "$left" ]; then
        kill -CONT $left 2>/dev/null
        kill $left 2>/dev/null
        for _ in $(seq 1 30); do kill -0 $left 2>/dev/null || break; sleep 0.1; done
        kill -9 $left 2>/dev/null
        wait 2>/dev/null
    fi
    [ -n "${harness_bus:-}" ] && kill "$harness_bus" 2>/dev/null
    [ -n "${harness_made_work:-}" ] && rm -rf "$work"
    return 0
}

# private_folders [folder]: a work folder (see work_folder) that is also the program's home, with
# its own runtime, data, settings and cache folders, so that no test sees another's lock or settings.
# The program picks its platform from the desktop it finds, as it does on a teacher's machine.
private_folders() {
    work_folder "$@"
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data"
    export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
    mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
}

# start_x_server [<width>x<height>] [dpi]: an Xvfb of the test's own (1280x800 at 96 dpi unless the
# test needs another screen), on a display it picks itself so that tests may run side by side,
# exported as DISPLAY. Its files go to $work, or to the folder older callers name second.
start_x_server() {
    local size=${1:-1280x800} dpi=96 folder=${work:-}
    if [[ ${2:-} =~ ^[0-9]+$ ]]; then dpi=$2; elif [ -n "${2:-}" ]; then folder=$2; fi
    [ -d "$folder" ] || fail "no folder for the X server's files"
    rm -f "$folder/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi "$dpi" -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
    harness_xserver=$! harness_xlog="$folder/xvfb.log"
    eventually 20 test -s "$folder/display" || fail "no X server: $(tail -3 "$folder/xvfb.log")"
    DISPLAY=":$(head -n 1 "$folder/display")"
    export DISPLAY
    unset XAUTHORITY
}

# start_window_manager [openbox|xfwm4|kwin_x11]: a window manager on $DISPLAY (openbox unless the test
# names another), up before the program maps its first window. On a loaded machine a manager may give
# up at start (it found the display busy): it is started again then.
start_window_manager() {
    local name=${1:-openbox}
    for _ in 1 2 3; do
        case $name in
        openbox) openbox --sm-disable >"$work/wm.log" 2>&1 & ;;
        xfwm4) xfwm4 --compositor=off --sm-client-disable >"$work/wm.log" 2>&1 & ;;
        kwin_x11) kwin_x11 >"$work/wm.log" 2>&1 & ;;
        *) fail "unknown window manager $name" ;;
        esac
        harness_wm=$!
        # The answer must come from this manager: one that found another still ending has quit.
        eventually 15 wmctrl -m >/dev/null 2>&1 && sleep 0.2 && kill -0 "$harness_wm" 2>/dev/null && return 0
        # The next one starts only once this one has let go of the display.
        kill "$harness_wm" 2>/dev/null
        wait "$harness_wm" 2>/dev/null
    done
    fail "$name did not start: $(tail -3 "$work/wm.log")"
}

# start_session_bus: a session bus of the test's own, ended on exit; services it starts (the
# accessibility bus, desktop portals) end with it.
start_session_bus() {
    local out
    out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no session bus"
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$out")
    harness_bus=$(sed -n 2p <<<"$out")
    export DBUS_SESSION_BUS_ADDRESS
}

# tap <key>: a quick press, as a teacher's finger makes it: 40 ms down, shorter than one tick of the
# program's 100 ms scan, then a pause that lets one tick see the result.
tap() {
    xdotool keydown "$1"
    sleep 0.04
    xdotool keyup "$1"
    sleep 0.15
}
# tap_until <key> <condition...>: taps the key until the condition holds (at most 30 taps).
tap_until() {
    local key=$1
    shift
    for _ in $(seq 1 30); do "$@" && return 0; tap "$key"; done
    "$@"
}

# client_geometry <window>: sets X Y WIDTH HEIGHT to the client area in root coordinates. xwininfo,
# not xdotool: under a reparenting manager xdotool counts the frame's offset twice.
client_geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    X=$(sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    WIDTH=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
    HEIGHT=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
}
# outer_geometry <window>: sets OX OY OW OH to the window's outer rectangle, its manager's frame
# included (and X Y WIDTH HEIGHT to its client area).
outer_geometry() {
    client_geometry "$1" || return 1
    local extents l=0 r=0 t=0 b=0
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] && IFS=, read -r l r t b <<<"$extents"
    OX=$((X - l)) OY=$((Y - t)) OW=$((WIDTH + l + r)) OH=$((HEIGHT + t + b))
}

# The screen's colour at x y, as RRGGBB; the screenshot stays in $work/shot.png. Compositors whose
# root window shows nothing define their own.
pixel() {
    import -window root "$work/shot.png" 2>/dev/null
    convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6
}
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
pixel_is_not() { [ "$(pixel "$1" "$2")" != "$3" ]; }

# Windows by title: the first visible one that matches, and waiting for one to come or go.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
is_visible() { [ -n "$(visible "$1")" ]; }
is_gone() { [ -z "$(visible "$1")" ]; }
wait_visible() { eventually "$2" is_visible "$1"; } # title, seconds
wait_gone() { eventually "$2" is_gone "$1"; }       # title, seconds
# Clicks a point given in twips from the client area's top-left corner of a window.
click_twips() { # window, left, top
    client_geometry "$1" || return 1
    xdotool mousemove $((X + $2 / 15)) $((Y + $3 / 15)) click 1
    sleep 0.3
}

# atspi <command...>: reads and drives the program on the accessibility bus (atspi.py), with the system
# Python that Debian's bindings belong to.
harness_here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
atspi() { /usr/bin/python3 "$harness_here/atspi.py" "$@"; }

# start_accessible_desktop [<width>x<height>]: an X server, a session bus, a window manager and the
# accessibility bus, with the program's accessibility on, as a screen reader's user has them. The test
# is skipped (77) where the AT-SPI Python bindings are missing.
start_accessible_desktop() {
    /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        { echo "SKIP: the AT-SPI Python bindings (gir1.2-atspi-2.0, python3-gi) are not installed"; exit 77; }
    start_x_server "$@"
    start_session_bus
    start_window_manager
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
    atspi bus || fail "no accessibility bus"
}

# start_show <deck> <office profile URL>: the teacher starts a LibreOffice show of the deck, full
# screen, in a process group of its own ($office, for the test's cleanup); $show is its window once it
# has settled (it maps its window more than once while it goes full screen).
show_window() { xdotool search --onlyvisible --name "^Presenting: deck" 2>/dev/null | head -n 1; }
has_show() { [ -n "$(show_window)" ]; }
start_show() {
    setsid soffice "-env:UserInstallation=$2" --norestore --nologo --show "$1" >"$work/office.log" 2>&1 &
    office=$!
    disown "$office"
    eventually 60 has_show || fail "the show did not start: $(tail -3 "$work/office.log")"
    sleep 1
    eventually 10 has_show || fail "the show's window went away"
    show=$(show_window)
}
# Which window has the keyboard, and whether it is the show.
active_window() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //; s/,.*//'; }
show_is_active() { [ "$(printf '%d' "$(active_window)")" = "$show" ]; }
