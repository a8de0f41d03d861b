#include "models/settings/ProgramOptions.h"

#include "platform/SettingsStore.h"

#include <algorithm>
#include <optional>

ProgramOptions::ProgramOptions(SettingsStore& store, QObject* parent) : QObject(parent), store_(store) {}

std::optional<bool> ProgramOptions::parseSwitch(const QString& text)
{
    // Written as true/false; what people type by hand into an ini file is taken too.
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("true") || word == QLatin1String("1") || word == QLatin1String("yes") ||
        word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("false") || word == QLatin1String("0") || word == QLatin1String("no") ||
        word == QLatin1String("off"))
        return false;
    return std::nullopt;
}

std::optional<int> ProgramOptions::parseVolume(const QString& text)
{
    bool ok = false;
    const int percent = text.trimmed().toInt(&ok);
    if (!ok || percent < 0 || percent > 100)
        return std::nullopt;
    return percent;
}

QString ProgramOptions::coverScreensText(CoverScreens screens)
{
    switch (screens) {
    case CoverScreens::None:
        return QStringLiteral("false");
    case CoverScreens::ShowScreen:
        return QStringLiteral("true");
    case CoverScreens::EveryScreen:
        return QStringLiteral("all");
    }
    return {};
}

std::optional<CoverScreens> ProgramOptions::parseCoverScreens(const QString& text)
{
    if (text.trimmed().toLower() == QLatin1String("all"))
        return CoverScreens::EveryScreen;
    if (const std::optional<bool> on = parseSwitch(text))
        return *on ? CoverScreens::ShowScreen : CoverScreens::None;
    return std::nullopt;
}

bool ProgramOptions::flag(const QString& key) const
{
    return parseSwitch(store_.value(key)).value_or(false);
}

bool ProgramOptions::overtime() const
{
    return flag(kOvertimeKey);
}

bool ProgramOptions::paceColours() const
{
    return flag(kPaceColoursKey);
}

bool ProgramOptions::rememberPresets() const
{
    return flag(kRememberPresetsKey);
}

CoverScreens ProgramOptions::coverScreens() const
{
    return parseCoverScreens(store_.value(kCoverScreensKey)).value_or(CoverScreens::None);
}

int ProgramOptions::volume() const
{
    return parseVolume(store_.value(kVolumeKey)).value_or(kDefaultVolume);
}

bool ProgramOptions::muted() const
{
    return flag(kMutedKey);
}

bool ProgramOptions::classLists() const
{
    return flag(kClassListsKey);
}

bool ProgramOptions::remoteAtStart() const
{
    return flag(kRemoteKey);
}

bool ProgramOptions::store(const QString& key, const QString& text)
{
    if (store_.value(key) == text)
        return true;
    const bool kept = store_.setValue(key, text);
    emit changed();
    return kept;
}

namespace {
QString switchText(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

bool ProgramOptions::setOvertime(bool on)
{
    return store(kOvertimeKey, switchText(on));
}

bool ProgramOptions::setPaceColours(bool on)
{
    return store(kPaceColoursKey, switchText(on));
}

bool ProgramOptions::setRememberPresets(bool on)
{
    return store(kRememberPresetsKey, switchText(on));
}

bool ProgramOptions::setCoverScreens(CoverScreens screens)
{
    return store(kCoverScreensKey, coverScreensText(screens));
}

bool ProgramOptions::setVolume(int percent)
{
    return store(kVolumeKey, QString::number(std::clamp(percent, 0, 100)));
}

bool ProgramOptions::setMuted(bool on)
{
    return store(kMutedKey, switchText(on));
}

bool ProgramOptions::setClassLists(bool on)
{
    return store(kClassListsKey, switchText(on));
}

bool ProgramOptions::setRemoteAtStart(bool on)
{
    return store(kRemoteKey, switchText(on));
}
