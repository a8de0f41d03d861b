#include "app/ProgramServices.h"

#include "platform/files/SettingsFile.h"
#include "platform/files/SettingsZoomStore.h"
#include "platform/history/SqliteDrawHistory.h"
#include "platform/modules/ModuleBackends.h"
#include "platform/modules/ModuleEntry.h"
#include "platform/modules/ModuleSpreadsheet.h"
#include "platform/office/WarmSpreadsheet.h"
#include "platform/session/AccessibleWindowTitles.h"
#include "platform/session/ForeignToplevels.h"
#include "platform/session/PortalShortcuts.h"
#include "platform/session/QtOnlyWindowSystem.h"
#include "platform/session/WindowSystemWithAccessibleTitles.h"
#include "platform/session/WindowSystemWithForeignToplevels.h"
#include "platform/session/WindowSystemWithPortalKeys.h"
#include "platform/x11/X11WindowSystem.h"

ProgramServices::ProgramServices(SessionKind session, const Folders& folders, TimerDriver& timers)
    : session_(session), folders_(folders),
      soundModule_(modules::kSoundModule, ModuleLibrary::searchFolders(folders.program)),
      slidesModule_(modules::kSlidesModule, ModuleLibrary::searchFolders(folders.program)),
      officeModule_(modules::kOfficeModule, ModuleLibrary::searchFolders(folders.program)),
      sounds_([this, cueFolders = QStringList{folders.data} + folders.shipped] {
          return modules::createSoundFactory(soundModule_, cueFolders);
      })
{
    makeWindows();
#ifdef VANTREL_HAVE_OFFICE_MODULE
    spreadsheet_ =
        std::make_unique<ModuleSpreadsheet>([this] { return modules::createSpreadsheet(officeModule_); });
    warmSpreadsheet_ = std::make_unique<WarmSpreadsheet>(*spreadsheet_, timers);
#else
    Q_UNUSED(timers);
#endif
    settings_ = std::make_unique<SettingsFile>();
    zoomStore_ = std::make_unique<SettingsZoomStore>(*settings_);
    drawHistory_ = std::make_unique<SqliteDrawHistory>(SqliteDrawHistory::fileIn(folders.data));
}

ProgramServices::~ProgramServices() = default;

void ProgramServices::makeWindows()
{
    // Without an X server for our windows, the X11 layer would see none of them.
    if (session_ == SessionKind::WaylandNative)
        desktopWindows_ = std::make_unique<QtOnlyWindowSystem>();
    else
        desktopWindows_ = std::make_unique<X11WindowSystem>(session_ == SessionKind::WaylandThroughXWayland);
    windows_ = desktopWindows_.get();
    if (session_ == SessionKind::X11)
        return;
    // On Wayland, F9/F11 pressed in another program reach us only as the desktop portal's global
    // shortcuts, where the desktop offers them.
    portalKeys_ = std::make_unique<PortalShortcuts>();
    const char* withoutPortal =
        session_ == SessionKind::WaylandNative
            ? "vantrel: F9/F11: not available"
            : "vantrel: F9/F11: X11 key events, only while a window of ours has the focus";
    QObject::connect(portalKeys_.get(), &PortalShortcuts::stateChanged, portalKeys_.get(),
                     [withoutPortal](auto state) {
                         if (state == PortalShortcuts::State::Bound)
                             qInfo("vantrel: F9/F11: the desktop portal's global shortcuts");
                         else if (state == PortalShortcuts::State::Unavailable)
                             qInfo("%s", withoutPortal);
                     });
    portalKeys_->start();
    withPortalKeys_ = std::make_unique<WindowSystemWithPortalKeys>(*windows_, *portalKeys_);
    windows_ = withPortalKeys_.get();
    // Another program's native window (a show in LibreOffice or a browser) has no X11 window. A wlroots
    // compositor lists every window itself, full-screen state and monitor included.
    foreignToplevels_ = std::make_unique<ForeignToplevels>();
    if (foreignToplevels_->start()) {
        qInfo("vantrel: window titles: also from the compositor's window list");
        withForeignToplevels_ =
            std::make_unique<WindowSystemWithForeignToplevels>(*windows_, foreignToplevels_->windows());
        windows_ = withForeignToplevels_.get();
        return;
    }
    // Elsewhere the title is found on the accessibility bus, where the desktop runs one.
    accessibleTitles_ = std::make_unique<AccessibleWindowTitles>();
    if (accessibleTitles_->start()) {
        qInfo("vantrel: window titles: also from the accessibility bus");
        withAccessibleTitles_ =
            std::make_unique<WindowSystemWithAccessibleTitles>(*windows_, *accessibleTitles_);
        windows_ = withAccessibleTitles_.get();
    }
}

Services ProgramServices::forProgram(TimerDriver& timers, Dialogs& dialogs, std::function<bool()> isOnlyCopy)
{
    Services services{timers,        dialogs,         *windows_, sounds_, std::move(isOnlyCopy),
                      folders_.data, folders_.shipped};
    services.zoomStore = zoomStore_.get();
    services.settings = settings_.get();
    services.drawHistory = drawHistory_.get();
    services.presentations = [this] { return modules::createPresentation(slidesModule_); };
    services.spreadsheet = warmSpreadsheet_.get();
    services.officeWarmUp = warmSpreadsheet_.get();
    return services;
}

SessionFeatures ProgramServices::features() const
{
    SessionFeatures features = DesktopSession::featuresOf(session_);
    // Where the desktop binds F9/F11, they are not missing.
    if (portalKeys_ && portalKeys_->state() == PortalShortcuts::State::Bound)
        features.keys = GlobalKeys::Everywhere;
    // A compositor that lists its windows shows us every program's, native ones included.
    if (withForeignToplevels_)
        features.titles = OtherWindowTitles::All;
    return features;
}

void ProgramServices::whenFeaturesSettled(QObject* context, std::function<void()> settled)
{
    if (portalKeys_ && portalKeys_->state() == PortalShortcuts::State::Asking)
        QObject::connect(portalKeys_.get(), &PortalShortcuts::stateChanged, context, std::move(settled),
                         Qt::SingleShotConnection);
    else
        settled();
}
