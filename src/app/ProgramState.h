#pragma once

#include <QString>
#include <cstdint>

// The values that the program's windows share. One instance, owned by Program; every window reads
// and writes it on the user-interface thread.
struct ProgramState {
    // Countdown: 0 stopped (also during the time-up effect), 1 running, -1 paused.
    int16_t TimerState = 0;
    // Total time taken at the last accepted Start.
    int16_t StartMinutes = 0;
    int16_t StartSeconds = 0;

    // Exchange with the enlarged window: 11 opened/idle, 88 time is up, 0 handled, 99 closed by the
    // user, 12 that close was handled at the end of a reminder.
    int16_t EnlargeSignal = 11;

    // The main window is tucked against that screen edge.
    int16_t DockedTop = 0;
    int16_t DockedLeft = 0;
    int16_t DockedRight = 0;

    // Result of the last scan of the top-level window titles.
    int16_t SlideShowFound = 0;
    int16_t PptAppFound = 0;

    // "H" while an instruction show started by the player is open, "S" otherwise.
    QString NoteShowState = QStringLiteral("S");
    // The deck the instruction player opens.
    QString NoteDeck = QStringLiteral("MYPPT.PPT");

    // A sequence-number round is under way.
    int16_t RoundOpen = 0;
    // Participant count handed from the launcher to the sequence-number draw (2 to 200).
    float DrawTotal = 0;

    // 1 while a name-list round holds the workbook open with draws written but not yet saved.
    int16_t NameListLoaded = 0;
};
