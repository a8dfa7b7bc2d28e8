#pragma once

#include <QElapsedTimer>

// Lets pending window messages through during a long run on the window thread, at most once
// per time slice, so that the run keeps full speed and the window stays responsive.
class EventPump
{
public:
    explicit EventPump(int sliceMs = 15);
    // Processes events when the slice has passed; returns true when it did.
    bool maybePump()
    {
        if (++calls_ < 64 && !forceCheck_) return false;
        calls_ = 0;
        if (timer_.elapsed() < sliceMs_) return false;
        pump();
        return true;
    }
    void pump();

    // A hook that runs just before events are processed (views sync their models).
    using Hook = void (*)(void*);
    static void setBeforePump(Hook hook, void* context);

private:
    QElapsedTimer timer_;
    int sliceMs_;
    int calls_ = 0;
    bool forceCheck_ = false;
};
