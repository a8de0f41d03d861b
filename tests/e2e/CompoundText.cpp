#include "CompoundText.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

QByteArray compoundText(const QString& text)
{
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return {};
    QByteArray utf8 = text.toUtf8();
    char* list[] = {utf8.data()};
    XTextProperty property{};
    QByteArray bytes;
    if (Xutf8TextListToTextProperty(d, list, 1, XCompoundTextStyle, &property) >= 0) {
        bytes = QByteArray(reinterpret_cast<const char*>(property.value), int(property.nitems));
        XFree(property.value);
    }
    XCloseDisplay(d);
    return bytes;
}
