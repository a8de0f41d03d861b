// The X11 window system against a real X server with a window manager: the windows of "another
// program" are made on a connection of their own.
#include "platform/x11/X11WindowSystem.h"

#include "CompoundText.h"
#include "platform/x11/KeyState.h"
#include "platform/x11/TitleCache.h"
#include "platform/x11/XcbConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <QWidget>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool waitFor(const std::function<bool()>& condition, int ms = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents();
        if (condition())
            return true;
        QThread::msleep(10);
    }
    return condition();
}

void xdotool(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    p.waitForFinished(5000);
}

// Another program's windows.
class OtherProgram {
public:
    OtherProgram()
    {
        c_ = xcb_connect(nullptr, nullptr);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        utf8_ = atom("UTF8_STRING");
        netWmName_ = atom("_NET_WM_NAME");
    }
    ~OtherProgram() { xcb_disconnect(c_); }

    xcb_window_t create(bool map)
    {
        const xcb_window_t w = xcb_generate_id(c_);
        const uint32_t keyPresses = XCB_EVENT_MASK_KEY_PRESS;
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, root_, 10, 10, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &keyPresses);
        if (map)
            xcb_map_window(c_, w);
        xcb_flush(c_);
        return w;
    }
    void setNetName(xcb_window_t w, const QString& title)
    {
        const QByteArray utf8 = title.toUtf8();
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, netWmName_, utf8_, 8, uint32_t(utf8.size()),
                            utf8.data());
        xcb_flush(c_);
    }
    void setWmName(xcb_window_t w, xcb_atom_t type, const QByteArray& bytes)
    {
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, type, 8, uint32_t(bytes.size()),
                            bytes.data());
        xcb_flush(c_);
    }
    void destroy(xcb_window_t w)
    {
        xcb_destroy_window(c_, w);
        xcb_flush(c_);
    }
    // A focused full-screen window of one colour, as a slide show is.
    xcb_window_t createFullScreen(uint32_t rgb, bool bypassWindowManager = false)
    {
        const xcb_window_t w = xcb_generate_id(c_);
        const uint32_t values[] = {rgb, bypassWindowManager ? 1u : 0u};
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, root_, 0, 0, 1280, 800, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        const xcb_atom_t fullScreen = atom("_NET_WM_STATE_FULLSCREEN");
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1,
                            &fullScreen);
        setNetName(w, QStringLiteral("PowerPoint 幻灯片放映 - full screen"));
        xcb_map_window(c_, w);
        xcb_flush(c_);
        return w;
    }
    bool hasFocus(xcb_window_t w)
    {
        auto* reply = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
        const bool focused = reply && reply->focus == w;
        free(reply);
        return focused;
    }
    // Key presses that reached this program's windows since the last call.
    int takeKeyPresses()
    {
        int presses = 0;
        while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
            if ((event->response_type & 0x7f) == XCB_KEY_PRESS)
                ++presses;
            free(event);
        }
        return presses;
    }
    // The colour on screen at a point, 0xRRGGBB.
    uint32_t pixel(int x, int y)
    {
        auto* image = xcb_get_image_reply(
            c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, int16_t(x), int16_t(y), 1, 1, ~0u),
            nullptr);
        uint32_t value = 0;
        if (image && xcb_get_image_data_length(image) >= 4)
            memcpy(&value, xcb_get_image_data(image), 4);
        free(image);
        return value & 0xffffff;
    }
    xcb_atom_t atom(const char* name)
    {
        auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r->atom;
        free(r);
        return a;
    }

private:
    xcb_connection_t* c_;
    xcb_window_t root_;
    xcb_atom_t utf8_, netWmName_;
};

} // namespace

class X11WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            GTEST_SKIP() << "needs an X server";
        ASSERT_TRUE(ws.isConnected());
    }
    bool listed(const QString& title) { return ws.topLevelTitles().contains(title); }

    X11WindowSystem ws;
    OtherProgram other;
};

TEST_F(X11WindowSystemTest, SeesTitlesOfMappedAndUnmappedWindowsAndFollowsThem)
{
    const xcb_window_t shown = other.create(true);
    other.setNetName(shown, QStringLiteral("Microsoft PowerPoint - 课件.pptx"));
    const xcb_window_t hidden = other.create(false);
    other.setWmName(hidden, XCB_ATOM_STRING, QByteArray("Caf\xe9 deck"));
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("Microsoft PowerPoint - 课件.pptx")); }));
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("Café deck")); }));

    // A framed window is found through the window manager's list; its title changes are followed.
    other.setNetName(shown, QStringLiteral("PowerPoint 幻灯片放映 - 课件"));
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("PowerPoint 幻灯片放映 - 课件")); }));
    EXPECT_FALSE(listed(QStringLiteral("Microsoft PowerPoint - 课件.pptx")));

    other.destroy(shown);
    other.destroy(hidden);
    EXPECT_TRUE(waitFor([&] { return !listed(QStringLiteral("PowerPoint 幻灯片放映 - 课件")); }));
    EXPECT_TRUE(waitFor([&] { return !listed(QStringLiteral("Café deck")); }));
}

