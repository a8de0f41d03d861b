#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryFile>

// A session bus of the test's own, ended with it. It starts no services on demand: a desktop
// service installed on the machine (a real portal, a real accessibility registry) must not answer
// in place of the test's stand-in.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty when no bus could be started (no dbus-daemon).
    const QString& address() const { return address_; }

private:
    QTemporaryFile config_;
    QProcess daemon_;
    QString address_;
};
