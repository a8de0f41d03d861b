#include "platform/sound/PulseSoundDevice.h"

#include "WaveBytes.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sys/types.h>

namespace {

constexpr int recordRate = 8000;

// Sets an environment variable for the test's lifetime, then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name))
    {
        old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

// A PulseAudio daemon of the test's own, with one null sink, listening on a socket in a temporary
// folder: it touches no sound card and no other server.
class PrivateSoundServer {
public:
    explicit PrivateSoundServer(const QString& folder) : folder_(folder) {}
    ~PrivateSoundServer() { stop(); }

    QString socketPath() const { return folder_ + "/native"; }
    QByteArray address() const { return "unix:" + socketPath().toLocal8Bit(); }

    // Empty when the server runs; otherwise why it does not.
    QString start()
    {
        const QString program = QStandardPaths::findExecutable("pulseaudio");
        if (program.isEmpty())
            return "pulseaudio is not installed";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", folder_);
        env.insert("XDG_RUNTIME_DIR", folder_);
        env.insert("PULSE_RUNTIME_PATH", folder_ + "/runtime");
        env.insert("XDG_CONFIG_HOME", folder_ + "/config");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.remove("DISPLAY");
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program,
                       {"-n", "--daemonize=no", "--exit-idle-time=-1", "--system=false", "--disallow-exit",
                        "--log-target=stderr", "-L",
                        "module-null-sink sink_name=cues rate=" + QString::number(recordRate) + " channels=1",
                        "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socketPath()});
        if (!process_.waitForStarted(5000))
            return "pulseaudio did not start: " + process_.errorString();
        if (!waitFor([&] {
                return QFileInfo::exists(socketPath()) || process_.state() == QProcess::NotRunning;
            }) ||
            process_.state() == QProcess::NotRunning)
            return "pulseaudio did not come up: " + QString::fromLocal8Bit(process_.readAll());
        return {};
    }

    // The server stops taking sound, as a hung one does (or goes on again).
    void freeze(bool frozen)
    {
        if (process_.state() != QProcess::NotRunning)
            ::kill(static_cast<pid_t>(process_.processId()), frozen ? SIGSTOP : SIGCONT);
    }

    void stop()
    {
        freeze(false);
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

private:
    QString folder_;
    QProcess process_;
};

// Records the null sink's monitor as mono 16-bit samples.
class Recorder {
public:
    explicit Recorder(const QByteArray& server)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", QString::fromLocal8Bit(server));
        process_.setProcessEnvironment(env);
        process_.start("parec", {"-d", "cues.monitor", "--raw", "--format=s16le", "--channels=1",
                                 "--rate=" + QString::number(recordRate), "--latency-msec=10"});
    }
    ~Recorder()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    bool isRecording()
    {
        return process_.waitForStarted(5000) && waitFor([&] {
                   process_.waitForReadyRead(50);
                   samples_ += process_.readAllStandardOutput();
                   return samples_.size() > 0;
               });
    }

    // Keeps recording for the given time, then tells how long sound of the given loudness (peak
    // sample value, ±20 %) lasted from its first sample to its last, in milliseconds; -1 when none.
    int spanAfter(int milliseconds, int amplitude)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds) {
            process_.waitForReadyRead(50);
            samples_ += process_.readAllStandardOutput();
        }
        return span(amplitude);
    }

    int span(int amplitude) const
    {
        qsizetype first = -1;
        qsizetype last = -1;
        for (qsizetype i = 0; i + 1 < samples_.size(); i += 2) {
            const int level = std::abs(qFromLittleEndian<qint16>(samples_.constData() + i));
            if (level > amplitude * 8 / 10 && level < amplitude * 12 / 10) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        return first < 0 ? -1 : static_cast<int>((last - first) / 2 * 1000 / recordRate);
    }

private:
    QProcess process_;
    QByteArray samples_;
};

class PulseSoundDeviceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QFile loud(dir_.filePath("tone.wav"));
        ASSERT_TRUE(loud.open(QIODevice::WriteOnly));
        loud.write(wavebytes::squareWave(recordRate, cueMs, loudLevel));
        QFile soft(dir_.filePath("soft.wav"));
        ASSERT_TRUE(soft.open(QIODevice::WriteOnly));
        soft.write(wavebytes::squareWave(recordRate, cueMs, softLevel));
    }

    // Starts the private server, or skips the test when this machine cannot run one.
    void startServer()
    {
        const QString why = server_.start();
        if (!why.isEmpty())
            GTEST_SKIP() << "No private sound server here (" << why.toStdString() << ")";
        if (QStandardPaths::findExecutable("parec").isEmpty())
            GTEST_SKIP() << "parec (pulseaudio-utils) is not installed";
    }

    std::unique_ptr<PulseSoundDevice> device()
    {
        auto device = std::make_unique<PulseSoundDevice>(QStringList{dir_.path()});
        device->setFileName("TONE.wav");
        return device;
    }

