#include "ui/remote/RemoteBridge.h"

#include "models/countdown/Countdown.h"
#include "models/countdown/PresetStore.h"
#include "platform/Timer.h"
#include "ui/Program.h"
#include "ui/QuestionsOverShow.h"
#include "ui/draw/NameListDraw.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/RemoteMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <array>

namespace {

// The buttons a page may press: the control's name on the page, the window and the button's
// objectName there.
struct PageControl {
    const char* control;
    WindowKind window;
    const char* button;
};
constexpr std::array<PageControl, 12> kControls{{
    {"start", WindowKind::Main, "Command1"},
    {"pause", WindowKind::Main, "Command2"},
    {"stop", WindowKind::Main, "Command3"},
    {"fold", WindowKind::Main, "Command4"},
    {"preset1", WindowKind::Main, "Option1"},
    {"preset2", WindowKind::Main, "Option2"},
    {"preset3", WindowKind::Main, "Option3"},
    {"sequence-draw", WindowKind::SequenceDraw, "Command1"},
    {"sequence-next", WindowKind::SequenceDraw, "Command2"},
    {"names-start", WindowKind::NameListDraw, "Command1"},
    {"names-draw", WindowKind::NameListDraw, "CommandQq"},
    {"names-next", WindowKind::NameListDraw, "CommandZb"},
}};
const QString kEnlargeControl = QStringLiteral("enlarge");

QString stateText(Countdown::State state)
{
    switch (state) {
    case Countdown::State::Running:
        return QCoreApplication::translate("RemoteBridge", "正在计时");
    case Countdown::State::Reminding:
        return QCoreApplication::translate("RemoteBridge", "正在计时，已到提醒时间");
    case Countdown::State::Paused:
        return QCoreApplication::translate("RemoteBridge", "暂停计时");
    case Countdown::State::TimeUp:
        return QCoreApplication::translate("RemoteBridge", "时间到！");
    case Countdown::State::Overtime:
        return QCoreApplication::translate("RemoteBridge", "已超时");
    case Countdown::State::Stopped:
        break;
    }
    return QCoreApplication::translate("RemoteBridge", "未在计时");
}

QString twoDigits(const QString& text)
{
    return QStringLiteral("%1").arg(text.trimmed().toInt(), 2, 10, QLatin1Char('0'));
}

template <class W> W* shownWindow(const Program& program)
{
    W* window = program.loaded<W>();
    return window && window->isVisible() ? window : nullptr;
}

QString childText(const QWidget* window, const char* name)
{
    if (!window)
        return {};
    if (auto* label = window->findChild<QLabel*>(QLatin1String(name)))
        return label->text();
    if (auto* box = window->findChild<QLineEdit*>(QLatin1String(name)))
        return box->text();
    return {};
}

} // namespace

RemoteBridge::RemoteBridge(Program& program, QObject* parent)
    : QObject(parent), program_(program),
      questions_([this](quint64 client, const QByteArray& message) { emit toClient(client, message); }),
      watch_(new Timer(program.timers(), QStringLiteral("RemoteWatch"), kWatchMs, TickPolicy::Pacing, this))
{
    watch_->onTick([this] {
        pushState();
        pushClock();
    });
    Countdown& countdown = program_.countdown();
    connect(&countdown, &Countdown::countTextChanged, this, [this] {
        pushClock();
        pushState();
    });
    connect(&countdown, &Countdown::stateChanged, this, [this] {
        pushClock();
        pushState();
    });
}

RemoteBridge::~RemoteBridge()
{
    endAll();
}

