#pragma once

#include <QLabel>

// A label (or picture) that reports clicks and double-clicks, as the program's labels and images do.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    // One that takes the keyboard (the count) shows that it has it, as buttons do.
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
