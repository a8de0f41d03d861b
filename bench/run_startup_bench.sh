#!/bin/sh
# Runs bench_startup on a private X server with openbox: the program against the bare window.
#   bench/run_startup_bench.sh [build folder] [runs]
set -u
here=$(dirname "$(readlink -f "$0")")
build=$(readlink -f "${1:-$here/../build/release}")
runs=${2:-15}
work=$(mktemp -d)
trap 'rm -rf "$work" "$XDG_RUNTIME_DIR"' EXIT
# A data folder, settings and lock of the benchmark's own.
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
# The runtime folder is a tmpfs on a desktop (/run/user/<uid>): the single-instance lock costs no
# disk write there.
[ -d /dev/shm ] && export XDG_RUNTIME_DIR=$(mktemp -d -p /dev/shm)
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
# A desktop session has a session bus (the tray icon and accessibility ask it); without one, Qt
# would start a bus of its own at every run.
session=
[ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null && session="dbus-run-session --"
$session "$here/../tests/e2e/under_x.sh" "$build/bench/bench_startup" "$build/vantrel" "$build/bench/startup_bare_window" "$runs"
