#include "app/event_pump.h"

#include <QCoreApplication>

namespace {
EventPump::Hook beforePumpHook = nullptr;
void* beforePumpContext = nullptr;
} // namespace

EventPump::EventPump(int sliceMs)
    : sliceMs_(sliceMs)
{
    timer_.start();
}

void EventPump::pump()
{
    if (beforePumpHook) beforePumpHook(beforePumpContext);
    QCoreApplication::processEvents();
    timer_.restart();
}

void EventPump::setBeforePump(Hook hook, void* context)
{
    beforePumpHook = hook;
    beforePumpContext = context;
}
