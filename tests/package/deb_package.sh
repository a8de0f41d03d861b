#!/bin/sh
# Builds the .deb with CPack and checks it as a clean Debian 12 machine would take it: it holds the
# program and its files, its dependencies are Debian packages that apt can resolve (simulated, the
# system is not changed), and the program unpacked from it starts.
set -u
build=$(readlink -f "$1")
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB >cpack.log 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no .deb"

dpkg-deb -c "$deb" >"$work/contents"
for path in ./usr/bin/vantrel ./usr/share/vantrel/ding.wav ./usr/share/vantrel/help/index.html \
            ./usr/share/applications/vantrel.desktop ./usr/share/icons/hicolor/scalable/apps/vantrel.svg \
            ./usr/lib/vantrel/vantrel-sound.so ./usr/lib/vantrel/vantrel-slides.so; do
    grep -q " $path\$" "$work/contents" || fail "$path is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libpulse0 libqt6svg6 libc6; do
    echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib"
done
# The timer and the number draw need no office: LibreOffice is recommended, not required.
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
echo "$depends" | grep -q "libreoffice" && fail "Depends requires LibreOffice"
for office in libreoffice-calc libreoffice-impress; do
    echo "$recommends" | grep -q "$office" || fail "Recommends lacks $office"
done
if command -v apt-get >/dev/null; then
    apt-get install -s -q "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt cannot resolve the package's dependencies"; }
fi

# The unpacked program finds its shipped files beside ../share/vantrel and starts.
dpkg-deb -x "$deb" "$work/root"
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
    cat >"$work/start.sh" <<'INNER'
#!/bin/sh
"$1" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 100); do
    if window=$(xdotool search --onlyvisible --name "^Vantrel工具$" 2>/dev/null | head -n 1) && [ -n "$window" ]; then
        # Once the pointer moves over the window the sound cues come in from their module beside the
        # program (moves before the window's first picture do not count: it moves on every look).
        for i in $(seq 1 100); do
            xdotool mousemove --window "$window" $((20 + i % 2 * 20)) 20
            grep -q "/usr/lib/vantrel/vantrel-sound.so" /proc/$pid/maps 2>/dev/null && { kill $pid; exit 0; }
            sleep 0.1
        done
        kill $pid; exit 3
    fi
    kill -0 $pid 2>/dev/null || exit 2
    sleep 0.1
done
kill $pid; exit 1
INNER
    chmod +x "$work/start.sh"
    xvfb-run -a "$work/start.sh" "$work/root/usr/bin/vantrel" || fail "the packaged program did not start"
    [ -f "$XDG_DATA_HOME/vantrel/name.xls" ] || [ ! -f "$work/root/usr/share/vantrel/samples/name.xls" ] ||
        fail "the packaged samples were not seeded into the data folder"
fi
echo "PASS"
