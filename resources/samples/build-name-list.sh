#!/bin/sh
# Builds the sample name list name.xls (Excel 97) from sheet1.csv, with a private LibreOffice profile.
# The CSV's name becomes the sheet's name ("sheet1"); A1 holds the count, row 2 the headings, and the
# entries follow from row 3. Quoted names stay text, blanks included.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/sheet1.csv" "$work/sheet1.csv"
soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
    --infilter="CSV:44,34,76,1,,1033,true,false,,,false" \
    --convert-to 'xls:MS Excel 97' --outdir "$work" "$work/sheet1.csv" >/dev/null
mv "$work/sheet1.xls" "$here/name.xls"
echo "wrote $here/name.xls"
