#include "ui/display/Tray.h"

#include "ui/DataFolderLink.h"
#include "ui/DrawnIcons.h"
#include "ui/Program.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/RemoteControl.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

std::function<bool()>& hostAnswer()
{
    static std::function<bool()> answer;
    return answer;
}

} // namespace

bool Tray::hostAvailable()
{
    if (hostAnswer())
        return hostAnswer()();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void Tray::setHostAvailableForTesting(std::function<bool()> answer)
{
    hostAnswer() = std::move(answer);
}

Tray::Tray(MainWindow& main)
    : QObject(&main), main_(main), icon_(new QSystemTrayIcon(this)), menu_(new QMenu(&main))
{
    // Shown by the right click itself (not as the icon's context menu), so that a desktop that also
    // reports the right click never opens it twice.
    menu_->setObjectName(QStringLiteral("TrayMenu"));
    // In the program's own face: a popup does not take its parent's font.
    menu_->setFont(main.font());
    openFolder_ = menu_->addAction(kOpenFolder, this, [this] {
        openDataFolder(main_.program().dataFolder(), main_.program().dialogs(), &main_);
    });
    menu_->addAction(kSettings, this, [this] { main_.flow().openSettings(); });
    remote_ = menu_->addAction(kRemote, this, [this] { RemoteControl::of(main_).showPairing(); });
    menu_->addSeparator();
    quit_ = menu_->addAction(kQuit, this, &Tray::onOfferToQuit);
    setObjectName(QStringLiteral("cSysTray1"));
    icon_->setIcon(bellIcon());
    icon_->setToolTip(kToolTip);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            click(Left);
        else if (reason == QSystemTrayIcon::Context)
            click(Right);
    });
}

Tray* Tray::create(MainWindow& main)
{
    if (Tray* existing = of(&main))
        return existing;
    auto* tray = new Tray(main);
    // Shown even while the desktop has no notification area: Qt puts the icon in as soon as one appears.
    tray->icon_->show();
    return tray;
}

Tray* Tray::of(const MainWindow* main)
{
    return main ? main->findChild<Tray*>(QStringLiteral("cSysTray1"), Qt::FindDirectChildrenOnly) : nullptr;
}

void Tray::click(int button)
{
    if (button == Left)
        onShowMainWindow();
    else if (button == Right)
        menu_->popup(QCursor::pos());
}

void Tray::onShowMainWindow()
{
    main_.flow().showMainFromTray();
}

void Tray::onOfferToQuit()
{
    main_.flow().offerToQuitFromTray();
}

bool trayAvailable(Program& program)
{
    auto* main = program.loaded<MainWindow>();
    return main && Tray::of(main) && Tray::hostAvailable();
}
