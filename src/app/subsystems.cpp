#include "app/subsystems.h"

#include "app/tform1.h"
#include "generate/generation_panel.h"

void attachSubsystems(TForm1& form)
{
    (void)form;

    // generate: enumeration, margin check
    attachGeneration(form);

    // verify: closing files, simulation and verification

    // reduce: position limits and reducers

    // slips: print tab

    // pools: Loteca and Lotogol windows

    // net: settings, download

    // chart: comparison chart

    // optimizer
}
