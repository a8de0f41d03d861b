#!/usr/bin/python3
"""Writes a flat ODF deck whose slides are solid colours, one a colour given:

  colour_deck.py OUT.fodp RRGGBB [RRGGBB...]

The colour at any point of a running show then says which slide is shown and whether a window
covers it there."""
import sys

NAMESPACES = " ".join(f'xmlns:{prefix}="urn:oasis:names:tc:opendocument:xmlns:{name}"' for prefix, name in [
    ("office", "office:1.0"), ("style", "style:1.0"), ("draw", "drawing:1.0"),
    ("fo", "xsl-fo-compatible:1.0"), ("presentation", "presentation:1.0")])


def deck(colours):
    styles = "".join(f'<style:style style:name="dp{i}" style:family="drawing-page"><style:drawing-page-properties '
                     f'presentation:visibility="visible" draw:fill="solid" draw:fill-color="#{c}"/></style:style>'
                     for i, c in enumerate(colours))
    pages = "".join(f'<draw:page draw:name="s{i}" draw:style-name="dp{i}" draw:master-page-name="Default"/>'
                    for i in range(len(colours)))
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n<office:document {NAMESPACES} office:version="1.3" '
            'office:mimetype="application/vnd.oasis.opendocument.presentation">'
            '<office:automatic-styles><style:page-layout style:name="PM1"><style:page-layout-properties '
            'fo:margin-top="0cm" fo:margin-bottom="0cm" fo:margin-left="0cm" fo:margin-right="0cm" '
            'fo:page-width="28cm" fo:page-height="15.75cm"/></style:page-layout>' + styles +
            '</office:automatic-styles><office:master-styles><style:master-page style:name="Default" '
            'style:page-layout-name="PM1"/></office:master-styles><office:body><office:presentation>' + pages +
            '</office:presentation></office:body></office:document>\n')


if __name__ == "__main__":
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write(deck(sys.argv[2:]))
