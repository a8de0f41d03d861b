#include "platform/x11/TextProperty.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <mutex>

namespace x11text {

QString decode(const QByteArray& value, xcb_atom_t type, const Atoms& atoms)
{
    if (type == atoms.utf8String)
        return QString::fromUtf8(value);
    if (type == XCB_ATOM_STRING)
        return QString::fromLatin1(value);
    if (type == atoms.compoundText && atoms.compoundText != XCB_ATOM_NONE)
        return decodeCompoundText(value);
    return {};
}

namespace {
// Xlib needs a display for its converters, though converting asks the server nothing. Opened the
// first time a COMPOUND_TEXT title turns up, which on a modern desktop is rare.
Display* converterDisplay()
{
    static Display* display = nullptr;
    static std::once_flag opened;
    std::call_once(opened, [] { display = XOpenDisplay(nullptr); });
    return display;
}
} // namespace

QString decodeCompoundText(const QByteArray& value)
{
    if (value.isEmpty())
        return {};
    Display* display = converterDisplay();
    if (!display)
        return QString::fromLatin1(value);
    QByteArray copy = value;
    XTextProperty property;
    property.value = reinterpret_cast<unsigned char*>(copy.data());
    property.encoding = XInternAtom(display, "COMPOUND_TEXT", False);
    property.format = 8;
    property.nitems = static_cast<unsigned long>(copy.size());
    char** list = nullptr;
    int count = 0;
    const int status = Xutf8TextPropertyToTextList(display, &property, &list, &count);
    QString text;
    if (status >= 0 && list) {
        for (int i = 0; i < count; ++i)
            text += QString::fromUtf8(list[i]);
    } else {
        text = QString::fromLatin1(value);
    }
    if (list)
        XFreeStringList(list);
    return text;
}

} // namespace x11text
