#include "platform/startup/Catalogue.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

namespace {

const QString kChinese = QStringLiteral("zh_CN");

// "en_US.UTF-8@euro" → "en_US".
QString localeName(const QString& value)
{
    QString name = value.trimmed();
    for (QChar end : {QLatin1Char('.'), QLatin1Char('@')}) {
        const qsizetype at = name.indexOf(end);
        if (at >= 0)
            name.truncate(at);
    }
    return name;
}

// The language, then its territory's variant when that has a catalogue of its own ("en_GB" before
// "en"); empty when neither has one. Chinese is the sources' language.
QString catalogueFor(const QString& name, const std::function<bool(const QString&)>& hasCatalogue)
{
    if (name.startsWith(QLatin1String("zh")))
        return kChinese;
    if (name.isEmpty())
        return {};
    if (hasCatalogue(name))
        return name;
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    if (language != name && hasCatalogue(language))
        return language;
    return {};
}

} // namespace

bool installCatalogue(const QLocale& locale, const QString& folder)
{
    // Owned by the application: the texts are looked up in it until the program ends.
    auto* catalogue = new QTranslator(QCoreApplication::instance());
    if (!catalogue->load(locale, QStringLiteral("vantrel"), QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(catalogue)) {
        delete catalogue;
        return false;
    }
    return true;
}

LocaleEnvironment LocaleEnvironment::fromProcess()
{
    return {qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG"),
            qEnvironmentVariable("LANGUAGE")};
}

QString chooseLanguage(const QString& setting, const LocaleEnvironment& desktop,
                       const std::function<bool(const QString&)>& hasCatalogue)
{
    const QString chosen = setting.trimmed();
    if (!chosen.isEmpty() && chosen != QLatin1String("auto")) {
        const QString language = catalogueFor(localeName(chosen), hasCatalogue);
        if (!language.isEmpty())
            return language;
    }
    // The first of LC_ALL, LC_MESSAGES and LANG that is set decides, as it does for every program.
    QString messages;
    for (const QString& value : {desktop.lcAll, desktop.lcMessages, desktop.lang}) {
        if (!value.trimmed().isEmpty()) {
            messages = localeName(value);
            break;
        }
    }
    if (messages.isEmpty() || messages == QLatin1String("C") || messages == QLatin1String("POSIX"))
        return kChinese;
    QStringList wanted = desktop.language.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    wanted << messages;
    for (const QString& name : wanted) {
        const QString language = catalogueFor(localeName(name), hasCatalogue);
        if (!language.isEmpty())
            return language;
    }
    return kChinese;
}

bool catalogueExists(const QString& language, const QString& folder)
{
    return QFileInfo::exists(folder + QStringLiteral("/vantrel_") + language + QStringLiteral(".qm"));
}
