#pragma once

#include <QByteArray>
#include <vector>

// The modules of a QR code for a text (an address for a phone's camera): size × size, row by row,
// true where a module is dark. Empty when the text does not fit in a code.
struct QrCode {
    int size = 0;
    std::vector<bool> dark;

    static QrCode encode(const QByteArray& text);
    bool isDark(int x, int y) const { return dark[static_cast<size_t>(y * size + x)]; }
};
