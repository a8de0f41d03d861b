#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// The control of a window by its design name ("Label3", "Timer1"). A missing control ends the test with
// its name instead of a crash on a null pointer.
template <class T> T* control(const QObject* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        throw std::runtime_error(
            std::string("no control named ") + name + " in " +
            (window ? window->objectName().toStdString() : std::string("a missing window")));
    return found;
}