TEST_F(X11WindowSystemTest, NetNameWinsAndLegacyCompoundTextIsDecoded)
{
    const xcb_window_t legacy = other.create(true);
    const QByteArray ct = compoundText(QStringLiteral("正在演示: 课件"));
    ASSERT_FALSE(ct.isEmpty());
    other.setWmName(legacy, other.atom("COMPOUND_TEXT"), ct);
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("正在演示: 课件")); }))
        << ws.topLevelTitles().join(QLatin1Char('|')).toStdString();

    other.setNetName(legacy, QStringLiteral("deck.odp - LibreOffice Impress"));
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("deck.odp - LibreOffice Impress")); }));
    EXPECT_FALSE(listed(QStringLiteral("正在演示: 课件")));
    other.destroy(legacy);
}

TEST_F(X11WindowSystemTest, OwnWindowsCountButTheToolkitsHelpersDoNot)
{
    QWidget own;
    own.setWindowTitle(QStringLiteral("Vantrel 幻灯片放映"));
    own.show();
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("Vantrel 幻灯片放映")); }));

    // A window made on the toolkit's own connection that is no window of ours: a helper.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* qtConn = x11->connection();
    const xcb_window_t helper = xcb_generate_id(qtConn);
    xcb_create_window(qtConn, XCB_COPY_FROM_PARENT, helper,
                      xcb_setup_roots_iterator(xcb_get_setup(qtConn)).data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_change_property(qtConn, XCB_PROP_MODE_REPLACE, helper, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 11,
                        "helper-name");
    xcb_flush(qtConn);
    const xcb_window_t marker = other.create(false);
    other.setWmName(marker, XCB_ATOM_STRING, "after the helper");
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("after the helper")); }))
        << ws.topLevelTitles().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(listed(QStringLiteral("helper-name")));
    xcb_destroy_window(qtConn, helper);
    xcb_flush(qtConn);
    other.destroy(marker);
}

TEST_F(X11WindowSystemTest, CacheAgreesWithAFreshScanAfterWindowsComeAndGo)
{
    std::vector<xcb_window_t> made;
    for (int i = 0; i < 30; ++i) {
        made.push_back(other.create(i % 2 == 0));
        other.setNetName(made.back(), QStringLiteral("window %1").arg(i));
    }
    XcbConnection probe;
    auto sorted = [](QStringList l) {
        l.sort();
        return l;
    };
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("window 29")); }));
    EXPECT_TRUE(waitFor([&] {
        return sorted(ws.topLevelTitles()) ==
               sorted(TitleCache::scanNow(probe, [](xcb_window_t) { return false; }));
    })) << ws.topLevelTitles().join(QLatin1Char('|')).toStdString()
        << "\n"
        << TitleCache::scanNow(probe, [](xcb_window_t) { return false; })
               .join(QLatin1Char('|'))
               .toStdString();
    for (xcb_window_t w : made)
        other.destroy(w);
}

TEST_F(X11WindowSystemTest, FunctionKeysHeldWhileAnotherWindowHasTheFocus)
{
    const xcb_window_t focused = other.create(true);
    other.setNetName(focused, QStringLiteral("focused elsewhere"));
    xdotool({QStringLiteral("windowactivate"), QString::number(focused)});
    EXPECT_FALSE(ws.isKeyDown(Keys::F9));
    xdotool({QStringLiteral("keydown"), QStringLiteral("F9")});
    EXPECT_TRUE(waitFor([&] { return ws.isKeyDown(Keys::F9); }));
    EXPECT_FALSE(ws.isKeyDown(Keys::F11));
    xdotool({QStringLiteral("keyup"), QStringLiteral("F9")});
    EXPECT_TRUE(waitFor([&] { return !ws.isKeyDown(Keys::F9); }));
    xdotool({QStringLiteral("keydown"), QStringLiteral("F11")});
    EXPECT_TRUE(waitFor([&] { return ws.isKeyDown(Keys::F11); }));
    xdotool({QStringLiteral("keyup"), QStringLiteral("F11")});
    other.destroy(focused);
}

