#include "FakeCompositor.h"

#include "wlr-foreign-toplevel-management-unstable-v1-server-protocol.h"
#include "xdg-output-unstable-v1-server-protocol.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-server.h>

namespace {
const FakeCompositor::Monitor kMonitors[] = {
    {QStringLiteral("HEADLESS-1"), QRect(0, 0, 1920, 1080)},
    {QStringLiteral("HEADLESS-2"), QRect(1920, 0, 1280, 1024)},
};
constexpr int kMonitorCount = 2;

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}
} // namespace

struct FakeCompositor::State {
    struct Window {
        int number = 0;
        QString title;
        std::vector<quint32> states;
        int monitor = 0;
        std::vector<wl_resource*> handles;
    };
    struct MonitorRef {
        State* state = nullptr;
        int monitor = 0;
    };
    MonitorRef monitors[kMonitorCount];
    std::vector<wl_resource*> outputs[kMonitorCount];
    std::vector<wl_resource*> managers;
    std::vector<std::unique_ptr<Window>> windows;
    int nextWindow = 1;
    int handlesReleased = 0;

    wl_resource* outputOf(wl_client* client, int monitor) const
    {
        for (wl_resource* output : outputs[monitor]) {
            if (wl_resource_get_client(output) == client)
                return output;
        }
        return nullptr;
    }
    void announce(Window& window, wl_resource* manager);
    void sendStates(const Window& window, wl_resource* handle) const;
};

namespace {
// The compositor's state, from any of its resources' user data.
FakeCompositor::State& stateOf(wl_resource* resource)
{
    return *static_cast<FakeCompositor::State*>(wl_resource_get_user_data(resource));
}

void removeResource(std::vector<wl_resource*>& list, wl_resource* resource)
{
    list.erase(std::remove(list.begin(), list.end(), resource), list.end());
}

void destroyResource(wl_client*, wl_resource* resource)
{
    wl_resource_destroy(resource);
}

// ---- wl_output ----
using OutputRef = FakeCompositor::State::MonitorRef;

void bindOutput(wl_client* client, void* data, uint32_t version, uint32_t id)
{
    auto* ref = static_cast<OutputRef*>(data);
    wl_resource* output = wl_resource_create(client, &wl_output_interface, int(version), id);
    static const struct wl_output_interface requests = {.release = destroyResource};
    wl_resource_set_implementation(output, &requests, ref, [](wl_resource* resource) {
        auto* r = static_cast<OutputRef*>(wl_resource_get_user_data(resource));
        removeResource(r->state->outputs[r->monitor], resource);
    });
    ref->state->outputs[ref->monitor].push_back(output);
    const FakeCompositor::Monitor& monitor = kMonitors[ref->monitor];
    wl_output_send_geometry(output, monitor.logical.x(), monitor.logical.y(), 300, 200,
                            WL_OUTPUT_SUBPIXEL_UNKNOWN, "fake", "monitor", WL_OUTPUT_TRANSFORM_NORMAL);
    wl_output_send_mode(output, WL_OUTPUT_MODE_CURRENT, monitor.logical.width(), monitor.logical.height(),
                        60000);
    if (version >= 2)
        wl_output_send_scale(output, 1);
    if (version >= 4)
        wl_output_send_name(output, utf8(monitor.name).constData());
    if (version >= 2)
        wl_output_send_done(output);
}

// ---- xdg-output ----
void getXdgOutput(wl_client* client, wl_resource* manager, uint32_t id, wl_resource* output)
{
    const int version = wl_resource_get_version(manager);
    wl_resource* xdg = wl_resource_create(client, &zxdg_output_v1_interface, version, id);
    static const struct zxdg_output_v1_interface requests = {.destroy = destroyResource};
    wl_resource_set_implementation(xdg, &requests, nullptr, nullptr);
    const auto* ref = static_cast<OutputRef*>(wl_resource_get_user_data(output));
    const FakeCompositor::Monitor& monitor = kMonitors[ref->monitor];
    zxdg_output_v1_send_logical_position(xdg, monitor.logical.x(), monitor.logical.y());
    zxdg_output_v1_send_logical_size(xdg, monitor.logical.width(), monitor.logical.height());
    if (version >= 2) {
        zxdg_output_v1_send_name(xdg, utf8(monitor.name).constData());
        zxdg_output_v1_send_description(xdg, "a fake monitor");
    }
    if (version < 3)
        zxdg_output_v1_send_done(xdg);
    else if (wl_resource_get_version(output) >= 2)
        wl_output_send_done(output);
}

void bindXdgOutputManager(wl_client* client, void*, uint32_t version, uint32_t id)
{
    wl_resource* manager = wl_resource_create(client, &zxdg_output_manager_v1_interface, int(version), id);
    static const struct zxdg_output_manager_v1_interface requests = {.destroy = destroyResource,
                                                                     .get_xdg_output = getXdgOutput};
    wl_resource_set_implementation(manager, &requests, nullptr, nullptr);
}

// ---- the window list ----
void bindWindowList(wl_client* client, void* data, uint32_t version, uint32_t id)
{
    auto* state = static_cast<FakeCompositor::State*>(data);
    wl_resource* manager =
        wl_resource_create(client, &zwlr_foreign_toplevel_manager_v1_interface, int(version), id);
    static const struct zwlr_foreign_toplevel_manager_v1_interface requests = {
        .stop = [](wl_client*,
                   wl_resource* resource) { zwlr_foreign_toplevel_manager_v1_send_finished(resource); },
    };
    wl_resource_set_implementation(manager, &requests, state, [](wl_resource* resource) {
        removeResource(stateOf(resource).managers, resource);
    });
    state->managers.push_back(manager);
    for (const auto& window : state->windows)
        state->announce(*window, manager);
}
} // namespace

