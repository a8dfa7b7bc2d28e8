#pragma once

#include "slips/number_slip.h"

// The Lotofácil slip: two bets of 15 numbers out of 25 per slip, numbered down the columns.
class RelLotofacil : public NumberSlip
{
public:
    RelLotofacil(const LineStore& closing, const PrintSettings& settings);

    void BeforePrint() override { RelLotofacilBeforePrint(); }
    void NeedData(bool& more) override { RelLotofacilNeedData(more); }
    void RelLotofacilBeforePrint();
    void RelLotofacilNeedData(bool& more);
};
