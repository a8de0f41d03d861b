#pragma once

// The program's windows, by the names their behaviour is written in.
enum class FormId {
    Form1 = 1, // main window: countdown
    Form2,     // draw launcher
    Form3,     // tool strip
    Form4,     // name-list draw
    Form5,     // slide draw
    Form6,     // enlarged countdown
    Form7,     // sequence-number draw
    Form8,     // instruction player
};
