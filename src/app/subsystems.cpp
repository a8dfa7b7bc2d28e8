#include "app/subsystems.h"

#include "app/tform1.h"
#include "chart/comparison_chart.h"
#include "generate/generation_panel.h"
#include "generate/optimizer_panel.h"
#include "net/net_panel.h"
#include "pools/attach_pools.h"
#include "reduce/reducers.h"
#include "slips/print_tab.h"
#include "verify/verification_panel.h"

#include <QPushButton>

void attachSubsystems(TForm1& form)
{
    // generate: enumeration, margin check
    attachGeneration(form);

    // verify: closing files, simulation and verification
    attachVerification(form);

    // reduce: position limits and reducers
    attachReducers(form);

    // slips: print tab
    attachPrinting(form);

    // pools: Loteca and Lotogol windows
    attachPools(form, form.findChild<QPushButton*>(QStringLiteral("Button15")),
        form.findChild<QPushButton*>(QStringLiteral("Button4")));

    // net: settings, download
    attachNet(form);

    // chart: comparison chart
    attachChart(form);

    // optimizer
    attachOptimizer(form);
}
