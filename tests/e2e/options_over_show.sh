#!/bin/bash
# The options of the settings file over a real LibreOffice Impress show that has the keyboard, under
# Xvfb with openbox: with overtime, pace colours and the time-up cover switched on in the settings
# file, a 00 : 40 count with its reminder at 00 : 20
#   - shows its digits green before the reminder and amber after it;
#   - at 00 : 00 covers the show's screen: the cover is seen above the show (pixels), bypasses the
#     window manager (xwininfo), the show keeps the keyboard (_NET_ACTIVE_WINDOW) throughout, and a
#     click on the cover reaches the show;
#   - after the time-up counts on upward, "+00 : 0…" in red, seen above the show, which still has the
#     keyboard; folded, the strip shows the overtime in red too.
# Before the count, one more option is switched on through the settings window (the main window's
# right click), and lands in the settings file.
#   options_over_show.sh <vantrel>
set -u
bin=$(readlink -f "$1")
wm=openbox
here=$(dirname "$(readlink -f "$0")")
for tool in soffice Xvfb dbus-daemon xdotool wmctrl xprop xwininfo xwd convert "$wm"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
. "$here/harness.sh"
. "$here/our_windows.sh"
private_folders
start_x_server 1920x1080
start_session_bus
office=""
cleanup_first() { [ -n "$office" ] && kill -9 -- -"$office" 2>/dev/null; }
fail_label="options over a show"
fail_details() { echo "Windows:"; wmctrl -lG 2>/dev/null; }
start_window_manager "$wm"

# What a school presets for every machine.
mkdir -p "$XDG_CONFIG_HOME/vantrel"
cat >"$XDG_CONFIG_HOME/vantrel/vantrel.ini" <<'INI'
[countdown]
overtime=true
paceColours=true

[timeUp]
coverScreens=true
INI

office_profile="file://$work/office"
soffice "-env:UserInstallation=$office_profile" --headless --terminate_after_init >/dev/null 2>&1
"$here/colour_deck.py" "$work/deck.fodp" 00ff00 0000ff ff00ff

"$bin" >"$work/app.out" 2>&1 &
app=$!
eventually 20 has_main || fail "no main window"
main=$(main_window)
sleep 1

# The settings window from the main window's right click; the keyboard starts on its first option:
# two down is 记住预设时间.
xdotool mousemove --window "$main" 40 60 click 3
sleep 0.8
xdotool mousemove_relative 15 10 click 1
settings_window() { xdotool search --onlyvisible --name "^设置$" 2>/dev/null | head -n 1; }
has_settings() { [ -n "$(settings_window)" ]; }
eventually 5 has_settings || fail "the right click's 设置 did not open the settings window"
xdotool windowactivate --sync "$(settings_window)" 2>/dev/null
xdotool key Tab Tab space
kept() { grep -q '^rememberPresets=true' "$XDG_CONFIG_HOME/vantrel/vantrel.ini"; }
eventually 5 kept || fail "the settings window did not keep 记住预设时间: $(cat "$XDG_CONFIG_HOME/vantrel/vantrel.ini")"
grep -q '^overtime=true' "$XDG_CONFIG_HOME/vantrel/vantrel.ini" || fail "the school's overtime=true was lost"
wmctrl -c "设置"
settings_gone() { ! has_settings; }
eventually 5 settings_gone || fail "the settings window did not close"

type_into 2340 487 00
type_into 3240 487 40
type_into 2340 1027 00
type_into 3240 1027 20
click_main 620 1975
started=$(date +%s%N)

