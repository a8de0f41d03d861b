#!/bin/bash
# Runs a command on a private X server (Xvfb, 1280x800) with openbox managing the windows.
set -u
if [ -z "${VANTREL_UNDER_X:-}" ]; then
    export VANTREL_UNDER_X=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 1 50); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.1
done
"$@"
code=$?
kill $wm 2>/dev/null
wait $wm 2>/dev/null
exit $code
