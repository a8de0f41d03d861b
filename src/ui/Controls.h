#pragma once

#include <QColor>
#include <QString>

class QWidget;

// Small helpers the windows use to build their controls.

// Names the control like its design name ("Label3"), so the program and the tests find it by it.
template <class W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// The colour of a control's text, whichever role its style draws it with.
void setTextColour(QWidget* widget, const QColor& colour);
