# Helpers that find and drive the program's own windows from outside (sourced after harness.sh).
# $main is the main window, $app the program's process.

main_window() { xdotool search --onlyvisible --name "^Vantrel工具$" 2>/dev/null | head -n 1; }
notice_window() { xdotool search --onlyvisible --name "Vantrel工具提示：" 2>/dev/null | head -n 1; }
has_main() { [ -n "$(main_window)" ]; }
main_gone() { ! has_main; }
has_notice() { [ -n "$(notice_window)" ]; }
no_notice() { ! has_notice; }

# Clicks a control of the main window at its centre, given in twips of the client area.
click_main() {
    xdotool mousemove --window "$main" $(($1 / 15)) $(($2 / 15)) click 1
    sleep 0.3
}
# type_into <left> <top> <text>: replaces the text of a box of the main window, in twips of its client area.
type_into() {
    click_main "$1" "$2"
    xdotool key ctrl+a type "$3"
}
# Starts a ten-minute countdown in the main window.
start_ten_minutes() {
    type_into 2340 487 "10"
    click_main 620 1975
}

# The tool strip: our visible window that is one strip high (34 pixels); sets strip strip_x strip_y
# strip_w.
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
strip_shown() { find_strip; }
strip_gone() { ! find_strip; }
