#pragma once

#include <QString>
#include <optional>

// Where the zoom of each kind of window is kept between runs. Keys are the windows' roles ("main" ...).
class ZoomStore {
public:
    virtual ~ZoomStore() = default;

    // The percentage last saved for the window, if any.
    virtual std::optional<int> percent(const QString& window) const = 0;
    virtual void setPercent(const QString& window, int percent) = 0;
};
