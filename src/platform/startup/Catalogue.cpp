#include "platform/startup/Catalogue.h"

#include <QCoreApplication>
#include <QTranslator>

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
