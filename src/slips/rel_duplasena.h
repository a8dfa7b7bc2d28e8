#pragma once

#include "slips/number_slip.h"

// The Dupla-Sena slip: three bets of 6 to 15 numbers out of 50 per slip.
class RelDuplasena : public NumberSlip
{
public:
    RelDuplasena(const LineStore& closing, const PrintSettings& settings);

    void BeforePrint() override { RelDuplasenaBeforePrint(); }
    void NeedData(bool& more) override { RelDuplasenaNeedData(more); }
    void RelDuplasenaBeforePrint();
    void RelDuplasenaNeedData(bool& more);
};
