#!/bin/sh
# Runs every test of a build: unit and widget tests offscreen, end-to-end tests under Xvfb.
set -e
build=${1:-build/release}
export QT_QPA_PLATFORM=offscreen
# Sanitized programs leave out leaks that lie in system libraries; other builds ignore this.
LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/leak-suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
ctest --test-dir "$build" --output-on-failure -j2
