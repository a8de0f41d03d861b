#!/bin/bash
# Runs a command on a private X server (Xvfb, 1280x800) with openbox managing the windows. The
# caller's folders and platform stay as they are: the benchmarks bring their own.
set -u
. "$(dirname "$(readlink -f "$0")")/harness.sh"
work_folder
start_x_server
start_window_manager
"$@"