void FakeCompositor::State::sendStates(const Window& window, wl_resource* handle) const
{
    wl_array states;
    wl_array_init(&states);
    for (quint32 code : window.states)
        *static_cast<quint32*>(wl_array_add(&states, sizeof(quint32))) = code;
    zwlr_foreign_toplevel_handle_v1_send_state(handle, &states);
    wl_array_release(&states);
}

void FakeCompositor::State::announce(Window& window, wl_resource* manager)
{
    wl_client* client = wl_resource_get_client(manager);
    wl_resource* handle = wl_resource_create(client, &zwlr_foreign_toplevel_handle_v1_interface,
                                             wl_resource_get_version(manager), 0);
    static const struct zwlr_foreign_toplevel_handle_v1_interface requests = {
        .set_maximized = [](wl_client*, wl_resource*) {},
        .unset_maximized = [](wl_client*, wl_resource*) {},
        .set_minimized = [](wl_client*, wl_resource*) {},
        .unset_minimized = [](wl_client*, wl_resource*) {},
        .activate = [](wl_client*, wl_resource*, wl_resource*) {},
        .close = [](wl_client*, wl_resource*) {},
        .set_rectangle = [](wl_client*, wl_resource*, wl_resource*, int32_t, int32_t, int32_t, int32_t) {},
        .destroy = destroyResource,
        .set_fullscreen = [](wl_client*, wl_resource*, wl_resource*) {},
        .unset_fullscreen = [](wl_client*, wl_resource*) {},
    };
    wl_resource_set_implementation(handle, &requests, this, [](wl_resource* resource) {
        State& state = stateOf(resource);
        ++state.handlesReleased;
        for (const auto& w : state.windows)
            removeResource(w->handles, resource);
    });
    window.handles.push_back(handle);
    zwlr_foreign_toplevel_manager_v1_send_toplevel(manager, handle);
    zwlr_foreign_toplevel_handle_v1_send_title(handle, utf8(window.title).constData());
    zwlr_foreign_toplevel_handle_v1_send_app_id(handle, "foot");
    if (wl_resource* output = outputOf(client, window.monitor))
        zwlr_foreign_toplevel_handle_v1_send_output_enter(handle, output);
    sendStates(window, handle);
    zwlr_foreign_toplevel_handle_v1_send_done(handle);
}

