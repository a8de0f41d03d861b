#!/bin/sh
# Installs the build into a temporary prefix and checks what a Linux desktop expects to find there:
# the program, its cue files, help and samples beside it, the menu entry, the icons and the metadata.
set -u
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; fail "cmake --install failed"; }
rm -f "$prefix.log"

[ -x "$prefix/bin/vantrel" ] || fail "no executable bin/vantrel"
# The back-end modules the program loads when first needed, where it looks for them: relative to it.
modules=$(find "$prefix" -path '*/vantrel/vantrel-sound.so' -printf '%h\n' | head -n 1)
[ -n "$modules" ] || fail "no sound module installed"
for module in vantrel-sound.so vantrel-slides.so $(ls "$build/modules" 2>/dev/null | grep office); do
    [ -f "$modules/$module" ] || fail "module $module missing beside the others in $modules"
done
[ "$(readlink -f "$modules")" = "$(readlink -f "$prefix/bin/../lib/vantrel")" ] ||
    fail "modules in $modules, the program looks in bin/../lib/vantrel"
data="$prefix/share/vantrel"
for cue in ding.wav notify.wav; do
    [ -s "$data/$cue" ] || fail "cue $cue missing in share/vantrel"
done
# The sample files shipped in the source tree are installed for seeding the user's data folder, in
# a folder of their own: installed into ~/.local, share/vantrel is also the user's data folder.
for sample in $(find "$source/resources" -maxdepth 2 \( -iname '*.ppt' -o -iname 'name.xls' \)); do
    [ -s "$data/samples/$(basename "$sample")" ] || fail "sample $(basename "$sample") missing in share/vantrel/samples"
done
# A teacher's own list and deck in that folder survive a reinstall.
echo "the teacher's list" >"$data/name.xls"
echo "the teacher's deck" >"$data/MYPPT.ppt"
cmake --install "$build" --prefix "$prefix" >/dev/null 2>&1 || fail "the second cmake --install failed"
[ "$(cat "$data/name.xls")" = "the teacher's list" ] || fail "a reinstall replaced the user's name.xls"
[ "$(cat "$data/MYPPT.ppt")" = "the teacher's deck" ] || fail "a reinstall replaced the user's deck"
[ -s "$data/help/index.html" ] || fail "help/index.html missing in share/vantrel"
# Every page and picture the help refers to is installed with it.
for ref in $(grep -o '\(src\|href\)="[^"#:]*"' "$data/help/index.html" | sed 's/^[a-z]*="//; s/"$//'); do
    [ -f "$data/help/$ref" ] || fail "the help refers to $ref, which is not installed"
done
[ -f "$prefix/share/applications/vantrel.desktop" ] || fail "no desktop entry"
grep -q '^Exec=vantrel$' "$prefix/share/applications/vantrel.desktop" || fail "the desktop entry does not start vantrel"
grep -q '^Icon=vantrel$' "$prefix/share/applications/vantrel.desktop" || fail "the desktop entry names another icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/vantrel.svg" ] || fail "no scalable icon"
for size in 16 32 48 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/vantrel.png" ] || fail "no ${size}x${size} icon"
done
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1)
[ -n "$metainfo" ] || fail "no AppStream metainfo"
grep -q '<launchable type="desktop-id">vantrel.desktop</launchable>' "$metainfo" || fail "metainfo does not launch vantrel.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/vantrel.desktop" || fail "desktop entry does not validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "metainfo does not validate"
fi
echo "PASS"
