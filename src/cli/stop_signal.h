#pragma once

// Ctrl+C (SIGINT) and SIGTERM as "Parar": the handler only counts the requests in an atomic,
// and the commands look at the count between their steps. The first request ends the step under
// way (what was found stays), the second also abandons the final check, the third ends the
// program at once as the signal would.
namespace StopSignal {

void install();
// How many stops were asked for since the start.
int requests();

} // namespace StopSignal
