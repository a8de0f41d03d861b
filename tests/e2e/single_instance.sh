#!/bin/bash
# Starts the real program twice on an X server: the second copy shows the notice, prints nothing and
# ends with code 0 while the first keeps running and comes back into view from being minimised;
# after the first is killed the next copy starts.
# Then what a hostile machine leaves in the way: whatever stands at the lock's place (an empty or
# garbled file, a folder, a FIFO, a full runtime folder, another user's stale lock) the program
# starts, and says on stderr what it could not do; a stopped first copy is told to every later start
# within a few seconds; a FIFO as the settings file does not hold the start up and SIGTERM ends the
# program; the settings are written through a link to a file, never into a link to a device.
# As root, the other user's lock is tried with the program running as nobody (the test's X server,
# started without an authority file, lets any local user in).
set -u
bin=$(readlink -f "$1")
. "$(dirname "$(readlink -f "$0")")/harness.sh"
private_folders
start_x_server
start_window_manager

# Any window of that title, shown or minimised.
window_exists() { xdotool search --name "$1" >/dev/null 2>&1; }
wait_for_window() { eventually "$2" window_exists "$1"; } # name, seconds
has_ended() { ! kill -0 "$1" 2>/dev/null; }
wait_for_end() { eventually "$2" has_ended "$1"; } # pid, seconds

"$bin" >"$work/first.out" 2>"$work/first.err" &
first=$!
wait_for_window "^Vantrel工具$" 15 || fail "the first copy shows no main window"
# Mapped before it is minimised: a window the manager has not shown yet would show after.
wait_visible "^Vantrel工具$" 15 || fail "the first copy's main window is not shown"
# The teacher lost the window: it is minimised.
firstwin=$(xdotool search --name "^Vantrel工具$" 2>/dev/null | head -n 1)
xdotool windowminimize --sync "$firstwin" 2>/dev/null
xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1 && fail "the first copy could not be minimised"

"$bin" >"$work/second.out" 2>"$work/second.err" &
second=$!
wait_for_window "Vantrel工具提示：" 15 || fail "the second copy shows no notice"
notice=$(xdotool search --name "Vantrel工具提示：" 2>/dev/null | head -n 1)
[ "$(xdotool search --name "^Vantrel工具($| )" 2>/dev/null | wc -l)" -eq 1 ] || fail "the second copy opened a main window"
xdotool windowactivate --sync "$notice" >/dev/null 2>&1
xdotool key --clearmodifiers Return 2>/dev/null
for _ in $(seq 1 50); do kill -0 $second 2>/dev/null || break; sleep 0.1; done
kill -0 $second 2>/dev/null && fail "the second copy did not end after OK"
wait $second; code=$?
[ $code -eq 0 ] || fail "the second copy ended with code $code"
[ ! -s "$work/second.out" ] || fail "the second copy printed: $(cat "$work/second.out")"
kill -0 $first 2>/dev/null || fail "the first copy is gone"
wait_for_window "^Vantrel工具$" 2 || fail "the first copy's window is gone"
shown=0
for _ in $(seq 1 30); do
    xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1 && { shown=1; break; }
    sleep 0.1
done
[ $shown -eq 1 ] || fail "the second start left the first copy's window minimised"

# A crashed first copy does not block the next start.
kill -9 $first; wait $first 2>/dev/null
"$bin" >"$work/third.out" 2>"$work/third.err" &
third=$!
wait_for_window "^Vantrel工具$" 15 || fail "after a crash the next copy does not start"
sleep 0.5
xdotool search --name "Vantrel工具提示：" >/dev/null 2>&1 && fail "after a crash the next copy shows the notice"
kill $third
wait_for_end $third 10 || fail "the third copy did not end on SIGTERM"
wait $third 2>/dev/null

