#pragma once

#include "platform/CatalogueText.h"

#include <QWidget>

class QLabel;

// Says that a deck is being converted for its first show, which takes seconds, and offers to cancel.
// It stays on top without taking the keyboard from the window the user works in.
class DeckConversionNotice : public QWidget {
    Q_OBJECT
public:
    static inline const CatalogueText kCancel{"DeckConversionNotice",
                                              QT_TRANSLATE_NOOP("DeckConversionNotice", "取消")};

    // near: a window of ours; the notice appears centred on that window's screen.
    explicit DeckConversionNotice(const QString& deckName, QWidget* near = nullptr);

    QString text() const;

signals:
    // The user does not want to wait.
    void cancelled();

private:
    QLabel* text_ = nullptr;
};
