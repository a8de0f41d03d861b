#!/bin/bash
# Runs the dependency check of `make run` / `make test` with every package tool replaced by a stub
# that logs its call and fails. On this machine, which has everything, nothing may be called and the
# check ends with 0. With one package made to look missing, exactly that package is asked for, and a
# failed or ineffective installation ends the check with an error.
set -u
script=$(readlink -f "$1")
real_dpkg_query=$(command -v dpkg-query) || { echo "SKIP: no dpkg-query here"; exit 77; }

. "$(dirname "$(readlink -f "$0")")/harness.sh"
work_folder

stubs="$work/stubs"
mkdir -p "$stubs"
for tool in apt-get apt aptitude dpkg sudo su pkexec; do
    cat >"$stubs/$tool" <<STUB
#!/bin/sh
echo "$tool \$*" >>"$work/calls"
exit \${STUB_STATUS:-1}
STUB
    chmod +x "$stubs/$tool"
done

run_check() { # extra PATH entry first, then the check's own arguments; its output goes to $work/out
    : >"$work/calls"
    path="$1"
    shift
    PATH="$path:$stubs:$PATH" sh "$script" "$@" >"$work/out" 2>&1
}

# A complete machine: no package tool, no root, exit 0.
run_check "$stubs" --tests
status=$?
[ -s "$work/calls" ] && fail "package tools were called on a complete machine: $(cat "$work/calls")"
[ $status -eq 0 ] || fail "the check ended with $status on a complete machine: $(cat "$work/out")"

# The same machine with xdotool looking missing: dpkg-query answers for the other packages as the
# real one does and knows xdotool not at all, whatever is installed in between.
hiding="$work/hiding"
mkdir -p "$hiding"
cat >"$hiding/dpkg-query" <<STUB
#!/bin/sh
names=0
for arg in "\$@"; do
    shift
    [ "\$arg" = xdotool ] && { hidden=1; continue; }
    case "\$arg" in -*) ;; *) names=\$((names + 1)) ;; esac
    set -- "\$@" "\$arg"
done
status=0
# Without names left, dpkg-query would list every package.
[ \$names -gt 0 ] && { "$real_dpkg_query" "\$@"; status=\$?; }
[ -n "\${hidden:-}" ] && { echo "dpkg-query: no packages found matching xdotool" >&2; exit 1; }
exit \$status
STUB
chmod +x "$hiding/dpkg-query"

# apt-get succeeds but dpkg still lists no xdotool: the check asked for xdotool alone, and says
# that it is still missing instead of passing.
STUB_STATUS=0 run_check "$hiding" --tests
status=$?
grep -q "apt-get update" "$work/calls" || fail "no apt-get update before installing: $(cat "$work/calls")"
install=$(grep "apt-get install" "$work/calls" | sed 's/^sudo //')
[ -n "$install" ] || fail "xdotool was not asked for: $(cat "$work/calls")"
asked=$(printf '%s\n' "$install" | tr ' ' '\n' | grep -v '^-' | sed '1,2d')
[ "$asked" = "xdotool" ] || fail "asked for '$asked' instead of xdotool alone"
if [ "$(id -u)" -ne 0 ]; then
    grep -q "^sudo apt-get install" "$work/calls" || fail "apt-get install was not run through sudo"
fi
[ $status -ne 0 ] || fail "an installation that left xdotool missing was reported as success"
grep -q "Still not installed.*xdotool" "$work/out" || fail "the check does not name what is still missing: $(cat "$work/out")"

# apt-get fails: so does the check.
run_check "$hiding" --tests
status=$?
[ $status -ne 0 ] || fail "a failed apt-get was reported as success"

# xdotool only drives the tests: the program's own set-up (`make run`) does not ask for it.
run_check "$hiding"
status=$?
[ -s "$work/calls" ] && fail "make run's set-up installs a test tool: $(cat "$work/calls")"
[ $status -eq 0 ] || fail "make run's set-up failed over a test tool: $(cat "$work/out")"
echo "PASS"
