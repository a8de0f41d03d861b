#pragma once

#include "platform/CatalogueText.h"

// The title of every notice and question the program shows about itself: one text, so that a
// language gives it once.
inline const CatalogueText kProgramNoticeTitle{"Vantrel", QT_TRANSLATE_NOOP("Vantrel", "Vantrel工具提示：")};
