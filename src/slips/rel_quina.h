#pragma once

#include "slips/number_slip.h"

// The Quina slip: two bets of 5 to 7 numbers out of 80 per slip.
class RelQuina : public NumberSlip
{
public:
    RelQuina(const LineStore& closing, const PrintSettings& settings);

    void BeforePrint() override { RelQuinaBeforePrint(); }
    void NeedData(bool& more) override { RelQuinaNeedData(more); }
    void RelQuinaBeforePrint();
    void RelQuinaNeedData(bool& more);
};
