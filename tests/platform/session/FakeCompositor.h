#pragma once

#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct wl_display;

// A Wayland compositor of our own on a private socket, just large enough to test a client of its
// window list: two monitors (wl_output, xdg-output) and the wlroots list of top-level windows. It
// runs on a thread of its own, as a real compositor runs in a process of its own, so that a client
// that waits for it gets its answer. Every call returns once the compositor has done it.
class FakeCompositor {
public:
    struct Monitor {
        QString name;
        QRect logical;
    };
    // withWindowList false: a compositor that offers no list of windows (as GNOME's).
    explicit FakeCompositor(bool withWindowList = true);
    ~FakeCompositor();

    bool isRunning() const { return display_ != nullptr; }
    // The socket's name for WAYLAND_DISPLAY, in the folder for XDG_RUNTIME_DIR.
    const QString& socketName() const { return socketName_; }
    QString runtimeDir() const { return runtimeDir_.path(); }

    // A window with its title, states (the protocol's codes) and the index of the monitor it is on.
    int openWindow(const QString& title, const std::vector<quint32>& states, int monitor);
    void renameWindow(int window, const QString& title);
    void closeWindow(int window);
    // How many window handles the clients gave back after their windows closed.
    int handlesReleased();
    // How many clients are connected.
    int clients();
    // Ends the compositor: its clients lose their connection.
    void quit();

    struct State; // the compositor's side, touched on its thread only

private:
    void onCompositorThread(const std::function<void()>& work);
    void run();

    QTemporaryDir runtimeDir_;
    QString socketName_;
    wl_display* display_ = nullptr;
    std::unique_ptr<State> state_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<std::function<void()>> queued_;
    bool stopping_ = false;
};
