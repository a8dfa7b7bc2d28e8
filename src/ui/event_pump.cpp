#include "ui/event_pump.h"

#include <QCoreApplication>

EventPump::EventPump(int sliceMs)
    : sliceMs_(sliceMs)
{
    timer_.start();
}

void EventPump::pump()
{
    QCoreApplication::processEvents();
    timer_.restart();
}
