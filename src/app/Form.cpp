#include "app/Form.h"

#include "app/Program.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"

#include <QCloseEvent>

Form::Form(Program& program, FormId id, QWidget* parent) : QWidget(parent, Qt::Window), program_(program), id_(id)
{
    setObjectName(QStringLiteral("Form%1").arg(int(id)));
}

double Form::tpp() const
{
    return program_.twipsPerPixel();
}

double Form::leftTwips() const
{
    return twips::windowRect(this, tpp()).left;
}

double Form::topTwips() const
{
    return twips::windowRect(this, tpp()).top;
}

double Form::widthTwips() const
{
    return twips::windowRect(this, tpp()).width;
}

double Form::heightTwips() const
{
    return twips::windowRect(this, tpp()).height;
}

void Form::moveTwips(double left, double top)
{
    twips::moveWindow(this, left, top, tpp());
}

void Form::setLeftTwips(double left)
{
    moveTwips(left, topTwips());
}

void Form::setTopTwips(double top)
{
    moveTwips(leftTwips(), top);
}

void Form::setHeightTwips(double height)
{
    twips::resizeWindow(this, widthTwips(), height, tpp());
}

void Form::resizeTwips(double width, double height)
{
    twips::resizeWindow(this, width, height, tpp());
}

void Form::centreHorizontally(double top)
{
    moveTwips((program_.windows().screenSizeTwips().width() - widthTwips()) / 2, top);
}

void Form::placeTwips(QWidget* control, double left, double top, double width, double height)
{
    twips::placeControl(control, left, top, width, height, tpp());
}

void Form::moveControlTwips(QWidget* control, double left, double top)
{
    twips::moveControl(control, left, top, tpp());
}

Timer* Form::makeTimer(const QString& name, int intervalMs, TickPolicy policy)
{
    return new Timer(program_.timers(), name, intervalMs, policy, this);
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    program_.unload(id_);
}