TEST_F(X11WindowSystemTest, QuickTapsAreReportedOnceEachAndStillReachTheFocusedWindow)
{
    QList<QPair<int, bool>> reported;
    ASSERT_TRUE(ws.reportKeys({Keys::F9, Keys::F11}, [&](int keyCode, bool down) {
        reported.append({keyCode, down});
    }));
    const xcb_window_t focused = other.create(true);
    other.setNetName(focused, QStringLiteral("an editor"));
    // A loaded window manager may let an activation request pass; the focus is then given directly.
    ASSERT_TRUE(waitFor(
        [&] {
            xdotool({QStringLiteral("windowactivate"), QString::number(focused)});
            if (!other.hasFocus(focused))
                xdotool({QStringLiteral("windowfocus"), QString::number(focused)});
            return other.hasFocus(focused);
        },
        10000));
    other.takeKeyPresses();

    // 40 ms taps, far shorter than a tracking tick; other keys are not reported.
    for (const char* key : {"F9", "a", "F11", "F9"})
        xdotool({QStringLiteral("keydown"), QLatin1String(key), QStringLiteral("sleep"),
                 QStringLiteral("0.04"), QStringLiteral("keyup"), QLatin1String(key)});
    const QList<QPair<int, bool>> expected{{Keys::F9, true},   {Keys::F9, false}, {Keys::F11, true},
                                           {Keys::F11, false}, {Keys::F9, true},  {Keys::F9, false}};
    EXPECT_TRUE(waitFor([&] { return reported.size() >= expected.size(); }));
    EXPECT_EQ(reported, expected);
    // Nothing was grabbed: the focused window got every press.
    int reached = 0;
    waitFor([&] {
        reached += other.takeKeyPresses();
        return reached >= 4;
    });
    EXPECT_EQ(reached, 4);
    other.destroy(focused);
}

TEST_F(X11WindowSystemTest, TitleChangesAreReportedAsTheyHappenAndAQuietDesktopIsQuiet)
{
    int reports = 0;
    ASSERT_TRUE(ws.reportTitleChanges([&] { ++reports; }));
    const xcb_window_t w = other.create(false);
    EXPECT_TRUE(waitFor([&] { return reports > 0; })) << "a new window";
    other.setNetName(w, QStringLiteral("deck.odp - LibreOffice Impress"));
    EXPECT_TRUE(waitFor([&] { return listed(QStringLiteral("deck.odp - LibreOffice Impress")); }));
    reports = 0;
    other.setNetName(w, QStringLiteral("正在演示: deck"));
    EXPECT_TRUE(waitFor([&] { return reports > 0; })) << "a title";
    EXPECT_TRUE(listed(QStringLiteral("正在演示: deck")));
    waitFor([&] { return false; }, 300);
    reports = 0;
    waitFor([&] { return false; }, 500);
    EXPECT_EQ(reports, 0) << "nothing changed";
    other.destroy(w);
    EXPECT_TRUE(waitFor([&] { return reports > 0; })) << "a window gone";
}

TEST_F(X11WindowSystemTest, KeptAboveStaysOverAFocusedFullScreenWindow)
{
    auto makeBar = [](QColor colour, int x) {
        auto* bar = new QWidget;
        bar->setWindowFlag(Qt::FramelessWindowHint);
        bar->setAutoFillBackground(true);
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, colour);
        bar->setPalette(palette);
        bar->setGeometry(x, 100, 200, 40);
        return bar;
    };
    std::unique_ptr<QWidget> kept(makeBar(QColor(0, 255, 0), 100));
    std::unique_ptr<QWidget> topMost(makeBar(QColor(255, 0, 255), 400));
    ws.keepAboveFullScreen(kept.get());
    ws.makeTopMost(topMost.get());
    kept->show();
    topMost->show();
    ASSERT_TRUE(
        waitFor([&] { return other.pixel(200, 120) == 0x00ff00 && other.pixel(500, 120) == 0xff00ff; }));

    const xcb_window_t show = other.createFullScreen(0x000080);
    xdotool({QStringLiteral("windowactivate"), QString::number(show)});
    EXPECT_TRUE(waitFor([&] { return other.pixel(900, 600) == 0x000080; })) << "the show is on screen";
    // A plain stay-on-top window goes under the focused full-screen window; the kept one does not.
    EXPECT_TRUE(waitFor([&] { return other.pixel(500, 120) == 0x000080; }));
    EXPECT_TRUE(waitFor([&] { return other.pixel(200, 120) == 0x00ff00; }));
    QThread::msleep(300);
    QCoreApplication::processEvents();
    EXPECT_EQ(other.pixel(200, 120), 0x00ff00u);

    // A show that itself bypasses the window manager comes up on top of everything: the kept window
    // raises itself over it.
    const xcb_window_t bypassing = other.createFullScreen(0x800000, true);
    EXPECT_TRUE(waitFor([&] { return other.pixel(900, 600) == 0x800000; }));
    EXPECT_TRUE(waitFor([&] { return other.pixel(200, 120) == 0x00ff00; }));
    other.destroy(bypassing);
    other.destroy(show);
}

TEST(KeyCodes, ProgramCodesToKeysyms)
{
    EXPECT_EQ(KeyState::keysymFor(120), 0xffc6u); // F9
    EXPECT_EQ(KeyState::keysymFor(122), 0xffc8u); // F11
    EXPECT_EQ(KeyState::keysymFor('A'), uint32_t('a'));
    EXPECT_EQ(KeyState::keysymFor(7), 0u);
}
