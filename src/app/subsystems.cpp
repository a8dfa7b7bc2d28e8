#include "app/subsystems.h"

#include "app/tform1.h"
#include "verify/verification_panel.h"
#include "chart/comparison_chart.h"
#include "net/net_panel.h"
#include "reduce/reducers.h"

void attachSubsystems(TForm1& form)
{
    (void)form;

    // generate: enumeration, margin check

    // verify: closing files, simulation and verification
    attachVerification(form);

    // reduce: position limits and reducers
    attachReducers(form);

    // slips: print tab

    // pools: Loteca and Lotogol windows

    // net: settings, download
    attachNet(form);

    // chart: comparison chart
    attachChart(form);

    // optimizer
}
