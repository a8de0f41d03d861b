#pragma once

#include <QString>

// The instruction show: which deck the player opens, and whether a show it started is open.
class InstructionShow {
public:
    bool isOpen() const { return open_; }
    void setOpen(bool open) { open_ = open; }

    const QString& deck() const { return deck_; }
    void setDeck(const QString& deck) { deck_ = deck; }

private:
    bool open_ = false;
    QString deck_ = QStringLiteral("MYPPT.PPT");
};
