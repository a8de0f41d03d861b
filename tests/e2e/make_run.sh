#!/bin/bash
# A teacher's first start, the README way, on a machine that has every package: a fresh clone's
# `make run` calls no package tool (apt-get, apt and sudo are stubs that fail), builds the program
# alone (no test or benchmark), and starts it: the main window shows, titled Vantrel工具 once loaded,
# and the name-list draw rolls the shipped sample's names on first use.
#
# The clone is of the committed state (HEAD) of the source tree. Its build goes through ccache when
# installed, with paths taken relative to the tree, so a build of the same sources made through the
# Makefile (or an earlier run of this test) is reused. JOBS limits the clone's build jobs (default 2).
set -u
src=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
git -C "$src" rev-parse --verify -q HEAD >/dev/null 2>&1 || { echo "SKIP: $src is not a git checkout"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIP: the AT-SPI Python bindings (gir1.2-atspi-2.0, python3-gi) are not installed"; exit 77; }
# The compiler cache stays the user's across the private home below.
command -v ccache >/dev/null && export CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}"

. "$here/harness.sh"
private_folders
start_x_server
start_session_bus
start_window_manager
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
program=""
cleanup_first() { [ -n "$program" ] && kill "$program" 2>/dev/null; }
fail_details() { [ -f "$work/make.log" ] && { echo "--- make run, last lines:"; tail -n 30 "$work/make.log"; }; }
# The system Python, which the Debian bindings belong to.
atspi() { /usr/bin/python3 "$here/atspi.py" "$@"; }
atspi bus || fail "no accessibility bus"

# The package tools that install: each call is logged and fails.
stubs="$work/stubs"
mkdir -p "$stubs"
for tool in apt-get apt aptitude sudo; do
    cat >"$stubs/$tool" <<STUB
#!/bin/sh
echo "$tool \$*" >>"$work/package-calls"
echo "$tool must not run here: every package is installed" >&2
exit 1
STUB
    chmod +x "$stubs/$tool"
done

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=true
fi

git clone -q "$src" "$work/vantrel" || fail "cannot clone $src"
started=$(date +%s)
# As a newcomer types it: nothing of an outer make (`make debug-test` passes PRESET and BUILD down).
(cd "$work/vantrel" && PATH="$stubs:$PATH" exec env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u PRESET -u BUILD \
    make run JOBS="${JOBS:-2}") >"$work/make.log" 2>&1 &
make_pid=$!

# The first build takes minutes; the window comes when it is done.
main='^Vantrel工具$'
while ! xdotool search --onlyvisible --name "$main" >/dev/null 2>&1; do
    kill -0 $make_pid 2>/dev/null || fail "make run ended without showing the main window"
    sleep 1
done
echo "make run showed the main window after $(( $(date +%s) - started )) s"
win=$(xdotool search --onlyvisible --name "$main" | head -n 1)
program=$(xprop -id "$win" _NET_WM_PID | awk '{print $3}')
[ -s "$work/package-calls" ] && fail "package tools were called: $(cat "$work/package-calls")"
title=$(xprop -id "$win" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
[ "$title" = "Vantrel工具" ] || fail "the main window is titled '$title' after loading"

# The program alone was built: the only executables in the build tree are vantrel and the modules it
# loads when first needed (office, slides, sound), no test or benchmark.
build="$work/vantrel/build/release"
built=$(find "$build" -type f -perm -u+x ! -path '*/CMakeFiles/*' -printf '%P\n' | sort | tr '\n' ' ')
expected="modules/vantrel-office.so modules/vantrel-slides.so modules/vantrel-sound.so vantrel "
[ "$built" = "$expected" ] || fail "make run built other than the program and its modules: $built"

# First use of the name-list draw: 抽签 → 按名单随机抽签 → 开始 rolls the sample's names.
atspi wait "frame:$main" 20 || fail "the main window is not on the accessibility bus"
atspi press "frame:$main" "抽签" || fail "cannot press 抽签"
atspi wait '^Vantrel工具 - 抽签$' 10 || fail "抽签 shows no launcher"
atspi press '^Vantrel工具 - 抽签$' "按名单随机抽签" || fail "cannot press 按名单随机抽签"
draw='^Vantrel工具 - 按名单随机抽签$'
atspi wait "$draw" 10 || fail "按名单随机抽签 shows no draw window"
[ -f "$XDG_DATA_HOME/vantrel/name.xls" ] || fail "the data folder has no name.xls: $(ls "$XDG_DATA_HOME/vantrel" 2>&1)"
atspi press "$draw" "开始" || fail "cannot press 开始"

names=$(tail -n +3 "$src/resources/samples/sheet1.csv" | cut -d, -f2 | tr -d '"')
seen="$work/seen"
: >"$seen"
for _ in $(seq 1 300); do # the private office instance starts first: up to 60 s
    shown=$(atspi text "$draw" "抽签者" 2>/dev/null)
    printf '%s\n' "$names" | grep -qxF -- "$shown" && printf '%s\n' "$shown" >>"$seen"
    [ "$(sort -u "$seen" | wc -l)" -ge 3 ] && break
    xdotool search --onlyvisible --name "Vantrel工具提示：" >/dev/null 2>&1 &&
        fail "a message instead of names: $(atspi labels 'Vantrel工具提示：' 2>&1 | tr '\n' ' ')"
    sleep 0.2
done
[ "$(sort -u "$seen" | wc -l)" -ge 3 ] || fail "no names rolling; the name box showed: $(atspi text "$draw" "抽签者" 2>&1)"
echo "names rolling: $(sort -u "$seen" | head -n 5 | tr '\n' ' ')"

kill "$program"
for _ in $(seq 1 150); do kill -0 $make_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $make_pid 2>/dev/null && fail "the program did not end on SIGTERM"
program=""
echo "PASS"
