#pragma once

#include <QByteArray>
#include <QString>
#include <xcb/xcb.h>

// Window titles as X stores them: _NET_WM_NAME in UTF-8, legacy WM_NAME in Latin-1 (STRING) or in
// COMPOUND_TEXT, which mixes character sets (GB2312 for Chinese titles, for one).
namespace x11text {

struct Atoms {
    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t compoundText = XCB_ATOM_NONE;
};

// The text of a property value of the given type; empty for a type that is not text.
QString decode(const QByteArray& value, xcb_atom_t type, const Atoms& atoms);

// COMPOUND_TEXT to Unicode, through Xlib's converters.
QString decodeCompoundText(const QByteArray& value);

} // namespace x11text
