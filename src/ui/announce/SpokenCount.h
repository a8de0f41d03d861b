#pragma once

class QLabel;

// A screen reader that reads the count ("04 : 12") hears its time in words ("剩余 4 分 12 秒") after
// the digits. The words are made when they are asked for, so the ticking count sends the screen
// reader nothing. The count is no stop of Tab: a label that takes the focus is painted twice a tick.
void speakCountInWords(QLabel* count);
