#include "OfficeEnvironment.h"

#include "platform/office/OfficeProcess.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace office {
namespace {

struct Shared {
    std::unique_ptr<LibreOfficeSpreadsheet> engine;
    std::unique_ptr<CalcFiles> files;
    QString filesPipe;
};

Shared& shared()
{
    static Shared instance;
    return instance;
}

class Environment : public ::testing::Environment {
public:
    void TearDown() override
    {
        shared().files.reset();
        shared().engine.reset();
    }
};

[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new Environment);

} // namespace

LibreOfficeSpreadsheet& engine()
{
    if (!shared().engine)
        shared().engine = std::make_unique<LibreOfficeSpreadsheet>();
    return *shared().engine;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

OfficeError ensureRunning()
{
    if (engine().isRunning())
        return OfficeError::none();
    bool done = false;
    OfficeError result;
    engine().start([&](const OfficeError& error) {
        result = error;
        done = true;
    });
    if (!waitFor([&] { return done; }))
        return OfficeError::of(OfficeError::Code::EngineUnavailable, QStringLiteral("no answer"));
    return result;
}

CalcFiles& files()
{
    const OfficeError error = ensureRunning();
    if (error)
        throw std::runtime_error(error.detail.toStdString());
    const QString pipe = engine().process()->pipeName();
    if (!shared().files || shared().filesPipe != pipe) {
        shared().files.reset();
        shared().files = std::make_unique<CalcFiles>(engine().process()->connectionUrl());
        shared().filesPipe = pipe;
    }
    return *shared().files;
}

} // namespace office
