#pragma once

#include <QString>

// Path of one of our files in the user's runtime folder ($XDG_RUNTIME_DIR): "vantrel.<kind>". Where
// there is none and the shared temporary folder stands in, the name carries the user id, so that one
// user's copy never stands in another's way there.
QString runtimeFilePath(const QString& kind);
