#pragma once

#include "platform/SettingsStore.h"

// A settings file that cannot be written: the value holds for the run, the caller hears it was not kept.
class ReadOnlySettings : public InMemorySettings {
public:
    bool setValue(const QString& key, const QString& value) override
    {
        InMemorySettings::setValue(key, value);
        return false;
    }
};
