#pragma once

#include "platform/CatalogueText.h"

#include <QString>

// Title of our own full-screen slide show. The window tracking looks for it so
// the tool strip folds over our shows as it does over a presentation program's.
inline const CatalogueText kBuiltInShowTitle{"ShowTitle",
                                             QT_TRANSLATE_NOOP("ShowTitle", "Vantrel 幻灯片放映")};
