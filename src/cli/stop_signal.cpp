#include "cli/stop_signal.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> stopRequests { 0 };
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free count");

extern "C" void onStopSignal(int signalNumber)
{
    if (stopRequests.fetch_add(1, std::memory_order_relaxed) + 1 >= 3) {
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
    }
}

} // namespace

namespace StopSignal {

void install()
{
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

int requests()
{
    return stopRequests.load(std::memory_order_relaxed);
}

} // namespace StopSignal