    static constexpr int cueMs = 500;
    static constexpr int loudLevel = 16000;
    static constexpr int softLevel = 6000;
    QTemporaryDir dir_;
    PrivateSoundServer server_{dir_.path()};
    ScopedEnv serverAddress_{"PULSE_SERVER", server_.address()};
};

} // namespace

TEST_F(PulseSoundDeviceTest, CueSoundsOnTheServerForItsLength)
{
    startServer();
    if (IsSkipped())
        return;
    Recorder recorder(server_.address());
    ASSERT_TRUE(recorder.isRecording());
    auto cue = device();
    playCue(*cue);
    ASSERT_FALSE(cue->openedPath().isEmpty());
    const int span = recorder.spanAfter(1500, loudLevel);
    EXPECT_EQ(cue->cuesStarted(), 1u);
    EXPECT_GT(span, cueMs - 60);
    EXPECT_LT(span, cueMs + 60);
}

TEST_F(PulseSoundDeviceTest, NewCueCutsTheOneSoundingAndCloseStopsIt)
{
    startServer();
    if (IsSkipped())
        return;
    {
        Recorder recorder(server_.address());
        ASSERT_TRUE(recorder.isRecording());
        auto cue = device();
        playCue(*cue);
        // Once part of the loud cue is with the server, start the soft one: what the server still
        // holds of the loud one is dropped, not played out first.
        ASSERT_TRUE(waitFor([&] { return cue->piecesWritten() >= 12; }));
        const int loudWrittenMs = static_cast<int>(cue->piecesWritten()) * 20;
        cue->setFileName("soft.wav");
        playCue(*cue);
        const int softSpan = recorder.spanAfter(2000, softLevel);
        const int loudSpan = recorder.span(loudLevel);
        EXPECT_EQ(cue->cuesStarted(), 2u);
        EXPECT_GT(softSpan, cueMs - 60) << "the soft cue plays whole";
        EXPECT_GT(loudSpan, 0);
        // Played out, everything written would sound (and maybe a piece written meanwhile); the
        // server holds a few tens of milliseconds that the cut drops.
        EXPECT_LT(loudSpan, loudWrittenMs - 10) << "the loud cue's queued rest was not cut";
    }
    {
        Recorder recorder(server_.address());
        ASSERT_TRUE(recorder.isRecording());
        auto cue = device();
        playCue(*cue);
        ASSERT_TRUE(waitFor([&] { return cue->piecesWritten() >= 6; }));
        cue->close();
        const int span = recorder.spanAfter(1200, loudLevel);
        EXPECT_GT(span, 0);
        EXPECT_LT(span, cueMs - 150);
    }
}

TEST_F(PulseSoundDeviceTest, WithoutServerPlaysNothingAndConnectsOnceOneIsThere)
{
    auto cue = device();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        playCue(*cue);
    // Handing over a cue never waits for the server; a second is far beyond a blocked connect.
    EXPECT_LT(clock.elapsed(), 1000);
    QThread::msleep(300);
    EXPECT_EQ(cue->cuesStarted(), 0u);

    startServer();
    if (IsSkipped())
        return;
    playCue(*cue);
    EXPECT_TRUE(waitFor([&] { return cue->cuesStarted() == 1 && cue->piecesWritten() > 0; }));
}

TEST_F(PulseSoundDeviceTest, CueAfterTheServerRestartedSounds)
{
    startServer();
    if (IsSkipped())
        return;
    auto cue = device();
    playCue(*cue);
    ASSERT_TRUE(waitFor([&] { return cue->piecesWritten() >= 25; }));
    // The device still holds its idle stream when the server goes and comes back.
    server_.stop();
    ASSERT_EQ(server_.start(), QString());
    Recorder recorder(server_.address());
    ASSERT_TRUE(recorder.isRecording());
    playCue(*cue);
    EXPECT_GT(recorder.spanAfter(1200, loudLevel), cueMs - 60);
}

TEST_F(PulseSoundDeviceTest, AServerThatHangsDoesNotHangTheEnd)
{
    startServer();
    if (IsSkipped())
        return;
    auto cue = device();
    playCue(*cue);
    ASSERT_TRUE(waitFor([&] { return cue->piecesWritten() >= 2; }));
    // The server stops mid-cue: the thread's next write waits for it, with no end in sight.
    server_.freeze(true);
    QThread::msleep(300);
    QElapsedTimer clock;
    clock.start();
    cue.reset();
    EXPECT_LT(clock.elapsed(), 3000) << "the device's end waited for a hung server";
    server_.freeze(false);
}

TEST_F(PulseSoundDeviceTest, UnplayableFileOpensNothing)
{
    QFile bad(dir_.filePath("bad.wav"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(wavebytes::squareWave(recordRate, 100).left(60));
    bad.close();
    PulseSoundDevice cue({dir_.path()});
    cue.setFileName("bad.wav");
    playCue(cue);
    EXPECT_TRUE(cue.openedPath().isEmpty());
    EXPECT_EQ(cue.cuesStarted(), 0u);
}
