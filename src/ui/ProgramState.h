#pragma once

// Participant count handed from the launcher to the sequence-number draw (2 to 200).
struct ProgramState {
    float DrawTotal = 0;
};
