#include "platform/session/ForeignToplevels.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <wayland-client.h>

namespace {
// The protocol versions this program speaks; a compositor may offer newer ones.
constexpr quint32 kManagerVersion = 3;
constexpr quint32 kOutputVersion = 4;
constexpr quint32 kXdgOutputVersion = 3;
// How long the start waits for the compositor's first answers at most: it normally takes a
// millisecond, and a compositor that hangs must not keep the program from coming up.
constexpr int kStartWaitMs = 1000;

ForeignToplevelList::WindowId idOf(zwlr_foreign_toplevel_handle_v1* handle)
{
    return reinterpret_cast<ForeignToplevelList::WindowId>(handle);
}

ForeignToplevelList::OutputId idOf(wl_output* output)
{
    return reinterpret_cast<ForeignToplevelList::OutputId>(output);
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8 ? utf8 : "");
}
} // namespace

ForeignToplevels::ForeignToplevels(QObject* parent) : QObject(parent) {}

ForeignToplevels::~ForeignToplevels()
{
    closeConnection();
}

void ForeignToplevels::closeConnection()
{
    readable_.reset();
    for (zwlr_foreign_toplevel_handle_v1* handle : handles_)
        zwlr_foreign_toplevel_handle_v1_destroy(handle);
    handles_.clear();
    if (manager_)
        zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    manager_ = nullptr;
    for (const std::unique_ptr<Output>& output : outputs_) {
        if (output->xdgOutput)
            zxdg_output_v1_destroy(output->xdgOutput);
        wl_output_destroy(output->output);
    }
    outputs_.clear();
    if (xdgOutputManager_)
        zxdg_output_manager_v1_destroy(xdgOutputManager_);
    xdgOutputManager_ = nullptr;
    if (registry_)
        wl_registry_destroy(registry_);
    registry_ = nullptr;
    if (display_)
        wl_display_disconnect(display_);
    display_ = nullptr;
}

bool ForeignToplevels::start()
{
    const QByteArray socket = qgetenv("WAYLAND_DISPLAY");
    if (socket.isEmpty())
        return false;
    display_ = wl_display_connect(socket.constData());
    if (!display_)
        return false;
    registry_ = wl_display_get_registry(display_);
    static const wl_registry_listener registryListener = {
        .global =
            [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
                static_cast<ForeignToplevels*>(data)->onGlobal(registry, name, interface, version);
            },
        .global_remove = [](void* data, wl_registry*,
                            uint32_t name) { static_cast<ForeignToplevels*>(data)->onGlobalRemoved(name); },
    };
    wl_registry_add_listener(registry_, &registryListener, this);
    // The globals first, the outputs bound among them; then the window list, whose first windows
    // already name the outputs they are on. Without a window list the connection is of no use.
    if (!waitForCompositor(kStartWaitMs) || managerName_ == 0) {
        closeConnection();
        return false;
    }
    bindManager();
    bindManagerAtOnce_ = true;
    if (!waitForCompositor(kStartWaitMs)) {
        closeConnection();
        return false;
    }
    readable_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &ForeignToplevels::readEvents);
    return true;
}

void ForeignToplevels::onGlobal(wl_registry* registry, quint32 name, const char* interface, quint32 version)
{
    const QByteArray kind(interface);
    if (kind == zwlr_foreign_toplevel_manager_v1_interface.name) {
        managerName_ = name;
        managerVersion_ = std::min(version, kManagerVersion);
        if (bindManagerAtOnce_ && !manager_)
            bindManager();
    } else if (kind == wl_output_interface.name) {
        auto output = std::make_unique<Output>();
        output->owner = this;
        output->globalName = name;
        output->output = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, std::min(version, kOutputVersion)));
        watchOutput(*output);
        outputs_.push_back(std::move(output));
    } else if (kind == zxdg_output_manager_v1_interface.name && !xdgOutputManager_) {
        xdgOutputManager_ = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, kXdgOutputVersion)));
        for (const std::unique_ptr<Output>& output : outputs_)
            describeOutput(*output);
    }
}

void ForeignToplevels::onGlobalRemoved(quint32 name)
{
    const auto it = std::find_if(outputs_.begin(), outputs_.end(),
                                 [name](const std::unique_ptr<Output>& o) { return o->globalName == name; });
    if (it == outputs_.end())
        return;
    list_.removeOutput(idOf((*it)->output));
    if ((*it)->xdgOutput)
        zxdg_output_v1_destroy((*it)->xdgOutput);
    wl_output_destroy((*it)->output);
    outputs_.erase(it);
}

void ForeignToplevels::bindManager()
{
    manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        registry_, managerName_, &zwlr_foreign_toplevel_manager_v1_interface, managerVersion_));
    static const zwlr_foreign_toplevel_manager_v1_listener managerListener = {
        .toplevel =
            [](void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
                static_cast<ForeignToplevels*>(data)->watchWindow(handle);
            },
        .finished =
            [](void* data, zwlr_foreign_toplevel_manager_v1* manager) {
                // The compositor stopped its list: what it said before may no longer be true.
                auto* self = static_cast<ForeignToplevels*>(data);
                zwlr_foreign_toplevel_manager_v1_destroy(manager);
                self->manager_ = nullptr;
                self->list_.clear();
            },
    };
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &managerListener, this);
}

