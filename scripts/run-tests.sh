#!/bin/sh
# Runs every test of a build: unit and widget tests offscreen, end-to-end tests under Xvfb.
set -e
build=${1:-build/release}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2
