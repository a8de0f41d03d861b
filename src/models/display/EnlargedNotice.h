#pragma once

// What the countdown and the enlarged countdown window have to tell each other and have not yet
// acted on.
enum class EnlargedNotice {
    None,
    // The time is up: the enlarged window closes and shows the main window at its next tick.
    TimeUp,
    // The user closed the enlarged window: a reminder that ends shows the main window.
    ClosedByUser,
};
