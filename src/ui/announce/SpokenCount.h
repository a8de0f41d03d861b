#pragma once

class QLabel;

// The count ("04 : 12") takes the keyboard focus like a control, and a screen reader that comes to it
// hears its time in words ("剩余 4 分 12 秒") after the digits. The words are made when they are
// asked for, so the ticking count sends the screen reader nothing.
void speakCountInWords(QLabel* count);
