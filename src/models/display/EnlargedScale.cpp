#include "models/display/EnlargedScale.h"

#include <algorithm>

namespace {

// The screen the layout was designed for, in twips (1024 × 768 pixels).
constexpr double kDesignScreenWidth = 1024 * 15;
constexpr double kDesignScreenHeight = 768 * 15;

} // namespace

double enlargedScale(QSize screenTwips)
{
    if (screenTwips.width() <= 0 || screenTwips.height() <= 0)
        return 1.0;
    const double byWidth = screenTwips.width() / kDesignScreenWidth;
    const double byHeight = screenTwips.height() / kDesignScreenHeight;
    return std::max(1.0, std::min(byWidth, byHeight));
}