void RemoteBridge::join(quint64 client, bool control, const QString& clockAddress)
{
    QJsonObject texts{{"title", QString(kTitle)},
                      {"presets", tr("定时选择")},
                      {"sequence", tr("按顺序号抽签")},
                      {"names", tr("按名单抽签")},
                      {"yes", tr("是")},
                      {"no", tr("否")},
                      {"ok", tr("确定")},
                      {"disconnected", tr("与电脑的连接已断开，正在重新连接…")}};
    if (control)
        texts.insert(QStringLiteral("clockAddress"), clockAddress);
    emit toClient(client, remote::encode({{"type", "texts"}, {"texts", texts}}));
    if (control) {
        controls_.insert(client);
        watch_->setEnabled(true);
        emit toClient(client, remote::encode(state()));
    } else {
        clocks_.insert(client);
        watch_->setEnabled(true);
        emit toClient(client, remote::encode(clock()));
    }
}

void RemoteBridge::leave(quint64 client)
{
    questions_.leave(client);
    controls_.remove(client);
    clocks_.remove(client);
    if (controls_.isEmpty())
        lastState_.clear();
    if (clocks_.isEmpty())
        lastClock_.clear();
    if (controls_.isEmpty() && clocks_.isEmpty())
        watch_->setEnabled(false);
}

void RemoteBridge::endAll()
{
    questions_.endAll();
    controls_.clear();
    clocks_.clear();
    watch_->setEnabled(false);
    lastState_.clear();
    lastClock_.clear();
}

void RemoteBridge::receive(quint64 client, const QByteArray& message)
{
    if (!controls_.contains(client))
        return;
    const QJsonObject received = remote::decode(message);
    const QString type = received.value(QStringLiteral("type")).toString();
    if (type == QLatin1String("answer")) {
        questions_.answer(client, received.value(QStringLiteral("id")).toInteger(),
                          received.value(QStringLiteral("yes")).toBool());
    } else if (type == QLatin1String("press")) {
        const QString control = received.value(QStringLiteral("control")).toString();
        // Not from inside the connection's own handler: the press may wait for an answer that comes
        // over the same connection.
        QMetaObject::invokeMethod(
            this, [this, client, control] { press(client, control); }, Qt::QueuedConnection);
    }
}

QAbstractButton* RemoteBridge::pressable(const QString& control) const
{
    for (const PageControl& candidate : kControls) {
        if (control != QLatin1String(candidate.control))
            continue;
        ProgramWindow* window = program_.loadedWindow(candidate.window);
        // The main window's buttons act while it is folded away too (the count runs over a show);
        // a draw is pressed only while it is open on the screen.
        if (!window || (candidate.window != WindowKind::Main && !window->isVisible()))
            return nullptr;
        auto* button = window->findChild<QAbstractButton*>(QLatin1String(candidate.button));
        return button && button->isEnabled() && button->isVisibleTo(window) ? button : nullptr;
    }
    return nullptr;
}

bool RemoteBridge::canEnlarge() const
{
    const MainWindow* main = program_.loaded<MainWindow>();
    return main && main->isVisible();
}

void RemoteBridge::press(quint64 client, const QString& control)
{
    // One thing at a time, as on the screen: not while a question is open here or there.
    const bool busy = questions_.isAsking() || QApplication::activeModalWidget() != nullptr;
    QPointer<QAbstractButton> button = busy ? nullptr : pressable(control);
    const bool enlarge = !busy && control == kEnlargeControl && canEnlarge();
    if (!button && !enlarge) {
        emit toClient(client, remote::encode({{"type", "refused"}, {"control", control}}));
        return;
    }
    auto* screenQuestions = dynamic_cast<QuestionsOverShow*>(&program_.dialogs());
    questions_.setAsker(client);
    if (screenQuestions)
        screenQuestions->askElsewhere(&questions_);
    if (enlarge) {
        // What a double click on the count asks for.
        emit program_.loaded<MainWindow>()->enlargeRequested();
    } else if (button) {
        button->click();
    }
    if (screenQuestions)
        screenQuestions->askElsewhere(nullptr);
    pushState();
}

