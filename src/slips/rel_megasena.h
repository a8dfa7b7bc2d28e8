#pragma once

#include "slips/number_slip.h"

// The Mega-Sena slip: three bets of 6 to 15 numbers out of 60 per slip.
class RelMegasena : public NumberSlip
{
public:
    RelMegasena(const LineStore& closing, const PrintSettings& settings);

    void BeforePrint() override { RelMegasenaBeforePrint(); }
    void NeedData(bool& more) override { RelMegasenaNeedData(more); }
    void RelMegasenaBeforePrint();
    void RelMegasenaNeedData(bool& more);
};
