#pragma once

#include "platform/CatalogueText.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

class MainWindow;
class PairingWindow;
class Program;
class RemoteBridge;
class RemoteServer;

// The phone remote of the program, off until the teacher turns it on ("手机遥控" in the tray's menu,
// or `[remote] enabled=true` in the settings): then a web server of the program's own serves the
// control page and the web clock on the classroom network, and the pairing window shows its address
// as a QR code. Turning it off closes every connection. It lives as long as the main window.
class RemoteControl : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kPreferredPort = 8765;
    static inline const CatalogueText kCannotStart{
        "RemoteControl",
        QT_TRANSLATE_NOOP("RemoteControl", "手机遥控无法启动：本电脑上没有可用的网络端口。")};

    // The main window's remote, made on first use.
    static RemoteControl& of(MainWindow& main);
    // The main window's remote if it was ever made.
    static RemoteControl* find(const MainWindow* main);

    bool isOn() const;
    // Serves on the network with new tokens; writes the control page's address to standard error.
    // False when no port could be opened.
    bool turnOn();
    void turnOff();
    // Turns the remote on when it is off, and shows its address and QR code.
    void showPairing();

    QUrl controlUrl() const;
    QUrl clockUrl() const;
    RemoteServer& server() { return *server_; }
    RemoteBridge& bridge() { return *bridge_; }

private:
    explicit RemoteControl(MainWindow& main);

    MainWindow& main_;
    Program& program_;
    RemoteServer* server_;
    RemoteBridge* bridge_;
    QString host_;
    QPointer<PairingWindow> pairing_;
};
