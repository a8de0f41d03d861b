#!/bin/bash
# What the program costs while it counts folded into the tool strip, against a bare Qt program with a
# 100 ms timer doing nothing, on one X server (Xvfb + openbox) with a crowd of other programs'
# windows. Both run side by side the whole time and are measured in turns, each for the same span:
# CPU time (all threads, from /proc/<pid>/task/*/schedstat) and wake-ups (voluntary context
# switches, from /proc/<pid>/task/*/status).
# Usage: bench/idle_cost.sh [--build DIR] [--program FILE] [--seconds N] [--rounds N] [--windows N]
#                           [--threads]
#   defaults: build/release, its vantrel, 30 s per turn, 2 rounds (each program measured twice),
#   200 windows. --program measures another build of the program against this build's baseline;
#   --threads also lists each thread's wake-ups.
set -u
build=build/release program= seconds=30 rounds=2 windows=200 threads=
while [ $# -gt 0 ]; do
    case $1 in
    --build) build=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --threads) threads=1; shift ;;
    --seconds) seconds=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --windows) windows=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--program FILE] [--seconds N] [--rounds N] [--windows N] [--threads]" >&2; exit 2 ;;
    esac
done
build=$(readlink -f "$build")
program=$(readlink -f "${program:-$build/vantrel}")
if [ -z "${VANTREL_BENCH_UNDER_X:-}" ]; then
    export VANTREL_BENCH_UNDER_X=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" --build "$build" --program "$program" --seconds "$seconds" \
        --rounds "$rounds" --windows "$windows" ${threads:+--threads}
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
fail() { echo "FAIL: $*" >&2; exit 1; }
eventually() { # seconds command...
    local tenths=$(( $1 * 10 )); shift
    for _ in $(seq 1 $tenths); do "$@" && return 0; sleep 0.1; done
    return 1
}

openbox --sm-disable >/dev/null 2>&1 &
eventually 5 wmctrl -m >/dev/null 2>&1 || fail "openbox did not start"

"$build/bench/window_crowd" "$windows" >"$work/crowd.out" &
eventually 10 grep -q ready "$work/crowd.out" || fail "no crowd of windows"

# The program, counting 99 minutes, folded into the strip.
"$program" >"$work/app.out" 2>&1 &
app=$!
main_visible() { xdotool search --onlyvisible --name "^Vantrel工具$" >/dev/null 2>&1; }
eventually 20 main_visible || fail "no main window"
main=$(xdotool search --name "^Vantrel工具$" | head -n 1)
sleep 1
click_main() { xdotool mousemove --window "$main" $(( $1 / 15 )) $(( $2 / 15 )) click 1; sleep 0.5; }
click_main 2340 487
xdotool key ctrl+a type "99"
click_main 620 1975  # 开始
click_main 2798 1975 # 缩小
xdotool mousemove 640 780
eventually 5 bash -c "! xdotool search --onlyvisible --name '^Vantrel工具$' >/dev/null 2>&1" ||
    fail "the main window did not fold"

"$build/bench/bare_qt_timer" >/dev/null 2>&1 &
bare=$!
sleep 3

# CPU nanoseconds and voluntary context switches of every thread of a process.
sample() {
    local cpu=0 switches=0 t run v
    for t in /proc/"$1"/task/*; do
        read -r run _ <"$t/schedstat" 2>/dev/null || continue
        v=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status" 2>/dev/null)
        cpu=$(( cpu + run )) switches=$(( switches + ${v:-0} ))
    done
    echo "$cpu $switches $(date +%s%N)"
}
# Wake-ups of each thread, "name switches", for --threads.
thread_switches() {
    local t
    for t in /proc/"$1"/task/*; do
        echo "$(cat "$t/comm" 2>/dev/null | tr ' ' _) $(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status" 2>/dev/null)"
    done | sort
}
declare -A cpu_ns switches_n wall_ns
measure() { # name pid
    local a b
    [ -n "$threads" ] && thread_switches "$2" >"$work/threads.before"
    a=($(sample "$2"))
    sleep "$seconds"
    b=($(sample "$2"))
    [ -n "$threads" ] && thread_switches "$2" | paste -d' ' "$work/threads.before" - |
        awk -v w="$seconds" '{ printf "      %-20s %6.1f wake-ups/s\n", $1, ($4 - $2) / w }' 
    kill -0 "$2" 2>/dev/null || fail "$1 ended during the measurement"
    local dc=$(( b[0] - a[0] )) ds=$(( b[1] - a[1] )) dw=$(( b[2] - a[2] ))
    cpu_ns[$1]=$(( ${cpu_ns[$1]:-0} + dc ))
    switches_n[$1]=$(( ${switches_n[$1]:-0} + ds ))
    wall_ns[$1]=$(( ${wall_ns[$1]:-0} + dw ))
    awk -v n="$1" -v c="$dc" -v s="$ds" -v w="$dw" \
        'BEGIN { printf "  %-28s %6.3f %% of one core  %6.1f wake-ups/s\n", n, 100 * c / w, s / (w / 1e9) }'
}

echo "== idle cost: $windows other windows, $rounds x $seconds s per program, in turns"
for r in $(seq 1 "$rounds"); do
    measure "vantrel counting, folded" "$app"
    measure "bare Qt, 100 ms timer" "$bare"
done
# Still counting folded: nothing took the main window back out meanwhile.
main_visible && fail "the main window came back during the measurement"

awk -v ac="${cpu_ns[vantrel counting, folded]}" -v as="${switches_n[vantrel counting, folded]}" \
    -v aw="${wall_ns[vantrel counting, folded]}" -v bc="${cpu_ns[bare Qt, 100 ms timer]}" \
    -v bs="${switches_n[bare Qt, 100 ms timer]}" -v bw="${wall_ns[bare Qt, 100 ms timer]}" 'BEGIN {
    acpu = 100 * ac / aw; bcpu = 100 * bc / bw; awake = as / (aw / 1e9); bwake = bs / (bw / 1e9)
    printf "== totals\n"
    printf "  vantrel counting, folded     %6.3f %% of one core  %6.1f wake-ups/s\n", acpu, awake
    printf "  bare Qt, 100 ms timer        %6.3f %% of one core  %6.1f wake-ups/s\n", bcpu, bwake
    printf "  ratio                        %6.2f x CPU           %6.2f x wake-ups\n", acpu / bcpu, awake / bwake
    printf "  goals: CPU <= 2 x the bare program: %s; <= 15 wake-ups/s: %s\n",
        acpu <= 2 * bcpu ? "met" : "not met", awake <= 15 ? "met" : "not met"
}'