QJsonObject RemoteBridge::state() const
{
    const Countdown& countdown = program_.countdown();
    const MainWindow* main = program_.loaded<MainWindow>();
    auto button = [this](const char* control, const QString& text) {
        return QJsonObject{{"id", QLatin1String(control)},
                           {"text", text},
                           {"enabled", pressable(QLatin1String(control)) != nullptr}};
    };
    auto textOf = [](const QWidget* window, const char* name) {
        auto* found = window ? window->findChild<QAbstractButton*>(QLatin1String(name)) : nullptr;
        return found ? found->text().trimmed() : QString();
    };

    QJsonArray countButtons;
    for (const auto& [control, name] : {std::pair{"start", "Command1"}, std::pair{"pause", "Command2"},
                                        std::pair{"stop", "Command3"}, std::pair{"fold", "Command4"}})
        countButtons.append(button(control, textOf(main, name)));
    countButtons.append(
        QJsonObject{{"id", kEnlargeControl}, {"text", QString(kEnlarge)}, {"enabled", canEnlarge()}});

    QJsonArray presets;
    for (int i = 0; i < PresetStore::kPresets; ++i) {
        const QByteArray control = "preset" + QByteArray::number(i + 1);
        QJsonObject preset = button(control.constData(), PresetStore::caption(i));
        if (main) {
            const PresetStore& store = main->presets();
            preset.insert(QStringLiteral("text"),
                          QStringLiteral("%1 %2:%3")
                              .arg(PresetStore::caption(i),
                                   twoDigits(store.text(i, PresetStore::TotalMinutes)),
                                   twoDigits(store.text(i, PresetStore::TotalSeconds))));
            auto* option = main->findChild<QAbstractButton*>(QStringLiteral("Option%1").arg(i + 1));
            preset.insert(QStringLiteral("checked"), option && option->isChecked());
        }
        presets.append(preset);
    }

    const SequenceDraw* sequence = shownWindow<SequenceDraw>(program_);
    const QJsonObject sequenceState{
        {"open", sequence != nullptr},
        {"number", childText(sequence, "Label1")},
        {"buttons", QJsonArray{button("sequence-draw", textOf(sequence, "Command1")),
                               button("sequence-next", textOf(sequence, "Command2"))}}};

    const NameListDraw* names = shownWindow<NameListDraw>(program_);
    const QJsonObject namesState{{"open", names != nullptr},
                                 {"number", childText(names, "Text1")},
                                 {"name", childText(names, "Text2")},
                                 {"buttons", QJsonArray{button("names-start", textOf(names, "Command1")),
                                                        button("names-draw", textOf(names, "CommandQq")),
                                                        button("names-next", textOf(names, "CommandZb"))}}};

    return {{"type", "state"},         {"count", shownCount()}, {"stateText", stateText(countdown.state())},
            {"buttons", countButtons}, {"presets", presets},    {"sequence", sequenceState},
            {"names", namesState}};
}

QString RemoteBridge::shownCount() const
{
    const Countdown& countdown = program_.countdown();
    const MainWindow* main = program_.loaded<MainWindow>();
    // Stopped, the screen shows the entry boxes instead of the count: the pages show the time they
    // hold, the one 开始 will count from.
    if (countdown.state() != Countdown::State::Stopped || !main)
        return countdown.countText();
    return QStringLiteral("%1 : %2").arg(twoDigits(childText(main, "Text1")),
                                         twoDigits(childText(main, "Text4")));
}

QJsonObject RemoteBridge::clock() const
{
    const Countdown& countdown = program_.countdown();
    return {{"type", "clock"}, {"count", shownCount()}, {"stateText", stateText(countdown.state())}};
}

void RemoteBridge::pushState()
{
    if (controls_.isEmpty())
        return;
    const QByteArray now = remote::encode(state());
    if (now == lastState_)
        return;
    lastState_ = now;
    emit toControls(now);
}

void RemoteBridge::pushClock()
{
    if (clocks_.isEmpty())
        return;
    const QByteArray now = remote::encode(clock());
    if (now == lastClock_)
        return;
    lastClock_ = now;
    emit toClocks(now);
}
