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
        if (timer_.elapsed() < sliceMs_)
            return false;
        pump();
        return true;
    }
    void pump();

private:
    QElapsedTimer timer_;
    int sliceMs_;
};
