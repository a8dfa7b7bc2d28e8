#include "app/subsystems.h"

#include "app/tform1.h"
#include "slips/print_tab.h"

void attachSubsystems(TForm1& form)
{
    (void)form;

    // generate: enumeration, margin check

    // verify: closing files, simulation and verification

    // reduce: position limits and reducers

    // slips: print tab
    attachPrinting(form);

    // pools: Loteca and Lotogol windows

    // net: settings, download

    // chart: comparison chart

    // optimizer
}
