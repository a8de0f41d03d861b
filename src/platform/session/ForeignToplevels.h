#pragma once

#include "platform/session/ForeignToplevelList.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_output;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

// The compositor's own list of every program's top-level windows, where it offers one (wlroots
// compositors such as sway): a Wayland connection of our own to $WAYLAND_DISPLAY, read when the
// compositor writes to it, that keeps a ForeignToplevelList up to date. Works whether our windows
// are native Wayland windows or go through XWayland.
class ForeignToplevels : public QObject {
    Q_OBJECT
public:
    explicit ForeignToplevels(QObject* parent = nullptr);
    ~ForeignToplevels() override;

    // Connects and reads the windows there are now, waiting for the compositor a moment at most.
    // False without a Wayland compositor or when it offers no window list.
    bool start();
    bool isConnected() const { return manager_ != nullptr; }

    ForeignToplevelList& windows() { return list_; }

private:
    struct Output {
        ForeignToplevels* owner = nullptr;
        quint32 globalName = 0;
        wl_output* output = nullptr;
        zxdg_output_v1* xdgOutput = nullptr;
        QString outputName; // wl_output's own name (version 4)
        QString xdgName;
        QPoint position; // wl_output's geometry, in the compositor's layout
        QSize modeSize;  // the current mode, in device pixels
        int scale = 1;
        QPoint logicalPosition;
        QSize logicalSize;
    };

    void onGlobal(wl_registry* registry, quint32 name, const char* interface, quint32 version);
    void onGlobalRemoved(quint32 name);
    void bindManager();
    void watchOutput(Output& output);
    void describeOutput(Output& output);
    void watchWindow(zwlr_foreign_toplevel_handle_v1* handle);
    void forgetWindow(zwlr_foreign_toplevel_handle_v1* handle);
    void publish(const Output& output);
    bool waitForCompositor(int timeoutMs);
    void readEvents();
    void connectionLost();
    // Gives everything back to the compositor and closes the connection.
    void closeConnection();

    ForeignToplevelList list_;
    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    quint32 managerName_ = 0;
    quint32 managerVersion_ = 0;
    bool bindManagerAtOnce_ = false;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    std::vector<zwlr_foreign_toplevel_handle_v1*> handles_;
    zxdg_output_manager_v1* xdgOutputManager_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::unique_ptr<QSocketNotifier> readable_;
};