FakeCompositor::FakeCompositor(bool withWindowList) : state_(std::make_unique<State>())
{
    const QByteArray path = runtimeDir_.filePath(QStringLiteral("wayland-test")).toLocal8Bit();
    const int listening = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (listening < 0 || size_t(path.size()) >= sizeof(address.sun_path))
        return;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    if (bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listening, 4) != 0) {
        close(listening);
        return;
    }
    display_ = wl_display_create();
    wl_display_add_socket_fd(display_, listening);
    socketName_ = QString::fromLocal8Bit(path);

    for (int i = 0; i < kMonitorCount; ++i) {
        state_->monitors[i] = {state_.get(), i};
        wl_global_create(display_, &wl_output_interface, 4, &state_->monitors[i], bindOutput);
    }
    wl_global_create(display_, &zxdg_output_manager_v1_interface, 3, nullptr, bindXdgOutputManager);
    if (withWindowList)
        wl_global_create(display_, &zwlr_foreign_toplevel_manager_v1_interface, 3, state_.get(),
                         bindWindowList);
    thread_ = std::thread([this] { run(); });
}

FakeCompositor::~FakeCompositor()
{
    quit();
}

void FakeCompositor::run()
{
    wl_event_loop* loop = wl_display_get_event_loop(display_);
    for (;;) {
        wl_event_loop_dispatch(loop, 5);
        std::vector<std::function<void()>> work;
        {
            std::lock_guard lock(mutex_);
            work.swap(queued_);
        }
        for (const auto& job : work)
            job();
        wl_display_flush_clients(display_);
        {
            std::lock_guard lock(mutex_);
            if (!work.empty())
                done_.notify_all();
            if (stopping_)
                break;
        }
    }
    wl_display_destroy_clients(display_);
    wl_display_destroy(display_);
}

void FakeCompositor::onCompositorThread(const std::function<void()>& work)
{
    std::unique_lock lock(mutex_);
    if (!display_ || stopping_)
        return;
    bool finished = false;
    queued_.push_back([&work, &finished] {
        work();
        finished = true;
    });
    done_.wait(lock, [&finished] { return finished; });
}

int FakeCompositor::openWindow(const QString& title, const std::vector<quint32>& states, int monitor)
{
    int number = 0;
    onCompositorThread([&] {
        auto window = std::make_unique<State::Window>();
        window->number = number = state_->nextWindow++;
        window->title = title;
        window->states = states;
        window->monitor = monitor;
        for (wl_resource* manager : state_->managers)
            state_->announce(*window, manager);
        state_->windows.push_back(std::move(window));
    });
    return number;
}

void FakeCompositor::renameWindow(int window, const QString& title)
{
    onCompositorThread([&] {
        for (const auto& w : state_->windows) {
            if (w->number != window)
                continue;
            w->title = title;
            for (wl_resource* handle : w->handles) {
                zwlr_foreign_toplevel_handle_v1_send_title(handle, utf8(title).constData());
                zwlr_foreign_toplevel_handle_v1_send_done(handle);
            }
        }
    });
}

void FakeCompositor::closeWindow(int window)
{
    onCompositorThread([&] {
        auto& windows = state_->windows;
        const auto it = std::find_if(windows.begin(), windows.end(),
                                     [window](const auto& w) { return w->number == window; });
        if (it == windows.end())
            return;
        // The client gives the handles back after this.
        for (wl_resource* handle : (*it)->handles)
            zwlr_foreign_toplevel_handle_v1_send_closed(handle);
        windows.erase(it);
    });
}

int FakeCompositor::handlesReleased()
{
    int released = 0;
    onCompositorThread([&] { released = state_->handlesReleased; });
    return released;
}

int FakeCompositor::clients()
{
    int count = 0;
    onCompositorThread([&] {
        wl_client* client = nullptr;
        wl_client_for_each(client, wl_display_get_client_list(display_))
        {
            ++count;
        }
    });
    return count;
}

void FakeCompositor::quit()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (thread_.joinable())
        thread_.join();
    display_ = nullptr;
}
