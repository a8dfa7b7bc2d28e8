#include "app/subsystems.h"

#include "app/tform1.h"
#include "pools/attach_pools.h"

void attachSubsystems(TForm1& form)
{
    (void)form;

    // generate: enumeration, margin check

    // verify: closing files, simulation and verification

    // reduce: position limits and reducers

    // slips: print tab

    // pools: Loteca and Lotogol windows
    attachPools(form);

    // net: settings, download

    // chart: comparison chart

    // optimizer
}
