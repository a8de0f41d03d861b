#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// The control of a window by the name the accessibility tree knows it by ("Label3", "Timer1"), the one
// way tests find controls. A missing control or window ends the test with the name instead of a crash
// on a null pointer.
template <class T> T* control(const QObject* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        throw std::runtime_error(
            std::string("no control named ") + name + " in " +
            (window ? window->objectName().toStdString() : std::string("a missing window")));
    return found;
}
template <class T> T& control(const QObject& window, const char* name)
{
    return *control<T>(&window, name);
}