# Starts a copy (the command after the name, or the program) that must come up as the only copy:
# its main window shows, no notice; SIGTERM then ends it. Its stderr is in $work/<name>.err.
runs_and_ends() { # name, command...
    local name=$1
    shift
    [ $# -gt 0 ] || set -- "$bin"
    "$@" >"$work/$name.out" 2>"$work/$name.err" &
    local copy=$!
    local window=""
    for _ in $(seq 1 150); do
        window=$(xdotool search --name "^Vantrel工具$" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 $copy 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$window" ] || fail "$name: the program did not start: $(tail -3 "$work/$name.err")"
    sleep 0.3
    xdotool search --name "Vantrel工具提示：" >/dev/null 2>&1 && fail "$name: the start was turned away"
    if [ -n "${after_start:-}" ]; then $after_start "$window" "$copy"; fi
    kill -TERM $copy
    wait_for_end $copy 10 || fail "$name: SIGTERM did not end the program"
    wait $copy 2>/dev/null
    return 0
}

fresh_runtime() {
    rm -rf "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}
lock=$XDG_RUNTIME_DIR/vantrel.lock

# What a killed copy, a full disk or a hand may leave as the lock file: nothing in it keeps a start out.
fresh_runtime && : >"$lock"
runs_and_ends empty-lock
fresh_runtime && head -c 300 /dev/urandom >"$lock"
runs_and_ends garbled-lock
[ ! -e "$lock" ] || fail "the copy left its lock file behind"

# Not a file at all: left as it is, the program starts without the lock and says why.
fresh_runtime && mkdir "$lock" && echo kept >"$lock/inside"
runs_and_ends folder-lock
grep -q "is a directory" "$work/folder-lock.err" || fail "a folder as the lock is not told: $(cat "$work/folder-lock.err")"
[ "$(cat "$lock/inside" 2>/dev/null)" = kept ] || fail "the folder in the lock's place was touched"
fresh_runtime && mkfifo "$lock"
runs_and_ends fifo-lock
grep -q "is a FIFO" "$work/fifo-lock.err" || fail "a FIFO as the lock is not told: $(cat "$work/fifo-lock.err")"
[ -p "$lock" ] || fail "the FIFO in the lock's place was replaced"

# A runtime folder with no room for a file, in a mount namespace of its own.
fresh_runtime
full_runtime() {
    mount -t tmpfs -o size=64k,nr_inodes=8,mode=0700 tmpfs "$XDG_RUNTIME_DIR" || exit 77
    i=0
    while { : >"$XDG_RUNTIME_DIR/filler$i"; } 2>/dev/null; do i=$((i + 1)); done
    exec "$bin"
}
export -f full_runtime
export bin
if unshare -m true 2>/dev/null && unshare -m bash -c 'mount -t tmpfs tmpfs "$XDG_RUNTIME_DIR"' 2>/dev/null; then
    runs_and_ends full-runtime unshare -m bash -c full_runtime
    grep -q "cannot create the lock file .*No space left" "$work/full-runtime.err" ||
        fail "a full runtime folder is not told: $(cat "$work/full-runtime.err")"
else
    echo "SKIP (this case only): no tmpfs can be mounted here for a full runtime folder"
fi

# A stale lock of another user: root's, after `sudo -E vantrel`, found by the teacher's own start.
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
    chmod 755 "$work"
    other=$work/nobody
    mkdir -p "$other/run" "$other/home" && chmod 700 "$other/run"
    chown -R nobody: "$other"
    as_nobody() {
        exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- env HOME="$other/home" \
            XDG_RUNTIME_DIR="$other/run" XDG_DATA_HOME="$other/home/data" XDG_CONFIG_HOME="$other/home/config" \
            XDG_CACHE_HOME="$other/home/cache" "$bin"
    }
    for mode in 600 644; do
        rm -f "$other/run/vantrel.lock"
        printf '999999\nvantrel\n%s\n' "$(hostname)" >"$other/run/vantrel.lock"
        chmod $mode "$other/run/vantrel.lock"
        holder_now() { stat -c %U "$other/run/vantrel.lock" >"$work/holder-$mode"; }
        after_start=holder_now runs_and_ends "root-lock-$mode" as_nobody
        [ -s "$work/holder-$mode" ] || fail "root's lock ($mode): the lock is gone while nobody runs"
    done
    # A lock nobody may not read is taken over; one it may read is locked where it is.
    [ "$(cat "$work/holder-600")" = nobody ] || fail "root's unreadable lock was not taken over"
    [ "$(cat "$work/holder-644")" = root ] || fail "root's readable lock was replaced: $(cat "$work/holder-644")"
else
    echo "SKIP (this case only): another user's lock needs root and the user nobody"
fi

# A stopped first copy: every later start hears so within a few seconds, on screen, and ends.
fresh_runtime
"$bin" >"$work/stopped.out" 2>"$work/stopped.err" &
stopped=$!
wait_for_window "^Vantrel工具$" 15 || fail "the copy to be stopped did not start"
kill -STOP $stopped
starts=()
for i in 1 2 3 4 5 6 7; do
    "$bin" >"$work/waiting$i.out" 2>"$work/waiting$i.err" &
    starts+=($!)
done
began=$(date +%s)
told=0
while [ $(( $(date +%s) - began )) -lt 15 ]; do
    told=0
    for i in 1 2 3 4 5 6 7; do grep -q "does not answer" "$work/waiting$i.err" && told=$((told + 1)); done
    [ $told -eq 7 ] && break
    sleep 0.2
done
[ $told -eq 7 ] || fail "only $told of 7 starts were told within 15 s that the running copy does not answer"
wait_for_window "Vantrel工具提示：" 5 || fail "a start that got no answer shows nothing"
notice=$(xdotool search --name "Vantrel工具提示：" 2>/dev/null | head -n 1)
xdotool windowactivate --sync "$notice" >/dev/null 2>&1
xdotool key --clearmodifiers Return 2>/dev/null
sleep 1
ended=0
for pid in "${starts[@]}"; do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"; code=$?
        [ $code -eq 1 ] || fail "a start that got no answer ended with code $code"
        ended=$((ended + 1))
    else
        kill -TERM "$pid"
        wait_for_end "$pid" 5 || fail "a start that got no answer does not end on SIGTERM"
        wait "$pid" 2>/dev/null
    fi
done
[ $ended -eq 1 ] || fail "OK on one notice ended $ended starts"
[ "$(xdotool search --name "^Vantrel工具($| )" 2>/dev/null | wc -l)" -eq 1 ] || fail "a start made a second main window"
kill -CONT $stopped
sleep 0.5
kill -0 $stopped 2>/dev/null || fail "the stopped copy did not survive the starts"
kill -TERM $stopped
wait_for_end $stopped 10 || fail "the copy that was stopped does not end on SIGTERM"
wait $stopped 2>/dev/null

# A FIFO as the settings file does not hold the start up.
fresh_runtime
settings=$XDG_CONFIG_HOME/vantrel/vantrel.ini
mkdir -p "$(dirname "$settings")" && mkfifo "$settings"
runs_and_ends fifo-settings
grep -q "is a FIFO" "$work/fifo-settings.err" || fail "a FIFO as settings is not told: $(cat "$work/fifo-settings.err")"
[ -p "$settings" ] || fail "the FIFO in the settings' place was replaced"

# Ctrl+= saves the main window's zoom: through a link to a file, into that file; a link to a device
# (here one of our own making, never the system's) is left as it is.
zoom_in() { # window, pid
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    xdotool key --clearmodifiers ctrl+equal
    sleep 0.5
}
rm -f "$settings"
mkdir -p "$work/elsewhere"
printf '[zoom]\nForm4=125\n' >"$work/elsewhere/shared.ini"
chmod 640 "$work/elsewhere/shared.ini"
ln -s "$work/elsewhere/shared.ini" "$settings"
after_start=zoom_in runs_and_ends linked-settings
[ -L "$settings" ] || fail "the link to the settings was replaced"
grep -q '^main=110$' "$work/elsewhere/shared.ini" || fail "the zoom was not written through the link: $(cat "$work/elsewhere/shared.ini")"
grep -q '^Form4=125$' "$work/elsewhere/shared.ini" || fail "the file behind the link lost a setting"
# The zoom an earlier version kept under the window's design name is now kept under its role.
grep -q '^name-list-draw=125$' "$work/elsewhere/shared.ini" || fail "the former zoom key was not taken over"
[ "$(stat -c %a "$work/elsewhere/shared.ini")" = 640 ] || fail "the file behind the link lost its permissions"
if mknod "$work/elsewhere/zero" c 1 5 2>/dev/null; then
    rm -f "$settings"
    ln -s "$work/elsewhere/zero" "$settings"
    after_start=zoom_in runs_and_ends device-settings
    [ -c "$work/elsewhere/zero" ] || fail "the device behind the settings link was replaced"
    [ -L "$settings" ] || fail "the link to the device was replaced"
    grep -q "is a device" "$work/device-settings.err" || fail "a device as settings is not told: $(cat "$work/device-settings.err")"
    [ "$(find "$work/elsewhere" -name '.zero*' | wc -l)" -eq 0 ] || fail "a file was left beside the device"
else
    echo "SKIP (this case only): no device node can be made here"
fi
echo "PASS"
