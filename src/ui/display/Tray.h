#pragma once

#include "platform/CatalogueText.h"

#include <QObject>
#include <QPointer>
#include <functional>

class MainWindow;
class Program;
class QAction;
class QMenu;
class QSystemTrayIcon;

// The bell in the desktop's notification area. It lives exactly as long as the main window: a left
// click brings the main window back to its standard place from any hidden or folded state, a right
// click opens its menu: the data folder in the file manager, and quitting (which asks first).
class Tray : public QObject {
    Q_OBJECT
public:
    static inline const CatalogueText kToolTip{
        "Tray", QT_TRANSLATE_NOOP("Tray", "点击鼠标左键显示计时主窗口，按右键退出本程序")};
    static inline const CatalogueText kQuitQuestion{"Tray",
                                                    QT_TRANSLATE_NOOP("Tray", "确实要退出Vantrel程序吗?")};

    static inline const CatalogueText kOpenFolder{"Tray", QT_TRANSLATE_NOOP("Tray", "打开程序文件夹")};
    static inline const CatalogueText kSettings{"Tray", QT_TRANSLATE_NOOP("Tray", "设置")};
    static inline const CatalogueText kQuit{"Tray", QT_TRANSLATE_NOOP("Tray", "退出Vantrel程序")};
    static inline const CatalogueText kRemote{"Tray", QT_TRANSLATE_NOOP("Tray", "手机遥控")};

    enum Button { Left = 1, Right = 2 };

    // Creates the tray icon of the main window and shows it.
    static Tray* create(MainWindow& main);
    // The main window's tray icon, if it has one.
    static Tray* of(const MainWindow* main);

    // A click on the icon; other buttons than Left and Right do nothing.
    void click(int button);

    QSystemTrayIcon* icon() const { return icon_; }
    // The right click's menu and its entries.
    QMenu* menu() const { return menu_; }
    QAction* openFolderAction() const { return openFolder_; }
    QAction* quitAction() const { return quit_; }
    QAction* remoteAction() const { return remote_; }

    // Whether the desktop has a notification area to show the icon in. Tests replace the answer.
    static bool hostAvailable();
    static void setHostAvailableForTesting(std::function<bool()> answer);

private:
    explicit Tray(MainWindow& main);
    void onShowMainWindow();
    void onOfferToQuit();

    MainWindow& main_;
    QSystemTrayIcon* icon_;
    QMenu* menu_;
    QAction* openFolder_;
    QAction* quit_;
    QAction* remote_;
};

// Whether the user can get back to the program through the tray icon. Where it is false (no
// notification area on this desktop, or no main window), nothing may hide every window of the
// program: F11 would be the only way back, and a user who does not know it is stuck. The strip's
// "确认" then keeps the strip on screen (its restore icon stays a way back) instead of hiding it.
bool trayAvailable(Program& program);
