#!/bin/sh
# Builds the shipped decks MYPPT.ppt, Note1.PPT and Note2.PPT from their flat ODF sources with a
# headless LibreOffice of its own (a private profile: the user's office is never touched).
#   resources/decks/build-decks.sh          rebuild from the .fodp files
#   resources/decks/build-decks.sh --fresh  regenerate the .fodp files from make-sources.py first
set -e
here=$(cd "$(dirname "$0")" && pwd)
office=/usr/lib/libreoffice/program/soffice.bin
[ -x "$office" ] || office=$(command -v soffice)
[ -n "$office" ] || { echo "LibreOffice is needed (apt-get install libreoffice-impress)" >&2; exit 1; }

[ "$1" = "--fresh" ] && python3 "$here/make-sources.py"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert() {
    # A new profile asks for one restart (exit code 81).
    for attempt in 1 2; do
        "$office" -env:UserInstallation="file://$work/profile" --headless --invisible --norestore \
            --nologo --nodefault --nolockcheck --convert-to ppt --outdir "$work/out" "$1" >/dev/null 2>&1 && rc=0 || rc=$?
        [ "$rc" -ne 81 ] && break
    done
}
for source in MYPPT Note1 Note2; do
    convert "$here/$source.fodp"
    [ -s "$work/out/$source.ppt" ] || { echo "could not convert $source.fodp" >&2; exit 1; }
done
mv "$work/out/MYPPT.ppt" "$here/MYPPT.ppt"
mv "$work/out/Note1.ppt" "$here/Note1.PPT"
mv "$work/out/Note2.ppt" "$here/Note2.PPT"
echo "built MYPPT.ppt Note1.PPT Note2.PPT in $here"
