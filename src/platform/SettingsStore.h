#pragma once

#include <QHash>
#include <QString>

// The user's settings, kept between runs: text under "group/key" (a key without a group is in
// [General]). Options the teacher or a school sets live here; an absent key means the default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The text of the key; empty when there is none.
    virtual QString value(const QString& key) const = 0;
    // Sets and keeps the value. False when it could not be kept (it still holds for this run).
    virtual bool setValue(const QString& key, const QString& value) = 0;
};

// Settings that last for this run only: where no settings file is given, and in tests.
class InMemorySettings : public SettingsStore {
public:
    QString value(const QString& key) const override { return values_.value(key); }
    bool setValue(const QString& key, const QString& value) override
    {
        values_.insert(key, value);
        return true;
    }

private:
    QHash<QString, QString> values_;
};
