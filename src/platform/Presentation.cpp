#include "platform/Presentation.h"

#include <QTimer>

Presentation::~Presentation() = default;

void Presentation::openInBackground(const QString& path)
{
    // Engines that open quickly wait in open(); the caller hears of it from the event loop all the same.
    const int ticket = ++lastOpen_;
    pendingOpen_ = ticket;
    QTimer::singleShot(0, this, [this, path, ticket] {
        if (pendingOpen_ != ticket)
            return;
        pendingOpen_ = 0;
        emit opened(open(path));
    });
}

void Presentation::cancelOpening()
{
    pendingOpen_ = 0;
}
