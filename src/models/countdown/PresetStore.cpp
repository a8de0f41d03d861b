#include "models/countdown/PresetStore.h"

#include <QCoreApplication>

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
    static const std::array<QString, kPresets> captions{QCoreApplication::translate("PresetStore", "定时一"),
                                                        QCoreApplication::translate("PresetStore", "定时二"),
                                                        QCoreApplication::translate("PresetStore", "定时三")};
    return captions.at(preset);
}
