#include "models/countdown/PresetStore.h"

PresetStore::PresetStore()
    : texts_{{
          {QStringLiteral("01"), QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("30")},
          {QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("00"), QStringLiteral("31")},
          {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("00"), QStringLiteral("32")},
      }}
{
}

const QString& PresetStore::caption(int preset)
{
    static const std::array<QString, kPresets> captions{QStringLiteral("定时一"), QStringLiteral("定时二"),
                                                        QStringLiteral("定时三")};
    return captions.at(preset);
}