snap() { xwd -root -silent >"$work/shot.xwd"; }
pixel() { convert "xwd:$work/shot.xwd" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
# How many pixels of the main window (as it stands now) in the screenshot have exactly this colour.
main_pixels_of() { # <screenshot> <rrggbb>
    client_geometry "$(main_window)" || return 1
    convert "xwd:$1" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage -fill black +opaque "#$2" -fill white \
        -opaque "#$2" -format '%[fx:int(mean*w*h)]' info:
}
shows_colour() { # <screenshot> <rrggbb> <what>
    local n
    n=$(main_pixels_of "$1" "$2")
    [ -n "$n" ] && [ "$n" -ge 30 ] || fail "$3: the digits are not #$2 (${n:-no} pixels of it)"
}
shot() { [ -n "${VANTREL_E2E_SHOTS:-}" ] && convert "xwd:$1" "$VANTREL_E2E_SHOTS/options-$2.png"; return 0; }

# Before the reminder, the digits are green.
sleep 1.5
snap
shows_colour "$work/shot.xwd" 007000 "before the reminder"
shot "$work/shot.xwd" green

# The teacher starts the show: full screen, with the keyboard.
start_show "$work/deck.fodp" "$office_profile"
show_is_active || xdotool windowactivate "$show" 2>/dev/null
eventually 10 show_is_active || fail "the show does not have the keyboard ($(active_window) has it)"
slide_is() { snap && [ "$(pixel 100 900)" = "$1" ]; }
full_screen() { slide_is 00FF00; }
eventually 20 full_screen || fail "the show is not full screen"

at() { # <seconds after the start, in tenths>
    local due=$((started + $1 * 100000000))
    [ "$(date +%s%N)" -lt "$due" ] || fail "the show took too long to start for the moments looked at"
    while [ "$(date +%s%N)" -lt "$due" ]; do sleep 0.05; done
}

# After the reminder (00 : 20, shown for 3.9 s) the count is back above the show, amber.
at 300
snap
show_is_active || fail "after the reminder the show lost the keyboard to $(active_window)"
shows_colour "$work/shot.xwd" 965000 "after the reminder"
shot "$work/shot.xwd" amber

# The time-up: 41 s after the start. The cover is a dark band across the middle of the show's screen
# (no compositor runs here), the slide above and below it.
cover_seen() {
    snap && [ "$(pixel 40 540)" = "000000" ] && [ "$(pixel 100 900)" = "00FF00" ]
}
at 425
eventually 3 cover_seen || fail "the cover is not seen above the show ($(pixel 40 540), $(pixel 100 900))"
show_is_active || fail "the cover took the keyboard from the show ($(active_window))"
cp "$work/shot.xwd" "$work/cover.xwd"
cover=$(xdotool search --onlyvisible --name "时间到" 2>/dev/null | head -n 1)
[ -n "$cover" ] || fail "no cover window"
xwininfo -id "$cover" | grep -q "Override Redirect State: yes" || fail "the cover is stacked by the window manager"
client_geometry "$cover"
[ "$WIDTH" -eq 1920 ] && [ "$HEIGHT" -eq 1080 ] || fail "the cover is ${WIDTH}x$HEIGHT, not the screen"
# The presenter's keys still reach the show under the cover.
tap Right
turned() { slide_is 0000FF; }
eventually 5 turned || fail "Right under the cover did not turn the slide ($(pixel 100 900))"
# A click on the cover goes through to the show, which turns the slide again.
xdotool mousemove 40 540 click 1
clicked_through() { slide_is FF00FF; }
eventually 5 clicked_through || fail "a click on the cover did not reach the show ($(pixel 100 900))"
shot "$work/cover.xwd" cover
at 460
show_is_active || fail "the show lost the keyboard during the time-up ($(active_window))"

# The time-up is over (47 s): the cover is gone and the count goes on upward, red, above the show.
cover_gone() { [ -z "$(xdotool search --onlyvisible --name "时间到" 2>/dev/null)" ]; }
at 500
eventually 3 cover_gone || fail "the cover stays after the time-up"
snap
show_is_active || fail "in overtime the show lost the keyboard ($(active_window))"
shows_colour "$work/shot.xwd" C00000 "in overtime"
shot "$work/shot.xwd" overtime

# Folded away, the strip shows the overtime in red.
main=$(main_window)
click_main 2798 1975
eventually 5 strip_shown || fail "the strip did not come"
snap
n=$(convert "xwd:$work/shot.xwd" -crop "${strip_w}x34+$strip_x+$strip_y" +repage -fill black +opaque "#C00000" \
    -fill white -opaque "#C00000" -format '%[fx:int(mean*w*h)]' info:)
[ "$n" -ge 20 ] || fail "the strip's overtime is not red ($n pixels)"
shot "$work/shot.xwd" strip
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo "PASS"