void ForeignToplevels::watchWindow(zwlr_foreign_toplevel_handle_v1* handle)
{
    static const zwlr_foreign_toplevel_handle_v1_listener windowListener = {
        .title =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h, const char* title) {
                static_cast<ForeignToplevels*>(data)->list_.setTitle(idOf(h), text(title));
            },
        .app_id =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h, const char* appId) {
                static_cast<ForeignToplevels*>(data)->list_.setAppId(idOf(h), text(appId));
            },
        .output_enter =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h, wl_output* output) {
                static_cast<ForeignToplevels*>(data)->list_.enterOutput(idOf(h), idOf(output));
            },
        .output_leave =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h, wl_output* output) {
                static_cast<ForeignToplevels*>(data)->list_.leaveOutput(idOf(h), idOf(output));
            },
        .state =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h, wl_array* states) {
                QList<quint32> codes;
                const auto* code = static_cast<const quint32*>(states->data);
                for (size_t i = 0; i < states->size / sizeof(quint32); ++i)
                    codes.append(code[i]);
                static_cast<ForeignToplevels*>(data)->list_.setStates(idOf(h), codes);
            },
        .done =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h) {
                static_cast<ForeignToplevels*>(data)->list_.commit(idOf(h));
            },
        .closed =
            [](void* data, zwlr_foreign_toplevel_handle_v1* h) {
                static_cast<ForeignToplevels*>(data)->forgetWindow(h);
            },
        .parent = [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
    };
    handles_.push_back(handle);
    list_.addWindow(idOf(handle));
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &windowListener, this);
}

void ForeignToplevels::forgetWindow(zwlr_foreign_toplevel_handle_v1* handle)
{
    list_.removeWindow(idOf(handle));
    handles_.erase(std::remove(handles_.begin(), handles_.end(), handle), handles_.end());
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

void ForeignToplevels::watchOutput(Output& output)
{
    static const wl_output_listener outputListener = {
        .geometry =
            [](void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
               const char*, int32_t) {
                auto* o = static_cast<Output*>(data);
                o->position = QPoint(x, y);
                o->owner->publish(*o);
            },
        .mode =
            [](void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
                auto* o = static_cast<Output*>(data);
                if (flags & WL_OUTPUT_MODE_CURRENT) {
                    o->modeSize = QSize(width, height);
                    o->owner->publish(*o);
                }
            },
        .done = [](void*, wl_output*) {},
        .scale =
            [](void* data, wl_output*, int32_t factor) {
                auto* o = static_cast<Output*>(data);
                o->scale = std::max(1, factor);
                o->owner->publish(*o);
            },
        .name =
            [](void* data, wl_output*, const char* name) {
                auto* o = static_cast<Output*>(data);
                o->outputName = text(name);
                o->owner->publish(*o);
            },
        .description = [](void*, wl_output*, const char*) {},
    };
    wl_output_add_listener(output.output, &outputListener, &output);
    describeOutput(output);
}

void ForeignToplevels::describeOutput(Output& output)
{
    // xdg-output tells the output's name and its place in logical pixels, as our screens count them.
    if (!xdgOutputManager_ || output.xdgOutput)
        return;
    static const zxdg_output_v1_listener xdgListener = {
        .logical_position =
            [](void* data, zxdg_output_v1*, int32_t x, int32_t y) {
                auto* o = static_cast<Output*>(data);
                o->logicalPosition = QPoint(x, y);
                o->owner->publish(*o);
            },
        .logical_size =
            [](void* data, zxdg_output_v1*, int32_t width, int32_t height) {
                auto* o = static_cast<Output*>(data);
                o->logicalSize = QSize(width, height);
                o->owner->publish(*o);
            },
        .done = [](void*, zxdg_output_v1*) {},
        .name =
            [](void* data, zxdg_output_v1*, const char* name) {
                auto* o = static_cast<Output*>(data);
                o->xdgName = text(name);
                o->owner->publish(*o);
            },
        .description = [](void*, zxdg_output_v1*, const char*) {},
    };
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputManager_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &xdgListener, &output);
}

void ForeignToplevels::publish(const Output& output)
{
    CompositorOutput described;
    described.name = output.xdgName.isEmpty() ? output.outputName : output.xdgName;
    if (output.logicalSize.isValid())
        described.logical = QRect(output.logicalPosition, output.logicalSize);
    else if (output.modeSize.isValid())
        described.logical = QRect(output.position, output.modeSize / output.scale);
    list_.setOutput(idOf(output.output), described);
}

bool ForeignToplevels::waitForCompositor(int timeoutMs)
{
    bool answered = false;
    wl_callback* sync = wl_display_sync(display_);
    static const wl_callback_listener syncListener = {
        .done = [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; },
    };
    wl_callback_add_listener(sync, &syncListener, &answered);
    const QDeadlineTimer deadline(timeoutMs);
    const int fd = wl_display_get_fd(display_);
    while (!answered && wl_display_get_error(display_) == 0) {
        if (wl_display_prepare_read(display_) != 0) {
            wl_display_dispatch_pending(display_);
            continue;
        }
        wl_display_flush(display_);
        pollfd readable{fd, POLLIN, 0};
        const int ready = poll(&readable, 1, int(std::max<qint64>(0, deadline.remainingTime())));
        if (ready < 0 && errno == EINTR) {
            wl_display_cancel_read(display_);
            continue;
        }
        if (ready <= 0) {
            wl_display_cancel_read(display_);
            break;
        }
        wl_display_read_events(display_);
        wl_display_dispatch_pending(display_);
    }
    wl_callback_destroy(sync);
    return answered;
}

void ForeignToplevels::readEvents()
{
    // Told that the socket has data: the read takes what is there without waiting.
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0)
            return connectionLost();
    }
    if (wl_display_read_events(display_) < 0 && wl_display_get_error(display_) != 0)
        return connectionLost();
    if (wl_display_dispatch_pending(display_) < 0)
        return connectionLost();
    // Our own requests (a closed window's handle given back) go out now.
    wl_display_flush(display_);
}

void ForeignToplevels::connectionLost()
{
    qWarning("vantrel: the compositor's window list is gone (Wayland error %d)",
             wl_display_get_error(display_));
    readable_->setEnabled(false);
    list_.clear();
}
